#pragma once

#include "client/session/SessionClient.h"
#include "client/session/SessionView.h"

#include <QStringList>
#include <QWidget>

class QAction;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace tamber {

class ChatTranscript;

// A window's title while in a room: "Tamber Piano — jazz"; the title alone without one.
QString titleWithRoom(const QString& title, const QString& room);

// The chat window of one session: transcript, input line, the eight user slots, Send and
// Exit, and the Locked box under the slots. It knows nothing of the session; Send, the owner's
// commands and closing are signals.
class frmChat : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kUserSlots = 8;

    // Load: an empty transcript, "-" in every slot, the own name at myUserId - 1.
    frmChat(int myUserId, const QString& myUserName, QWidget* parent = nullptr);

    // Lines at the end of the transcript, the newest brought into view; the transcript
    // keeps the newest ChatTranscript::kMaxLines. Each is one line of its own: control
    // characters show as spaces.
    void AppendChatLine(const QString& line);
    void AppendChatLines(const QStringList& lines);
    void setUserEntry(int position, const QString& name);
    // Another room: every slot "-" but the own; the transcript stays.
    void resetUsers(int myUserId, const QString& myUserName);
    // The room's name in the title, "(owner)" after the owner's name, the Locked box (which
    // the owner alone may change) and, for the owner, the menu on another player's entry.
    void showRoom(const RoomView& room);

signals:
    void sendRequested(const QString& text);
    void ownerActionRequested(tamber::OwnerAction action, int seat);
    // The owner ticked or cleared Locked; the box shows the server's answer, not the click.
    void lockRequested(bool locked);
    // Exit, the close box, or any other close: the session must end.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdSend_Click();
    void lstUsers_ContextMenu(const QPoint& at);
    void showEntry(int position);

    ChatTranscript* m_txtChat;
    QLineEdit* m_txtMyText;
    QListWidget* m_lstUsers;
    QPushButton* m_cmdSend;
    QPushButton* m_cmdExit;
    // Named as their objectNames; the menu's entries "mnuKick", "mnuBan", "mnuMakeOwner".
    QCheckBox* chkLocked;
    QMenu* mnuPlayer;

    int m_myUserId;
    QStringList m_names; // as the server named each slot, without the owner's mark
    RoomView m_room;
    int m_menuSeat = 0; // the player the open menu acts on
};

} // namespace tamber
