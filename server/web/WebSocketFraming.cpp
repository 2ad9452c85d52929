#include "WebSocketFraming.h"

#include "server/RelayLog.h"

#include <QtEndian>

namespace tamber::server {

namespace {

enum Opcode : std::uint8_t
{
    kContinuation = 0,
    kText = 1,
    kBinary = 2,
    kClose = 8,
    kPing = 9,
    kPong = 10,
};

constexpr std::uint8_t kFin = 0x80;
constexpr qsizetype kMaxControl = 125;

// UTF-8 checked a byte at a time, across fragments. The state holds how many continuation
// bytes are still due and the range the next one must fall in (which rules out overlong
// forms, surrogates and code points past U+10FFFF).
bool utf8Step(std::uint32_t& state, std::uint8_t byte)
{
    const std::uint32_t due = state & 0xff;
    if (due > 0) {
        const std::uint8_t low = (state >> 8) & 0xff;
        const std::uint8_t high = (state >> 16) & 0xff;
        if (byte < low || byte > high)
            return false;
        state = (due - 1) | (0x80u << 8) | (0xbfu << 16);
        if (due == 1)
            state = 0;
        return true;
    }
    const auto expect = [&state](std::uint32_t count, std::uint8_t low, std::uint8_t high) {
        state = count | (std::uint32_t(low) << 8) | (std::uint32_t(high) << 16);
        return true;
    };
    if (byte < 0x80)
        return true;
    if (byte >= 0xc2 && byte <= 0xdf)
        return expect(1, 0x80, 0xbf);
    if (byte == 0xe0)
        return expect(2, 0xa0, 0xbf);
    if (byte == 0xed)
        return expect(2, 0x80, 0x9f);
    if (byte >= 0xe1 && byte <= 0xef)
        return expect(2, 0x80, 0xbf);
    if (byte == 0xf0)
        return expect(3, 0x90, 0xbf);
    if (byte >= 0xf1 && byte <= 0xf3)
        return expect(3, 0x80, 0xbf);
    if (byte == 0xf4)
        return expect(3, 0x80, 0x8f);
    return false;
}

bool utf8Steps(std::uint32_t& state, QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (!utf8Step(state, std::uint8_t(c)))
            return false;
    }
    return true;
}

void appendFrame(net::OutputBuffer& wire, std::uint8_t opcode, QByteArrayView payload)
{
    char header[10];
    qsizetype size = 2;
    header[0] = char(kFin | opcode);
    const auto length = quint64(payload.size());
    if (length < 126) {
        header[1] = char(length);
    } else if (length <= 0xffff) {
        header[1] = 126;
        qToBigEndian(quint16(length), header + 2);
        size = 4;
    } else {
        header[1] = 127;
        qToBigEndian(length, header + 2);
        size = 10;
    }
    wire.append(QByteArrayView(header, size));
    wire.append(payload);
}

} // namespace

bool WebSocketFraming::isValidCloseCode(std::uint16_t code)
{
    // 1004-1006 and 1015 are never sent; 1016-2999 are reserved; 3000-4999 are for
    // applications.
    return (code >= 1000 && code <= 1003) || (code >= 1007 && code <= 1014) ||
           (code >= 3000 && code <= 4999);
}

void WebSocketFraming::setCloseCode(std::uint16_t code, const QByteArray& reason)
{
    m_closeCode = code;
    m_closeReason = reason.left(kMaxControl - 2);
}

net::Framing::Verdict WebSocketFraming::fail(std::uint16_t code, const char* reason)
{
    qCInfo(lcRelay) << "WebSocket closed with" << code << "-" << reason;
    setCloseCode(code, reason);
    m_done = true;
    m_partial.clear();
    return Verdict::Broken;
}

net::Framing::Verdict WebSocketFraming::decode(QByteArrayView wire, QByteArray& protocol)
{
    if (m_done)
        return Verdict::Go;
    Verdict verdict = Verdict::Go;
    if (m_partial.isEmpty()) {
        const qsizetype used = parse(wire.data(), wire.size(), protocol, verdict);
        if (verdict == Verdict::Go)
            m_partial = wire.sliced(used).toByteArray();
        return verdict;
    }
    m_partial.append(wire);
    const qsizetype used = parse(m_partial.constData(), m_partial.size(), protocol, verdict);
    if (verdict == Verdict::Go)
        m_partial.remove(0, used);
    return verdict;
}

qsizetype WebSocketFraming::parse(const char* bytes, qsizetype size, QByteArray& protocol,
                                  Verdict& verdict)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes);
    qsizetype at = 0;
    while (size - at >= 2) {
        const std::uint8_t first = data[at];
        const std::uint8_t second = data[at + 1];
        const bool fin = first & kFin;
        const std::uint8_t opcode = first & 0x0f;
        const bool control = opcode & 0x08;
        if (first & 0x70) {
            verdict = fail(kProtocolError, "reserved bits set");
            return at;
        }
        if (opcode > kBinary && opcode != kClose && opcode != kPing && opcode != kPong) {
            verdict = fail(kProtocolError, "reserved opcode");
            return at;
        }
        if (!(second & 0x80)) {
            verdict = fail(kProtocolError, "unmasked frame");
            return at;
        }
        quint64 length = second & 0x7f;
        qsizetype header = 2;
        if (length == 126) {
            if (size - at < 4)
                return at;
            length = qFromBigEndian<quint16>(data + at + 2);
            header = 4;
            if (length < 126) {
                verdict = fail(kProtocolError, "length not in its shortest form");
                return at;
            }
        } else if (length == 127) {
            if (size - at < 10)
                return at;
            length = qFromBigEndian<quint64>(data + at + 2);
            header = 10;
            if (length <= 0xffff || (length >> 63)) {
                verdict = fail(kProtocolError, "length not in its shortest form");
                return at;
            }
        }
        if (control && (!fin || length > kMaxControl)) {
            verdict = fail(kProtocolError, "control frame fragmented or over 125 bytes");
            return at;
        }
        if (!control) {
            if (opcode == kContinuation && !m_inMessage) {
                verdict = fail(kProtocolError, "continuation without a message");
                return at;
            }
            if (opcode != kContinuation && m_inMessage) {
                verdict = fail(kProtocolError, "new message inside a fragmented one");
                return at;
            }
            const quint64 total = (opcode == kContinuation ? quint64(m_messageSize) : 0) + length;
            if (total > quint64(kMaxMessage)) {
                verdict = fail(kTooBig, "message over 4 KiB");
                return at;
            }
        }
        header += 4; // the mask
        if (quint64(size - at) < header + length)
            return at; // the rest has not arrived
        const std::uint8_t* mask = data + at + header - 4;
        const std::uint8_t* masked = data + at + header;
        at += header + qsizetype(length);
        // Unmasked where it is kept: a binary message's bytes straight into the protocol's.
        const auto unmask = [&](QByteArray& into) {
            const qsizetype from = into.size();
            into.resize(from + qsizetype(length));
            char* out = into.data() + from;
            for (qsizetype i = 0; i < qsizetype(length); ++i)
                out[i] = char(masked[i] ^ mask[i & 3]);
        };

        if (!control) {
            if (opcode != kContinuation) {
                m_binary = opcode == kBinary;
                m_messageSize = 0;
                m_utf8State = 0;
            }
            m_messageSize += qsizetype(length);
            m_inMessage = !fin;
            if (m_binary) {
                // Only whole messages pass: the fragments of one wait for its last.
                if (fin && m_message.isEmpty()) {
                    unmask(protocol);
                } else {
                    unmask(m_message);
                    if (fin)
                        protocol.append(std::exchange(m_message, QByteArray()));
                }
                continue;
            }
            QByteArray text;
            unmask(text);
            if (!utf8Steps(m_utf8State, text) || (fin && m_utf8State != 0)) {
                verdict = fail(kInvalidPayload, "text that is not UTF-8");
                return at;
            }
            continue;
        }
        QByteArray payload;
        unmask(payload);
        if (opcode == kPing) {
            m_pong = std::move(payload); // a newer ping replaces the one not yet answered
        } else if (opcode == kClose) {
            if (payload.size() == 1) {
                verdict = fail(kProtocolError, "close frame of one byte");
                return at;
            }
            std::uint16_t code = kNormal;
            if (payload.size() >= 2) {
                code = qFromBigEndian<quint16>(payload.constData());
                std::uint32_t state = 0;
                if (!isValidCloseCode(code)) {
                    verdict = fail(kProtocolError, "invalid close code");
                    return at;
                }
                if (!utf8Steps(state, QByteArrayView(payload).sliced(2)) || state != 0) {
                    verdict = fail(kInvalidPayload, "close reason that is not UTF-8");
                    return at;
                }
            }
            // Answered with the same code; nothing after it is read.
            setCloseCode(code);
            m_done = true;
            verdict = Verdict::PeerClosed;
            return at;
        }
    }
    return at;
}

void WebSocketFraming::encode(QByteArrayView protocol, net::OutputBuffer& wire)
{
    if (!m_closeSent)
        appendFrame(wire, kBinary, protocol);
}

void WebSocketFraming::control(net::OutputBuffer& wire)
{
    if (m_pong && !m_closeSent)
        appendFrame(wire, kPong, *m_pong);
    m_pong.reset();
}

void WebSocketFraming::closing(net::OutputBuffer& wire)
{
    if (m_closeSent)
        return;
    m_closeSent = true;
    m_pong.reset();
    char code[2];
    qToBigEndian(m_closeCode, code);
    appendFrame(wire, kClose, QByteArray(code, 2) + m_closeReason);
}

} // namespace tamber::server
