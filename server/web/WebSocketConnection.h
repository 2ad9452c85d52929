#pragma once

// A Connection on a browser's WebSocket. Each binary message carries protocol bytes exactly
// as TCP would, so the relay cannot tell the two apart. A message over 4 KiB closes the
// connection (no page sends one: it packs its messages below that); text messages carry no
// protocol and are ignored. Ends are reported from the event loop, as TcpConnection does.

#include "server/ClientLink.h"

#include <QObject>
#include <memory>

class QWebSocket;

namespace tamber::server {

class WebSocketConnection : public QObject, public ClientLink
{
    Q_OBJECT

public:
    static constexpr qint64 kMaxMessage = 4096;
    // While the relay paces this client, what it keeps sending waits here: QWebSocket reads
    // on regardless, so the TCP window cannot hold the browser back. Past as much as a paced
    // TCP client may have waiting in the server, the client is cut instead.
    static constexpr qint64 kMaxHeld = 16 * 1024;

    WebSocketConnection(std::unique_ptr<QWebSocket> socket, const Clock& clock,
                        QObject* parent = nullptr);
    ~WebSocketConnection() override;

    void write(const QByteArray& bytes) override;
    qint64 unsentBytes() const override;
    Time lastTaken() const override { return m_lastTaken; }
    void pauseReading() override;
    void resumeReading() override;
    void closeGracefully() override;
    void abort() override;
    QHostAddress peerAddress() const override;

signals:
    void received(const QByteArray& bytes);
    void closed();
    void failed();

private:
    void onMessage(const QByteArray& bytes);
    void deliverHeld();
    void onEnded(bool error);
    void finish(bool error);

    QWebSocket* m_socket; // a child, alive as long as this
    const Clock& m_clock;
    Time m_lastTaken;
    QByteArray m_held;
    bool m_paused = false;
    bool m_ending = false;
    bool m_done = false;
    bool m_releaseOnEnd = false;
};

} // namespace tamber::server
