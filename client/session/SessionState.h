#pragma once

#include <QByteArray>
#include <cstdint>

namespace tamber {

// Who the local player is: 0 outside a session, the server's slot number 1..8 inside one.
// The same number is the MIDI channel of every local note and the colour of its keys.
struct SessionState
{
    int32_t MyUserID = 0;
    QByteArray MyUserName; // Latin-1 bytes, as the server sent them
};

} // namespace tamber
