#include "frmChat.h"

#include "client/session/SessionClient.h"
#include "client/widgets/ChatTranscript.h"
#include "common/desktop/FontFit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

namespace tamber {

namespace {
// Layout in logical pixels (15 twips each).
// The Locked box has a row of its own under the list, which keeps the height that shows all
// eight slots; the transcript grows by that row.
constexpr QSize kClientArea{441, 221};
constexpr QRect kTxtChat{8, 8, 297, 181};
constexpr QRect kTxtMyText{8, 196, 297, 19};
constexpr QRect kLstUsers{312, 8, 121, 161};
constexpr QRect kChkLocked{312, 174, 121, 17};
constexpr QRect kCmdSend{312, 196, 57, 17};
constexpr QRect kCmdExit{376, 196, 57, 17};
const QString kEmptySlot = QStringLiteral("-");

QAction* addNamedAction(QMenu* menu, const QString& text, const QString& name)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}
} // namespace

QString titleWithRoom(const QString& title, const QString& room)
{
    if (room.isEmpty())
        return title;
    return title + QStringLiteral(" \u2014 ") + room;
}

frmChat::frmChat(int myUserId, const QString& myUserName, QWidget* parent)
    : QWidget(parent, Qt::Window), m_txtChat(new ChatTranscript(this)),
      m_txtMyText(new QLineEdit(this)), m_lstUsers(new QListWidget(this)),
      m_cmdSend(new QPushButton(tr("Send"), this)), m_cmdExit(new QPushButton(tr("Exit"), this)),
      chkLocked(new QCheckBox(tr("Locked"), this)), mnuPlayer(new QMenu(this)),
      m_myUserId(myUserId), m_names(kUserSlots, kEmptySlot)
{
    setWindowTitle(QStringLiteral("Corvent"));
    setFixedSize(kClientArea);
    // The piano keeps the keyboard when the window appears: playing goes on while it is open.
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_txtChat->setObjectName(QStringLiteral("txtChat"));
    m_txtChat->setGeometry(kTxtChat);
    m_txtMyText->setObjectName(QStringLiteral("txtMyText"));
    m_txtMyText->setGeometry(kTxtMyText);
    m_lstUsers->setObjectName(QStringLiteral("lstUsers"));
    m_lstUsers->setGeometry(kLstUsers);
    m_cmdSend->setObjectName(QStringLiteral("cmdSend"));
    m_cmdSend->setGeometry(kCmdSend);
    m_cmdExit->setObjectName(QStringLiteral("cmdExit"));
    m_cmdExit->setGeometry(kCmdExit);
    chkLocked->setObjectName(QStringLiteral("chkLocked"));
    chkLocked->setGeometry(kChkLocked);
    chkLocked->setEnabled(false);
    mnuPlayer->setObjectName(QStringLiteral("mnuPlayer"));

    setTabOrder(m_txtChat, m_txtMyText);
    setTabOrder(m_txtMyText, m_lstUsers);
    setTabOrder(m_lstUsers, chkLocked);
    setTabOrder(chkLocked, m_cmdSend);
    setTabOrder(m_cmdSend, m_cmdExit);

    for (int slot = 0; slot < kUserSlots; ++slot)
        m_lstUsers->addItem(kEmptySlot);
    setUserEntry(myUserId - 1, myUserName);

    const auto onPlayer = [this](OwnerAction action) {
        return [this, action] { emit ownerActionRequested(action, m_menuSeat); };
    };
    connect(addNamedAction(mnuPlayer, tr("&Kick"), QStringLiteral("mnuKick")), &QAction::triggered,
            this, onPlayer(OwnerAction::Kick));
    connect(addNamedAction(mnuPlayer, tr("&Ban for an hour"), QStringLiteral("mnuBan")),
            &QAction::triggered, this, onPlayer(OwnerAction::BanForAnHour));
    connect(addNamedAction(mnuPlayer, tr("Make &owner"), QStringLiteral("mnuMakeOwner")),
            &QAction::triggered, this, onPlayer(OwnerAction::MakeOwner));
    m_lstUsers->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_lstUsers, &QListWidget::customContextMenuRequested, this,
            &frmChat::lstUsers_ContextMenu);
    connect(chkLocked, &QCheckBox::clicked, this, [this](bool checked) {
        chkLocked->setChecked(m_room.locked);
        emit lockRequested(checked);
    });

    connect(m_cmdSend, &QPushButton::clicked, this, &frmChat::cmdSend_Click);
    connect(m_txtMyText, &QLineEdit::returnPressed, this, &frmChat::cmdSend_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &QWidget::close);
    fitTexts(*this);
}

void frmChat::AppendChatLine(const QString& line)
{
    AppendChatLines({line});
}

void frmChat::AppendChatLines(const QStringList& lines)
{
    QStringList shown;
    shown.reserve(lines.size());
    for (const QString& line : lines)
        shown.append(displayText(line));
    m_txtChat->appendLines(shown);
}

void frmChat::setUserEntry(int position, const QString& name)
{
    if (position < 0 || position >= kUserSlots)
        return;
    m_names[position] = displayText(name);
    showEntry(position);
    // The player the open menu was for has gone; the seat may soon be someone else's.
    if (position + 1 == m_menuSeat && m_names[position] == kEmptySlot)
        mnuPlayer->hide();
}

void frmChat::resetUsers(int myUserId, const QString& myUserName)
{
    m_myUserId = myUserId;
    mnuPlayer->hide();
    m_names.fill(kEmptySlot);
    for (int position = 0; position < kUserSlots; ++position)
        showEntry(position);
    setUserEntry(myUserId - 1, myUserName);
}

void frmChat::showRoom(const RoomView& room)
{
    m_room = room;
    setWindowTitle(titleWithRoom(QStringLiteral("Corvent"), room.name));
    for (int position = 0; position < kUserSlots; ++position)
        showEntry(position);
    chkLocked->setEnabled(room.mine);
    chkLocked->setChecked(room.locked);
    if (!room.mine)
        mnuPlayer->hide();
}

void frmChat::showEntry(int position)
{
    QString text = m_names[position];
    if (position + 1 == m_room.ownerId && text != kEmptySlot)
        text += tr(" (owner)");
    m_lstUsers->item(position)->setText(text);
}

void frmChat::lstUsers_ContextMenu(const QPoint& at)
{
    const QListWidgetItem* entry = m_lstUsers->itemAt(at);
    if (!entry || !m_room.mine)
        return;
    const int seat = m_lstUsers->row(entry) + 1;
    if (seat == m_myUserId || m_names[seat - 1] == kEmptySlot)
        return;
    m_menuSeat = seat;
    // Not exec(): the menu is one more window, and the piano goes on playing meanwhile.
    mnuPlayer->popup(m_lstUsers->viewport()->mapToGlobal(at));
}

void frmChat::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept();
}

void frmChat::cmdSend_Click()
{
    const QString text = m_txtMyText->text();
    if (text.isEmpty())
        return;
    emit sendRequested(text);
    m_txtMyText->clear();
}

} // namespace tamber
