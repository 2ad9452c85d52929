#pragma once

// The relay service on TCP: the listener (socket element 0) hands every accepted socket to the
// hub as a connection. Both fronts, the window and the headless one, drive this class.

#include "common/protocol/Codec.h"
#include "server/RelayHub.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

namespace tamber::server {

class RelayServer : public QObject
{
    Q_OBJECT

public:
    explicit RelayServer(RelayLimits limits = {}, QObject* parent = nullptr);

    // Start: listens and makes the eight slots ready. False (and still stopped) when the
    // address cannot be listened on; errorString() says why.
    bool start(quint16 port = protocol::kPort, const QHostAddress& address = QHostAddress::Any);
    // Stop: closes every slot's connection without telling anyone, then the listener.
    // Connections still taking their last output close within two seconds (allClosed()).
    void stop();
    bool isRunning() const { return m_listener.isListening(); }
    bool isClosing() const { return m_hub.isClosing(); }
    quint16 port() const { return m_listener.serverPort(); }
    QString errorString() const { return m_errorString; }

    // The eight lines of the slot list, in slot order, as the window shows them.
    QStringList slotLines() const;
    // The same as bytes for a terminal or a log: names as the clients sent them, with every
    // byte that a terminal would take for a control written out.
    QList<QByteArray> terminalLines() const;
    const UserSlot& user(int n) const { return m_hub.user(n); }
    bool isPaced(int n) const { return m_hub.isPaced(n); }
    qint64 unsentBytes(int n) const { return m_hub.unsentBytes(n); }

signals:
    // Emitted at every rebuild of the slot list.
    void listChanged(const QStringList& lines);
    void allClosed();

private:
    void onNewConnection();

    SteadyClock m_clock;
    QTcpServer m_listener;
    RelayHub m_hub;
    QString m_errorString;
};

} // namespace tamber::server
