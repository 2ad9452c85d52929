#include "client/formats/Stream.h"
#include "tests/client/formats/FileBytes.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tamber;
using namespace tamber::testing;

namespace {

class StreamTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
    Stream stream;
};

} // namespace

TEST_F(StreamTest, NumbersAreLittleEndianAndMoveThePointer)
{
    EXPECT_EQ(stream.Pointer, 1) << "a new stream";
    ASSERT_TRUE(stream.OpenFile(path("n.bin")));
    EXPECT_EQ(stream.Pointer, 1) << "right after OpenFile";
    EXPECT_TRUE(stream.WriteLong(0x12345678));
    EXPECT_EQ(stream.Pointer, 5);
    EXPECT_TRUE(stream.WriteInteger(-2));
    EXPECT_TRUE(stream.WriteByte(0xAB));
    EXPECT_TRUE(stream.WriteLong(-1));
    EXPECT_EQ(stream.Pointer, 12);
    stream.CloseFile();
    EXPECT_EQ(readAll(path("n.bin")),
              bytes({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF, 0xAB, 0xFF, 0xFF, 0xFF, 0xFF}));

    ASSERT_TRUE(stream.OpenFile(path("n.bin")));
    EXPECT_EQ(stream.ReadLong(), 0x12345678);
    EXPECT_EQ(stream.ReadInteger(), -2);
    EXPECT_EQ(stream.ReadByte(), 0xAB);
    EXPECT_EQ(stream.ReadLong(), -1);
    stream.Pointer = 2;
    EXPECT_EQ(stream.ReadInteger(), 0x3456) << "Pointer is 1-based and settable";
}

TEST_F(StreamTest, ReadsPastTheEndGiveZeroBytesAndStillAdvance)
{
    writeAll(path("short.bin"), bytes({0x11, 0x22, 0x33, 0x44, 0x55, 0x66}));
    ASSERT_TRUE(stream.OpenFile(path("short.bin")));
    stream.Pointer = 5;
    EXPECT_EQ(stream.ReadLong(), 0x6655) << "two bytes left: the low half only";
    EXPECT_EQ(stream.Pointer, 9);
    EXPECT_EQ(stream.ReadByte(), 0);
    EXPECT_EQ(stream.ReadInteger(), 0);
    EXPECT_EQ(stream.Pointer, 12);
    stream.Pointer = 5;
    EXPECT_EQ(stream.ReadString(4), bytes({0x55, 0x66})) << "a text is cut at the end";
    EXPECT_EQ(stream.Pointer, 9);
    stream.Pointer = -3;
    EXPECT_EQ(stream.ReadLong(), 0) << "a position before the file reads nothing";
    stream.Pointer = -3;
    EXPECT_FALSE(stream.WriteLong(1)) << "and writes nothing";
    stream.CloseFile();
    EXPECT_EQ(readAll(path("short.bin")), bytes({0x11, 0x22, 0x33, 0x44, 0x55, 0x66}));
}

TEST_F(StreamTest, MissingFileIsCreatedEmptyAndExistingFileIsNeverTruncated)
{
    ASSERT_TRUE(stream.OpenFile(path("new.bin")));
    EXPECT_TRUE(QFile::exists(path("new.bin")));
    EXPECT_EQ(stream.size(), 0);
    EXPECT_EQ(stream.ReadLong(), 0);
    stream.CloseFile();

    const QByteArray old(100, 'o');
    writeAll(path("old.bin"), old);
    ASSERT_TRUE(stream.OpenFile(path("old.bin")));
    for (int i = 0; i < 10; ++i)
        stream.WriteByte(uint8_t('a' + i));
    stream.CloseFile();
    EXPECT_EQ(readAll(path("old.bin")), QByteArray("abcdefghij") + old.mid(10));

    ASSERT_TRUE(stream.OpenFile(path("old.bin")));
    stream.Pointer = 103;
    EXPECT_TRUE(stream.WriteByte(7)) << "writing beyond the end extends the file";
    EXPECT_EQ(stream.size(), 103);
}

TEST_F(StreamTest, ClosedStreamOnlyMovesThePointer)
{
    EXPECT_EQ(stream.ReadLong(), 0);
    EXPECT_EQ(stream.Pointer, 5) << "never opened";
    writeAll(path("c.bin"), bytes({1, 2, 3}));
    ASSERT_TRUE(stream.OpenFile(path("c.bin")));
    stream.ReadByte();
    stream.CloseFile();
    EXPECT_EQ(stream.Pointer, 2) << "CloseFile keeps Pointer";
    EXPECT_FALSE(stream.WriteByte(9));
    EXPECT_EQ(stream.Pointer, 3);
    EXPECT_EQ(stream.ReadInteger(), 0);
    EXPECT_EQ(stream.Pointer, 5);
    EXPECT_EQ(readAll(path("c.bin")), bytes({1, 2, 3}));
    ASSERT_TRUE(stream.OpenFile(path("c.bin")));
    EXPECT_EQ(stream.Pointer, 1) << "a stream can be opened again";
    EXPECT_EQ(stream.ReadByte(), 1);
}

TEST_F(StreamTest, FixedStringsAreWrittenWholeAndCountedStringsCarryTheirLength)
{
    ASSERT_TRUE(stream.OpenFile(path("s.bin")));
    EXPECT_TRUE(stream.WriteString("DATA", 4));
    EXPECT_EQ(stream.Pointer, 5);
    EXPECT_TRUE(stream.WriteString("TBR", 4)) << "neither padded nor cut";
    EXPECT_EQ(stream.Pointer, 8);
    EXPECT_TRUE(stream.WriteString(QByteArray("\xE9\xFF\x00", 3), 1))
        << "Windows-1252 bytes as they are";
    EXPECT_EQ(stream.Pointer, 11);
    EXPECT_TRUE(stream.WriteString(QByteArray()));
    EXPECT_EQ(stream.Pointer, 15);
    EXPECT_TRUE(stream.WriteString("ab"));
    EXPECT_EQ(stream.Pointer, 21);
    stream.CloseFile();
    EXPECT_EQ(readAll(path("s.bin")),
              QByteArray("DATATBR\xE9\xFF", 9) + bytes({0, 0, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'}));

    ASSERT_TRUE(stream.OpenFile(path("s.bin")));
    EXPECT_EQ(stream.ReadString(4), "DATA");
    stream.Pointer = 11;
    EXPECT_EQ(stream.ReadString(), QByteArray());
    EXPECT_EQ(stream.Pointer, 15);
    EXPECT_EQ(stream.ReadString(), "ab");
    EXPECT_EQ(stream.Pointer, 21);
}

TEST_F(StreamTest, CountedStringNeverTrustsItsPrefixBeyondTheFile)
{
    writeAll(path("bad.bin"),
             bytes({0xFF, 0xFF, 0xFF, 0x7F, 'x', 'y'}) + bytes({0xFE, 0xFF, 0xFF, 0xFF}));
    ASSERT_TRUE(stream.OpenFile(path("bad.bin")));
    EXPECT_EQ(stream.ReadString(), "xy\xFE\xFF\xFF\xFF") << "huge count: only what the file has";
    stream.Pointer = 7;
    EXPECT_EQ(stream.ReadString(), QByteArray()) << "negative count";
    EXPECT_EQ(stream.Pointer, 11);
}

TEST_F(StreamTest, ReadOnlyModeNeverCreatesAFileAndRefusesWrites)
{
    EXPECT_FALSE(stream.OpenFile(path("absent.bin"), Stream::Mode::ReadOnly));
    EXPECT_FALSE(stream.errorString().isEmpty());
    EXPECT_FALSE(QFile::exists(path("absent.bin")));
    EXPECT_FALSE(stream.OpenFile(dir.path())) << "a folder is no file";
    EXPECT_FALSE(stream.OpenFile(path("no/such/folder/x.bin")));

    writeAll(path("r.bin"), bytes({5, 6}));
    ASSERT_TRUE(stream.OpenFile(path("r.bin"), Stream::Mode::ReadOnly));
    EXPECT_FALSE(stream.isWritable());
    EXPECT_FALSE(stream.WriteByte(1));
    EXPECT_EQ(stream.Pointer, 2);
    EXPECT_EQ(stream.ReadByte(), 6);
    stream.CloseFile();
    EXPECT_EQ(readAll(path("r.bin")), bytes({5, 6}));
}

TEST_F(StreamTest, ExistingReadOnlyFileOpensForReading)
{
    const QString file = readOnlyFile(dir);
    if (file.isEmpty())
        GTEST_SKIP() << "no read-only file available here";
    const QByteArray before = readAll(file);
    ASSERT_TRUE(stream.OpenFile(file));
    EXPECT_FALSE(stream.isWritable());
    EXPECT_EQ(stream.ReadByte(), uint8_t(before.at(0)));
    EXPECT_FALSE(stream.WriteLong(0));
    stream.CloseFile();
    EXPECT_EQ(readAll(file), before);
}

TEST_F(StreamTest, ReadBlockTakesWhatTheFileHoldsInOneCall)
{
    writeAll(path("b.bin"), bytes({1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(stream.OpenFile(path("b.bin"), Stream::Mode::ReadOnly));
    stream.Pointer = 3;
    QByteArray block(8, '\x7F');
    EXPECT_EQ(stream.ReadBlock(block.data(), block.size()), 4);
    EXPECT_EQ(block, bytes({3, 4, 5, 6, 0, 0, 0, 0})) << "zeros beyond the end";
    EXPECT_EQ(stream.Pointer, 11);
    EXPECT_EQ(stream.ReadBlock(block.data(), 2), 0);
    EXPECT_EQ(stream.Pointer, 13);
}

// Regression: a FIFO chosen as a keymap or recording blocked open() for ever.
TEST_F(StreamTest, OnlyRegularFilesAreOpened)
{
    const QString fifo = makeFifo(dir, "pipe");
    ASSERT_FALSE(fifo.isEmpty());
    for (const Stream::Mode mode : {Stream::Mode::ReadOnly, Stream::Mode::ReadWrite}) {
        EXPECT_FALSE(stream.OpenFile(fifo, mode));
        EXPECT_EQ(stream.errorString(), "It is not a regular file.");
        EXPECT_FALSE(stream.OpenFile(QStringLiteral("/dev/null"), mode));
        EXPECT_EQ(stream.errorString(), "It is not a regular file.");
        EXPECT_FALSE(stream.OpenFile(dir.path(), mode));
        EXPECT_EQ(stream.errorString(), "It is a folder, not a file.");
        EXPECT_FALSE(stream.isOpen());
    }
}
