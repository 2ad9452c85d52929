#pragma once

#include <functional>

namespace tamber {

// When the connection to the X server is lost, Qt ends the program on the spot (exit status
// 1): from its event dispatcher after it reports "The X11 connection broke", or from Xlib's
// I/O error handler. Neither runs the program's shut-down, so a held note would keep sounding
// on an external synthesizer. While a watch lives, `beforeExit` runs once, on the GUI thread,
// just before that exit; it must not touch a window.
class LostDisplayWatch
{
public:
    explicit LostDisplayWatch(std::function<void()> beforeExit);
    ~LostDisplayWatch();
    LostDisplayWatch(const LostDisplayWatch&) = delete;
    LostDisplayWatch& operator=(const LostDisplayWatch&) = delete;

    // Runs beforeExit unless it has run; what both hooks call.
    static void displayLost();
};

} // namespace tamber
