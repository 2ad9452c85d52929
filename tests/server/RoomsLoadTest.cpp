// Many rooms at once over loopback: 2,000 pianos in 250 rooms, each room hearing only itself.
// Slow under the sanitizers, so it has a label of its own ("slow") that a quick run can leave out.

#include "server/RelayServer.h"
#include "server/net/Sockets.h"

#include <QDeadlineTimer>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <unistd.h>
#include <vector>

namespace tamber::server {
namespace {

using Fields = QList<QByteArray>;

constexpr int kRooms = 250;
constexpr int kPianos = kRooms * 8;

struct Piano
{
    int fd = -1;
    protocol::MessageAssembler assembler{0};
    QList<Fields> got;
};

// The pianos' side, on non-blocking sockets watched by one epoll set.
class Pianos
{
public:
    explicit Pianos(quint16 port) : m_port(port), m_epoll(::epoll_create1(EPOLL_CLOEXEC)) {}
    ~Pianos()
    {
        for (Piano& piano : m_pianos)
            ::close(piano.fd);
        ::close(m_epoll);
    }

    // Connects one more and sends its first message at once.
    bool add(const QByteArray& first)
    {
        Piano piano;
        piano.fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(m_port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (piano.fd < 0 ||
            ::connect(piano.fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            return false;
        const int one = 1;
        ::setsockopt(piano.fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        epoll_event event{};
        event.events = EPOLLIN;
        event.data.u64 = m_pianos.size();
        ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, piano.fd, &event);
        m_pianos.push_back(std::move(piano));
        return send(m_pianos.size() - 1, first);
    }
    bool send(std::size_t i, const QByteArray& bytes)
    {
        return ::write(m_pianos[i].fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    // Reads until the condition holds; false if it never did within the bound, which only
    // keeps a broken relay from hanging the suite.
    bool readUntil(const std::function<bool()>& condition)
    {
        QDeadlineTimer deadline(120000);
        epoll_event events[64];
        char buffer[65536];
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            const int ready = ::epoll_wait(m_epoll, events, 64, 100);
            for (int e = 0; e < ready; ++e) {
                Piano& piano = m_pianos[events[e].data.u64];
                const ssize_t got = ::read(piano.fd, buffer, sizeof buffer);
                if (got <= 0)
                    continue;
                for (const QByteArray& m : piano.assembler.feed(QByteArray(buffer, got)))
                    piano.got.append(protocol::splitFields(m));
            }
        }
        return true;
    }
    Piano& operator[](std::size_t i) { return m_pianos[i]; }
    std::size_t size() const { return m_pianos.size(); }

private:
    quint16 m_port;
    int m_epoll;
    std::vector<Piano> m_pianos;
};

QByteArray roomOf(int piano)
{
    return "room" + QByteArray::number(piano / 8);
}

TEST(RoomsLoad, TwoThousandPianosInTwoHundredFiftyRoomsEachHearOnlyTheirOwnRoom)
{
    if (net::raiseOpenFileLimit() < 2 * kPianos + 200)
        GTEST_SKIP() << "the open-file limit is too low for " << kPianos << " connections";
    RelayLimits limits;
    limits.connections.perAddress = 0; // every piano comes from loopback
    RelayServer server(limits);
    ASSERT_TRUE(server.start(0, QHostAddress::LocalHost));
    Pianos pianos(server.port());
    // A room at a time, every greeting taken before the next, so the listen backlog never
    // overflows into SYN retries.
    for (int i = 0; i < kPianos; ++i) {
        ASSERT_TRUE(pianos.add(protocol::buildMessage({"ChatMsg", "/join " + roomOf(i)})));
        if (i % 8 == 7) {
            // The room is full once all eight have heard of the eighth, which comes last.
            ASSERT_TRUE(pianos.readUntil([&] {
                for (int j = i - 7; j <= i; ++j) {
                    if (pianos[j].got.isEmpty() ||
                        pianos[j].got.last() != Fields{"UserName", "8", "User8"})
                        return false;
                }
                return true;
            })) << i;
        }
    }
    EXPECT_EQ(server.rooms().size(), kRooms);
    for (int i = 0; i < kPianos; ++i) {
        pianos[i].got.clear();
        ASSERT_TRUE(pianos.send(i, protocol::buildMessage({"ChatMsg", "from " + roomOf(i)})));
    }
    ASSERT_TRUE(pianos.readUntil([&] {
        for (std::size_t i = 0; i < pianos.size(); ++i) {
            if (pianos[i].got.size() < 8)
                return false;
        }
        return true;
    }));
    for (int i = 0; i < kPianos; ++i) {
        ASSERT_EQ(pianos[i].got.size(), 8) << i;
        for (const Fields& f : pianos[i].got)
            ASSERT_TRUE(f.value(1).endsWith(": from " + roomOf(i))) << i << f.value(1).constData();
    }
}

} // namespace
} // namespace tamber::server
