#pragma once

// A SlotHost without sockets: records every send, close and list rebuild.

#include "common/protocol/Codec.h"
#include "server/SlotHost.h"

#include <QList>
#include <array>
#include <gtest/gtest.h>
#include <set>

namespace tamber::server {

struct Sent
{
    int slot;
    QList<QByteArray> fields;
    bool operator==(const Sent&) const = default;
};

class FakeSlotHost : public SlotHost
{
public:
    bool isConnected(int slot) const override { return connected[slot - 1]; }
    // Notes may come several to a send: each is recorded on its own.
    bool send(int slot, QByteArrayView messages) override
    {
        EXPECT_TRUE(messages.endsWith(protocol::kMessageEnd));
        ++writes[slot - 1];
        protocol::MessageAssembler assembler(0);
        assembler.feed(messages, [&](QByteArrayView message) {
            sent.append({slot, protocol::splitFields(message.toByteArray())});
            return true;
        });
        return !overflowing.contains(slot);
    }
    // An overflowing slot is sent one message at a time, so that it is cut at the first.
    qint64 room(int slot) const override { return overflowing.contains(slot) ? 0 : 1 << 20; }
    void close(int slot, bool abort) override
    {
        if (connected[slot - 1])
            closed.append({slot, abort});
        connected[slot - 1] = false;
    }
    void refreshList() override { ++refreshes; }

    // The messages one slot received, in order.
    QList<QList<QByteArray>> to(int slot) const
    {
        QList<QList<QByteArray>> out;
        for (const Sent& s : sent) {
            if (s.slot == slot)
                out.append(s.fields);
        }
        return out;
    }

    std::array<bool, 8> connected{};
    std::array<int, 8> writes{}; // calls of send(), each perhaps of several messages
    std::set<int> overflowing;
    QList<Sent> sent;
    QList<std::pair<int, bool>> closed;
    int refreshes = 0;
};

} // namespace tamber::server
