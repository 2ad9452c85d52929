#pragma once

// Pieces of Standard MIDI Files for tests that write them byte by byte.

#include "tests/client/formats/FileBytes.h"

#include <QByteArray>
#include <cstdint>

namespace tamber::testing {

inline QByteArray bigEndian(uint32_t value, int size)
{
    QByteArray out;
    for (int i = size - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xFF));
    return out;
}

inline QByteArray header(int format, int tracks, int division)
{
    return QByteArray("MThd") + bigEndian(6, 4) + bigEndian(format, 2) + bigEndian(tracks, 2) +
           bigEndian(division, 2);
}

inline QByteArray track(const QByteArray& body)
{
    return QByteArray("MTrk") + bigEndian(uint32_t(body.size()), 4) + body;
}

inline const QByteArray kEndOfTrack = bytes({0x00, 0xFF, 0x2F, 0x00});

inline QByteArray tempo(int delta, uint32_t usPerQuarter)
{
    return bytes({delta, 0xFF, 0x51, 0x03}) + bigEndian(usPerQuarter, 3);
}

} // namespace tamber::testing
