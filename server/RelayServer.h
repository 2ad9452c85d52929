#pragma once

// The relay service as the fronts (the window, the headless front) and tests see it, on their
// own thread: the relay itself runs on an accepting thread (RelayService: listeners, doorway,
// room index) and on worker threads that hold the rooms (RoomHost), each reached only through
// its loop. Calls that answer (start, stop, a player's name) wait for those threads to run them;
// the list's changes and the end of a Stop come back as queued signals, straight from the
// room's thread, posted before any byte of the change leaves it. The slot lists and the rooms
// are answered from those changes, so what a call answers is never newer than what
// listChanged() told; a call that waits for a thread signals first what it posted until then.

#include "common/protocol/Codec.h"
#include "server/RelayService.h"
#include "server/RoomHost.h"
#include "server/RoomIndex.h"
#include "server/net/WorkerSet.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <map>
#include <optional>

namespace tamber::server {

class RelayServer : public QObject
{
    Q_OBJECT

public:
    // `threads`: how many threads hold the rooms (0 or less: one per core).
    explicit RelayServer(RelayLimits limits = {}, int maxRooms = kDefaultMaxRooms, int threads = 0,
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
    // After a Stop, until allClosed().
    bool isClosing() const { return m_closingHosts > 0; }
    int threadCount() const { return m_workers.size(); }
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
    // How many connections from `address` are counted against its limit now.
    int connectionsFrom(const QHostAddress& address) const;
    // The thread (0 to threadCount() - 1) room `room` lives on, or -1 while it is not open.
    int threadOf(const QByteArray& room) const;

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
    // A room's lines as last told.
    QList<QByteArray> roomLines(const QByteArray& room, HighBytes shownAs) const;
    void onListChanged(const QByteArray& room, int players, const QList<QByteArray>& window,
                       const QList<QByteArray>& terminal);
    // Runs on the thread of the room of that name, with it, or gives `none`.
    template <typename T, typename F> T withRoom(const QByteArray& room, T none, F&& work) const
    {
        const int thread = threadOf(room);
        if (thread < 0)
            return none;
        T result = none;
        m_workers.at(thread).run([&] {
            RoomHost* host = RoomHost::current();
            if (RelayHub* hub = host ? host->rooms().find(room) : nullptr)
                result = work(*hub);
        });
        catchUp();
        return result;
    }
    void makeService();
    void onHostClosed();

    SteadyClock m_clock;
    mutable net::Worker m_worker{m_clock, QStringLiteral("relay")};
    mutable net::WorkerSet m_workers;
    RelayLimits m_limits;
    int m_maxRooms;
    std::optional<WebService> m_web;
    RelayService* m_service = nullptr; // lives on the relay thread
    std::vector<RoomHost*> m_hosts;    // each on its worker's thread
    int m_closingHosts = 0;
    bool m_signalling = false;
    struct Listed
    {
        RoomListing listing;
        QList<QByteArray> windowLines;
        QList<QByteArray> terminalLines;
    };
    std::map<QByteArray, Listed> m_lists; // by roomKey(), the rooms with players
    Listening m_listening;
};

} // namespace tamber::server
