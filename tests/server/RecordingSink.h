#pragma once

#include "server/net/Connection.h"

namespace tamber::server {

// Keeps what a connection received and how it ended. Touched only on that connection's thread.
struct RecordingSink : ClientLink::Sink
{
    void linkReceived(ClientLink&, QByteArrayView bytes) override { got += bytes.toByteArray(); }
    void linkEnded(ClientLink&, bool error) override
    {
        ++ends;
        failed = error;
    }
    QByteArray got;
    int ends = 0;
    bool failed = false;
};

} // namespace tamber::server
