// Load generator for a relay of many rooms: R rooms of 8 TCP players on 127.0.0.1, each player
// joining its room with "/join" as its first message and then sending notes at a given rate
// (or, with rate 0, as fast as the relay takes them, with at most 2,048 of its notes not yet
// seen by every other player of its room). One thread, one epoll set, no Qt.
//
// Every note carries its send time (note field) and its sender's place in the room (velocity
// field), which a relay passes on unread; so each delivered copy gives a latency, and each
// receiver checks that every sender's notes arrive whole, in order, and none lost.
//
//   rooms_bench [--rooms R] [--rate N] [--seconds S] [--port P] [--pid SERVER_PID]
//               [--no-join] [--idle]
//
//   --no-join  players send no "/join" and wait for no greeting (one room: ncat --broker,
//              or a relay of a single room)
//   --idle     players join and wait; prints the server's memory per connection
//   --pid      the server's process, for its CPU time and memory (/proc)
//
// Prints one line of `key value` pairs, for scripts (bench/rooms_bench.sh).

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSeats = 8;
constexpr long long kWindow = 2048; // raw mode: a sender's notes not yet seen by all
constexpr int kBurst = 64;          // raw mode: notes written per write()

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Options
{
    int rooms = 1;
    double rate = 10; // notes a second per player; 0: as fast as possible
    double seconds = 10;
    int port = 9050;
    int pid = 0;
    bool join = true;
    bool idle = false;
};

struct Player
{
    int fd = -1;
    int room = 0;
    int seat = 0; // place in the room, 0..7 (not the relay's seat number)
    std::string in;
    std::string out;
    unsigned seated = 0; // relay seats named in the room so far (bit per seat)
    long long sent = 0;
    long long lastStamp[kSeats] = {};
    long long seenFrom[kSeats] = {};
    bool writable = true;
};

// Latency of every delivered copy, in microseconds up to 10 s.
class Histogram
{
public:
    Histogram() : m_counts(10'000'001, 0) {}
    void add(long long ns)
    {
        const long long us =
            std::clamp(ns / 1000, 0LL, static_cast<long long>(m_counts.size() - 1));
        ++m_counts[size_t(us)];
        ++m_total;
        m_max = std::max(m_max, ns);
    }
    double percentileMs(double p) const
    {
        if (m_total == 0)
            return 0;
        const long long wanted = std::max(1LL, static_cast<long long>(p * double(m_total)));
        long long seen = 0;
        for (size_t us = 0; us < m_counts.size(); ++us) {
            seen += m_counts[us];
            if (seen >= wanted)
                return double(us) / 1000.0;
        }
        return 0;
    }
    double maxMs() const { return double(m_max) / 1e6; }
    long long total() const { return m_total; }

private:
    std::vector<unsigned> m_counts;
    long long m_total = 0;
    long long m_max = 0;
};

struct ProcessUse
{
    double cpuSeconds = 0;
    double rssKiB = 0;
};

ProcessUse processUse(int pid)
{
    ProcessUse use;
    if (pid <= 0)
        return use;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    const size_t paren = line.rfind(')');
    if (paren != std::string::npos) {
        // Fields after the command: state is field 3; utime and stime are 14 and 15.
        const char* p = line.c_str() + paren + 2;
        unsigned long long utime = 0, stime = 0;
        int field = 3;
        while (*p && field < 14) {
            if (*p++ == ' ')
                ++field;
        }
        std::sscanf(p, "%llu %llu", &utime, &stime);
        use.cpuSeconds = double(utime + stime) / double(sysconf(_SC_CLK_TCK));
    }
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            use.rssKiB = std::atof(line.c_str() + 6);
    }
    return use;
}

std::string field(const char* text)
{
    return std::string(text) + '\0';
}

std::string note(long long stamp, int seat)
{
    return field("NoteOn") + field(std::to_string(stamp).c_str()) +
           field(std::to_string(seat).c_str()) + '\x01';
}

class Bench
{
public:
    explicit Bench(const Options& options) : m_options(options)
    {
        m_epoll = epoll_create1(0);
        m_begin = nowNs();
    }

    void connectAll()
    {
        const int total = m_options.rooms * kSeats;
        m_players.resize(size_t(total));
        for (int i = 0; i < total; ++i) {
            Player& p = m_players[size_t(i)];
            p.room = i / kSeats;
            p.seat = i % kSeats;
            p.fd = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_port = htons(uint16_t(m_options.port));
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            if (p.fd < 0 ||
                connect(p.fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
                std::fprintf(stderr, "connect %d: %s\n", i, std::strerror(errno));
                std::exit(1);
            }
            const int one = 1;
            setsockopt(p.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
            fcntl(p.fd, F_SETFL, O_NONBLOCK);
            epoll_event event{};
            event.events = EPOLLIN;
            event.data.u32 = uint32_t(i);
            epoll_ctl(m_epoll, EPOLL_CTL_ADD, p.fd, &event);
            if (m_options.join) {
                const std::string join =
                    field("ChatMsg") + field(("/join r" + std::to_string(p.room)).c_str()) + '\x01';
                queue(p, join);
            }
            // Serve what the relay has sent so far, so that thousands of greetings do not
            // pile up in the kernel while the rest connect.
            if (i % 64 == 63)
                poll(0);
        }
    }

    // Waits until every player has seen all eight seats of its room taken.
    bool awaitSeating(double timeoutSeconds)
    {
        if (!m_options.join) {
            // Nothing to wait for but a greeting, if any.
            const long long settled = nowNs() + 500'000'000;
            while (nowNs() < settled)
                poll(10'000'000);
            return true;
        }
        const long long deadline = nowNs() + static_cast<long long>(timeoutSeconds * 1e9);
        while (nowNs() < deadline) {
            const bool all = std::all_of(m_players.begin(), m_players.end(),
                                         [](const Player& p) { return p.seated == 0xFF; });
            if (all)
                return true;
            poll(10'000'000);
        }
        return false;
    }

    void run()
    {
        m_measuring = true;
        const ProcessUse before = processUse(m_options.pid);
        const long long begin = nowNs();
        const long long end = begin + static_cast<long long>(m_options.seconds * 1e9);
        const long long total = static_cast<long long>(m_players.size());
        const double period = m_options.rate > 0 ? 1e9 / (m_options.rate * double(total)) : 0;
        long long next = 0; // sends so far, over all players in turn
        while (nowNs() < end) {
            if (m_options.rate > 0) {
                // A few hundred notes at a time, then what has arrived: a client that falls
                // behind must not stop reading to catch up, or it measures itself.
                const long long now = nowNs();
                for (int i = 0;
                     i < 256 && begin + static_cast<long long>(double(next) * period) <= now;
                     ++i, ++next) {
                    Player& p = m_players[size_t(next % total)];
                    sendNote(p, nowNs());
                }
                const long long due = begin + static_cast<long long>(double(next) * period);
                poll(std::max(0LL, due - nowNs()));
            } else {
                for (Player& p : m_players)
                    sendRaw(p);
                poll(1'000'000);
            }
        }
        const double elapsed = double(nowNs() - begin) / 1e9;
        const ProcessUse after = processUse(m_options.pid);
        const long long deliveredInWindow = m_delivered;
        m_measuring = false;
        // What is still on its way is awaited (and counted for loss), not measured.
        const long long settleBy = nowNs() + 5'000'000'000LL;
        while (m_deliveredAll < expected() && nowNs() < settleBy)
            poll(10'000'000);
        report(elapsed, before, after, deliveredInWindow);
    }

    ProcessUse baseline() const { return processUse(m_options.pid); }

private:
    long long expected() const
    {
        long long sent = 0;
        for (const Player& p : m_players)
            sent += p.sent;
        return sent * (kSeats - 1);
    }

    void queue(Player& p, const std::string& bytes)
    {
        p.out += bytes;
        flushOut(p);
    }

    void flushOut(Player& p)
    {
        while (!p.out.empty()) {
            const ssize_t put = write(p.fd, p.out.data(), p.out.size());
            if (put <= 0) {
                if (errno != EAGAIN && errno != EWOULDBLOCK)
                    fail(p, "write");
                if (p.writable) {
                    p.writable = false;
                    watch(p, EPOLLIN | EPOLLOUT);
                }
                return;
            }
            p.out.erase(0, size_t(put));
        }
        if (!p.writable) {
            p.writable = true;
            watch(p, EPOLLIN);
        }
    }

    void watch(Player& p, uint32_t events)
    {
        epoll_event event{};
        event.events = events;
        event.data.u32 = uint32_t(&p - m_players.data());
        epoll_ctl(m_epoll, EPOLL_CTL_MOD, p.fd, &event);
    }

    void sendNote(Player& p, long long now)
    {
        ++p.sent;
        queue(p, note(now - m_begin, p.seat));
    }

    void sendRaw(Player& p)
    {
        if (!p.out.empty())
            return;
        long long slowest = p.sent;
        for (int s = 0; s < kSeats; ++s) {
            const Player& other = m_players[size_t(p.room * kSeats + s)];
            if (s != p.seat)
                slowest = std::min(slowest, other.seenFrom[p.seat]);
        }
        if (p.sent - slowest >= kWindow)
            return;
        std::string burst;
        const long long stamp = nowNs() - m_begin;
        for (int i = 0; i < kBurst; ++i)
            burst += note(stamp, p.seat);
        p.sent += kBurst;
        queue(p, burst);
    }

    // Sleeps until something is ready, at most timeoutNs: a client that spun would take the
    // relay's CPU and be measured as the relay's latency.
    void poll(long long timeoutNs)
    {
        epoll_event events[256];
        const timespec timeout{time_t(timeoutNs / 1'000'000'000), long(timeoutNs % 1'000'000'000)};
        const int ready = epoll_pwait2(m_epoll, events, 256, &timeout, nullptr);
        for (int i = 0; i < ready; ++i) {
            Player& p = m_players[events[i].data.u32];
            if (events[i].events & EPOLLOUT)
                flushOut(p);
            if (events[i].events & (EPOLLIN | EPOLLHUP | EPOLLERR))
                readFrom(p);
        }
    }

    void readFrom(Player& p)
    {
        char buffer[65536];
        for (;;) {
            const ssize_t got = read(p.fd, buffer, sizeof buffer);
            if (got == 0)
                fail(p, "the relay closed the connection");
            if (got < 0) {
                if (errno != EAGAIN && errno != EWOULDBLOCK)
                    fail(p, "read");
                return;
            }
            const long long now = nowNs() - m_begin;
            p.in.append(buffer, size_t(got));
            size_t start = 0;
            for (size_t end; (end = p.in.find('\x01', start)) != std::string::npos; start = end + 1)
                handle(p, p.in.data() + start, end - start, now);
            p.in.erase(0, start);
            if (size_t(got) < sizeof buffer)
                return;
        }
    }

    void handle(Player& p, const char* message, size_t size, long long now)
    {
        const std::string_view text(message, size);
        if (text.substr(0, 7) == std::string_view("NoteOn\0", 7)) {
            const char* stampText = message + 7;
            const long long stamp = std::atoll(stampText);
            const char* seatText = std::strchr(stampText, '\0') + 1;
            const int seat = std::atoi(seatText);
            if (seat < 0 || seat >= kSeats) {
                ++m_foreign;
                return;
            }
            if (seat == p.seat) {
                // A relay that sends a player its own notes back (ncat does not).
                if (m_measuring)
                    ++m_echoesInWindow;
                return;
            }
            if (stamp < p.lastStamp[seat])
                ++m_outOfOrder;
            p.lastStamp[seat] = stamp;
            ++p.seenFrom[seat];
            ++m_deliveredAll;
            if (m_measuring) {
                ++m_delivered;
                m_latency.add(now - stamp);
            }
        } else if (text.substr(0, 9) == std::string_view("UserName\0", 9)) {
            const int seat = std::atoi(message + 9);
            const std::string_view name = text.substr(9 + (seat >= 10 ? 3 : 2));
            if (seat >= 1 && seat <= kSeats) {
                if (name == std::string_view("-\0", 2))
                    p.seated &= ~(1u << (seat - 1));
                else
                    p.seated |= 1u << (seat - 1);
            }
        }
    }

    [[noreturn]] void fail(const Player& p, const char* what)
    {
        std::fprintf(stderr, "player %zu (room %d): %s: %s\n", size_t(&p - m_players.data()),
                     p.room, what, std::strerror(errno));
        std::exit(1);
    }

    void report(double elapsed, const ProcessUse& before, const ProcessUse& after,
                long long delivered)
    {
        const long long sent = expected() / (kSeats - 1);
        const double cpu = after.cpuSeconds - before.cpuSeconds;
        std::printf("rooms %d players %zu rate %g seconds %.2f in_per_s %.0f out_per_s %.0f "
                    "echo_per_s %.0f p50_ms %.3f p99_ms %.3f max_ms %.3f lost %lld out_of_order "
                    "%lld foreign %lld "
                    "server_cpu_per_s %.3f server_cpu_us_per_in %.3f server_rss_kib %.0f\n",
                    m_options.rooms, m_players.size(), m_options.rate, elapsed,
                    double(sent) / elapsed, double(delivered) / elapsed,
                    double(m_echoesInWindow) / elapsed, m_latency.percentileMs(0.5),
                    m_latency.percentileMs(0.99), m_latency.maxMs(), expected() - m_deliveredAll,
                    m_outOfOrder, m_foreign, cpu / elapsed,
                    sent > 0 ? cpu * 1e6 / double(sent) : 0.0, after.rssKiB);
    }

    Options m_options;
    int m_epoll = -1;
    long long m_begin = 0;
    std::vector<Player> m_players;
    Histogram m_latency;
    bool m_measuring = false;
    long long m_delivered = 0;
    long long m_deliveredAll = 0;
    long long m_echoesInWindow = 0;
    long long m_outOfOrder = 0;
    long long m_foreign = 0;
};

} // namespace

int main(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&] {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "%s needs a value\n", arg.c_str());
                std::exit(2);
            }
            return std::atof(argv[++i]);
        };
        if (arg == "--rooms")
            options.rooms = std::max(1, int(value()));
        else if (arg == "--rate")
            options.rate = value();
        else if (arg == "--seconds")
            options.seconds = value();
        else if (arg == "--port")
            options.port = int(value());
        else if (arg == "--pid")
            options.pid = int(value());
        else if (arg == "--no-join")
            options.join = false;
        else if (arg == "--idle")
            options.idle = true;
        else {
            std::fprintf(stderr, "unknown argument %s (see the top of rooms_bench.cpp)\n",
                         arg.c_str());
            return 2;
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_NOFILE, &limit);
    limit.rlim_cur = limit.rlim_max;
    setrlimit(RLIMIT_NOFILE, &limit);

    Bench bench(options);
    const ProcessUse empty = bench.baseline();
    bench.connectAll();
    if (!bench.awaitSeating(30 + options.rooms / 50.0)) {
        std::fprintf(stderr, "not every player was seated with its room full\n");
        return 1;
    }
    if (options.idle) {
        const ProcessUse held = bench.baseline();
        std::printf("connections %d server_rss_kib %.0f server_rss_empty_kib %.0f "
                    "kib_per_connection %.2f\n",
                    options.rooms * kSeats, held.rssKiB, empty.rssKiB,
                    (held.rssKiB - empty.rssKiB) / (options.rooms * kSeats));
        return 0;
    }
    bench.run();
    return 0;
}
