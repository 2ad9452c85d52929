// libFuzzer target over the keymap loader.
//
// The loader reads in blocks; a plain byte-by-byte walk of the same file (reads past the
// end give 0) is the reference it must agree with, key for key and report for report. The first
// input byte may pad the file with ignored tags so that records fall across the first
// block's end.

#include "FuzzFile.h"

#include "client/formats/KeymapFile.h"
#include "common/ProgramInfo.h"

namespace {

using namespace tamber;
using fuzz::byteAt;
using fuzz::require;

struct Expected
{
    Keymap keymap;
    int reports = 0;
};

Expected walk(const QByteArray& file, const Keymap& before)
{
    Expected expected{before, 0};
    if (fuzz::longAt(file, 0) != int32_t('T' | 'M' << 8 | 'K' << 16 | 'M' << 24))
        return {before, 1};
    if (byteAt(file, 4) != kVersionMajor)
        return {before, 1};
    expected.reports += byteAt(file, 5) != kVersionMinor ? 1 : 0;
    expected.keymap.clear();
    int invalid = 0;
    for (qint64 at = 7;;) {
        const uint8_t tag = byteAt(file, at++);
        if (tag == 0)
            break;
        if (tag != 1)
            continue;
        const uint8_t key = byteAt(file, at++);
        const uint8_t note = byteAt(file, at++);
        if (note > Keymap::kHighestOffset) {
            ++invalid;
            continue;
        }
        expected.keymap.KeyNote[key] = note;
        expected.keymap.KeyMapped[key] = true;
    }
    const int shown = std::min(invalid, KeymapDecoder::kInvalidValueReports);
    expected.reports += shown + (invalid > shown ? 1 : 0);
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static fuzz::ScratchFile scratch(".tmk");
    if (size == 0)
        return 0;
    QByteArray file(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    if (data[0] & 1 && file.size() >= 7)
        file.insert(7, QByteArray(64 * 1024 - 1 - (data[0] >> 1), '\x07'));

    Keymap keymap;
    keymap.KeyNote[90] = 7;
    keymap.KeyMapped[90] = true;
    const Expected expected = walk(file, keymap);

    int reports = 0;
    KeymapFiles(keymap, [&reports](const KeymapReport&) {
        ++reports;
    }).LoadKeymap(scratch.write(file));
    require(keymap == expected.keymap);
    require(reports == expected.reports);
    return 0;
}
