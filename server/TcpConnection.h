#pragma once

// A Connection on an accepted TCP socket. Ended streams are reported from the event loop,
// never from inside a write or flush, so the relay is never re-entered mid-broadcast.

#include "server/Connection.h"

class QTcpSocket;

namespace tamber::server {

class TcpConnection : public Connection
{
    Q_OBJECT

public:
    // Takes the socket over; its unsent output is measured against `clock`.
    TcpConnection(QTcpSocket* socket, const Clock& clock, QObject* parent = nullptr);

    void write(const QByteArray& bytes) override;
    qint64 unsentBytes() const override;
    Time lastTaken() const override { return m_lastTaken; }
    void pauseReading() override;
    void resumeReading() override;
    void closeGracefully() override;
    void abort() override;
    QHostAddress peerAddress() const override;

private:
    void onReadyRead();
    void onEnded(bool error);
    void finish(bool error);

    QTcpSocket* m_socket;
    const Clock& m_clock;
    Time m_lastTaken;
    bool m_paused = false;
    bool m_ending = false;
    bool m_done = false;
};

} // namespace tamber::server
