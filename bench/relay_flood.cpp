// Flood benchmark client: what a note flooder and a chat flooder cost an honest player and a
// slow reader at CorventServer on 127.0.0.1:9050. Five clients join in this order:
//   1 floods notes as fast as TCP takes them (reads everything it gets),
//   2 floods chat lines the same way,
//   3 plays honestly: a 50-note run, then 200 notes and 5 chat lines a second,
//   4 reads 200 bytes a millisecond and times the honest notes (each carries its send time),
//   5 never reads.
// Prints how far each flooder was paced, how many honest notes reached the slow reader, their
// latency there, and whether the reader that never reads was cut.
//
//   relay_flood [seconds, default 10] [quiet]
// "quiet" keeps clients 1 and 2 silent, for the honest figures without a flood.

#include "relay_client.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using relay_bench::nowNs;

// Joins in order, so the slots are 1, 2, 3...
int connectClient()
{
    const int fd = relay_bench::connectClient();
    usleep(50'000);
    return fd;
}

std::string message(std::initializer_list<std::string> fields)
{
    std::string m;
    for (const std::string& f : fields) {
        m += f;
        m += '\0';
    }
    m += '\x01';
    return m;
}

struct Client
{
    explicit Client(int socket) : fd(socket) {}

    int fd;
    std::string out; // written as the socket takes it
    std::string in;
    bool closed = false;

    void send(const std::string& bytes) { out += bytes; }
    long long pump()
    {
        if (out.empty())
            return 0;
        const ssize_t put = write(fd, out.data(), out.size());
        if (put <= 0)
            return 0;
        out.erase(0, size_t(put));
        return put;
    }
    // Reads up to `most` bytes and calls `each` with the fields of every whole message.
    template <typename Each> void read(size_t most, Each each)
    {
        char buffer[65536];
        while (most > 0) {
            const ssize_t got = ::read(fd, buffer, std::min(most, sizeof buffer));
            if (got == 0)
                closed = true;
            if (got <= 0)
                break;
            most -= size_t(got);
            in.append(buffer, size_t(got));
        }
        size_t start = 0;
        for (size_t end; (end = in.find('\x01', start)) != std::string::npos; start = end + 1) {
            std::vector<std::string> fields;
            for (size_t f = start; f < end;) {
                const size_t nul = in.find('\0', f);
                if (nul == std::string::npos || nul > end)
                    break;
                fields.push_back(in.substr(f, nul - f));
                f = nul + 1;
            }
            each(fields);
        }
        in.erase(0, start);
    }
};

double percentile(std::vector<long long> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return double(values[size_t(p * double(values.size() - 1))]) / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const bool flood = !(argc > 2 && std::strcmp(argv[2], "quiet") == 0);
    std::signal(SIGPIPE, SIG_IGN);
    Client noteFlooder(connectClient()), chatFlooder(connectClient()), player(connectClient()),
        slow(connectClient()), stopped(connectClient());
    const auto ignore = [](const std::vector<std::string>&) {};

    long long notesFlooded = 0, chatFlooded = 0, notesPlayed = 0;
    long long floodNotesSeen = 0, floodChatSeen = 0, playedSeen = 0;
    bool stoppedCut = false;
    std::vector<long long> latencies;
    std::string noteBatch, chatBatch;
    for (int i = 0; i < 256; ++i) {
        noteBatch += message({"NoteOn", "60", "1"});
        chatBatch += message({"ChatMsg", "flood"});
    }

    const long long begin = nowNs();
    const long long end = begin + static_cast<long long>(seconds * 1e9);
    long long nextNote = begin + 300'000'000; // the run starts after the floods have begun
    long long nextRead = begin;
    int run = 0;
    long long tick = 0;
    while (nowNs() < end) {
        // The flooders keep their sockets full.
        if (flood && noteFlooder.out.size() < noteBatch.size())
            noteFlooder.send(noteBatch);
        if (flood && chatFlooder.out.size() < chatBatch.size())
            chatFlooder.send(chatBatch);
        notesFlooded += noteFlooder.pump();
        chatFlooded += chatFlooder.pump();

        const long long now = nowNs();
        if (now >= nextNote) {
            const std::string stamp = std::to_string(now);
            const int notes = run < 50 ? 50 - run : 1; // the run, then one note every 5 ms
            for (int i = 0; i < notes; ++i) {
                player.send(message({"SetPatch", "0"}) + message({"NoteOn", stamp, "100"}) +
                            message({"NoteOff", "60"}));
                ++notesPlayed;
            }
            run += notes;
            if (tick++ % 40 == 0)
                player.send(message({"ChatMsg", "la la"}));
            nextNote += 5'000'000;
        }
        player.pump();

        // Everyone but the slow and the stopped reader reads all it gets.
        noteFlooder.read(size_t(-1), ignore);
        chatFlooder.read(size_t(-1), ignore);
        player.read(size_t(-1), [&](const std::vector<std::string>& f) {
            if (f.size() == 4 && f[0] == "NoteOn" && f[3] == "1")
                ++floodNotesSeen;
            else if (f.size() == 2 && f[0] == "ChatMsg" && f[1].rfind("User2: ", 0) == 0)
                ++floodChatSeen;
            else if (f.size() == 3 && f[0] == "UserName" && f[1] == "5" && f[2] == "-")
                stoppedCut = true;
        });
        if (now >= nextRead) { // 200 KB/s
            slow.read(200, [&](const std::vector<std::string>& f) {
                if (f.size() == 4 && f[0] == "NoteOn" && f[3] == "3") {
                    ++playedSeen;
                    latencies.push_back(nowNs() - std::atoll(f[1].c_str()));
                }
            });
            nextRead += 1'000'000;
        }
        pollfd fds[3] = {
            {noteFlooder.fd, POLLIN, 0}, {chatFlooder.fd, POLLIN, 0}, {player.fd, POLLIN, 0}};
        poll(fds, 3, 1);
    }
    const double elapsed = double(nowNs() - begin) / 1e9;
    const auto noteSize = static_cast<long long>(noteBatch.size() / 256);
    const auto chatSize = static_cast<long long>(chatBatch.size() / 256);
    std::printf("note flooder: wrote %.0f notes/s into its socket, %.0f/s relayed\n",
                double(notesFlooded / noteSize) / elapsed, double(floodNotesSeen) / elapsed);
    std::printf("chat flooder: wrote %.0f lines/s into its socket, %.1f/s relayed\n",
                double(chatFlooded / chatSize) / elapsed, double(floodChatSeen) / elapsed);
    std::printf("honest notes at the 200 KB/s reader: %lld of %lld, p50 %.1f us, p99 %.1f us, "
                "max %.1f us\n",
                playedSeen, notesPlayed, percentile(latencies, 0.5), percentile(latencies, 0.99),
                percentile(latencies, 1.0));
    std::printf("reader that never reads: %s; slow reader %s\n", stoppedCut ? "cut" : "not cut",
                slow.closed ? "CUT" : "still connected");
    return 0;
}
