#pragma once

// What turns a transport's bytes into protocol bytes and back. TCP needs none: its bytes are
// the protocol's. The web port's WebSocket codec is one (server/web/WebSocketFraming.h).

#include "server/net/OutputBuffer.h"

#include <QByteArray>
#include <QByteArrayView>

namespace tamber::server::net {

class Framing
{
public:
    enum class Verdict
    {
        Go,         // carry on reading
        PeerClosed, // the peer ended the stream in order; a reply is owed (closing())
        Broken,     // the peer broke the framing's rules; the stream ends with closing()
    };

    virtual ~Framing() = default;

    // Bytes from the peer: appends the protocol bytes they complete to `protocol`. Nothing is
    // read after a verdict other than Go.
    virtual Verdict decode(QByteArrayView wire, QByteArray& protocol) = 0;
    // Protocol bytes for the peer, wrapped for the wire.
    virtual void encode(QByteArrayView protocol, OutputBuffer& wire) = 0;
    // What the transport itself owes the peer (an answer to a ping); called when the earlier
    // output has been taken, so that it never piles up.
    virtual void control(OutputBuffer& wire) = 0;
    // The last bytes of the stream from this side (a close frame, once), if any.
    virtual void closing(OutputBuffer& wire) = 0;
};

} // namespace tamber::server::net
