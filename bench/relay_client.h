#pragma once

// What the relay benchmarks' clients share: a steady clock in nanoseconds and a connection to
// the relay on 127.0.0.1 (port 9050 unless told), non-blocking unless told, without Nagle's
// delay.

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace relay_bench {

inline long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline int connectClient(uint16_t port = 9050, bool nonBlocking = true)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::perror("connect");
        std::exit(1);
    }
    const int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (nonBlocking)
        fcntl(fd, F_SETFL, O_NONBLOCK);
    return fd;
}

} // namespace relay_bench
