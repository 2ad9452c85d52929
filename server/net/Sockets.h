#pragma once

// What the relay does to every socket it takes, and the process's open-file limit.

#include <QHostAddress>
#include <sys/socket.h>

namespace tamber::server::net {

// No delay for small writes, and a peer that vanished without a word (power cut, lost route)
// is found: after a minute of silence the kernel probes every ten seconds and gives up after
// six unanswered probes; output never acknowledged gives up after the same two minutes.
void tuneClientSocket(int fd);

QHostAddress addressOf(const sockaddr* address);
// An address as the relay counts and shows it: an IPv4 peer on a dual-stack socket as the IPv4
// address it is.
QHostAddress plainAddress(const QHostAddress& address);

// Raises the soft limit of open files to the hard one, so that the relay can hold as many
// connections as the system lets it. Returns the soft limit in force afterwards.
long raiseOpenFileLimit();

} // namespace tamber::server::net
