#pragma once

// What a player is told right before the relay closes its connection on purpose: the reason
// as a chat line, which old pianos show, then "Farewell" with the same reason, which new ones
// show in a box.

#include "common/protocol/Messages.h"

namespace tamber::server {

inline QByteArray farewell(const QByteArray& reason)
{
    return protocol::encode(protocol::ChatLine{reason}) +
           protocol::encode(protocol::FarewellMessage{reason});
}

} // namespace tamber::server
