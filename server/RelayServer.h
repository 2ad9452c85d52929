#pragma once

// The relay service on real sockets: the listener (socket element 0) and the eight slot
// connections. All logic lives in RelayCore; this class only turns socket events into calls.

#include "common/protocol/Codec.h"
#include "server/RelayCore.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <array>

class QTcpSocket;

namespace tamber::server {

struct RelayLimits
{
    // Unsent output a slot may hold before it is closed as a client that does not read.
    qint64 outputCap = 1 << 20;
};

class RelayServer : public QObject, private SlotHost
{
    Q_OBJECT

public:
    explicit RelayServer(RelayLimits limits = {}, QObject* parent = nullptr);
    ~RelayServer() override;

    // Start: listens and makes the eight slots ready. False (and still stopped) when the
    // address cannot be listened on; errorString() says why.
    bool start(quint16 port = protocol::kPort, const QHostAddress& address = QHostAddress::Any);
    // Stop: closes every slot's connection without telling anyone, then the listener.
    void stop();
    bool isRunning() const { return m_listener.isListening(); }
    quint16 port() const { return m_listener.serverPort(); }
    QString errorString() const { return m_errorString; }

    // The eight lines of the slot list, in slot order.
    QStringList slotLines() const;
    const UserSlot& user(int n) const { return m_core.user(n); }

signals:
    // Emitted at every rebuild of the slot list.
    void listChanged(const QStringList& lines);

private:
    struct Link
    {
        QTcpSocket* socket = nullptr; // null while the slot is free
        QString address;
    };

    bool isConnected(int slot) const override;
    bool send(int slot, const QByteArray& message) override;
    void close(int slot, bool abort) override;
    void refreshList() override;

    void onNewConnection();
    void onReadyRead(int n, QTcpSocket* socket);
    void onConnectionEnded(int n, QTcpSocket* socket);
    void detach(int n);
    void flushAll();

    RelayLimits m_limits;
    QTcpServer m_listener;
    std::array<Link, kSlotCount> m_links;
    std::array<bool, kSlotCount> SocketLoaded{};
    RelayCore m_core{*this};
    QString m_errorString;
};

} // namespace tamber::server
