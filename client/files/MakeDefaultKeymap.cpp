// Build step: writes Default.tmk through the program's own SaveKeymap, so the shipped file
// is exactly what the program writes. Usage: make_default_keymap <output path>
#include "client/files/DefaultKeymap.h"
#include "client/files/KeymapFile.h"

#include <QFile>
#include <cstdio>

namespace {

// Stays quiet on success; anything other than the confirmation is a failure of the build.
class BuildStepBoxes : public tamber::MessageBoxes
{
public:
    void show(const QString& text, const QString& title, Icon icon) override
    {
        if (icon == Icon::Information && title == QLatin1String("Success"))
            saved = true;
        else
            std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    bool saved = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.tmk>\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    // Saving never truncates; start from nothing so no old tail survives.
    if (QFile::exists(path) && !QFile::remove(path)) {
        std::fprintf(stderr, "cannot replace %s\n", argv[1]);
        return 1;
    }
    tamber::Keymap keymap = tamber::defaultKeymap();
    BuildStepBoxes boxes;
    tamber::KeymapFiles(keymap, boxes).SaveKeymap(path);
    return boxes.saved ? 0 : 1;
}
