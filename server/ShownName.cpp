#include "ShownName.h"

#include "common/protocol/Text.h"

namespace tamber::server {

QByteArray shownName(const QByteArray& name, HighBytes shownAs)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const QString decoded = protocol::decodeText(name);
    QByteArray shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const char16_t c = decoded[i].unicode();
        const bool c1 = shownAs == HighBytes::Latin1 ? (byte >= 0x80 && byte <= 0x9f)
                                                     : (c >= 0x80 && c <= 0x9f);
        if (byte == '\\') {
            shown += "\\\\";
        } else if (byte < 0x20 || byte == 0x7f || c1) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 15];
        } else {
            shown += char(byte);
        }
    }
    return shown;
}

} // namespace tamber::server
