#pragma once

#include "client/session/SessionTransport.h"

#include <QObject>
#include <QPointer>

class QTcpSocket;

namespace tamber {

// The session's connection over QTcpSocket. Each connection gets a fresh socket, so a
// socket still closing can never report into the next session.
class TcpSessionTransport : public QObject, public SessionTransport
{
    Q_OBJECT

public:
    explicit TcpSessionTransport(QObject* parent = nullptr);
    ~TcpSessionTransport() override;

    void setEvents(Events events) override { m_events = std::move(events); }
    void connectToHost(const QString& host, uint16_t port) override;
    bool isConnected() const override;
    void send(const QByteArray& bytes) override;
    void close() override;

private:
    void onReadyRead();
    void onErrorOccurred(int error);
    void onDisconnected();

    Events m_events;
    QPointer<QTcpSocket> m_socket;
};

} // namespace tamber
