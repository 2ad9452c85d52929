#pragma once

#include <QString>
#include <cstdint>
#include <variant>

namespace tamber {

// Where Join Session goes: a relay's host and port, and the room asked for (empty: the
// server's default room).
struct SessionAddress
{
    QString host;
    uint16_t port = 0;
    QString room;
    bool operator==(const SessionAddress&) const = default;
};

// What is wrong with a typed address; `part` is the piece at fault, as typed.
struct AddressError
{
    enum class Kind
    {
        Empty,       // nothing but blanks
        MissingHost, // ":9051" or "/jazz"
        BadHost,     // characters no host name or IPv4 address has
        BadIpv6,     // more than one colon outside brackets, or brackets without an IPv6 address
        BadPort,     // not a number from 1 to 65535
        BadRoom,     // not a room name
    };
    Kind kind = Kind::Empty;
    QString part;
    bool operator==(const AddressError&) const = default;
};

// Reads what the user typed into Join Session: `host`, `host:port`, `host/room`,
// `host:port/room`, an IPv6 address in brackets (`[::1]`, `[::1]:9051/jazz`). Blanks around
// the whole are ignored; the port defaults to defaultPort.
std::variant<SessionAddress, AddressError> parseSessionAddress(const QString& typed,
                                                               uint16_t defaultPort);

} // namespace tamber
