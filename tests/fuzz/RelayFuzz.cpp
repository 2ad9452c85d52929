// libFuzzer target over the wire codec and the relay's per-slot message handling.
//
// The input is a script: each step's first byte picks an action (a client joins, a client
// goes, a slot stops reading, bytes arrive on a slot) and the following bytes are its data.
// Besides the sanitizers' findings, it aborts when the relay breaks a rule of the protocol.

#include "common/protocol/Codec.h"
#include "server/RelayCore.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace tamber;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

class CheckingHost : public server::SlotHost
{
public:
    bool isConnected(int slot) const override { return connected.at(slot - 1); }
    bool send(int slot, const QByteArray& message) override
    {
        require(connected.at(slot - 1));
        // One whole message: ends in NUL SOH, no other SOH inside.
        require(message.endsWith(QByteArray("\0\x01", 2)));
        require(message.count(protocol::kMessageEnd) == 1);
        require(!protocol::splitFields(message.chopped(1)).first().isEmpty());
        return !stalled.at(slot - 1);
    }
    void close(int slot, bool) override
    {
        connected.at(slot - 1) = false;
        stalled.at(slot - 1) = false;
    }
    void refreshList() override {}

    std::array<bool, server::kSlotCount> connected{};
    std::array<bool, server::kSlotCount> stalled{};
};

// However a stream is cut into reads, the same messages come out.
void checkChunking(const QByteArray& stream, const uint8_t* cuts, size_t cutCount)
{
    protocol::MessageAssembler whole(0);
    const QList<QByteArray> expected = whole.feed(stream);
    protocol::MessageAssembler pieces(0);
    QList<QByteArray> got;
    qsizetype at = 0;
    for (size_t i = 0; at < stream.size(); ++i) {
        const qsizetype step = cutCount ? 1 + cuts[i % cutCount] % 17 : 1;
        got += pieces.feed(stream.mid(at, step));
        at += step;
    }
    require(got == expected);
    require(pieces.pendingSize() == whole.pendingSize());
    for (const QByteArray& message : got)
        require(!message.contains(protocol::kMessageEnd));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    checkChunking(input, data, size < 8 ? size : 8);

    CheckingHost host;
    server::RelayCore core(host);
    size_t at = 0;
    while (at < size) {
        const uint8_t op = data[at++];
        const int slot = 1 + (op >> 2) % server::kSlotCount;
        switch (op & 3) {
        case 0:
            if (const int n = core.firstFreeSlot()) {
                host.connected[n - 1] = true;
                core.accepted(n);
                require(core.user(n).Name == "User" + QByteArray::number(n));
            }
            break;
        case 1:
            if (host.connected[slot - 1]) {
                host.connected[slot - 1] = false;
                core.departed(slot);
            }
            break;
        case 2:
            host.stalled[slot - 1] = !host.stalled[slot - 1];
            break;
        default: {
            const size_t length = at < size ? data[at++] : 0;
            const size_t available = length < size - at ? length : size - at;
            if (host.connected[slot - 1])
                core.received(slot, input.mid(qsizetype(at), qsizetype(available)));
            at += available;
            require(core.user(slot).Pending.pendingSize() <= server::kPendingCap);
            require(core.user(slot).Name.size() <= server::kMaxChatText);
        }
        }
    }
    return 0;
}
