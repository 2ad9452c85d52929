#pragma once

// How many connections the relay holds, from each address and in all, counted the moment a
// socket is accepted, before anything else is made for it: one host cannot take every seat
// or every descriptor. A connection holds a Ticket for as long as it lives; the ticket gives
// its place back.
//
// The tally belongs to the thread that accepts (the listeners'); tickets are released there.
// A connection that lives on another thread gives its ticket back by a queued call to the
// listeners' thread, so the counts need no lock.

#include <QHash>
#include <QHostAddress>
#include <memory>

namespace tamber::server::net {

struct ConnectionCaps
{
    int perAddress = 16; // 0: no limit per address
    int total = 10000;
};

class ConnectionTally
{
public:
    enum class Verdict
    {
        Admitted,
        AddressFull,
        ServerFull,
    };

    // A counted connection; moving it moves its place, destroying it gives the place back.
    class Ticket
    {
    public:
        Ticket() = default;
        ~Ticket() { release(); }
        Ticket(Ticket&& other) noexcept { *this = std::move(other); }
        Ticket& operator=(Ticket&& other) noexcept;
        Ticket(const Ticket&) = delete;
        Ticket& operator=(const Ticket&) = delete;

        bool isValid() const { return m_tally != nullptr; }
        // The address it counts against; null for a connection counted in the total only.
        QHostAddress address() const { return m_address; }
        // Counts the connection against another address from now on (a trusted proxy has
        // said whom it speaks for); the ticket keeps its old address if that one is full.
        Verdict moveTo(const QHostAddress& address);
        void release();

    private:
        friend class ConnectionTally;
        std::shared_ptr<ConnectionTally> m_tally;
        QHostAddress m_address;
    };

    static std::shared_ptr<ConnectionTally> create(ConnectionCaps caps);

    // Counts a new connection from `address` if the caps allow it; a null address counts in the
    // total only (a trusted proxy, until its request says whom it forwards).
    static Verdict admit(const std::shared_ptr<ConnectionTally>& tally, const QHostAddress& address,
                         Ticket* ticket);

    int total() const { return m_total; }
    int from(const QHostAddress& address) const { return m_perAddress.value(address); }
    ConnectionCaps caps() const { return m_caps; }

    // The line a refused connection is told, before its Farewell.
    static QByteArray refusal(Verdict verdict);

private:
    explicit ConnectionTally(ConnectionCaps caps) : m_caps(caps) {}
    bool addressFull(const QHostAddress& address) const;
    void add(const QHostAddress& address, int count);

    ConnectionCaps m_caps;
    int m_total = 0;
    QHash<QHostAddress, int> m_perAddress;
};

} // namespace tamber::server::net
