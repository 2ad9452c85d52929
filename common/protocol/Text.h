#pragma once

// Names and chat lines cross the wire as Windows-1252, one byte per character, whatever the
// locale of either machine. Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character there;
// they map to the C1 code points of the same value, so every byte sequence survives a round
// trip unchanged.

#include <QByteArray>
#include <QString>

namespace tamber::protocol {

QString decodeText(const QByteArray& bytes);
// Characters without a Windows-1252 byte become "?".
QByteArray encodeText(const QString& text);

} // namespace tamber::protocol
