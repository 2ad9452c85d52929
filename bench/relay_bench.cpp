// Relay benchmark client: 8 clients on 127.0.0.1:9050 measure the one-way relay latency at a
// steady 8 x 500 notes/s, then the saturated throughput (messages delivered per second,
// summed over all receivers). Works against CorventServer and against a raw byte relay
// (ncat --broker); each note carries its send time in the note field, which both pass on.
//
//   relay_bench [seconds per phase, default 5] [latency|throughput|both, default both]

#include "relay_client.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kClients = 8;
constexpr int kRatePerClient = 500;

using relay_bench::connectClient;
using relay_bench::nowNs;

std::string note(long long stamp)
{
    std::string m = "NoteOn";
    m += '\0';
    m += std::to_string(stamp);
    m += '\0';
    m += "127";
    m += '\0';
    m += '\x01';
    return m;
}

struct Receiver
{
    int fd;
    std::string pending;
};

// Reads what is there. For each whole note: records its age (ns) if `latencies` is given,
// or counts it against its sender (the note field) if `fromSender` is given.
long long drain(Receiver& r, std::vector<long long>* latencies,
                std::vector<long long>* fromSender = nullptr)
{
    char buffer[65536];
    long long messages = 0;
    for (;;) {
        const ssize_t got = read(r.fd, buffer, sizeof buffer);
        if (got == 0) {
            std::fprintf(stderr, "relay closed a client\n");
            std::exit(1);
        }
        if (got < 0)
            break;
        const long long now = nowNs();
        r.pending.append(buffer, size_t(got));
        size_t start = 0;
        for (size_t end; (end = r.pending.find('\x01', start)) != std::string::npos;
             start = end + 1) {
            const std::string message = r.pending.substr(start, end - start);
            if (message.rfind(std::string("NoteOn\0", 7), 0) == 0) {
                ++messages;
                const long long field = std::atoll(message.c_str() + 7);
                if (latencies)
                    latencies->push_back(now - field);
                if (fromSender && field >= 0 && field < kClients)
                    ++(*fromSender)[size_t(field)];
            }
        }
        r.pending.erase(0, start);
    }
    return messages;
}

void measureLatency(std::vector<Receiver>& clients, double seconds)
{
    std::vector<long long> latencies;
    const long long period = 1'000'000'000LL / kRatePerClient;
    const long long begin = nowNs();
    const long long end = begin + static_cast<long long>(seconds * 1e9);
    std::vector<long long> due(kClients);
    for (int c = 0; c < kClients; ++c)
        due[c] = begin + period * c / kClients; // spread the clients over one period
    std::vector<pollfd> fds(kClients);
    for (int c = 0; c < kClients; ++c)
        fds[c] = {clients[c].fd, POLLIN, 0};

    while (nowNs() < end) {
        const long long now = nowNs();
        for (int c = 0; c < kClients; ++c) {
            if (now >= due[c]) {
                const std::string m = note(nowNs());
                if (write(clients[c].fd, m.data(), m.size()) != ssize_t(m.size()))
                    std::fprintf(stderr, "short write\n");
                due[c] += period;
            }
        }
        const long long next = *std::min_element(due.begin(), due.end());
        // Sleeps until the next note is due rather than spinning: on a small machine a spinning
        // client would take the relay's CPU and be measured as the relay's latency.
        const long long wait = std::max(0LL, next - nowNs());
        const timespec timeout{time_t(wait / 1'000'000'000), long(wait % 1'000'000'000)};
        if (ppoll(fds.data(), fds.size(), &timeout, nullptr) > 0) {
            for (int c = 0; c < kClients; ++c) {
                if (fds[c].revents & POLLIN)
                    drain(clients[c], &latencies);
            }
        }
    }
    std::sort(latencies.begin(), latencies.end());
    if (latencies.empty()) {
        std::printf("latency: no notes received\n");
        return;
    }
    const auto pct = [&](double p) {
        return double(latencies[size_t(p * double(latencies.size() - 1))]) / 1000.0;
    };
    std::printf("latency: %zu deliveries, p50 %.1f us, p99 %.1f us, max %.1f us\n",
                latencies.size(), pct(0.50), pct(0.99), pct(1.0));
}

// Every client sends as fast as the relay takes it, but keeps at most kWindow of its notes
// not yet seen by every other client, so that a relay is measured at the rate it can
// deliver rather than at the rate it can buffer.
void measureThroughput(std::vector<Receiver>& clients, double seconds)
{
    constexpr long long kBurst = 256;
    constexpr long long kWindow = 2048;
    std::vector<std::string> bursts(kClients);
    for (int c = 0; c < kClients; ++c) {
        for (int i = 0; i < kBurst; ++i)
            bursts[c] += note(c);
    }
    std::vector<size_t> offset(kClients, 0);
    std::vector<long long> sent(kClients, 0);
    std::vector<std::vector<long long>> seen(kClients, std::vector<long long>(kClients, 0));
    std::vector<pollfd> fds(kClients);
    long long delivered = 0;
    const long long begin = nowNs();
    const long long end = begin + static_cast<long long>(seconds * 1e9);
    while (nowNs() < end) {
        for (int c = 0; c < kClients; ++c) {
            long long slowest = sent[c];
            for (int r = 0; r < kClients; ++r) {
                if (r != c)
                    slowest = std::min(slowest, seen[r][c]);
            }
            const bool mayWrite = offset[c] != 0 || sent[c] - slowest < kWindow;
            fds[c] = {clients[c].fd, short(POLLIN | (mayWrite ? POLLOUT : 0)), 0};
        }
        if (poll(fds.data(), fds.size(), 10) <= 0)
            continue;
        for (int c = 0; c < kClients; ++c) {
            if (fds[c].revents & POLLIN)
                delivered += drain(clients[c], nullptr, &seen[c]);
            if (fds[c].revents & POLLOUT) {
                const std::string& burst = bursts[c];
                const ssize_t put =
                    write(clients[c].fd, burst.data() + offset[c], burst.size() - offset[c]);
                if (put > 0) {
                    offset[c] += size_t(put);
                    if (offset[c] == burst.size()) {
                        offset[c] = 0;
                        sent[c] += kBurst;
                    }
                }
            }
        }
    }
    const double elapsed = double(nowNs() - begin) / 1e9;
    std::printf("throughput: %.0f messages delivered/s (all receivers)\n",
                double(delivered) / elapsed);
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    const std::string phases = argc > 2 ? argv[2] : "both";
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<Receiver> clients;
    for (int c = 0; c < kClients; ++c)
        clients.push_back({connectClient(), {}});
    usleep(200'000);
    for (Receiver& r : clients)
        drain(r, nullptr); // the greeting, if any
    if (phases != "throughput")
        measureLatency(clients, seconds);
    if (phases == "both") {
        usleep(300'000);
        for (Receiver& r : clients)
            drain(r, nullptr);
    }
    if (phases != "latency")
        measureThroughput(clients, seconds);
    return 0;
}
