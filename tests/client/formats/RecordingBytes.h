#pragma once

#include <QByteArray>
#include <cstdint>
#include <initializer_list>

namespace tamber::testing {

inline QByteArray longs(std::initializer_list<int32_t> values)
{
    QByteArray out;
    for (int32_t v : values) {
        for (int i = 0; i < 4; ++i)
            out.append(char((uint32_t(v) >> (8 * i)) & 0xFF));
    }
    return out;
}

inline const QByteArray kRecordingHeader = QByteArray("TBR\0DATA", 8);

constexpr int32_t noteOn(int note, int velocity = 127, int channel = 0)
{
    return int32_t(0x90 + channel) | note << 8 | velocity << 16;
}
constexpr int32_t noteOff(int note, int channel = 0)
{
    return int32_t(0x80 + channel) | note << 8;
}

} // namespace tamber::testing
