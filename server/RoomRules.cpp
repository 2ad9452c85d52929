#include "RoomRules.h"

#include "server/RelayCore.h"
#include "server/ShownName.h"

namespace tamber::server {

namespace {

constexpr auto kNotOwner = "Only the room's owner can do that.";

enum class Word
{
    Kick,
    Ban,
    Unban,
    Lock,
    Unlock,
    Owner,
    Private,
    Public,
    Help,
};

struct Command
{
    Word word;
    const char* text;
    const char* usage; // for a command that takes a seat
};

constexpr Command kCommands[] = {
    {Word::Kick, "/kick", "Usage: /kick N (a seat from 1 to 8)."},
    {Word::Ban, "/ban", "Usage: /ban N [minutes] (a seat from 1 to 8, 1 to 1440 minutes)."},
    {Word::Unban, "/unban", nullptr},
    {Word::Lock, "/lock", nullptr},
    {Word::Unlock, "/unlock", nullptr},
    {Word::Owner, "/owner", "Usage: /owner N (a seat from 1 to 8)."},
    {Word::Private, "/private", nullptr},
    {Word::Public, "/public", nullptr},
    {Word::Help, "/help", nullptr},
};

const Command* commandOf(const QList<QByteArray>& words)
{
    if (words.isEmpty())
        return nullptr;
    const QByteArray first = words.first().toLower();
    for (const Command& command : kCommands) {
        if (first == command.text)
            return &command;
    }
    return nullptr;
}

// A plain decimal number from `least` to `most`, or nullopt.
std::optional<int> numberIn(const QByteArray& text, int least, int most)
{
    if (text.isEmpty() || text.size() > 4)
        return std::nullopt;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    const int value = text.toInt();
    if (value < least || value > most)
        return std::nullopt;
    return value;
}

QByteArray shown(const QByteArray& name)
{
    return shownName(name, HighBytes::Latin1);
}

} // namespace

RoomRules::RoomRules(QByteArray name, bool ownable) : m_name(std::move(name)), m_ownable(ownable) {}

std::optional<QByteArray> RoomRules::joinRefusal(const QByteArray& address, Time now)
{
    dropExpiredBans(now);
    if (m_bans.contains(address))
        return "You are banned from room " + m_name + '.';
    if (m_locked)
        return "Room " + m_name + " is locked.";
    return std::nullopt;
}

bool RoomRules::seated(int seat, const QByteArray& address)
{
    m_seatedOrder.removeAll(seat);
    m_seatedOrder.append(seat);
    m_addresses.insert(seat, address);
    if (!m_ownable || m_owner != 0)
        return false;
    m_owner = seat;
    return true;
}

bool RoomRules::left(int seat, QByteArray* event)
{
    m_seatedOrder.removeAll(seat);
    m_addresses.remove(seat);
    if (seat != m_owner)
        return false;
    m_owner = m_seatedOrder.isEmpty() ? 0 : m_seatedOrder.first();
    if (event && m_owner != 0) {
        *event = "Room " + m_name + ": seat " + QByteArray::number(m_owner) +
                 " owns the room now (the owner left)";
    }
    return m_owner != 0;
}

bool RoomRules::isCommand(const QByteArray& text)
{
    return text.startsWith('/') && commandOf(text.split(' ')) != nullptr;
}

RoomRules::Outcome RoomRules::command(int sender, const QByteArray& text, Time now,
                                      const NameOf& nameOf)
{
    QList<QByteArray> words;
    for (const QByteArray& word : text.split(' ')) {
        if (!word.isEmpty())
            words << word;
    }
    const Command* command = commandOf(words);
    Outcome outcome;
    if (!command)
        return outcome;
    if (command->word == Word::Help) {
        outcome.toSender = help(sender);
        return outcome;
    }
    if (sender != m_owner || m_owner == 0) {
        outcome.toSender << kNotOwner;
        return outcome;
    }

    // The commands that take a seat: a number 1..8 with a player in it, not the owner.
    int seat = 0;
    std::optional<int> minutes;
    if (command->usage) {
        const bool withMinutes = command->word == Word::Ban;
        const auto n = words.size() >= 2 ? numberIn(words[1], 1, kSlotCount) : std::nullopt;
        if (withMinutes && words.size() == 3)
            minutes = numberIn(words[2], 1, kMaxBanMinutes);
        const bool wellFormed =
            n && (words.size() == 2 || (withMinutes && words.size() == 3 && minutes));
        if (!wellFormed) {
            outcome.toSender << command->usage;
            return outcome;
        }
        seat = *n;
        if (!m_addresses.contains(seat)) {
            outcome.toSender << "Seat " + QByteArray::number(seat) + " is empty.";
            return outcome;
        }
        if (seat == sender) {
            outcome.toSender << (command->word == Word::Owner
                                     ? QByteArray("You own this room already.")
                                     : QByteArray("You cannot send yourself out."));
            return outcome;
        }
    }

    const QByteArray byOwner = " by the owner, " + shown(nameOf(sender));
    switch (command->word) {
    case Word::Kick:
        return kick(seat, std::nullopt, now, nameOf);
    case Word::Ban:
        return kick(seat, minutes.value_or(kDefaultBanMinutes), now, nameOf);
    case Word::Unban:
        m_bans.clear();
        outcome.toSender << "The room's bans are lifted.";
        outcome.event = "Room " + m_name + ": bans lifted" + byOwner;
        break;
    case Word::Lock:
    case Word::Unlock: {
        const bool lock = command->word == Word::Lock;
        outcome.infoChanged = lock != m_locked;
        m_locked = lock;
        outcome.toRoom << (lock ? QByteArray("The room is locked: nobody else may join.")
                                : QByteArray("The room is unlocked."));
        outcome.event = "Room " + m_name + (lock ? ": locked" : ": unlocked") + byOwner;
        break;
    }
    case Word::Owner:
        m_owner = seat;
        outcome.infoChanged = true;
        outcome.toRoom << nameOf(seat) + " owns the room now.";
        outcome.event = "Room " + m_name + ": " + shown(nameOf(seat)) + " (seat " +
                        QByteArray::number(seat) + ") owns the room now, given" + byOwner;
        break;
    case Word::Private:
    case Word::Public: {
        const bool hide = command->word == Word::Private;
        outcome.listingChanged = hide != m_private;
        m_private = hide;
        outcome.toRoom << (hide ? QByteArray("The room is private: it is not listed, but anyone "
                                             "who knows its name may join.")
                                : QByteArray("The room is public: it is listed."));
        outcome.event = "Room " + m_name + (hide ? ": private" : ": public") + byOwner;
        break;
    }
    case Word::Help:
        break;
    }
    return outcome;
}

RoomRules::Outcome RoomRules::kick(int seat, std::optional<int> banMinutes, Time now,
                                   const NameOf& nameOf)
{
    Outcome outcome;
    const QByteArray address = m_addresses.value(seat);
    QByteArray reason = "You were sent out of room " + m_name + " by the owner";
    if (banMinutes) {
        m_bans.insert(address, now + std::chrono::minutes(*banMinutes));
        reason += " and may not return for " + QByteArray::number(*banMinutes) + " minutes";
    }
    outcome.removal = Removal{seat, reason + '.', nameOf(seat) + " was sent out by the owner."};
    outcome.event = "Room " + m_name + ": " + shown(nameOf(seat)) + " (seat " +
                    QByteArray::number(seat) + ", " + address + ") " +
                    (banMinutes ? "banned for " + QByteArray::number(*banMinutes) + " minutes"
                                : QByteArray("kicked")) +
                    " by the owner, " + shown(nameOf(m_owner));
    return outcome;
}

RoomRules::Outcome RoomRules::operatorKick(int seat, const NameOf& nameOf) const
{
    Outcome outcome;
    outcome.removal = Removal{seat, "You were sent out of room " + m_name + " by the operator.",
                              nameOf(seat) + " was sent out by the operator."};
    outcome.event = "Room " + m_name + ": " + shown(nameOf(seat)) + " (seat " +
                    QByteArray::number(seat) + ", " + m_addresses.value(seat) +
                    ") kicked by the operator";
    return outcome;
}

QList<QByteArray> RoomRules::help(int sender) const
{
    QList<QByteArray> lines{
        "/name NAME: take another name.",
        "/join ROOM: move to room ROOM, made if it is not open.",
        "/rooms: the open rooms and their seats taken.",
    };
    if (m_ownable && sender == m_owner) {
        lines << "/kick N: send out the player in seat N."
              << "/ban N [minutes]: send out N and keep their address out (60 minutes, at most "
                 "1440)."
              << "/unban: let everyone banned back in."
              << "/lock, /unlock: refuse anyone new, or let them in again."
              << "/owner N: make the player in seat N the owner."
              << "/private, /public: leave the room out of the lists, or list it again.";
    } else if (m_ownable) {
        lines << "The room's owner may also send players out and lock the room.";
    }
    lines << "/help: this list.";
    return lines;
}

void RoomRules::dropExpiredBans(Time now)
{
    for (auto it = m_bans.begin(); it != m_bans.end();) {
        if (it.value() <= now)
            it = m_bans.erase(it);
        else
            ++it;
    }
}

} // namespace tamber::server
