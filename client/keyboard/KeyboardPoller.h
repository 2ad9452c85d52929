#pragma once

#include "KeyStateSource.h"
#include "Keymap.h"

#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>

namespace tamber {

class NoteEngine;
class PianoState;

// Plays the computer keyboard: samples all 256 key codes and turns the edges into notes.
class KeyboardPoller
{
public:
    struct Links
    {
        Keymap& keymap;
        const KeyStateSource& keys;
        std::function<bool()> mainWindowInFront; // the main window is the active window
        NoteEngine& engine;
        const PianoState& state; // BaseOctave, MyUserID
    };

    explicit KeyboardPoller(Links links);

    // One tick: every code 0..255 in ascending order, KeyDown updated before the handler.
    void PollKeyboard();
    // A letter or digit pressed while Ctrl or Alt is held (and the keymap does not map that
    // modifier) is a menu shortcut, not a note: it starts nothing and its release stops
    // nothing. Shift stays an ordinary key.
    void KeyPressed(uint8_t vk);
    void KeyReleased(uint8_t vk);

    bool keyDown(int vk) const { return KeyDown[size_t(vk)]; }

private:
    // The note and channel a press started, so its release stops exactly that even when
    // the octave, the keymap or the user number changed while the key was held.
    struct Started
    {
        bool playing = false;
        uint8_t note = 0;
        uint8_t channel = 0;
        bool shortcut = false; // the press was part of a shortcut: its release is silent too
    };

    uint8_t noteOf(uint8_t vk) const;
    bool isShortcut(uint8_t vk) const;

    Links m_links;
    std::array<bool, Keymap::kCodes> KeyDown{};
    std::array<Started, Keymap::kCodes> m_started{};
};

// tmrPoll: ticks the poller. The key state is fed by events, so between two changes a poll
// cannot find an edge; the timer therefore sleeps until the state changes and then ticks
// once, as soon as the pending events have been handled. Idle, it costs nothing.
class PollTimer : public QObject
{
    Q_OBJECT
public:
    PollTimer(KeyboardPoller& poller, const KeyStateSource& keys, QObject* parent = nullptr);

    // The first tick runs at once (keys already down count as pressed), later ones follow
    // each change of the key state. stop() ends the ticks.
    void start();
    void stop();
    bool isActive() const { return m_running; }
    // A tick is pending; false while the key state rests.
    bool isTicking() const { return m_tick.isActive(); }

private:
    void tmrPoll_Timer();

    KeyboardPoller& m_poller;
    QTimer m_tick;
    bool m_running = false;
};

} // namespace tamber
