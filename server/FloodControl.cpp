#include "FloodControl.h"

#include "server/RelayCore.h"

namespace tamber::server {

Traffic classify(const std::optional<protocol::ClientMessage>& message)
{
    const auto* chat = message ? std::get_if<protocol::ChatRequest>(&*message) : nullptr;
    if (!chat)
        return Traffic::Notes;
    return classify(
        protocol::ClientMessageView{protocol::ClientMessageView::Kind::Chat, chat->text, {}});
}

Traffic classify(const std::optional<protocol::ClientMessageView>& message)
{
    if (!message || message->kind != protocol::ClientMessageView::Kind::Chat)
        return Traffic::Notes;
    return nameCommandRest(message->first.toByteArray()) ? Traffic::Names : Traffic::Chat;
}

FloodGate::FloodGate(const RelayLimits& limits, Time now)
    : m_notes(limits.notes.perSecond, limits.notes.burst, now),
      m_chat(limits.chat.perSecond, limits.chat.burst, now),
      m_names(limits.names.perSecond, limits.names.burst, now)
{
}

bool FloodGate::take(Traffic traffic, Time now)
{
    return bucket(traffic).take(now);
}

Duration FloodGate::untilNext(Traffic traffic, Time now) const
{
    return bucket(traffic).untilNext(now);
}

TokenBucket& FloodGate::bucket(Traffic traffic)
{
    return const_cast<TokenBucket&>(std::as_const(*this).bucket(traffic));
}

const TokenBucket& FloodGate::bucket(Traffic traffic) const
{
    switch (traffic) {
    case Traffic::Chat:
        return m_chat;
    case Traffic::Names:
        return m_names;
    case Traffic::Notes:
        break;
    }
    return m_notes;
}

} // namespace tamber::server
