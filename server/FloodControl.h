#pragma once

// How much one client may send, and what the relay does about a client that sends more: it
// paces it. Messages over the rate are not dropped; they wait, and the client's connection is
// not read meanwhile, so its own TCP window pushes back on it and nobody else notices.

#include "common/protocol/Messages.h"
#include "server/TokenBucket.h"
#include "server/net/ConnectionTally.h"

#include <QHostAddress>
#include <QList>

#include <QtGlobal>
#include <optional>

namespace tamber::server {

struct Rate
{
    double perSecond;
    double burst;
};

struct RelayLimits
{
    // Defaults well above what anybody plays or types: a MIDI cable carries at most about
    // 1,000 note messages a second.
    Rate notes{1000, 500}; // NoteOn, NoteOff, SetPatch, and anything the relay does not handle
    Rate chat{10, 20};     // chat lines and slash commands other than "/name"
    Rate names{2, 4};      // "/name"

    // A slot whose unsent output is over outputCap and that has taken no bytes for
    // stallTimeout has stopped reading and is cut. Past hardOutputCap it is cut anyway, so
    // that no reader, however slow, makes the server hold memory without bound.
    qint64 outputCap = qint64(1) << 20;
    Duration stallTimeout = std::chrono::seconds(5);
    qint64 hardOutputCap = qint64(64) << 20;

    // Stop lets each connection take what was queued for it for this long, then aborts it.
    Duration closeGrace = std::chrono::seconds(2);

    // Connections one address may hold across both ports, and the whole server.
    net::ConnectionCaps connections;
    // Web proxies whose connections count as, and are shown as, the address they forward.
    QList<QHostAddress> trustedProxies;
};

enum class Traffic
{
    Notes,
    Chat,
    Names
};

// The bucket a message draws on; nullopt is a message the relay drops unread.
Traffic classify(const std::optional<protocol::ClientMessage>& message);
Traffic classify(const std::optional<protocol::ClientMessageView>& message);

// One client's three buckets.
class FloodGate
{
public:
    FloodGate(const RelayLimits& limits, Time now);
    bool take(Traffic traffic, Time now);
    Duration untilNext(Traffic traffic, Time now) const;

private:
    TokenBucket& bucket(Traffic traffic);
    const TokenBucket& bucket(Traffic traffic) const;

    TokenBucket m_notes;
    TokenBucket m_chat;
    TokenBucket m_names;
};

} // namespace tamber::server
