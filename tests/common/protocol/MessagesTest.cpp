// Every message type's exact bytes both ways, and the Windows-1252 text of names and chat.

#include "common/protocol/Messages.h"
#include "common/protocol/Text.h"

#include <gtest/gtest.h>

namespace tamber::protocol {
namespace {

QByteArray wire(const char* text, qsizetype size)
{
    return QByteArray(text, size);
}

TEST(Messages, EachTypeHasItsFieldsInTheirFixedOrder)
{
    EXPECT_EQ(encode(NoteOnRequest{"60", "127"}), wire("NoteOn\0"
                                                       "60\0"
                                                       "127\0\1",
                                                       15));
    EXPECT_EQ(encode(NoteOffRequest{"61"}), wire("NoteOff\0"
                                                 "61\0\1",
                                                 12));
    EXPECT_EQ(encode(SetPatchRequest{"5"}), wire("SetPatch\0"
                                                 "5\0\1",
                                                 12));
    EXPECT_EQ(encode(ChatRequest{"hi"}), wire("ChatMsg\0hi\0\1", 12));
    // The server's words: the id is second in "UserID", first in "UserName" and "SetPatch",
    // last in "NoteOn" and "NoteOff".
    EXPECT_EQ(encode(UserIdMessage{"User3", 3}), wire("UserID\0User3\0"
                                                      "3\0\1",
                                                      16));
    EXPECT_EQ(encode(UserNameMessage{3, "-"}), wire("UserName\0"
                                                    "3\0-\0\1",
                                                    14));
    EXPECT_EQ(encode(NoteOnRelay{"abc", "1000", 3}), wire("NoteOn\0"
                                                          "abc\0"
                                                          "1000\0"
                                                          "3\0\1",
                                                          19));
    EXPECT_EQ(encode(NoteOffRelay{"60", 8}), wire("NoteOff\0"
                                                  "60\0"
                                                  "8\0\1",
                                                  14));
    EXPECT_EQ(encode(SetPatchRelay{2, "5"}), wire("SetPatch\0"
                                                  "2\0"
                                                  "5\0\1",
                                                  14));
    EXPECT_EQ(encode(ChatLine{"User2: hello"}), wire("ChatMsg\0User2: hello\0\1", 22));
}

TEST(Messages, TheRelayDecodesWhatClientsSendAndNothingElse)
{
    const auto noteOn = decodeClientMessage(wire("NoteOn\0abc\0"
                                                 "1000\0extra\0",
                                                 22));
    ASSERT_TRUE(noteOn && std::holds_alternative<NoteOnRequest>(*noteOn));
    EXPECT_EQ(std::get<NoteOnRequest>(*noteOn).note, "abc");
    EXPECT_EQ(std::get<NoteOnRequest>(*noteOn).velocity, "1000");
    const auto chat = decodeClientMessage(wire("ChatMsg\0\0", 9));
    ASSERT_TRUE(chat);
    EXPECT_EQ(std::get<ChatRequest>(*chat).text, "");

    for (const QByteArray& ignored : {wire("NoteOn", 6),
                                      wire("NoteOn\0"
                                           "60\0",
                                           10),
                                      wire("NoteOff\0", 8),
                                      wire("noteon\0"
                                           "60\0"
                                           "1\0",
                                           12),
                                      wire("UserID\0x\0"
                                           "1\0",
                                           11),
                                      wire("UserName\0"
                                           "1\0x\0",
                                           13),
                                      wire("\0", 1), QByteArray()})
        EXPECT_FALSE(decodeClientMessage(ignored)) << ignored.toHex(' ').constData();
}

TEST(Messages, ThePianoDecodesServerWordsWithIdsFromOneToEight)
{
    for (const auto& [bytes, decodes] : std::initializer_list<std::pair<QByteArray, bool>>{
             {encode(UserIdMessage{"Anna", 8}), true},
             {encode(UserNameMessage{1, "-"}), true},
             {encode(NoteOnRelay{"60", "127", 3}), true},
             {encode(NoteOffRelay{"60", 3}), true},
             {encode(SetPatchRelay{2, "5"}), true},
             {encode(ChatLine{"x"}), true},
             {encode(UserIdMessage{"x", 0}), false},
             {encode(UserNameMessage{9, "x"}), false},
             {wire("NoteOn\0"
                   "60\0"
                   "127\0"
                   "03\0",
                   18),
              true}, // plain decimal reads leading zeros as the number
             {wire("NoteOn\0"
                   "60\0"
                   "127\0",
                   14),
              false},
             {wire("SetPatch\0x\0"
                   "5\0",
                   13),
              false},
         }) {
        EXPECT_EQ(decodeServerMessage(bytes.chopped(1)).has_value(), decodes)
            << bytes.toHex(' ').constData();
    }
    const auto noteOn = decodeServerMessage(encode(NoteOnRelay{"60", "127", 3}).chopped(1));
    EXPECT_EQ(std::get<NoteOnRelay>(*noteOn).sender, 3);
    EXPECT_EQ(parseMidiValue("127"), 127);
    EXPECT_EQ(parseMidiValue("128"), std::nullopt);
}

TEST(Text, NamesAndChatAreWindows1252BothWays)
{
    // € ’ “ ” – — are what peers on Windows send for these bytes.
    const QByteArray peer("\x80\x92\x93\x94\x96\x97\xE9");
    EXPECT_EQ(decodeText(peer), QString::fromUtf8("€’“”–—é"));
    EXPECT_EQ(encodeText(QString::fromUtf8("€’“”–—é")), peer);
    // Characters Windows-1252 lacks become one "?" each, a character beyond the BMP too.
    EXPECT_EQ(encodeText(QString::fromUtf8("a\u0416b\U0001F3B9c")), QByteArray("a?b?c"));
    // Every byte survives a round trip, the five without a character included.
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(decodeText(all).size(), 256);
    EXPECT_EQ(encodeText(decodeText(all)), all);
}

} // namespace
} // namespace tamber::protocol
