// libFuzzer target over the recording reader and the player.
//
// Whatever the file, the player must hand on exactly the events the file holds (up to its
// count, the last one completed with zeros), in order, and end by itself.

#include "FuzzFile.h"
#include "client/files/Player.h"
#include "client/files/RecordingFormat.h"
#include "tests/fakes/FakePlatform.h"

#include <vector>

namespace {

using namespace tamber;
using fuzz::longAt;
using fuzz::require;

// Time jumps to whenever the player wants to wake.
class JumpingWaiter : public PlaybackWaiter
{
public:
    explicit JumpingWaiter(fakes::FakeTickClock& clock) : m_clock(clock) {}
    void waitFor(uint32_t milliseconds) override { m_clock.advance(milliseconds); }

private:
    fakes::FakeTickClock& m_clock;
};

std::vector<uint32_t> expectedMessages(const QByteArray& file)
{
    if (!file.startsWith(QByteArray("TBR\0DATA", 8)))
        return {};
    const qint64 held = (std::max<qint64>(0, file.size() - 12) + 7) / 8;
    const qint64 events = std::clamp<qint64>(held, 0, std::max(longAt(file, 8), 0));
    std::vector<uint32_t> messages;
    for (qint64 i = 0; i < events; ++i)
        messages.push_back(uint32_t(longAt(file, 12 + 8 * i + 4)));
    return messages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static fuzz::ScratchFile scratch(".tbr");
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));

    fakes::FakeTickClock clock;
    JumpingWaiter waiter(clock);
    fakes::FakeMessageBoxes boxes;
    std::vector<uint32_t> played;
    int silenced = 0;
    Player player({clock, waiter, boxes, [&](uint32_t message) { played.push_back(message); },
                   [&] { ++silenced; }});
    player.PlayRecording(scratch.write(file));

    require(played == expectedMessages(file));
    require(!player.IsPlaying() && !player.isInsidePlayback());
    require(boxes.shown.empty());
    require(silenced == (file.startsWith(QByteArray("TBR\0DATA", 8)) ? 1 : 0));
    return 0;
}
