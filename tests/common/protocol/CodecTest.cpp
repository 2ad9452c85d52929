// The wire codec without sockets: exact bytes, splitting, numbers and framing of a stream.

#include "common/protocol/Codec.h"

#include <gtest/gtest.h>

namespace tamber::protocol {
namespace {

using Messages = QList<QByteArray>;

QByteArray bytes(const char* text, qsizetype size)
{
    return QByteArray(text, size);
}

TEST(Codec, BuildsTheExactBytesOfAMessage)
{
    const QByteArray noteOn = buildMessage({"NoteOn", "60", "127"});
    EXPECT_EQ(noteOn.toHex(' '), "4e 6f 74 65 4f 6e 00 36 30 00 31 32 37 00 01");
    EXPECT_EQ(buildMessage({"UserName", "3", ""}), bytes("UserName\0"
                                                         "3\0\0\x01",
                                                         13));
    EXPECT_EQ(buildMessage({}), QByteArray("\x01"));
}

TEST(Codec, SplitsFieldsDroppingOnlyTheEmptyFieldAfterTheLastNul)
{
    EXPECT_EQ(splitFields(bytes("NoteOn\0"
                                "60\0"
                                "127\0",
                                14)),
              (Messages{"NoteOn", "60", "127"}));
    EXPECT_EQ(splitFields("NoteOn"), Messages{"NoteOn"});
    EXPECT_EQ(splitFields(bytes("\0", 1)), Messages{""});
    EXPECT_EQ(splitFields(bytes("\0\0", 2)), (Messages{"", ""}));
    EXPECT_EQ(splitFields(bytes("ChatMsg\0\0", 9)), (Messages{"ChatMsg", ""}));
    // Without a final NUL the last field is still a field.
    EXPECT_EQ(splitFields(bytes("NoteOff\0"
                                "61",
                                10)),
              (Messages{"NoteOff", "61"}));
    // Fields beyond the expected ones are kept for the caller to drop.
    EXPECT_EQ(splitFields(bytes("A\0B\0C\0D\0", 8)).size(), 4);
}

TEST(Codec, ParsesOnlyPlainDecimalNumbersInRange)
{
    EXPECT_EQ(parseNumber("0", 127), 0);
    EXPECT_EQ(parseNumber("60", 127), 60);
    EXPECT_EQ(parseNumber("127", 127), 127);
    EXPECT_EQ(parseNumber("128", 127), std::nullopt);
    EXPECT_EQ(parseNumber("", 127), std::nullopt);
    EXPECT_EQ(parseNumber("-1", 127), std::nullopt);
    EXPECT_EQ(parseNumber("+1", 127), std::nullopt);
    EXPECT_EQ(parseNumber(" 1", 127), std::nullopt);
    EXPECT_EQ(parseNumber("abc", 127), std::nullopt);
    EXPECT_EQ(parseNumber("99999999999999999999", 127), std::nullopt);
}

TEST(MessageAssembler, CutsTheSameMessagesHoweverTheStreamIsChunked)
{
    const QByteArray stream = buildMessage({"SetPatch", "5"}) +
                              buildMessage({"NoteOn", "60", "127"}) + QByteArray("\x01") +
                              buildMessage({"ChatMsg", "hi"}) + "Note";
    const Messages expected{bytes("SetPatch\0"
                                  "5\0",
                                  11),
                            bytes("NoteOn\0"
                                  "60\0"
                                  "127\0",
                                  14),
                            "", bytes("ChatMsg\0hi\0", 11)};

    MessageAssembler whole(0);
    EXPECT_EQ(whole.feed(stream), expected);
    EXPECT_EQ(whole.pendingSize(), 4);

    for (qsizetype chunk : {1, 2, 3, 7, 16}) {
        MessageAssembler assembler(0);
        Messages got;
        for (qsizetype at = 0; at < stream.size(); at += chunk)
            got += assembler.feed(stream.mid(at, chunk));
        EXPECT_EQ(got, expected) << "chunk " << chunk;
        // The unfinished "Note" waits for the rest of its message.
        EXPECT_EQ(assembler.feed(bytes("Off\0"
                                       "60\0\x01",
                                       8)),
                  Messages{bytes("NoteOff\0"
                                 "60\0",
                                 11)});
    }
}

TEST(MessageAssembler, DropsAnOverlongTextAndItsTailButNotTheNextMessage)
{
    MessageAssembler assembler(16);
    EXPECT_TRUE(assembler.feed(QByteArray(10, 'x')).isEmpty());
    EXPECT_TRUE(assembler.feed(QByteArray(10, 'y')).isEmpty());
    EXPECT_EQ(assembler.pendingSize(), 0);
    // The tail of the over-long text is skipped up to its SOH; what follows is handled.
    EXPECT_TRUE(assembler.feed(QByteArray(5000, 'z')).isEmpty());
    EXPECT_EQ(assembler.pendingSize(), 0);
    EXPECT_EQ(assembler.feed(QByteArray("tail\x01ok\x01", 8)), Messages{"ok"});

    // A long text that ends within one read is a message, judged by its reader.
    EXPECT_EQ(assembler.feed(QByteArray(40, 'w') + '\x01'), Messages{QByteArray(40, 'w')});

    // clear() forgets both the pending bytes and a skip in progress.
    assembler.feed(QByteArray(20, 'q'));
    assembler.clear();
    EXPECT_EQ(assembler.feed("fresh\x01"), Messages{"fresh"});
    assembler.feed("half");
    assembler.clear();
    EXPECT_EQ(assembler.feed("new\x01"), Messages{"new"});
}

} // namespace
} // namespace tamber::protocol
