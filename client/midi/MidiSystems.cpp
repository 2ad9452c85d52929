#include "MidiSystems.h"

#include "LibraryLog.h"
#include "MidiBackends.h"
#include "MidiLog.h"

#include <QDataStream>
#include <QIODevice>
#include <QThread>
#include <alsa/asoundlib.h>
#include <jack/jack.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <optional>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace tamber {

namespace {

// The look in a process of its own goes by this name; the program's clients, opened while it
// closes, take the program's name.
constexpr const char* kLookClientName = "Tamber Piano look";

// The look's process may lock only a little memory. A JACK client locks the server's shared
// memory into its process: over 100 MB with the server's defaults, tens of milliseconds to lock
// and as long again to unlock on closing, for the sake of an audio callback the look never
// runs. With little allowed (enough for the client's own small segments, which libjack maps
// locked) libjack says it could not lock the rest, a line in the log, and goes on. The
// program's own clients lock as ever.
void lockLittle()
{
    constexpr rlim_t kLittle = 4 << 20;
    rlimit limit{};
    if (::getrlimit(RLIMIT_MEMLOCK, &limit) == 0 && limit.rlim_cur > kLittle) {
        limit.rlim_cur = kLittle;
        ::setrlimit(RLIMIT_MEMLOCK, &limit);
    }
    // The limit does not bind a process that may lock at will (root's CAP_IPC_LOCK).
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2]{};
    constexpr unsigned kWord = CAP_IPC_LOCK / 32, kBit = 1u << (CAP_IPC_LOCK % 32);
    if (::syscall(SYS_capget, &header, caps) != 0 || !(caps[kWord].effective & kBit))
        return;
    caps[kWord].effective &= ~kBit;
    ::syscall(SYS_capset, &header, caps);
}

bool hasAlsaSequencer()
{
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0)
        return false;
    snd_seq_close(sequencer);
    return true;
}

QByteArrayList midiPorts(jack_client_t* client, unsigned long flags)
{
    QByteArrayList names;
    if (const char** ports = jack_get_ports(client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags)) {
        for (const char** port = ports; *port; ++port)
            names.append(QByteArray(*port));
        jack_free(ports);
    }
    return names;
}

// Fills in the JACK part; returns the client, still open, or null without a server.
jack_client_t* lookAtJack(MidiSystems& systems, const char* clientName)
{
    jack_client_t* client = jack_client_open(clientName, JackNoStartServer, nullptr);
    if (!client)
        return nullptr;
    systems.jackServer = true;
    systems.jackSampleRate = jack_get_sample_rate(client);
    systems.jackPlayable = midiPorts(client, JackPortIsInput);
    systems.jackAudible = midiPorts(client, JackPortIsOutput);
    return client;
}

MidiSystems lookAtAlsa()
{
    MidiSystems systems;
    systems.alsaSequencer = hasAlsaSequencer();
    return systems;
}

QByteArray encode(const MidiSystems& systems)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << systems.alsaSequencer << systems.jackServer << systems.jackSampleRate
        << systems.jackPlayable << systems.jackAudible;
    return bytes;
}

std::optional<MidiSystems> decode(const QByteArray& bytes)
{
    MidiSystems systems;
    QDataStream in(bytes);
    in >> systems.alsaSequencer >> systems.jackServer >> systems.jackSampleRate >>
        systems.jackPlayable >> systems.jackAudible;
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return systems;
}

QByteArray readToEnd(int from)
{
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, n);
        else if (n == 0 || errno != EINTR)
            return bytes;
    }
}

void writeAll(int to, const QByteArray& bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(to, bytes.constData() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR)
            return;
        done += std::max<ssize_t>(n, 0);
    }
}

// The look's process: answers, then closes what it opened, all within its time limit, after
// which the kernel ends it (SIGALRM's default). It leaves by _exit(): the program's own
// destructors and handlers belong to the program.
[[noreturn]] void runLook(const MidiSystemsProbe::Look& look, int answerTo,
                          std::chrono::seconds timeLimit)
{
    ::prctl(PR_SET_NAME, "tamber-look");
    ::signal(SIGALRM, SIG_DFL);
    sigset_t alarm;
    ::sigemptyset(&alarm);
    ::sigaddset(&alarm, SIGALRM);
    ::sigprocmask(SIG_UNBLOCK, &alarm, nullptr);
    ::alarm(static_cast<unsigned>(timeLimit.count()));
    lockLittle();
    MidiLook found = look();
    writeAll(answerTo, encode(found.systems));
    ::close(answerTo);
    if (found.thenClose)
        found.thenClose();
    ::_exit(0);
}

// What is left to play through, each with whether it is spoken of as many.
struct Left
{
    QString what;
    bool many = false;
};

QString stillPlays(const std::vector<Left>& left)
{
    if (left.empty())
        return QStringLiteral("no MIDI output is left");
    QString text = left.front().what;
    for (std::size_t i = 1; i < left.size(); ++i)
        text += QStringLiteral(" and ") + left[i].what;
    const bool many = left.size() > 1 || left.front().many;
    return text + (many ? QStringLiteral(" still play") : QStringLiteral(" still plays"));
}

} // namespace

MidiSystems probeMidiSystems()
{
    LibraryMessages messages(&lcMidi);
    MidiSystems systems = lookAtAlsa();
    if (jack_client_t* client = lookAtJack(systems, kMidiClientName))
        jack_client_close(client);
    qCDebug(lcMidi) << "ALSA sequencer:" << systems.alsaSequencer
                    << "JACK server:" << systems.jackServer;
    return systems;
}

MidiLook MidiSystemsProbe::lookAtMidiSystems()
{
    LibraryMessages messages(&lcMidi);
    MidiLook look{lookAtAlsa(), {}};
    jack_client_t* client = lookAtJack(look.systems, kLookClientName);
    qCDebug(lcMidi) << "ALSA sequencer:" << look.systems.alsaSequencer
                    << "JACK server:" << look.systems.jackServer;
    if (client) {
        look.thenClose = [client] {
            LibraryMessages closing(&lcMidi);
            jack_client_close(client);
        };
    }
    return look;
}

MidiSystemsProbe::MidiSystemsProbe(Look look, std::chrono::seconds timeLimit)
{
    // Qt makes the first thread that asks for its thread data its main thread: this one, which
    // goes on to make the application, asks before the waiting thread could.
    QThread::currentThread();
    std::promise<MidiSystems> answer;
    m_answer = answer.get_future();
    int ends[2] = {-1, -1};
    const pid_t pid = ::pipe2(ends, O_CLOEXEC) == 0 ? ::fork() : -1;
    if (pid == 0) {
        ::close(ends[0]);
        runLook(look, ends[1], timeLimit);
    }
    if (pid < 0) {
        qCDebug(lcMidi) << "no process for the look at the MIDI systems:" << std::strerror(errno)
                        << "- looking in this one";
        if (ends[0] >= 0) {
            ::close(ends[0]);
            ::close(ends[1]);
        }
        answer.set_value(probeMidiSystems());
        return;
    }
    ::close(ends[1]);
    m_waiter = std::thread([pid, from = ends[0], answer = std::move(answer)]() mutable {
        std::optional<MidiSystems> found = decode(readToEnd(from));
        ::close(from);
        if (!found) {
            found.emplace();
            found->answered = false;
        }
        answer.set_value(*found);
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFSIGNALED(status) && found->answered)
            qCDebug(lcMidi) << "the look at the MIDI systems hung closing its JACK client; ended "
                               "by signal"
                            << WTERMSIG(status);
        else if (WIFSIGNALED(status))
            qCDebug(lcMidi) << "the look at the MIDI systems gave no answer; ended by signal"
                            << WTERMSIG(status);
    });
}

MidiSystemsProbe::~MidiSystemsProbe()
{
    finish();
}

void MidiSystemsProbe::finish()
{
    if (m_waiter.joinable())
        m_waiter.join();
}

const MidiSystems& MidiSystemsProbe::result()
{
    if (!m_taken) {
        m_result = m_answer.get();
        m_taken = true;
    }
    return m_result;
}

QStringList missingSystemLines(const MidiSystems& systems, bool builtInSynth)
{
    const QString synth = QStringLiteral("the built-in synthesizer");
    QStringList lines;
    if (!systems.answered) {
        std::vector<Left> left;
        if (builtInSynth)
            left.push_back({synth + QStringLiteral(" (through PulseAudio or ALSA)")});
        return {QStringLiteral("The MIDI systems did not answer within %1 s: no JACK or ALSA MIDI "
                               "ports this time; ")
                    .arg(MidiSystemsProbe::kTimeLimit.count()) +
                stillPlays(left)};
    }
    if (!systems.jackServer) {
        std::vector<Left> left;
        if (systems.alsaSequencer)
            left.push_back({QStringLiteral("ALSA MIDI ports"), true});
        if (builtInSynth)
            left.push_back({synth + QStringLiteral(" (through PulseAudio or ALSA)")});
        lines << QStringLiteral("No JACK server is running: no JACK MIDI ports; ") +
                     stillPlays(left);
    }
    if (!systems.alsaSequencer) {
        std::vector<Left> left;
        if (systems.jackServer)
            left.push_back({QStringLiteral("JACK MIDI ports"), true});
        if (builtInSynth)
            left.push_back({synth});
        lines << QStringLiteral("No ALSA sequencer: no ALSA MIDI ports; ") + stillPlays(left);
    }
    return lines;
}

void reportMissingSystems(const MidiSystems& systems, bool builtInSynth)
{
    for (const QString& line : missingSystemLines(systems, builtInSynth))
        qCInfo(lcMidi).noquote() << line;
}

} // namespace tamber
