#pragma once

// The relay service on TCP: the listener (socket element 0) hands every accepted socket to the
// hub as a connection. Both fronts, the window and the headless one, drive this class.

#include "common/protocol/Codec.h"
#include "server/RelayHub.h"
#include "server/web/WebFiles.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTcpServer>
#include <memory>
#include <optional>

namespace tamber::server {

class WebServer;

// The web port beside TCP: the browser piano and its WebSocket, which seats players in the
// same eight slots.
struct WebService
{
    quint16 port = 0;
    QHostAddress address = QHostAddress::Any;
    QStringList allowedOrigins; // empty: the page's own host only
    WebFolders folders;
};

class RelayServer : public QObject
{
    Q_OBJECT

public:
    explicit RelayServer(RelayLimits limits = {}, QObject* parent = nullptr);
    ~RelayServer() override;

    // Serves the web port too from the next start() on.
    void setWeb(const WebService& web);

    // Start: listens (on the web port too, if set) and makes the eight slots ready. False
    // (and still stopped) when a port cannot be listened on; failedPort() and errorString()
    // say which and why.
    bool start(quint16 port = protocol::kPort, const QHostAddress& address = QHostAddress::Any);
    // Stop: closes every slot's connection without telling anyone, then the listener.
    // Connections still taking their last output close within two seconds (allClosed()).
    void stop();
    bool isRunning() const { return m_listener.isListening(); }
    bool isClosing() const { return m_hub.isClosing(); }
    quint16 port() const { return m_listener.serverPort(); }
    quint16 webPort() const;
    QString errorString() const { return m_errorString; }
    quint16 failedPort() const { return m_failedPort; }

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
    bool startWeb();

    SteadyClock m_clock;
    QTcpServer m_listener;
    RelayHub m_hub;
    std::unique_ptr<WebServer> m_web;
    std::optional<WebService> m_webService;
    QString m_errorString;
    quint16 m_failedPort = 0;
};

} // namespace tamber::server
