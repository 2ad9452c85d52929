#pragma once

#include <QString>
#include <QStringList>

namespace tamber {

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
};

} // namespace tamber
