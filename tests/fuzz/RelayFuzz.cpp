// libFuzzer target over the wire codec, the relay's per-slot message handling, and the slots
// on their connections (pacing, cuts, departures, Stop) with a clock the input moves.
//
// The input is a script: each step's first byte picks an action (a client joins, a client
// goes, a slot stops reading, bytes arrive on a slot, time passes, Stop and Start) and the
// following bytes are its data. Besides the sanitizers' findings, it aborts when the relay
// breaks a rule of the protocol or writes to a connection it has let go.

#include "common/protocol/Codec.h"
#include "common/protocol/Messages.h"
#include "server/RelayCore.h"
#include "server/RelayHub.h"
#include "tests/server/FakeConnection.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

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
    bool send(int slot, QByteArrayView messages) override
    {
        require(connected.at(slot - 1));
        // Whole messages: each ends in NUL SOH and has a command word.
        require(messages.endsWith(QByteArrayView("\0\x01", 2)));
        qsizetype start = 0;
        for (qsizetype at = messages.indexOf(protocol::kMessageEnd); at >= 0;
             at = messages.indexOf(protocol::kMessageEnd, at + 1)) {
            require(at > start && messages[at - 1] == protocol::kFieldEnd);
            require(messages[start] != protocol::kFieldEnd);
            start = at + 1;
        }
        return !stalled.at(slot - 1);
    }
    // A stalled slot is cut at its first message, as it always was.
    qint64 room(int slot) const override { return stalled.at(slot - 1) ? 0 : 1 << 20; }
    void close(int slot, bool) override
    {
        connected.at(slot - 1) = false;
        stalled.at(slot - 1) = false;
    }
    void refreshList() override {}

    std::array<bool, server::kSlotCount> connected{};
    std::array<bool, server::kSlotCount> stalled{};
};

// The relay's decoder reads the fields splitFields() cuts, and no others.
void checkDecoder(const QByteArray& message)
{
    const QList<QByteArray> f = protocol::splitFields(message);
    const auto got = protocol::decodeClientMessage(message);
    const QByteArray& word = f.first();
    if (word == "NoteOn" && f.size() >= 3) {
        const auto* m = got ? std::get_if<protocol::NoteOnRequest>(&*got) : nullptr;
        require(m && m->note == f[1] && m->velocity == f[2]);
    } else if (word == "NoteOff" && f.size() >= 2) {
        const auto* m = got ? std::get_if<protocol::NoteOffRequest>(&*got) : nullptr;
        require(m && m->note == f[1]);
    } else if (word == "SetPatch" && f.size() >= 2) {
        const auto* m = got ? std::get_if<protocol::SetPatchRequest>(&*got) : nullptr;
        require(m && m->program == f[1]);
    } else if (word == "ChatMsg" && f.size() >= 2) {
        const auto* m = got ? std::get_if<protocol::ChatRequest>(&*got) : nullptr;
        require(m && m->text == f[1]);
    } else {
        require(!got);
    }
}

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
    for (const QByteArray& message : got) {
        require(!message.contains(protocol::kMessageEnd));
        checkDecoder(message);
    }
}

class CheckingConnection : public server::FakeConnection
{
public:
    void write(QByteArrayView bytes) override
    {
        require(!aborted && !closing);
        // Whole messages only: every SOH closes a message whose last field ended with NUL.
        require(bytes.endsWith(protocol::kMessageEnd));
        for (qsizetype at = bytes.indexOf(protocol::kMessageEnd); at >= 0;
             at = bytes.indexOf(protocol::kMessageEnd, at + 1))
            require(at > 0 && bytes[at - 1] == protocol::kFieldEnd);
        FakeConnection::write(bytes);
        got.clear();
    }
};

void runHub(const QByteArray& input)
{
    server::FakeClock clock;
    server::RelayLimits limits;
    limits.notes = {100, 20};
    limits.chat = {5, 3};
    limits.outputCap = 512;
    limits.hardOutputCap = 4096;
    // Connections outlive the hub's hold on them, as real ones do.
    std::vector<std::unique_ptr<CheckingConnection>> connections;
    server::RelayHub hub(limits, clock);
    hub.open();
    std::array<CheckingConnection*, server::kSlotCount> present{};
    qsizetype at = 0;
    while (at < input.size()) {
        const auto op = uint8_t(input[at++]);
        const int n = 1 + (op >> 3) % server::kSlotCount;
        CheckingConnection* c = present[n - 1];
        switch (op & 7) {
        case 0:
            if (hub.hasFreeSlot()) {
                connections.push_back(std::make_unique<CheckingConnection>());
                CheckingConnection* joining = connections.back().get();
                const int slot = hub.adopt(joining);
                require(slot >= 1 && !present[slot - 1]);
                present[slot - 1] = joining;
            }
            break;
        case 1:
            if (c)
                emit c->closed();
            break;
        case 2:
            if (c) {
                c->reading = !c->reading;
                c->unsent = 0;
                c->takenAt = clock.now();
            }
            break;
        case 3:
            clock.advance(
                std::chrono::milliseconds(at < input.size() ? uint8_t(input[at++]) * 7 : 1));
            hub.wake();
            break;
        case 4:
            hub.closeAll();
            break;
        case 5:
            hub.open();
            break;
        default: {
            const qsizetype length = at < input.size() ? uint8_t(input[at++]) : 0;
            const QByteArray bytes = input.mid(at, length);
            at += bytes.size();
            // A paused connection delivers nothing until it is resumed.
            if (c && !c->paused)
                emit c->received(bytes);
        }
        }
        for (int m = 1; m <= server::kSlotCount; ++m) {
            CheckingConnection*& s = present[m - 1];
            if (s && (s->aborted || s->closing))
                s = nullptr; // let go by the hub
            if (s)
                require(hub.isPaced(m) == s->paused);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Timers and deferred deletes need an application object; its loop never runs.
    static QCoreApplication app(*argc, *argv);
    // A line for every client turned away or cut off would only slow the runs down.
    QLoggingCategory::setFilterRules(QStringLiteral("corvent.*=false"));
    return 0;
}

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
    runHub(input);
    return 0;
}
