#pragma once

#include "client/session/SessionView.h"
#include "client/widgets/frmChat.h"

#include <QPointer>

namespace tamber {

class SessionClient;
class frmChat;
class frmPiano;

// The session's view in the piano: the main window's Join Session item and one chat window
// per session, created on "UserID" and destroyed when the session ends.
//
// Stores only references, so it and the client can refer to each other as members of one
// object.
class ChatWindowHost : public SessionView
{
public:
    ChatWindowHost(SessionClient& client, frmPiano& mainWindow);
    ~ChatWindowHost() override;

    void setJoinSessionEnabled(bool enabled) override;
    void showChat(int myUserId, const QString& myUserName) override;
    void closeChat() override;
    void appendChatLines(const QStringList& lines) override;
    void setUserEntry(int position, const QString& name) override;
    void resetUsers(int myUserId, const QString& myUserName) override;
    // Both titles name the room; a default RoomView gives the main window its own title back.
    void showRoom(const RoomView& room) override;

    frmChat* chatWindow() const { return m_chat; }

private:
    SessionClient& m_client;
    frmPiano& m_mainWindow;
    QPointer<frmChat> m_chat;
};

} // namespace tamber
