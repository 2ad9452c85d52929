#pragma once

// The server's side of RFC 6455 framing, for the relay's web port:
//
//   byte 0   FIN RSV1 RSV2 RSV3 opcode(4)      opcode: 0 continuation, 1 text, 2 binary,
//   byte 1   MASK len(7)                               8 close, 9 ping, 10 pong
//   [2 or 8 bytes of length when len is 126 or 127, big-endian, in as few bytes as fit]
//   [4 bytes of mask: every client frame has one; the server's have none]
//   payload
//
// Binary messages carry the protocol's bytes, passed on once whole; text messages carry none
// and are dropped once found to be UTF-8. A message over 4 KiB closes the connection with 1009; a
// frame that breaks the RFC (no mask, reserved bits or opcodes, a control frame over 125 bytes or
// fragmented, a continuation out of place, a bad close code) with 1002; text that is not UTF-8 with
// 1007. A ping is answered by one pong, the newest, once the output before it has been taken.

#include "server/net/Framing.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace tamber::server {

class WebSocketFraming : public net::Framing
{
public:
    static constexpr qsizetype kMaxMessage = 4096;
    enum CloseCode : std::uint16_t
    {
        kNormal = 1000,
        kGoingAway = 1001,
        kProtocolError = 1002,
        kInvalidPayload = 1007,
        kPolicyViolated = 1008,
        kTooBig = 1009,
    };

    Verdict decode(QByteArrayView wire, QByteArray& protocol) override;
    void encode(QByteArrayView protocol, net::OutputBuffer& wire) override;
    void control(net::OutputBuffer& wire) override;
    void closing(net::OutputBuffer& wire) override;

    // The close frame this side sends when it ends the stream in order (1000 unless set).
    void setCloseCode(std::uint16_t code, const QByteArray& reason = {});
    std::uint16_t closeCode() const { return m_closeCode; }

    // Valid in a close frame from a peer.
    static bool isValidCloseCode(std::uint16_t code);

private:
    // Parses whole frames from the front of `bytes`; returns how many bytes they took.
    qsizetype parse(const char* bytes, qsizetype size, QByteArray& protocol, Verdict& verdict);
    Verdict fail(std::uint16_t code, const char* reason);

    QByteArray m_partial; // the start of a frame that has not arrived whole
    QByteArray m_message; // the fragments of a binary message that has not ended yet
    bool m_inMessage = false;
    bool m_binary = false;
    qsizetype m_messageSize = 0;
    std::uint32_t m_utf8State = 0;
    std::optional<QByteArray> m_pong;
    std::uint16_t m_closeCode = kNormal;
    QByteArray m_closeReason;
    bool m_closeSent = false;
    bool m_done = false;
};

} // namespace tamber::server
