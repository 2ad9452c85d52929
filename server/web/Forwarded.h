#pragma once

// Whom a reverse proxy in front of the web port speaks for. Only proxies the operator named
// are believed; each appends the address it took the request from, so the client is the
// rightmost address that is not itself one of them. Whatever lies to the left of it was written
// by the client and proves nothing.

#include <QHostAddress>
#include <QList>
#include <optional>

namespace tamber::server {

struct HttpRequest;

// The client address a trusted proxy forwards, from X-Forwarded-For (every such field, in
// order), else from Forwarded's for= parameters; nullopt when neither names one, or the one
// to believe is not an address (unknown, obfuscated, junk).
std::optional<QHostAddress> forwardedClient(const HttpRequest& request,
                                            const QList<QHostAddress>& trusted);

} // namespace tamber::server
