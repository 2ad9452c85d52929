#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tamber::server {

// What the relay logic needs from the eight slot connections and the window.
// Slots are numbered 1 to 8.
class SlotHost
{
public:
    virtual ~SlotHost() = default;
    virtual bool isConnected(int slot) const = 0;
    // Queues complete messages for the slot. False when the slot's client has stopped
    // reading (see RelayLimits); the caller then treats the slot as gone.
    virtual bool send(int slot, QByteArrayView messages) = 0;
    // How many bytes more the slot may be sent now with no risk of being cut for them.
    virtual qint64 room(int slot) const = 0;
    // Ends the slot's connection without any call back into the relay logic.
    // `abort` drops unsent output instead of flushing it first.
    virtual void close(int slot, bool abort) = 0;
    virtual void refreshList() = 0;
    // A slash command of slot n's other than "/name" ("/join", "/rooms"): the room's host
    // decides; a host without rooms drops it, as an old server does.
    virtual void command(int slot, const QByteArray& text)
    {
        Q_UNUSED(slot);
        Q_UNUSED(text);
    }
};

} // namespace tamber::server
