#pragma once

// The relay service as the fronts (the window, the headless front) and tests see it, on their
// own thread: the relay itself runs on a relay thread of its own (RelayService), reached only
// through that thread's loop. Calls that answer (start, stop, the slot list) wait for the relay
// thread to run them; the list's changes and the end of a Stop come back as queued signals.
// Before such a call returns, every list change the relay made until then has been signalled,
// so what a call answers is never newer than what listChanged() told.

#include "common/protocol/Codec.h"
#include "server/RelayService.h"
#include "server/RoomDirectory.h"
#include "server/net/Worker.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <optional>

namespace tamber::server {

class RelayServer : public QObject
{
    Q_OBJECT

public:
    explicit RelayServer(RelayLimits limits = {}, int maxRooms = kDefaultMaxRooms,
                         QObject* parent = nullptr);
    ~RelayServer() override;

    // Serves the web port too from the next start() on.
    void setWeb(const WebService& web);

    // Start: listens (on the web port too, if set) and takes players into rooms. False
    // (and still stopped) when a port cannot be listened on; failedPort() and errorString()
    // say which and why.
    bool start(quint16 port = protocol::kPort, const QHostAddress& address = QHostAddress::Any);
    // Stop: closes every slot's connection without telling anyone, then the listener.
    // Connections still taking their last output close within two seconds (allClosed()).
    void stop();
    bool isRunning() const { return m_listening.ok; }
    bool isClosing() const;
    quint16 port() const { return m_listening.port; }
    quint16 webPort() const { return m_listening.webPort; }
    QString errorString() const { return m_listening.error; }
    quint16 failedPort() const { return m_listening.failedPort; }

    // A room's eight lines of the slot list, in slot order, as the window shows them (all
    // empty for a room nobody is in).
    QStringList slotLines(const QByteArray& room = kDefaultRoom) const;
    // The same as bytes for a terminal or a log: names as the clients sent them, with every
    // byte that a terminal would take for a control written out.
    QList<QByteArray> terminalLines(const QByteArray& room = kDefaultRoom) const;
    QByteArray userName(int n, const QByteArray& room = kDefaultRoom) const;
    bool isPaced(int n, const QByteArray& room = kDefaultRoom) const;
    qint64 unsentBytes(int n, const QByteArray& room = kDefaultRoom) const;
    // The operator sends the player in slot n of the room out, with a reason and "Farewell";
    // false when nobody sits there.
    bool kick(const QByteArray& room, int n);
    // Every room with players, in name order.
    QList<RoomListing> rooms() const;

signals:
    // At start (for the default room) and at every rebuild of a room's slot list, with the
    // room's name and its list as it was then, both ways.
    void listChanged(const QByteArray& room, const QStringList& lines,
                     const QList<QByteArray>& terminalLines);
    // With every list change: the rooms and their players then.
    void roomsChanged(const QList<tamber::server::RoomListing>& rooms);
    void allClosed();

private:
    // Runs on the relay thread and waits for it.
    template <typename F> auto onRelay(F&& work) const
    {
        decltype(work()) result{};
        m_worker.run([&] { result = work(); });
        catchUp();
        return result;
    }
    // Signals the list changes the relay thread has posted here so far.
    void catchUp() const;
    static QStringList windowLines(const QList<QByteArray>& lines);
    // A room's lines, on the relay thread.
    QList<QByteArray> roomLines(const QByteArray& room, HighBytes shownAs) const;
    // Runs on the relay thread with the room of that name, or gives `none`.
    template <typename T, typename F> T withRoom(const QByteArray& room, T none, F&& work) const
    {
        if (!m_service)
            return none;
        return onRelay([&]() -> T {
            const RelayHub* hub = m_service->rooms().find(room);
            return hub ? work(*hub) : none;
        });
    }

    SteadyClock m_clock;
    mutable net::Worker m_worker{m_clock, QStringLiteral("relay")};
    RelayLimits m_limits;
    int m_maxRooms;
    std::optional<WebService> m_web;
    RelayService* m_service = nullptr; // lives on the relay thread
    Listening m_listening;
};

} // namespace tamber::server
