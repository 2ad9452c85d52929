#pragma once

#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tamber {

class ChatTranscript;

// The chat window of one session: transcript, input line, the eight user slots, Send and
// Exit. It knows nothing of the session; Send and closing are signals.
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

    ChatTranscript* txtChat() const { return m_txtChat; }
    QLineEdit* txtMyText() const { return m_txtMyText; }
    QListWidget* lstUsers() const { return m_lstUsers; }
    QPushButton* cmdSend() const { return m_cmdSend; }
    QPushButton* cmdExit() const { return m_cmdExit; }

signals:
    void sendRequested(const QString& text);
    // Exit, the close box, or any other close: the session must end.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdSend_Click();

    ChatTranscript* m_txtChat;
    QLineEdit* m_txtMyText;
    QListWidget* m_lstUsers;
    QPushButton* m_cmdSend;
    QPushButton* m_cmdExit;
};

} // namespace tamber
