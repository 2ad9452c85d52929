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
    bool send(int slot, const QByteArray& message) override
    {
        EXPECT_TRUE(message.endsWith(protocol::kMessageEnd));
        sent.append({slot, protocol::splitFields(message.chopped(1))});
        return !overflowing.contains(slot);
    }
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
    std::set<int> overflowing;
    QList<Sent> sent;
    QList<std::pair<int, bool>> closed;
    int refreshes = 0;
};

} // namespace tamber::server
