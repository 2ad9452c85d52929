#pragma once

#include <QString>
#include <QStringList>

namespace tamber {

// What the server says of the room the session is in.
struct RoomView
{
    QString name;    // empty: not known (a server with a single room says nothing)
    int ownerId = 0; // the owner's seat, 1..8; 0: nobody owns the room
    bool locked = false;
    bool mine = false; // the local player owns it, and may send the owner's commands
    bool operator==(const RoomView&) const = default;
};

// What a session shows: the Join Session menu item and the chat window.
// Texts arrive ready to show (control characters already replaced).
class SessionView
{
public:
    virtual ~SessionView() = default;
    virtual void setJoinSessionEnabled(bool enabled) = 0;
    // Creates a fresh chat window (empty transcript, eight "-" entries, the own name at
    // myUserId - 1) and shows it beside the main window.
    virtual void showChat(int myUserId, const QString& myUserName) = 0;
    // Destroys the chat window, if there is one, without calling back into the session.
    virtual void closeChat() = 0;
    // Both do nothing while there is no chat window. Lines come in the batches they
    // arrived in, oldest first.
    virtual void appendChatLines(const QStringList& lines) = 0;
    virtual void setUserEntry(int position, const QString& name) = 0;
    // A move to another room: eight "-" entries and the own name at myUserId - 1, as a new
    // window shows them; the transcript stays. Does nothing without a chat window.
    virtual void resetUsers(int myUserId, const QString& myUserName) = 0;
    // The room's name in the titles, the owner's mark, the lock and what the owner may do.
    // A default RoomView (as when the session ends) shows none of them.
    virtual void showRoom(const RoomView& room) = 0;
};

} // namespace tamber
