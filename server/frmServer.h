#pragma once

// The server's window: the slot list of the room chosen, how many rooms and players there are,
// and Start/Stop; a player chosen in the list can be sent out (Kick in its context menu, or
// Delete). It only binds widgets to RelayServer.

#include "server/RelayServer.h"

#include <QHostAddress>
#include <QWidget>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
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
    // The room whose list is shown.
    QByteArray shownRoom() const;

private:
    // Each carries its name as objectName.
    QGroupBox* fraUsers;
    QListWidget* lstUsers;
    QPushButton* cmdStart;
    QPushButton* cmdStop;
    QComboBox* cboRoom;
    QLabel* lblRooms;
    QAction* mnuKick;

    void cmdStart_Click();
    void cmdStop_Click();
    void mnuKick_Click();
    void showLines(const QStringList& lines);
    void onListChanged(const QByteArray& room, const QStringList& lines);
    void showRooms(const QList<RoomListing>& rooms);

    RelayServer& m_server;
    MessageBoxes& m_messageBoxes;
    ListenAddress m_listen;
};

} // namespace tamber::server
