// libFuzzer target over the recording reader and the player.
//
// Whatever the file, the player must hand on exactly the events the file holds (up to its
// count, the last one completed with zeros), in order, and end by itself.

#include "FuzzFile.h"

#include "client/formats/RecordingFormat.h"
#include "client/recording/Player.h"
#include "tests/fakes/FakePlatform.h"

#include <vector>

namespace {

using namespace tamber;
using fuzz::longAt;
using fuzz::require;

// The event loop: time jumps to whenever the player wants to wake.
class JumpingTimer : public PlaybackTimer
{
public:
    explicit JumpingTimer(fakes::FakeTickClock& clock) : m_clock(clock) {}
    int64_t nowUs() const override { return m_us; }
    void wakeAt(int64_t dueUs) override { m_due = dueUs; }
    void cancel() override { m_due = -1; }
    void run()
    {
        while (m_due >= 0) {
            if (m_due > m_us) {
                m_clock.advance(uint32_t(m_due / 1000 - m_us / 1000));
                m_us = m_due;
            }
            m_due = -1;
            fire();
        }
    }

private:
    fakes::FakeTickClock& m_clock;
    int64_t m_us = int64_t(m_clock.now) * 1000;
    int64_t m_due = -1;
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
    JumpingTimer timer(clock);
    std::vector<uint32_t> played;
    int silenced = 0;
    Player player({clock, timer, [&](uint32_t message) { played.push_back(message); },
                   [](uint32_t) {}, [&] { ++silenced; }, [] {}});
    const auto error = player.PlayRecording(scratch.write(file));
    timer.run();

    require(played == expectedMessages(file));
    require(!player.IsPlaying());
    require(!error);
    require(silenced == (file.startsWith(QByteArray("TBR\0DATA", 8)) ? 1 : 0));
    return 0;
}
