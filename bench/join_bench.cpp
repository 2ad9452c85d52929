// Time from a piano's connect to its greeting, for an old-style piano (which sends nothing and
// is seated once the relay's wait is up) and for a new one that names its room with "/join",
// and the time of a "/join" move between rooms. Against a relay on 127.0.0.1:PORT:
//   join_bench [port] [rounds]
// Prints the median, 99th percentile and worst of each, in milliseconds.

#include "relay_client.h"

#include <algorithm>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using relay_bench::nowNs;

int connectTo(int port)
{
    return relay_bench::connectClient(uint16_t(port), false);
}

void sendChat(int fd, const std::string& text)
{
    const std::string message = std::string("ChatMsg") + '\0' + text + '\0' + '\x01';
    if (write(fd, message.data(), message.size()) != ssize_t(message.size())) {
        std::perror("write");
        std::exit(1);
    }
}

// Reads until `bytes` holds `what`; the time it arrived, in ns.
long long waitFor(int fd, std::string& bytes, const std::string& what)
{
    char buffer[4096];
    while (bytes.find(what) == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 5000) <= 0) {
            std::fprintf(stderr, "no answer within 5 s\n");
            std::exit(1);
        }
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            std::fprintf(stderr, "the relay closed the connection\n");
            std::exit(1);
        }
        bytes.append(buffer, size_t(got));
    }
    return nowNs();
}

void report(const char* what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s p50 %7.2f ms  p99 %7.2f ms  max %7.2f ms  (%zu)\n", what, ms[ms.size() / 2],
                ms[std::min(ms.size() - 1, ms.size() * 99 / 100)], ms.back(), ms.size());
}

} // namespace

int main(int argc, char** argv)
{
    const int port = argc > 1 ? std::atoi(argv[1]) : 9050;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 100;
    const std::string userId = std::string("UserID") + '\0';
    std::vector<double> old, joined, moved;
    for (int i = 0; i < rounds; ++i) {
        {
            const long long start = nowNs();
            const int fd = connectTo(port);
            std::string bytes;
            old.push_back(double(waitFor(fd, bytes, userId) - start) / 1e6);
            close(fd);
        }
        const long long start = nowNs();
        const int fd = connectTo(port);
        sendChat(fd, "/join bench" + std::to_string(i % 50));
        std::string bytes;
        joined.push_back(double(waitFor(fd, bytes, userId) - start) / 1e6);
        // The move: the next "UserID" is the other room's greeting.
        const std::string there = "This is room other" + std::to_string(i % 50) + '.';
        const long long moveStart = nowNs();
        sendChat(fd, "/join other" + std::to_string(i % 50));
        std::string after;
        moved.push_back(double(waitFor(fd, after, there) - moveStart) / 1e6);
        close(fd);
    }
    report("connect to greeting, old piano", old);
    report("connect to greeting, \"/join\" first", joined);
    report("\"/join\" move to greeting", moved);
    return 0;
}
