#pragma once

namespace tamber {

// Run before the application object: when the program would show its windows on an X display
// that cannot be reached (DISPLAY unset, the server gone or not yet listening), says so in one
// line on standard error and returns false, so the program exits 1 instead of Qt aborting
// with a core. Other platforms (-platform offscreen, Wayland) are left to Qt.
//
// Should the display still fail while the application object starts (it went away in
// between), that failure too ends the program with one line and exit status 1, until
// started() says the application object is up.
class DisplayGuard
{
public:
    DisplayGuard(const char* program, int argc, char** argv);
    ~DisplayGuard() { started(); }
    // Qt's platform runs: from now on Qt's fatal errors are its own again.
    void started();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

    bool reachable() const { return m_reachable; }

private:
    bool m_reachable = true;
};

} // namespace tamber
