#pragma once

#include "client/engine/MidiDevices.h"

#include <vector>

namespace tamber {

// What is sent to an output that is still opening (the built-in synthesizer loads in the
// background while the window is up). Once it is ready it hears the state the player left,
// not the history: the last program, controller and pitch bend of each channel, and the notes
// still held. A note released before then is dropped: started that late it would only be a
// stray blip after the fact.
class HeldNotes
{
public:
    void hold(ShortMessage message);
    // The messages that bring a fresh output to the held state, in the order they were last
    // sent; empties the store.
    std::vector<ShortMessage> take();
    void clear() { m_messages.clear(); }
    bool empty() const { return m_messages.empty(); }

private:
    // Removes the message that `message` supersedes; false when none does.
    void removeMatching(ShortMessage message, bool byKey);

    std::vector<ShortMessage> m_messages; // at most one per channel and key: bounded
};

} // namespace tamber
