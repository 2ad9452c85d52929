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

TEST(Messages, RoomInfoAndFarewellHaveTheirFixedBytes)
{
    EXPECT_EQ(encode(RoomInfoMessage{"jazz", 0, false}).toHex(' '),
              "52 6f 6f 6d 49 6e 66 6f 00 6a 61 7a 7a 00 30 00 30 00 01");
    EXPECT_EQ(encode(RoomInfoMessage{"Jazz_2", 8, true}), wire("RoomInfo\0Jazz_2\0"
                                                               "8\0"
                                                               "1\0\1",
                                                               21));
    EXPECT_EQ(encode(FarewellMessage{"Room jazz is full."}),
              wire("Farewell\0Room jazz is full.\0\1", 29));

    const auto info = decodeServerMessage(encode(RoomInfoMessage{"Jazz_2", 8, true}).chopped(1));
    ASSERT_TRUE(info && std::holds_alternative<RoomInfoMessage>(*info));
    EXPECT_EQ(std::get<RoomInfoMessage>(*info).name, "Jazz_2");
    EXPECT_EQ(std::get<RoomInfoMessage>(*info).ownerId, 8);
    EXPECT_TRUE(std::get<RoomInfoMessage>(*info).locked);
    const auto farewell = decodeServerMessage(wire("Farewell\0bye\0", 13));
    ASSERT_TRUE(farewell && std::holds_alternative<FarewellMessage>(*farewell));
    EXPECT_EQ(std::get<FarewellMessage>(*farewell).reason, "bye");
}

TEST(Messages, ARoomInfoWithAnOwnerOrLockBeyondItsValuesGivesNothing)
{
    for (const auto& [bytes, decodes] : std::initializer_list<std::pair<QByteArray, bool>>{
             {wire("RoomInfo\0main\0"
                   "0\0"
                   "0\0",
                   18),
              true},
             {wire("RoomInfo\0main\0"
                   "0\0"
                   "0\0"
                   "more\0",
                   23),
              true},
             {wire("RoomInfo\0main\0"
                   "9\0"
                   "0\0",
                   18),
              false},
             {wire("RoomInfo\0main\0"
                   "-1\0"
                   "0\0",
                   19),
              false},
             {wire("RoomInfo\0main\0\0"
                   "0\0",
                   17),
              false},
             {wire("RoomInfo\0main\0"
                   "1\0"
                   "2\0",
                   18),
              false},
             {wire("RoomInfo\0main\0"
                   "1\0"
                   "yes\0",
                   20),
              false},
             {wire("RoomInfo\0main\0"
                   "1\0",
                   16),
              false},
             {wire("Farewell", 8), false},
         }) {
        EXPECT_EQ(decodeServerMessage(bytes).has_value(), decodes) << bytes.toHex(' ').constData();
    }
}

TEST(Messages, RoomNamesAreOneTo24LettersDigitsDashesOrUnderscores)
{
    for (const char* name : {"a", "main", "Jazz-Club_2", "abcdefghijklmnopqrstuvwx"})
        EXPECT_TRUE(isRoomName(name)) << name;
    for (const char* name : {"", "abcdefghijklmnopqrstuvwxy", "two words", "caf\xe9", "a/b", "a.b"})
        EXPECT_FALSE(isRoomName(name)) << name;
    EXPECT_EQ(encode(ChatRequest{joinCommand("jazz")}), wire("ChatMsg\0/join jazz\0\1", 20));
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
