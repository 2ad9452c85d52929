#pragma once

// One client connection on a non-blocking socket, for TCP players, browsers and page requests
// alike: reads go in large chunks through the thread's scratch buffer; output waits in one
// compact buffer (nothing while idle) and is written once per turn of the loop; reading pauses
// by leaving the socket out of the epoll set, so a paced client is held back by TCP itself.
// A Framing, when set, turns the bytes into protocol bytes and back (WebSocket frames).
//
// The end of the stream, whoever starts it:
//   Open --peer ends, or the framing breaks--> reported to the owner
//   Open --closeGracefully(), or a framing end--> Closing: queued output (and the framing's
//        last bytes) leave, then our FIN, then the peer's; then Closed
//   any --error, abort()--> Closed
// The loop owns the connection; it is deleted once Closed and let go by its owner.

#include "server/ClientLink.h"
#include "server/net/ConnectionTally.h"
#include "server/net/Framing.h"
#include "server/net/Loop.h"
#include "server/net/OutputBuffer.h"

#include <functional>
#include <memory>
#include <optional>

namespace tamber::server::net {

class Connection final : public ClientLink,
                         public Disposable,
                         private Watcher,
                         private Flusher,
                         private TimerClient
{
public:
    // Takes a connected, non-blocking socket; nullptr (the socket closed) if it cannot be
    // watched.
    static Connection* open(Loop& loop, int fd, const QHostAddress& peer);
    ~Connection() override;

    void setFraming(std::unique_ptr<Framing> framing) { m_framing = std::move(framing); }
    Framing* framing() const { return m_framing.get(); }
    // Pulled whenever everything before has been taken, until it gives nothing: a file's
    // body, without holding all of it.
    void setSource(std::function<QByteArray()> source);
    // Bytes read before (by whoever had the connection then) that belong to its new framing
    // and owner: handled as if they had just been read.
    void receive(QByteArrayView bytes);

    void write(QByteArrayView bytes) override;
    qint64 unsentBytes() const override { return m_out.size() + m_staging.size(); }
    Time lastTaken() const override { return m_lastTaken; }
    void pauseReading() override;
    void resumeReading() override;
    void closeGracefully() override;
    void abort() override;
    // Ends the stream in order once what is queued has left, and lets go at once: no event
    // follows, and the peer has kLinger to take its last bytes (a refusal's reason).
    void closeAndLetGo();
    QHostAddress peerAddress() const override { return m_peer; }
    // The player's own address, as a trusted proxy in front of the relay forwards it.
    void setPeerAddress(const QHostAddress& address) { m_peer = address; }
    // The connection's place among those counted; given back when the connection goes.
    void setTicket(ConnectionTally::Ticket ticket) { m_ticket = std::move(ticket); }
    ConnectionTally::Ticket& ticket() { return m_ticket; }

    int descriptor() const { return m_fd; }

    // What a connection takes along to another thread's loop: its socket, its framing, the
    // output not yet taken (sent before anything written there) and the input its owner had
    // read but not handled (delivered there before anything read later).
    struct Parcel
    {
        Parcel() = default;
        Parcel(Parcel&& other) noexcept { *this = std::move(other); }
        Parcel& operator=(Parcel&& other) noexcept;
        // A parcel never taken in closes its socket.
        ~Parcel();

        int fd = -1;
        QHostAddress peer;
        std::unique_ptr<Framing> framing;
        QByteArray output;
        QByteArray input;
        Time lastTaken;
        bool paused = false;
    };
    // Leaves this loop: nothing more is read, written or reported here, and the object is
    // deleted at the end of the turn. Only an open connection without a source can go;
    // nullopt (and nothing changed) for any other.
    std::optional<Parcel> handOff(QByteArray unreadInput);
    // The connection again, on the loop of the thread this runs on, its output queued first.
    // Its new owner takes it, then gives it the parcel's input with receive(). nullptr (the
    // socket closed) if it cannot be watched.
    static Connection* takeIn(Loop& loop, Parcel& parcel);

    // A closing connection that its owner let go waits this long for the peer, at most.
    static constexpr Duration kLinger = std::chrono::seconds(1);
    // Past this much output, a connection let go in the middle of its closing is cut at once.
    static constexpr qsizetype kLingerMax = 64 * 1024;

private:
    enum class State
    {
        Open,
        Closing,
        Closed
    };

    Connection(Loop& loop, int fd, const QHostAddress& peer);
    void onReady(std::uint32_t events) override;
    void flush() override;
    void onTimer(Time now) override;

    void readSome(bool evenIfPaused);
    void deliver(QByteArrayView bytes);
    void writeOut();
    void beginClosing();
    void peerEnded();
    void fail();
    void report(bool error);
    void closeNow();
    void disposeIfDone();
    void updateInterest();

    Loop& m_loop;
    int m_fd;
    QHostAddress m_peer;
    ConnectionTally::Ticket m_ticket;
    std::unique_ptr<Framing> m_framing;
    OutputBuffer m_out{&m_loop.blocks()};
    QByteArray m_staging; // protocol bytes waiting for the framing
    std::function<QByteArray()> m_source;
    Time m_lastTaken;
    std::uint32_t m_interest = 0;
    State m_state = State::Open;
    bool m_paused = false;
    bool m_peerDone = false;      // the peer's FIN has arrived
    bool m_shutDown = false;      // ours has left
    bool m_closingQueued = false; // the framing's last bytes are in the output
    bool m_reported = false;
    bool m_releaseOnEnd = false; // closeGracefully(): the owner lets go once it hears the end
    bool m_released = false;
    bool m_disposed = false;
};

} // namespace tamber::server::net
