// Build step: writes Default.tmk with the program's own keymap encoder, so the shipped file is
// exactly what the program writes. Usage: make_default_keymap <output path>
#include "client/formats/KeymapFile.h"
#include "client/keyboard/DefaultKeymap.h"

#include <QFile>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.tmk>\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray bytes = tamber::encodeKeymap(tamber::defaultKeymap());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
