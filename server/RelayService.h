#pragma once

// The relay on its thread: the TCP listener hands every accepted connection to the doorway,
// which seats it in its room; the web port seats a player in the room its address names.
// Everything here lives on one relay thread and is reached from others only through that
// thread's loop (RelayServer does so).

#include "server/Doorway.h"
#include "server/RoomDirectory.h"
#include "server/net/ConnectionTally.h"
#include "server/net/Listener.h"
#include "server/web/WebFiles.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <optional>

namespace tamber::server {

class WebPort;

// The web port beside TCP: the browser piano and its WebSocket, which seats players in the
// same rooms.
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
                 int maxRooms = kDefaultMaxRooms, QObject* parent = nullptr);
    // Ends every connection at once.
    ~RelayService() override;

    Listening start(quint16 port, const QHostAddress& address);
    // Closes every seat without telling anyone, then the listeners; true while connections
    // are still taking their last output (allClosed() follows).
    bool stop();
    bool isRunning() const { return m_tcp.isListening(); }

    RoomDirectory& rooms() { return m_rooms; }
    const RoomDirectory& rooms() const { return m_rooms; }

signals:
    void allClosed();

private:
    void onTcpAccepted(int fd, const QHostAddress& peer);
    // Over the caps: the client hears why, and the connection closes before it is seated.
    void refuse(int fd, const QHostAddress& peer, net::ConnectionTally::Verdict verdict);

    net::Loop& m_loop;
    RelayLimits m_limits;
    // Shared with every connection's ticket, which may outlive the service by a turn.
    std::shared_ptr<net::ConnectionTally> m_tally;
    RoomDirectory m_rooms;
    Doorway m_doorway;
    net::Listener m_tcp;
    std::optional<WebService> m_webService;
    std::unique_ptr<WebPort> m_web;
};

} // namespace tamber::server
