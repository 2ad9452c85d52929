#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace tamber {

// The chat window of one session: transcript, input line, the eight user slots, Send and
// Exit. It knows nothing of the session; Send and closing are signals.
class frmChat : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kUserSlots = 8;

    // Load: an empty transcript, "-" in every slot, the own name at myUserId - 1.
    frmChat(int myUserId, const QString& myUserName, QWidget* parent = nullptr);

    // One line at the end of the transcript, the newest kept in view. Line breaks stand
    // only between lines; control characters show as spaces.
    void AppendChatLine(const QString& line);
    void setUserEntry(int position, const QString& name);

    QPlainTextEdit* txtChat() const { return m_txtChat; }
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

    QPlainTextEdit* m_txtChat;
    QLineEdit* m_txtMyText;
    QListWidget* m_lstUsers;
    QPushButton* m_cmdSend;
    QPushButton* m_cmdExit;
};

} // namespace tamber
