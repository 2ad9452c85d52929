#pragma once

#include "client/session/SessionTransport.h"

#include <QObject>
#include <QPointer>
#include <QTimer>

class QTcpSocket;

namespace tamber {

// The session's connection over QTcpSocket. Each connection gets a fresh socket, so a
// socket still closing can never report into the next session.
//
// However fast a server sends, the piano stays playable: the socket buffers at most
// kReadBuffer bytes (beyond that TCP holds the server back), and received() gets at most
// kReadChunk bytes per turn of the event loop, so key presses and timers run between chunks.
class TcpSessionTransport : public QObject, public SessionTransport
{
    Q_OBJECT

public:
    static constexpr qint64 kReadChunk = 4096;
    static constexpr qint64 kReadBuffer = 64 * 1024;

    explicit TcpSessionTransport(QObject* parent = nullptr);
    ~TcpSessionTransport() override;

    void setEvents(Events events) override { m_events = std::move(events); }
    void connectToHost(const QString& host, uint16_t port) override;
    bool isConnected() const override;
    void send(const QByteArray& bytes) override;
    void close() override;
    void armDeadline(std::chrono::milliseconds after) override;
    void disarmDeadline() override;

private:
    void onReadyRead();
    void readChunk();
    // Hands on what the socket still holds; false once a handler closed the connection.
    bool deliverBuffered();
    void onErrorOccurred(int error);
    void onDisconnected();
    void onDeadline();

    Events m_events;
    QPointer<QTcpSocket> m_socket;
    QTimer m_nextChunk; // the rest of the socket's buffer, one chunk per turn
    QTimer m_deadline;
};

} // namespace tamber
