// A relay stand-in that floods one piano with chat lines, for benchmarks.
//
// Listens on 127.0.0.1:PORT, greets the first client as user 1 the way the relay does and then
// obeys commands on standard input, one per line:
//   flood   stream chat lines at RATE lines a second, paced every millisecond
//   stop    stop streaming and print what was sent
// Lines printed: "listening", "joined", "flood-start NS", "flood-stop NS lines N rate R/s
// backlog-max B last LINE", with NS on CLOCK_MONOTONIC. The backlog is how many lines were
// due but not yet taken by the socket: it stays small while the piano keeps up.
//
//   chat-flood [PORT [RATE]]        defaults 9050 and 20000
#include "common/protocol/Codec.h"
#include "common/protocol/Messages.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

using namespace tamber;

namespace {

int64_t nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return int64_t(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

int listenOn(uint16_t port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 8) != 0) {
        std::perror("chat-flood: listen");
        std::exit(1);
    }
    return fd;
}

// Every line differs and carries its number, so the far end can tell the last one.
QByteArray chatLine(int64_t n)
{
    const QByteArray text = "User" + QByteArray::number(n % 8 + 1) + ": flood line " +
                            QByteArray::number(n).rightJustified(8, '0') + " of a chatty peer";
    return protocol::encode(protocol::ChatLine{text});
}

struct Flood
{
    bool on = false;
    int64_t started = 0;
    int64_t due = 0;     // lines due since the start
    int64_t written = 0; // lines whose last byte went into the socket
    int64_t backlogMax = 0;
    QByteArray pending;           // bytes generated and not yet written
    int64_t sentBytes = 0;        // since the start
    int64_t generatedBytes = 0;   // since the start
    std::deque<int64_t> lineEnds; // where each line not yet written ends, since the start
    QByteArray lastText;
};

} // namespace

int main(int argc, char** argv)
{
    const uint16_t port = uint16_t(argc > 1 ? std::atoi(argv[1]) : protocol::kPort);
    const int rate = argc > 2 ? std::atoi(argv[2]) : 20000;
    const int listener = listenOn(port);
    std::printf("listening\n");
    std::fflush(stdout);

    const int client = accept(listener, nullptr, nullptr);
    if (client < 0)
        return std::perror("chat-flood: accept"), 1;
    const int yes = 1;
    setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    const QByteArray greeting = protocol::encode(protocol::UserIdMessage{"User1", 1}) +
                                protocol::encode(protocol::ChatLine{"Welcome to Corvent!"}) +
                                protocol::encode(protocol::UserNameMessage{1, "User1"});
    if (write(client, greeting.constData(), size_t(greeting.size())) != greeting.size())
        return std::perror("chat-flood: greeting"), 1;
    std::printf("joined\n");
    std::fflush(stdout);

    Flood flood;
    std::string command;
    char drain[4096];
    for (;;) {
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {client, POLLIN, 0}};
        if (flood.on && !flood.pending.isEmpty())
            fds[1].events |= POLLOUT;
        if (poll(fds, 2, flood.on ? 1 : -1) < 0 && errno != EINTR)
            return std::perror("chat-flood: poll"), 1;

        if (fds[0].revents & (POLLIN | POLLHUP)) {
            char c = 0;
            if (read(STDIN_FILENO, &c, 1) <= 0)
                break;
            if (c != '\n') {
                command += c;
                continue;
            }
            if (command == "flood" && !flood.on) {
                flood = Flood{};
                flood.on = true;
                flood.started = nowNs();
                std::printf("flood-start %lld\n", (long long)flood.started);
            } else if (command == "stop" && flood.on) {
                const int64_t stopped = nowNs();
                const double seconds = double(stopped - flood.started) / 1e9;
                std::printf("flood-stop %lld lines %lld rate %.0f/s backlog-max %lld last %s\n",
                            (long long)stopped, (long long)flood.written,
                            double(flood.written) / seconds, (long long)flood.backlogMax,
                            flood.lastText.constData());
                flood.on = false;
            }
            std::fflush(stdout);
            command.clear();
        }
        // What the piano sends (its instrument, notes) is read and ignored.
        if (fds[1].revents & POLLIN) {
            if (read(client, drain, sizeof drain) <= 0)
                break;
        }
        if (!flood.on)
            continue;

        const int64_t dueNow = (nowNs() - flood.started) * rate / 1'000'000'000;
        for (; flood.due < dueNow; ++flood.due) {
            const QByteArray line = chatLine(flood.due);
            flood.pending += line;
            flood.generatedBytes += line.size();
            flood.lineEnds.push_back(flood.generatedBytes);
        }
        flood.backlogMax = std::max<int64_t>(flood.backlogMax, int64_t(flood.lineEnds.size()));
        if (flood.pending.isEmpty())
            continue;
        const ssize_t sent =
            send(client, flood.pending.constData(), size_t(flood.pending.size()), MSG_DONTWAIT);
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            break;
        if (sent <= 0)
            continue;
        flood.pending.remove(0, sent);
        flood.sentBytes += sent;
        bool progressed = false;
        while (!flood.lineEnds.empty() && flood.lineEnds.front() <= flood.sentBytes) {
            flood.lineEnds.pop_front();
            ++flood.written;
            progressed = true;
        }
        if (progressed)
            flood.lastText = protocol::splitFields(chatLine(flood.written - 1).chopped(1)).value(1);
    }
    close(client);
    close(listener);
    return 0;
}
