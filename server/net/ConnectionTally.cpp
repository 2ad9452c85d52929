#include "ConnectionTally.h"

namespace tamber::server::net {

ConnectionTally::Ticket& ConnectionTally::Ticket::operator=(Ticket&& other) noexcept
{
    if (this != &other) {
        release();
        m_tally = std::move(other.m_tally);
        m_address = std::exchange(other.m_address, QHostAddress());
    }
    return *this;
}

ConnectionTally::Verdict ConnectionTally::Ticket::moveTo(const QHostAddress& address)
{
    if (!m_tally || address == m_address)
        return Verdict::Admitted;
    if (m_tally->addressFull(address))
        return Verdict::AddressFull;
    m_tally->add(m_address, -1);
    m_tally->add(address, 1);
    m_address = address;
    return Verdict::Admitted;
}

void ConnectionTally::Ticket::release()
{
    if (!m_tally)
        return;
    m_tally->add(m_address, -1);
    --m_tally->m_total;
    m_tally.reset();
    m_address = QHostAddress();
}

std::shared_ptr<ConnectionTally> ConnectionTally::create(ConnectionCaps caps)
{
    return std::shared_ptr<ConnectionTally>(new ConnectionTally(caps));
}

ConnectionTally::Verdict ConnectionTally::admit(const std::shared_ptr<ConnectionTally>& tally,
                                                const QHostAddress& address, Ticket* ticket)
{
    if (tally->m_total >= tally->m_caps.total)
        return Verdict::ServerFull;
    if (tally->addressFull(address))
        return Verdict::AddressFull;
    ++tally->m_total;
    tally->add(address, 1);
    ticket->release();
    ticket->m_tally = tally;
    ticket->m_address = address;
    return Verdict::Admitted;
}

QByteArray ConnectionTally::refusal(Verdict verdict)
{
    switch (verdict) {
    case Verdict::AddressFull:
        return "Too many connections from your address.";
    case Verdict::ServerFull:
        return "The server is full.";
    case Verdict::Admitted:
        break;
    }
    return {};
}

bool ConnectionTally::addressFull(const QHostAddress& address) const
{
    return m_caps.perAddress > 0 && !address.isNull() &&
           m_perAddress.value(address) >= m_caps.perAddress;
}

void ConnectionTally::add(const QHostAddress& address, int count)
{
    if (address.isNull())
        return;
    auto it = m_perAddress.find(address);
    if (it == m_perAddress.end()) {
        if (count > 0)
            m_perAddress.insert(address, count);
        return;
    }
    it.value() += count;
    if (it.value() <= 0)
        m_perAddress.erase(it);
}

} // namespace tamber::server::net
