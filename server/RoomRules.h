#pragma once

// Who keeps order in one room, and how: the owner (the first player seated in a room they made;
// when the owner goes, the player seated longest), the lock, whether the room is listed, the
// bans by address, and the owner's chat commands. Plain and socket-free, on the room's thread:
// the room tells it who sits down and who goes, and carries out what a command asks (the lines
// to send, the player to send out). Time is given by the caller, so bans expire on any clock.

#include "server/Clock.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <functional>
#include <optional>

namespace tamber::server {

class RoomRules
{
public:
    // A player to be sent out: `reason` is their chat line and Farewell, `roomLine` what the
    // others are told once they are gone.
    struct Removal
    {
        int seat = 0;
        QByteArray reason;
        QByteArray roomLine;
    };

    // What a command asks of the room.
    struct Outcome
    {
        QList<QByteArray> toSender; // chat lines to the sender alone
        QList<QByteArray> toRoom;   // chat lines to everyone present
        std::optional<Removal> removal;
        bool infoChanged = false;    // the room's RoomInfo is to be sent again
        bool listingChanged = false; // listed or not
        QByteArray event;            // one line for the operator's log, or empty
    };

    using NameOf = std::function<QByteArray(int seat)>;

    static constexpr int kDefaultBanMinutes = 60;
    static constexpr int kMaxBanMinutes = 1440;

    // `name` as first written; a room that may not have an owner (the default room) never has.
    RoomRules(QByteArray name, bool ownable);

    const QByteArray& name() const { return m_name; }
    int owner() const { return m_owner; }
    bool isLocked() const { return m_locked; }
    bool isPrivate() const { return m_private; }
    bool isSeated(int seat) const { return m_addresses.contains(seat); }

    // Why a player from `address` may not join now, as the line they are told; nullopt when
    // they may.
    std::optional<QByteArray> joinRefusal(const QByteArray& address, Time now);

    // A player sat down in `seat` (joined or moved in); true when the room's RoomInfo changed
    // (the first player of a room they made owns it).
    bool seated(int seat, const QByteArray& address);
    // The player in `seat` left the room, by any means; true when the RoomInfo changed
    // (ownership passed on). `event` gets a line for the log then.
    bool left(int seat, QByteArray* event = nullptr);

    // Whether chat text is one of the commands handled here ("/kick 3", "/help", ...).
    static bool isCommand(const QByteArray& text);
    // Carries out a command from `sender`; `nameOf` gives a seat's present name.
    Outcome command(int sender, const QByteArray& text, Time now, const NameOf& nameOf);
    // The operator sends the player in `seat` out, in any room.
    Outcome operatorKick(int seat, const NameOf& nameOf) const;

private:
    Outcome kick(int seat, std::optional<int> banMinutes, Time now, const NameOf& nameOf);
    QList<QByteArray> help(int sender) const;
    void dropExpiredBans(Time now);

    QByteArray m_name;
    bool m_ownable;
    int m_owner = 0;
    bool m_locked = false;
    bool m_private = false;
    QList<int> m_seatedOrder; // longest seated first
    QHash<int, QByteArray> m_addresses;
    QHash<QByteArray, Time> m_bans; // address -> until
};

} // namespace tamber::server
