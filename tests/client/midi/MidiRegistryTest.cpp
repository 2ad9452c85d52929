// The device registry over fake backends: numbering, names, open/close, queued input.
#include "client/midi/MidiRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <thread>
#include <utility>

using namespace tamber;

namespace {

struct Journal
{
    std::vector<std::string> lines;
};

class FakeOutPort : public MidiOutputPort
{
public:
    FakeOutPort(Journal& j, QByteArray name) : m_journal(j), m_name(std::move(name)) {}
    void send(ShortMessage m) override
    {
        m_journal.lines.push_back(m_name.toStdString() + " send " + std::to_string(m));
    }
    void close() override { m_journal.lines.push_back(m_name.toStdString() + " close"); }

private:
    Journal& m_journal;
    QByteArray m_name;
};

class FakeOutBackend : public MidiOutputBackend
{
public:
    FakeOutBackend(Journal& j, QByteArrayList ports) : m_journal(j), m_ports(std::move(ports)) {}
    const char* id() const override { return "fake"; }
    QByteArrayList portNames() override { return m_ports; }
    std::unique_ptr<MidiOutputPort> open(const QByteArray& name) override
    {
        m_journal.lines.push_back("open " + name.toStdString());
        if (name.startsWith("Busy"))
            return nullptr;
        return std::make_unique<FakeOutPort>(m_journal, name);
    }

private:
    Journal& m_journal;
    QByteArrayList m_ports;
};

class FakeInPort : public MidiInputPort
{
public:
    explicit FakeInPort(bool& alive) : m_alive(alive) { m_alive = true; }
    ~FakeInPort() override { m_alive = false; }

private:
    bool& m_alive;
};

class FakeInBackend : public MidiInputBackend
{
public:
    const char* id() const override { return "fake-in"; }
    QByteArrayList portNames() override { return {"Keys", "Pads"}; }
    std::unique_ptr<MidiInputPort> open(const QByteArray& name, Bytes onMessage) override
    {
        opened = name;
        deliver = std::move(onMessage);
        return std::make_unique<FakeInPort>(alive);
    }
    // As the backend's thread would.
    void sendFromThread(std::vector<unsigned char> bytes)
    {
        std::thread([this, bytes] { deliver(bytes.data(), bytes.size()); }).join();
    }
    QByteArray opened;
    Bytes deliver;
    bool alive = false;
};

// A port that opens in the background (as the built-in synthesizer does): ready when the test
// says so.
class SlowOutBackend : public MidiOutputBackend
{
public:
    explicit SlowOutBackend(Journal& j) : m_journal(j) {}
    const char* id() const override { return "slow"; }
    QByteArrayList portNames() override { return {"Slow"}; }
    std::unique_ptr<MidiOutputPort> open(const QByteArray& name) override
    {
        class Port : public FakeOutPort
        {
        public:
            Port(Journal& j, SlowOutBackend& backend) : FakeOutPort(j, "Slow"), m_backend(backend)
            {
            }
            ~Port() override { m_backend.ready = nullptr; }
            void whenReady(std::function<void(bool)> ready) override
            {
                m_backend.ready = std::move(ready);
            }

        private:
            SlowOutBackend& m_backend;
        };
        m_journal.lines.push_back("open " + name.toStdString());
        return std::make_unique<Port>(m_journal, *this);
    }
    void finishOpening(bool opened) { std::exchange(ready, nullptr)(opened); }
    std::function<void(bool)> ready;

private:
    Journal& m_journal;
};

void runPendingEvents()
{
    QCoreApplication::processEvents();
}

} // namespace

TEST(MidiOutputRegistry, NumbersPortsInBackendOrderAndOpensByName)
{
    Journal j;
    std::vector<std::unique_ptr<MidiOutputBackend>> backends;
    backends.push_back(std::make_unique<FakeOutBackend>(j, QByteArrayList{"Synth"}));
    backends.push_back(std::make_unique<FakeOutBackend>(j, QByteArrayList{}));
    backends.push_back(std::make_unique<FakeOutBackend>(
        j, QByteArrayList{"Busy port", QString::fromUtf8("Caf\u00e9 \u266b").toUtf8()}));
    MidiOutputRegistry outputs(std::move(backends));

    ASSERT_EQ(outputs.count(), 3);
    EXPECT_EQ(outputs.name(0), "Synth");
    EXPECT_EQ(outputs.name(1), "Busy port");
    EXPECT_EQ(outputs.name(2), QByteArray("Caf\xe9 ?")) << "menus get Latin-1";
    EXPECT_EQ(outputs.name(3), QByteArray());

    outputs.send(0x90); // nothing open: lost silently
    EXPECT_TRUE(outputs.open(2));
    outputs.send(0x7F4590);
    EXPECT_FALSE(outputs.open(1)) << "opening another device closes the first";
    EXPECT_FALSE(outputs.isOpen());
    EXPECT_FALSE(outputs.open(7));
    EXPECT_TRUE(outputs.open(0));
    outputs.close();
    outputs.close();
    const std::string cafe = QString::fromUtf8("Caf\u00e9 \u266b").toStdString();
    EXPECT_EQ(j.lines,
              (std::vector<std::string>{"open " + cafe, cafe + " send 8340880", cafe + " close",
                                        "open Busy port", "open Synth", "Synth close"}));
}

TEST(MidiOutputRegistry, AnOutputStillOpeningHearsTheHeldKeysOnceReady)
{
    Journal j;
    std::vector<std::unique_ptr<MidiOutputBackend>> backends;
    backends.push_back(std::make_unique<SlowOutBackend>(j));
    backends.push_back(std::make_unique<FakeOutBackend>(j, QByteArrayList{"Quick"}));
    auto& slow = static_cast<SlowOutBackend&>(*backends[0]);
    MidiOutputRegistry outputs(std::move(backends));
    std::vector<bool> settled;
    auto note = [&settled](bool failed) { settled.push_back(failed); };

    ASSERT_TRUE(outputs.open(0));
    outputs.whenSettled(note);
    outputs.send(makeShortMessage(0xC0, 0, 0));
    outputs.send(makeShortMessage(0x90, 60, 127)); // released before it is ready: dropped
    outputs.send(makeShortMessage(0x80, 60, 0));
    outputs.send(makeShortMessage(0x90, 72, 127)); // still held: sounds
    EXPECT_EQ(j.lines, (std::vector<std::string>{"open Slow"})) << "nothing reaches it yet";
    EXPECT_TRUE(settled.empty());
    slow.finishOpening(true);
    EXPECT_EQ(settled, (std::vector<bool>{false}));
    outputs.send(makeShortMessage(0x80, 72, 0));
    EXPECT_EQ(j.lines, (std::vector<std::string>{"open Slow", "Slow send 192", "Slow send 8341648",
                                                 "Slow send 18560"}));

    // It fails after all: what was held goes with it, and the waiter hears of the failure.
    j.lines.clear();
    ASSERT_TRUE(outputs.open(0));
    outputs.whenSettled(note);
    outputs.send(makeShortMessage(0x90, 72, 127));
    slow.finishOpening(false);
    EXPECT_EQ(settled, (std::vector<bool>{false, true}));
    EXPECT_FALSE(outputs.isOpen());
    outputs.send(makeShortMessage(0x90, 72, 127));
    EXPECT_EQ(j.lines, (std::vector<std::string>{"Slow close", "open Slow"}));

    // Another choice while it opens: no failure to tell, and the late news is not heard.
    j.lines.clear();
    ASSERT_TRUE(outputs.open(0));
    outputs.whenSettled(note);
    outputs.send(makeShortMessage(0x90, 72, 127));
    ASSERT_TRUE(outputs.open(1));
    EXPECT_EQ(settled, (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(slow.ready) << "the closed port asks no more";
    outputs.whenSettled(note);
    EXPECT_EQ(settled, (std::vector<bool>{false, true, false, false})) << "ready at once";
    EXPECT_EQ(j.lines, (std::vector<std::string>{"open Slow", "Slow close", "open Quick"}));
}

TEST(MidiInputRegistry, HandsMessagesToTheGuiThreadOnlyWhileStarted)
{
    auto owned = std::make_unique<FakeInBackend>();
    FakeInBackend& backend = *owned;
    std::vector<std::unique_ptr<MidiInputBackend>> backends;
    backends.push_back(std::move(owned));
    MidiInputRegistry inputs(std::move(backends));
    std::vector<ShortMessage> received;
    const auto guiThread = std::this_thread::get_id();
    inputs.setReceiver([&](ShortMessage m) {
        EXPECT_EQ(std::this_thread::get_id(), guiThread);
        received.push_back(m);
    });

    EXPECT_FALSE(inputs.start()) << "nothing open";
    ASSERT_EQ(inputs.count(), 2);
    ASSERT_TRUE(inputs.open(1));
    EXPECT_EQ(backend.opened, "Pads");
    backend.sendFromThread({0x90, 60, 100});
    runPendingEvents();
    EXPECT_TRUE(received.empty()) << "not started yet";

    ASSERT_TRUE(inputs.start());
    backend.sendFromThread({0x90, 60, 100});
    backend.sendFromThread({0xC0, 5});
    backend.sendFromThread({0xF0, 1, 2, 3, 0xF7}); // system exclusive
    backend.sendFromThread({60, 100});             // running status
    EXPECT_TRUE(received.empty()) << "delivered through the event loop, not directly";
    runPendingEvents();
    EXPECT_EQ(received, (std::vector<ShortMessage>{makeShortMessage(0x90, 60, 100),
                                                   makeShortMessage(0xC0, 5, 0)}));

    // A message still queued when the device closes is dropped.
    backend.sendFromThread({0x80, 60, 0});
    inputs.close();
    EXPECT_FALSE(backend.alive);
    runPendingEvents();
    EXPECT_EQ(received.size(), 2u);
}

TEST(MidiInputRegistry, ShortMessagesAreOneToThreeBytesWithAStatus)
{
    const unsigned char noteOn[] = {0x90, 60, 100};
    const unsigned char program[] = {0xC1, 7};
    const unsigned char clock[] = {0xF8};
    const unsigned char sysex[] = {0xF0, 0x7E, 0xF7};
    const unsigned char data[] = {60, 0};
    const unsigned char longer[] = {0x90, 60, 100, 0};
    EXPECT_EQ(toShortMessage(noteOn, 3), makeShortMessage(0x90, 60, 100));
    EXPECT_EQ(toShortMessage(program, 2), makeShortMessage(0xC1, 7, 0));
    EXPECT_EQ(toShortMessage(clock, 1), makeShortMessage(0xF8, 0, 0));
    EXPECT_EQ(toShortMessage(sysex, 3), std::nullopt);
    EXPECT_EQ(toShortMessage(data, 2), std::nullopt);
    EXPECT_EQ(toShortMessage(longer, 4), std::nullopt);
    EXPECT_EQ(toShortMessage(noteOn, 0), std::nullopt);
}

TEST(MidiOutputRegistry, TraceLogsEveryMessageWithItsTimeOnlyWhenAsked)
{
    Journal j;
    std::vector<std::unique_ptr<MidiOutputBackend>> backends;
    backends.push_back(std::make_unique<FakeOutBackend>(j, QByteArrayList{"Synth"}));
    MidiOutputRegistry outputs(std::move(backends));
    ASSERT_TRUE(outputs.open(0));
    outputs.send(0x00C0); // before the trace: not logged

    const QString path = QDir::temp().filePath(
        QStringLiteral("tp-trace-%1.txt").arg(QCoreApplication::applicationPid()));
    QFile::remove(path);
    EXPECT_FALSE(outputs.traceTo(QStringLiteral("/nonexistent-folder/trace.txt")));
    ASSERT_TRUE(outputs.traceTo(path));
    outputs.send(0x7F4890);
    outputs.send(0x004880);
    outputs.close();
    outputs.send(0x7F4A90); // no device open: still handed to the output layer, so logged

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    QFile::remove(path);
    ASSERT_EQ(lines.size(), 4); // three lines and the empty rest after the last newline
    long long previous = 0;
    const char* const expected[] = {"90 48 7f", "80 48 00", "90 4a 7f"};
    for (int i = 0; i < 3; ++i) {
        const QList<QByteArray> fields = lines[i].split(' ');
        ASSERT_EQ(fields.size(), 4) << lines[i].toStdString();
        bool ok = false;
        const long long ns = fields[0].toLongLong(&ok);
        EXPECT_TRUE(ok);
        EXPECT_GE(ns, previous) << "times never go back";
        previous = ns;
        EXPECT_EQ(lines[i].mid(fields[0].size() + 1).toStdString(), expected[i]);
    }
    EXPECT_EQ(j.lines.size(), 5u) << "open, three sends, close: the trace changes nothing sent";
}
