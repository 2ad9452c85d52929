// The web port's RFC 6455 framing without a socket: client frames in, protocol bytes out, and
// the server's frames as golden bytes.

#include "server/web/WebSocketFraming.h"
#include "tests/server/RawWebSocket.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using Verdict = net::Framing::Verdict;

// A client frame: FIN and opcode in the first byte, masked unless told not to.
QByteArray clientFrame(std::uint8_t first, const QByteArray& payload, bool masked = true)
{
    return testing::RawWebSocket::frame(first, payload, masked);
}

QByteArray closePayload(quint16 code, const QByteArray& reason = {})
{
    char bytes[2];
    qToBigEndian(code, bytes);
    return QByteArray(bytes, 2) + reason;
}

QByteArray output(net::OutputBuffer& wire)
{
    const QByteArray bytes(wire.data(), wire.size());
    wire.clear();
    return bytes;
}

TEST(WebSocketFraming, BinaryMessagesCarryTheProtocolWholeOrInFragmentsAndTextNothing)
{
    WebSocketFraming framing;
    QByteArray protocol;
    const QByteArray note("NoteOn\0"
                          "60\0"
                          "100\0\x01",
                          15);
    // Split anywhere, even inside the header and the mask.
    const QByteArray stream = clientFrame(0x82, note) + clientFrame(0x81, "caf\xc3\xa9") +
                              clientFrame(0x02, "Note") + clientFrame(0x89, "ping") +
                              clientFrame(0x80, QByteArray("Off\0"
                                                           "60\0\x01",
                                                           8));
    for (qsizetype i = 0; i < stream.size(); ++i)
        ASSERT_EQ(framing.decode(stream.mid(i, 1), protocol), Verdict::Go) << i;
    EXPECT_EQ(protocol, note + QByteArray("NoteOff\0"
                                          "60\0\x01",
                                          12));

    // A message of exactly 4 KiB is taken, in one frame or several.
    protocol.clear();
    EXPECT_EQ(framing.decode(clientFrame(0x82, QByteArray(4096, 'a')), protocol), Verdict::Go);
    EXPECT_EQ(framing.decode(clientFrame(0x02, QByteArray(4000, 'b')) +
                                 clientFrame(0x80, QByteArray(96, 'c')),
                             protocol),
              Verdict::Go);
    EXPECT_EQ(protocol.size(), 8192);
}

TEST(WebSocketFraming, FramesThatBreakTheRulesEndTheStreamWithTheirCode)
{
    const QByteArray good = clientFrame(0x82, "ok");
    const struct
    {
        const char* what;
        QByteArray frame;
        quint16 code;
    } cases[] = {
        {"unmasked",
         clientFrame(0x82,
                     QByteArray("NoteOn\0"
                                "60\0"
                                "100\0\x01",
                                15),
                     false),
         1002},
        {"reserved bit", clientFrame(0xc2, "x"), 1002},
        {"reserved data opcode", clientFrame(0x83, "x"), 1002},
        {"reserved control opcode", clientFrame(0x8b, "x"), 1002},
        {"ping over 125 bytes", clientFrame(0x89, QByteArray(126, 'p')), 1002},
        {"fragmented ping", clientFrame(0x09, "p"), 1002},
        {"continuation first", clientFrame(0x80, "x"), 1002},
        {"message inside a message", clientFrame(0x02, "a") + clientFrame(0x82, "b"), 1002},
        {"length not shortest", QByteArray("\x82\xfe\x00\x05", 4) + QByteArray(9, 0), 1002},
        {"length with the top bit", QByteArray("\x82\xff\x80\0\0\0\0\0\0\0", 10), 1002},
        {"message over 4 KiB", clientFrame(0x82, QByteArray(4097, 'a')), 1009},
        {"fragments over 4 KiB",
         clientFrame(0x02, QByteArray(4000, 'a')) + clientFrame(0x80, QByteArray(97, 'b')), 1009},
        {"text not UTF-8", clientFrame(0x81, "caf\xe9"), 1007},
        {"overlong UTF-8", clientFrame(0x81, "\xc0\xaf"), 1007},
        {"surrogate in UTF-8", clientFrame(0x81, "\xed\xa0\x80"), 1007},
        {"text ending mid-character", clientFrame(0x81, "\xc3"), 1007},
        {"close of one byte", clientFrame(0x88, "\x03"), 1002},
        {"close code never sent", clientFrame(0x88, closePayload(1005)), 1002},
        {"close code reserved", clientFrame(0x88, closePayload(2000)), 1002},
        {"close reason not UTF-8", clientFrame(0x88, closePayload(1000, "\xff")), 1007},
    };
    for (const auto& c : cases) {
        WebSocketFraming framing;
        QByteArray protocol;
        EXPECT_EQ(framing.decode(good + c.frame + good, protocol), Verdict::Broken) << c.what;
        // What came before the fault counts; nothing after it is read.
        EXPECT_EQ(protocol, "ok") << c.what;
        EXPECT_EQ(framing.closeCode(), c.code) << c.what;
        // A frame too large is refused from its header, before its payload has come.
        if (c.code == 1009) {
            WebSocketFraming early;
            EXPECT_EQ(early.decode(c.frame.left(c.frame.size() - 100), protocol), Verdict::Broken);
        }
    }
}

TEST(WebSocketFraming, TheServersFramesAreUnmaskedAndItsCloseFollowsThePeers)
{
    WebSocketFraming framing;
    net::OutputBuffer wire;
    framing.encode("abc", wire);
    framing.encode(QByteArray(200, 'x'), wire);
    framing.encode(QByteArray(70000, 'y'), wire);
    const QByteArray bytes = output(wire);
    EXPECT_EQ(bytes.left(5), QByteArray("\x82\x03"
                                        "abc",
                                        5));
    EXPECT_EQ(bytes.mid(5, 4), QByteArray("\x82\x7e\x00\xc8", 4));
    EXPECT_EQ(bytes.mid(209, 10), QByteArray("\x82\x7f\0\0\0\0\0\x01\x11\x70", 10));
    EXPECT_EQ(bytes.size(), 5 + 204 + 70010);

    // The peer's close is answered with its code, once, and nothing is read after it.
    QByteArray protocol;
    EXPECT_EQ(framing.decode(clientFrame(0x88, closePayload(1001, "bye")) + clientFrame(0x82, "x"),
                             protocol),
              Verdict::PeerClosed);
    EXPECT_TRUE(protocol.isEmpty());
    framing.closing(wire);
    framing.closing(wire);
    EXPECT_EQ(output(wire), QByteArray("\x88\x02\x03\xe9", 4));
    framing.encode("late", wire);
    EXPECT_TRUE(output(wire).isEmpty());

    // A close without a code is answered with 1000; this side's own close carries its code.
    WebSocketFraming silent;
    EXPECT_EQ(silent.decode(clientFrame(0x88, {}), protocol), Verdict::PeerClosed);
    silent.closing(wire);
    EXPECT_EQ(output(wire), QByteArray("\x88\x02\x03\xe8", 4));
    WebSocketFraming refusing;
    refusing.setCloseCode(WebSocketFraming::kPolicyViolated);
    refusing.closing(wire);
    EXPECT_EQ(output(wire), QByteArray("\x88\x02\x03\xf0", 4));
}

TEST(WebSocketFraming, OnlyTheNewestPingIsAnsweredAndOnlyOnce)
{
    WebSocketFraming framing;
    QByteArray protocol;
    net::OutputBuffer wire;
    framing.control(wire);
    EXPECT_TRUE(output(wire).isEmpty());
    for (int i = 0; i < 1000; ++i)
        framing.decode(clientFrame(0x89, "ping " + QByteArray::number(i)), protocol);
    framing.decode(clientFrame(0x8a, "unasked pong"), protocol);
    framing.control(wire);
    EXPECT_EQ(output(wire), QByteArray("\x8a\x08ping 999", 10));
    framing.control(wire);
    EXPECT_TRUE(output(wire).isEmpty());
    // After the close, no pong.
    framing.decode(clientFrame(0x89, "late"), protocol);
    framing.closing(wire);
    output(wire);
    framing.control(wire);
    EXPECT_TRUE(output(wire).isEmpty());
    EXPECT_TRUE(protocol.isEmpty());
}

} // namespace
} // namespace tamber::server
