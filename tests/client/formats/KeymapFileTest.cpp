#include "client/formats/KeymapFile.h"
#include "client/keyboard/DefaultKeymap.h"
#include "tests/client/formats/FileBytes.h"
#include "tests/fakes/FakePlatform.h"
#include "tests/fakes/PresentedBoxes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::fakes;
using namespace tamber::testing;

namespace {

const QByteArray kHeader = QByteArray("TMKM") + bytes({0, 1, 3});

class KeymapFileTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    // Loads `content` into a keymap that had key 90 mapped to 7 beforehand.
    void load(const QByteArray& content)
    {
        writeAll(path("k.tmk"), content);
        files.LoadKeymap(path("k.tmk"));
    }
    Keymap oldKeymap() const
    {
        Keymap k;
        k.KeyNote[90] = 7;
        k.KeyMapped[90] = true;
        return k;
    }
    bool onlyKey(int key, int note) const
    {
        Keymap expected;
        expected.KeyNote[key] = uint8_t(note);
        expected.KeyMapped[key] = true;
        return keymap == expected;
    }

    QTemporaryDir dir;
    Keymap keymap = oldKeymap();
    PresentedBoxes boxes;
    KeymapFiles files{keymap, boxes.reporter()};
};

const ShownBox kNotValid{"This is not a valid keymap file.", "Invalid File",
                         MessageBoxes::Icon::Exclamation};
const ShownBox kInvalidValue{"Warning: An invalid value was detected in this keymap.", "Warning",
                             MessageBoxes::Icon::Exclamation};
const ShownBox kSaved{"Keymap Saved!", "Success", MessageBoxes::Icon::Information};

} // namespace

TEST_F(KeymapFileTest, SavesHeaderAndRecordsInAscendingKeyOrder)
{
    keymap = Keymap{};
    files.SaveKeymap(path("empty.tmk"));
    EXPECT_EQ(readAll(path("empty.tmk")), kHeader + bytes({0}));
    EXPECT_EQ(boxes.shown, std::vector<ShownBox>{kSaved});

    keymap.KeyNote[200] = 28;
    keymap.KeyMapped[200] = true;
    keymap.KeyNote[65] = 5;
    keymap.KeyMapped[65] = true;
    keymap.KeyNote[66] = 9; // not mapped: never written
    files.SaveKeymap(path("two.tmk"));
    EXPECT_EQ(readAll(path("two.tmk")), kHeader + bytes({1, 65, 5, 1, 200, 28, 0}));

    Keymap saved = keymap;
    saved.KeyNote[66] = 0;
    keymap = oldKeymap();
    files.LoadKeymap(path("two.tmk"));
    EXPECT_EQ(keymap, saved) << "round trip";
}

TEST_F(KeymapFileTest, SavingOverALongerFileKeepsItsTailAfterTheEndRecord)
{
    writeAll(path("long.tmk"), kHeader + bytes({1, 65, 5, 1, 66, 6, 1, 67, 7, 0}));
    keymap = Keymap{};
    files.SaveKeymap(path("long.tmk"));
    EXPECT_EQ(readAll(path("long.tmk")), kHeader + bytes({0, 65, 5, 1, 66, 6, 1, 67, 7, 0}));
    files.LoadKeymap(path("long.tmk"));
    EXPECT_EQ(keymap, Keymap{}) << "the old tail is never read";
}

TEST_F(KeymapFileTest, LoadsRecordsSkippingUnknownTagsAndLaterRecordsWin)
{
    load(kHeader + bytes({1, 65, 5, 0}));
    EXPECT_TRUE(onlyKey(65, 5)) << "every other key is cleared";
    EXPECT_TRUE(boxes.shown.empty());

    load(kHeader + bytes({7, 1, 65, 5, 0}));
    EXPECT_TRUE(onlyKey(65, 5)) << "tag 7 ignored";

    load(kHeader + bytes({1, 65, 5}));
    EXPECT_TRUE(onlyKey(65, 5)) << "no end byte: the end of the file ends the list";

    load(kHeader + bytes({1, 65, 5, 1, 65, 28, 0, 1, 66, 1}));
    EXPECT_TRUE(onlyKey(65, 28)) << "the later record wins; nothing after the end is read";

    load(QByteArray("TMKM") + bytes({0, 1, 99, 1, 65, 5, 0}));
    EXPECT_TRUE(onlyKey(65, 5)) << "revision 99 loads silently";
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(KeymapFileTest, InvalidNoteWarnsOncePerRecordAndSkipsIt)
{
    load(kHeader + bytes({1, 65, 0x1D, 1, 66, 2, 1, 67, 255, 0}));
    EXPECT_TRUE(onlyKey(66, 2));
    EXPECT_EQ(boxes.shown, (std::vector<ShownBox>{kInvalidValue, kInvalidValue}));
}

TEST_F(KeymapFileTest, VersionChecks)
{
    load(QByteArray("TMKM") + bytes({0, 2, 3, 1, 65, 5, 0}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0],
              (ShownBox{"This keymap was designed to work with Tamber Piano v0.2.x. It may not "
                        "work correctly with this version of Tamber Piano.",
                        "Warning", MessageBoxes::Icon::Exclamation}));
    EXPECT_TRUE(onlyKey(65, 5)) << "a minor mismatch still loads";

    boxes.shown.clear();
    keymap = oldKeymap();
    load(QByteArray("TMKM") + bytes({2, 1, 3, 1, 65, 5, 0}));
    EXPECT_EQ(boxes.shown, std::vector<ShownBox>{(ShownBox{
                               "This keymap was designed to work with Tamber Piano v2.x.x. It "
                               "will not work with this version of Tamber Piano.",
                               "Error", MessageBoxes::Icon::Exclamation})});
    EXPECT_EQ(keymap, oldKeymap());

    boxes.shown.clear();
    load(QByteArray("TMKM") + bytes({12, 40}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("v12.x.x")) << "plain decimal";
}

TEST_F(KeymapFileTest, NotAKeymapLeavesTheKeymapAlone)
{
    for (const QByteArray& content :
         {QByteArray(), QByteArray("TMK"), QByteArray("tmkm") + bytes({0, 1, 3, 0}),
          QByteArray("TBR\0DATA", 8)}) {
        boxes.shown.clear();
        load(content);
        EXPECT_EQ(boxes.shown, std::vector<ShownBox>{kNotValid}) << content.toHex().constData();
        EXPECT_EQ(keymap, oldKeymap());
    }
}

TEST_F(KeymapFileTest, MissingFileIsReportedButNeverCreated)
{
    files.LoadKeymap(path("Default.tmk"));
    EXPECT_EQ(boxes.shown, std::vector<ShownBox>{kNotValid});
    EXPECT_FALSE(QFile::exists(path("Default.tmk")));
    EXPECT_EQ(keymap, oldKeymap());
}

TEST_F(KeymapFileTest, UnopenablePathsGiveAClearMessage)
{
    files.LoadKeymap(dir.path());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Error");
    EXPECT_TRUE(boxes.shown[0].text.contains(dir.path()));
    EXPECT_EQ(keymap, oldKeymap());

    boxes.shown.clear();
    files.SaveKeymap(path("no/such/folder/k.tmk"));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Error");
    EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::Critical);
    EXPECT_TRUE(boxes.shown[0].text.contains("no/such/folder/k.tmk"));
    EXPECT_EQ(keymap, oldKeymap());

    const QString readOnly = readOnlyFile(dir);
    if (readOnly.isEmpty())
        return;
    const QByteArray before = readAll(readOnly);
    boxes.shown.clear();
    files.SaveKeymap(readOnly);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Error") << "never \"Keymap Saved!\" for a read-only file";
    EXPECT_EQ(readAll(readOnly), before);
}

TEST_F(KeymapFileTest, AFifoIsReportedInsteadOfBlocking)
{
    const QString fifo = makeFifo(dir, "Default.tmk");
    ASSERT_FALSE(fifo.isEmpty());
    files.LoadKeymap(fifo);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, "Error");
    EXPECT_TRUE(boxes.shown[0].text.contains("It is not a regular file."));
    EXPECT_EQ(keymap, oldKeymap());
}

// Regression: 64 MiB of ignored tag bytes took 53 s to load, one seek and one read per byte.
TEST_F(KeymapFileTest, ATagFloodIsReadInOnePass)
{
    // The first record straddles the first 64 KiB block read after the header; the second
    // follows 8 MiB of ignored tags.
    const QByteArray flood(8 * 1024 * 1024, '\x07');
    load(kHeader + QByteArray(64 * 1024 - 1, '\x07') + bytes({1, 65, 5}) + flood +
         bytes({1, 66, 6, 0, 1, 67, 7}));
    Keymap expected;
    expected.KeyNote[65] = 5;
    expected.KeyNote[66] = 6;
    expected.KeyMapped[65] = expected.KeyMapped[66] = true;
    EXPECT_EQ(keymap, expected) << "nothing after the end record";
    EXPECT_TRUE(boxes.shown.empty());

    load(kHeader + bytes({2, 1, 65}));
    EXPECT_TRUE(onlyKey(65, 0)) << "a record cut by the end of the file reads zeros";
}

// Regression: a keymap with 100,000 invalid records opened 100,000 boxes one after another.
TEST_F(KeymapFileTest, ManyInvalidValuesGiveAFewBoxesAndOneSummary)
{
    QByteArray records;
    for (int i = 0; i < 100000; ++i)
        records += bytes({1, 65, 29});
    load(kHeader + records + bytes({1, 66, 2, 0}));
    EXPECT_TRUE(onlyKey(66, 2));
    ASSERT_EQ(boxes.shown.size(), size_t(KeymapDecoder::kInvalidValueReports) + 1);
    for (int i = 0; i < KeymapDecoder::kInvalidValueReports; ++i)
        EXPECT_EQ(boxes.shown[size_t(i)], kInvalidValue);
    EXPECT_EQ(boxes.shown.back(),
              (ShownBox{"Warning: 99997 more invalid values were detected in this keymap and "
                        "skipped.",
                        "Warning", MessageBoxes::Icon::Exclamation}));

    boxes.shown.clear();
    records.truncate(3 * (KeymapDecoder::kInvalidValueReports + 1));
    load(kHeader + records);
    EXPECT_EQ(boxes.shown.back(),
              (ShownBox{"Warning: 1 more invalid value was detected in this keymap and skipped.",
                        "Warning", MessageBoxes::Icon::Exclamation}))
        << "one more is said in the singular";
}

TEST(DefaultKeymap, ShippedFileHoldsTheTwoRowLayout)
{
    // Ascending key codes: the digits of the upper row, then the letters.
    const QByteArray records = bytes({
        1, '0', 27, 1, '2', 13, 1, '3', 15, 1, '5', 18, 1, '6', 20, 1, '7', 22,
        1, '9', 25, 1, 'B', 7,  1, 'C', 4,  1, 'D', 3,  1, 'E', 16, 1, 'G', 6,
        1, 'H', 8,  1, 'I', 24, 1, 'J', 10, 1, 'M', 11, 1, 'N', 9,  1, 'O', 26,
        1, 'P', 28, 1, 'Q', 12, 1, 'R', 17, 1, 'S', 1,  1, 'T', 19, 1, 'U', 23,
        1, 'V', 5,  1, 'W', 14, 1, 'X', 2,  1, 'Y', 21, 1, 'Z', 0,
    });
    EXPECT_EQ(readAll(QStringLiteral(TAMBER_DEFAULT_KEYMAP_PATH)), kHeader + records + bytes({0}));

    Keymap loaded;
    PresentedBoxes boxes;
    KeymapFiles(loaded, boxes.reporter()).LoadKeymap(QStringLiteral(TAMBER_DEFAULT_KEYMAP_PATH));
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(loaded, defaultKeymap());
    std::array<bool, 29> offsetUsed{};
    for (int key = 0; key < Keymap::kCodes; ++key) {
        if (loaded.KeyMapped[key])
            offsetUsed[loaded.KeyNote[key]] = true;
    }
    EXPECT_EQ(std::count(offsetUsed.begin(), offsetUsed.end(), true), 29) << "every offset";
}
