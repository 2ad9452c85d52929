#pragma once

// A browser's side of the relay's web port on a plain socket, for what no browser would send:
// frames written exactly as given (masked or not), a receive buffer as small as asked, a
// source address of its own; the server's frames cut apart as they come.

#include "common/protocol/Codec.h"

#include <QByteArray>
#include <QList>
#include <QtEndian>
#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tamber::testing {

struct ServerFrame
{
    int opcode = 0;
    QByteArray payload;
};

class RawWebSocket
{
public:
    struct Options
    {
        QByteArray path = "/ws";
        QByteArray origin;
        QByteArray headers;         // more header lines, each ending in CR LF
        int receiveBuffer = 0;      // 0: the system's
        const char* from = nullptr; // a loopback address other than 127.0.0.1
    };

    RawWebSocket(quint16 port, const Options& options)
        : RawWebSocket(port, options.from, options.receiveBuffer)
    {
        QByteArray request = "GET " + options.path +
                             " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(port) +
                             "\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                             "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
                             "Sec-WebSocket-Version: 13\r\n";
        if (!options.origin.isEmpty())
            request += "Origin: " + options.origin + "\r\n";
        send(request + options.headers + "\r\n");
    }
    // A plain connection, nothing sent.
    RawWebSocket(quint16 port, const char* from = nullptr, int receiveBuffer = 0)
    {
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (receiveBuffer > 0)
            ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
        if (from) {
            sockaddr_in local{};
            local.sin_family = AF_INET;
            ::inet_pton(AF_INET, from, &local.sin_addr);
            ::bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local);
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawWebSocket()
    {
        if (fd >= 0)
            ::close(fd);
    }
    RawWebSocket(const RawWebSocket&) = delete;
    RawWebSocket& operator=(const RawWebSocket&) = delete;

    // A client frame: the first byte (FIN, opcode) as given, masked unless told not to.
    static QByteArray frame(std::uint8_t first, const QByteArray& payload, bool masked = true)
    {
        QByteArray bytes(1, char(first));
        const char mask = masked ? char(0x80) : 0;
        if (payload.size() < 126) {
            bytes += char(mask | char(payload.size()));
        } else if (payload.size() <= 0xffff) {
            bytes += char(mask | 126);
            char length[2];
            qToBigEndian(quint16(payload.size()), length);
            bytes += QByteArray(length, 2);
        } else {
            bytes += char(mask | 127);
            char length[8];
            qToBigEndian(quint64(payload.size()), length);
            bytes += QByteArray(length, 8);
        }
        if (!masked)
            return bytes + payload;
        const char key[4] = {0x0f, 0x1e, 0x2d, 0x3c};
        bytes += QByteArray(key, 4);
        for (qsizetype i = 0; i < payload.size(); ++i)
            bytes += char(payload[i] ^ key[i & 3]);
        return bytes;
    }

    // Writes all of it, however long the server takes to read.
    bool send(const QByteArray& bytes)
    {
        qsizetype at = 0;
        while (at < bytes.size()) {
            const ssize_t sent =
                ::send(fd, bytes.constData() + at, size_t(bytes.size() - at), MSG_NOSIGNAL);
            if (sent < 0 && errno == EINTR)
                continue;
            if (sent <= 0)
                return false;
            at += sent;
        }
        return true;
    }

    // Reads until the server closes the connection or `maxMs` pass; true if it closed.
    bool readUntilClosed(int maxMs = 5000)
    {
        for (int waited = 0; waited < maxMs; waited += 10) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0)
                continue;
            char buffer[65536];
            const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
            if (got <= 0)
                return true;
            bytes.append(buffer, got);
        }
        return false;
    }
    // Reads what has come within `ms`; false once the server has closed.
    bool readFor(int ms) { return !readUntilClosed(ms); }

    // The bytes after the handshake's head, cut into frames.
    QList<ServerFrame> frames() const
    {
        QList<ServerFrame> cut;
        qsizetype at = bytes.indexOf("\r\n\r\n");
        if (at < 0)
            return cut;
        at += 4;
        while (bytes.size() - at >= 2) {
            qsizetype length = bytes[at + 1] & 0x7f;
            qsizetype header = 2;
            if (length == 126) {
                length = qFromBigEndian<quint16>(bytes.constData() + at + 2);
                header = 4;
            } else if (length == 127) {
                length = qsizetype(qFromBigEndian<quint64>(bytes.constData() + at + 2));
                header = 10;
            }
            if (bytes.size() - at < header + length)
                break;
            cut.append({bytes[at] & 0x0f, bytes.mid(at + header, length)});
            at += header + length;
        }
        return cut;
    }
    // The protocol's messages in the binary frames, in order, each cut into its fields.
    QList<QList<QByteArray>> messages() const
    {
        protocol::MessageAssembler assembler{0};
        QList<QList<QByteArray>> all;
        for (const ServerFrame& frame : frames()) {
            if (frame.opcode == 2) {
                for (const QByteArray& m : assembler.feed(frame.payload))
                    all << protocol::splitFields(m);
            }
        }
        return all;
    }
    // The code of the server's close frame, or 0.
    int closeCode() const
    {
        for (const ServerFrame& f : frames()) {
            if (f.opcode == 8 && f.payload.size() >= 2)
                return qFromBigEndian<quint16>(f.payload.constData());
        }
        return 0;
    }

    int fd = -1;
    bool connected = false;
    QByteArray bytes;
};

} // namespace tamber::testing
