#pragma once

// The server's window: the slot list and Start/Stop. It only binds widgets to RelayServer.

#include "server/RelayServer.h"

#include <QHostAddress>
#include <QWidget>

class QGroupBox;
class QListWidget;
class QPushButton;

namespace tamber {
class MessageBoxes;
}

namespace tamber::server {

struct ListenAddress
{
    quint16 port = protocol::kPort;
    QHostAddress address = QHostAddress::Any;
};

class frmServer : public QWidget
{
    Q_OBJECT

public:
    frmServer(RelayServer& server, MessageBoxes& messageBoxes, ListenAddress listen = {},
              QWidget* parent = nullptr);

    void RefreshList();

private:
    // Each carries its name as objectName.
    QGroupBox* fraUsers;
    QListWidget* lstUsers;
    QPushButton* cmdStart;
    QPushButton* cmdStop;

    void cmdStart_Click();
    void cmdStop_Click();
    void showLines(const QStringList& lines);

    RelayServer& m_server;
    MessageBoxes& m_messageBoxes;
    ListenAddress m_listen;
};

} // namespace tamber::server
