#include "ChatWindowHost.h"

#include "frmPiano.h"

#include "client/session/SessionClient.h"
#include "client/widgets/frmChat.h"
#include "common/ProgramInfo.h"

namespace tamber {

ChatWindowHost::ChatWindowHost(SessionClient& client, frmPiano& mainWindow)
    : m_client(client), m_mainWindow(mainWindow)
{
}

ChatWindowHost::~ChatWindowHost()
{
    if (m_chat) {
        m_chat->disconnect();
        delete m_chat;
    }
}

void ChatWindowHost::setJoinSessionEnabled(bool enabled)
{
    m_mainWindow.setJoinSessionEnabled(enabled);
}

void ChatWindowHost::showChat(int myUserId, const QString& myUserName)
{
    closeChat();
    m_chat = new frmChat(myUserId, myUserName, &m_mainWindow);
    QObject::connect(m_chat, &frmChat::sendRequested,
                     [this](const QString& text) { m_client.SendChatText(text); });
    QObject::connect(m_chat, &frmChat::ownerActionRequested, [this](OwnerAction action, int seat) {
        m_client.SendOwnerAction(action, seat);
    });
    QObject::connect(m_chat, &frmChat::lockRequested,
                     [this](bool locked) { m_client.SendLock(locked); });
    QObject::connect(m_chat, &frmChat::closing, [this] { m_client.LeaveSession(); });
    m_chat->show();
}

void ChatWindowHost::closeChat()
{
    frmChat* chat = m_chat;
    m_chat = nullptr;
    if (!chat)
        return;
    chat->disconnect();
    // Possibly inside the window's own close handling: destroy it once that has returned.
    chat->hide();
    chat->deleteLater();
}

void ChatWindowHost::appendChatLines(const QStringList& lines)
{
    if (m_chat)
        m_chat->AppendChatLines(lines);
}

void ChatWindowHost::setUserEntry(int position, const QString& name)
{
    if (m_chat)
        m_chat->setUserEntry(position, name);
}

} // namespace tamber

namespace tamber {

void ChatWindowHost::resetUsers(int myUserId, const QString& myUserName)
{
    if (m_chat)
        m_chat->resetUsers(myUserId, myUserName);
}

void ChatWindowHost::showRoom(const RoomView& room)
{
    m_mainWindow.setWindowTitle(titleWithRoom(QLatin1String(kProgramTitle), room.name));
    if (m_chat)
        m_chat->showRoom(room);
}

} // namespace tamber
