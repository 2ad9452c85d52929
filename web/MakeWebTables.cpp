// Build step: writes the browser piano's tables (instrument list, note labels, key shapes, key
// colours, default keymap, seats, channels, the receive cap, the chat limit, the relay's default
// pacing) as an ES module, from the same C++ tables the
// desktop piano and the relay use, so the page can never drift from them.
// Usage: make_web_tables <output.js>
#include "client/engine/Instruments.h"
#include "client/engine/KeyShapes.h"
#include "client/engine/NoteEngine.h"
#include "client/keyboard/DefaultKeymap.h"
#include "client/session/SessionClient.h"
#include "server/FloodControl.h"
#include "server/RelayCore.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

namespace {

QByteArray exportConst(const char* name, const QJsonDocument& value)
{
    return QByteArray("export const ") + name + " = " + value.toJson(QJsonDocument::Compact) +
           ";\n";
}

QByteArray tables()
{
    QJsonArray instruments;
    for (const QString& entry : tamber::InitInstruments())
        instruments.append(entry);

    constexpr int kWhiteKeys = 36;
    QJsonArray labels;
    for (int label = 0; label < kWhiteKeys; ++label)
        labels.append(tamber::noteLabelCaption(label));

    // [left, top, width, height, black] in the desktop keyboard's pixels; the page scales them.
    QJsonArray keys;
    for (int key = 0; key < tamber::kKeyCount; ++key) {
        const QRect r = tamber::keyShape(key);
        keys.append(QJsonArray{r.x(), r.y(), r.width(), r.height(), tamber::isBlackKey(key)});
    }

    // [virtual-key code, semitone offset] for every mapped key.
    const tamber::Keymap keymap = tamber::defaultKeymap();
    QJsonArray mapped;
    for (int vk = 0; vk < tamber::Keymap::kCodes; ++vk) {
        if (keymap.KeyMapped[vk])
            mapped.append(QJsonArray{vk, int(keymap.KeyNote[vk])});
    }

    // Which of red, green and blue each user's keys shade with the velocity (1) and which stay
    // full (0); users beyond the table light black. Read off the desktop's own colour function
    // at full velocity, where a shaded component is 1.
    QJsonArray hues;
    for (int user = 0; user <= 255; ++user) {
        const uint32_t colour = tamber::PaintKey(uint8_t(user), 127);
        if (colour == 0)
            break;
        hues.append(QJsonArray{int((colour & 0xFF) == 1), int(((colour >> 8) & 0xFF) == 1),
                               int(((colour >> 16) & 0xFF) == 1)});
    }

    // The relay's default rates, so that the page paces itself to exactly what the relay allows.
    const tamber::server::RelayLimits limits;
    const auto rate = [](const tamber::server::Rate& r) {
        return QJsonObject{{QStringLiteral("perSecond"), r.perSecond},
                           {QStringLiteral("burst"), r.burst}};
    };
    const QJsonObject pacing{{QStringLiteral("notes"), rate(limits.notes)},
                             {QStringLiteral("chat"), rate(limits.chat)},
                             {QStringLiteral("names"), rate(limits.names)}};

    return QByteArray("// Written at build time from the desktop piano's and the relay's tables; "
                      "do not edit.\n") +
           "export const FIRST_KEY_NOTE = " + QByteArray::number(tamber::kFirstKeyNote) + ";\n" +
           exportConst("INSTRUMENTS", QJsonDocument(instruments)) +
           exportConst("NOTE_LABELS", QJsonDocument(labels)) +
           exportConst("KEY_SHAPES", QJsonDocument(keys)) +
           exportConst("KEY_HUES", QJsonDocument(hues)) +
           exportConst("DEFAULT_KEYMAP", QJsonDocument(mapped)) +
           "export const SEATS = " + QByteArray::number(tamber::server::kSlotCount) + ";\n" +
           "export const CHANNELS = " + QByteArray::number(tamber::kChannels) + ";\n" +
           "export const RECEIVE_CAP = " +
           QByteArray::number(tamber::SessionClient::kReceiveBufferCap) + ";\n" +
           "export const CHAT_LIMIT = " + QByteArray::number(tamber::server::kMaxChatText) + ";\n" +
           exportConst("RELAY_LIMITS", QJsonDocument(pacing));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.js>\n", argv[0]);
        return 2;
    }
    QFile out(QString::fromLocal8Bit(argv[1]));
    const QByteArray text = tables();
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(text) != text.size()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
