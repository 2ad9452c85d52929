#pragma once

// The relay on its thread: the TCP listener and the web port hand every accepted connection to
// the hub, which seats it. Everything here lives on one relay thread and is reached from
// others only through that thread's loop (RelayServer does so).

#include "server/RelayHub.h"
#include "server/net/Listener.h"
#include "server/web/WebFiles.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

namespace tamber::server {

class WebPort;

// The web port beside TCP: the browser piano and its WebSocket, which seats players in the
// same eight slots.
struct WebService
{
    quint16 port = 0;
    QHostAddress address = QHostAddress::Any;
    QStringList allowedOrigins; // empty: the page's own host only
    WebFolders folders;
};

struct Listening
{
    bool ok = false;
    quint16 port = 0;
    quint16 webPort = 0;
    QString error;
    quint16 failedPort = 0;
};

class RelayService : public QObject
{
    Q_OBJECT

public:
    RelayService(net::Loop& loop, const RelayLimits& limits, const std::optional<WebService>& web,
                 QObject* parent = nullptr);
    // Ends every connection at once.
    ~RelayService() override;

    Listening start(quint16 port, const QHostAddress& address);
    // Closes every seat without telling anyone, then the listeners; true while connections
    // are still taking their last output (allClosed() follows).
    bool stop();
    bool isRunning() const { return m_tcp.isListening(); }

    RelayHub& hub() { return m_hub; }
    const RelayHub& hub() const { return m_hub; }

signals:
    void listChanged();
    void allClosed();

private:
    void onTcpAccepted(int fd, const QHostAddress& peer);

    net::Loop& m_loop;
    RelayHub m_hub;
    net::Listener m_tcp;
    std::optional<WebService> m_webService;
    std::unique_ptr<WebPort> m_web;
};

} // namespace tamber::server
