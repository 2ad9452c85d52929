// Build step: writes the browser piano's tables (instrument list, note labels, key shapes,
// default keymap) as an ES module, from the same C++ tables the desktop piano uses, so the
// page can never drift from the program. Usage: make_web_tables <output.js>
#include "client/files/DefaultKeymap.h"
#include "client/shell/Instruments.h"
#include "client/widgets/PianoKeysView.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

namespace {

QByteArray exportConst(const char* name, const QJsonArray& value)
{
    return QByteArray("export const ") + name + " = " +
           QJsonDocument(value).toJson(QJsonDocument::Compact) + ";\n";
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
        const QRect r = tamber::PianoKeysView::keyRect(key);
        keys.append(
            QJsonArray{r.x(), r.y(), r.width(), r.height(), tamber::PianoKeysView::isBlack(key)});
    }

    // [virtual-key code, semitone offset] for every mapped key.
    const tamber::Keymap keymap = tamber::defaultKeymap();
    QJsonArray mapped;
    for (int vk = 0; vk < tamber::Keymap::kCodes; ++vk) {
        if (keymap.KeyMapped[vk])
            mapped.append(QJsonArray{vk, int(keymap.KeyNote[vk])});
    }

    return QByteArray("// Written at build time from the desktop piano's tables; do not edit.\n") +
           "export const FIRST_KEY_NOTE = " + QByteArray::number(tamber::kFirstKeyNote) + ";\n" +
           exportConst("INSTRUMENTS", instruments) + exportConst("NOTE_LABELS", labels) +
           exportConst("KEY_SHAPES", keys) + exportConst("DEFAULT_KEYMAP", mapped);
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
