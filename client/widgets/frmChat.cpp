#include "frmChat.h"

#include "client/session/SessionClient.h"
#include "client/widgets/ChatTranscript.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tamber {

namespace {
// Layout in logical pixels (15 twips each).
constexpr QSize kClientArea{441, 201};
constexpr QRect kTxtChat{8, 8, 297, 161};
constexpr QRect kTxtMyText{8, 176, 297, 19};
constexpr QRect kLstUsers{312, 8, 121, 161};
constexpr QRect kCmdSend{312, 176, 57, 17};
constexpr QRect kCmdExit{376, 176, 57, 17};
} // namespace

frmChat::frmChat(int myUserId, const QString& myUserName, QWidget* parent)
    : QWidget(parent, Qt::Window), m_txtChat(new ChatTranscript(this)),
      m_txtMyText(new QLineEdit(this)), m_lstUsers(new QListWidget(this)),
      m_cmdSend(new QPushButton(QStringLiteral("Send"), this)),
      m_cmdExit(new QPushButton(QStringLiteral("Exit"), this))
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

    setTabOrder(m_txtChat, m_txtMyText);
    setTabOrder(m_txtMyText, m_lstUsers);
    setTabOrder(m_lstUsers, m_cmdSend);
    setTabOrder(m_cmdSend, m_cmdExit);

    for (int slot = 0; slot < kUserSlots; ++slot)
        m_lstUsers->addItem(QStringLiteral("-"));
    setUserEntry(myUserId - 1, myUserName);

    connect(m_cmdSend, &QPushButton::clicked, this, &frmChat::cmdSend_Click);
    connect(m_txtMyText, &QLineEdit::returnPressed, this, &frmChat::cmdSend_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &QWidget::close);
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
    if (QListWidgetItem* entry = m_lstUsers->item(position))
        entry->setText(displayText(name));
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
