#include "frmServer.h"

#include "common/desktop/FontFit.h"
#include "common/platform/MessageBoxes.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tamber::server {

namespace {

// Twips to logical pixels.
constexpr int px(int twips)
{
    return twips / 15;
}

} // namespace

frmServer::frmServer(RelayServer& server, MessageBoxes& messageBoxes, ListenAddress listen,
                     QWidget* parent)
    : QWidget(parent), m_server(server), m_messageBoxes(messageBoxes), m_listen(listen)
{
    setObjectName(QStringLiteral("frmServer"));
    setWindowTitle(QStringLiteral("Corvent Server"));
    setFixedSize(px(4680), px(3270));

    fraUsers = new QGroupBox(tr("Connected Users"), this);
    fraUsers->setObjectName(QStringLiteral("fraUsers"));
    fraUsers->setGeometry(px(120), px(120), px(4455), px(2055));

    lstUsers = new QListWidget(fraUsers);
    lstUsers->setObjectName(QStringLiteral("lstUsers"));
    lstUsers->setGeometry(px(120), px(240), px(4215), px(1695));

    cmdStart = new QPushButton(tr("Start"), this);
    cmdStart->setObjectName(QStringLiteral("cmdStart"));
    cmdStart->setGeometry(px(120), px(2280), px(1215), px(495));

    cmdStop = new QPushButton(tr("Stop"), this);
    cmdStop->setObjectName(QStringLiteral("cmdStop"));
    cmdStop->setGeometry(px(1440), px(2280), px(1215), px(495));
    cmdStop->setEnabled(false);

    // Which room's list is shown; the default room is always there to choose.
    cboRoom = new QComboBox(this);
    cboRoom->setObjectName(QStringLiteral("cboRoom"));
    cboRoom->setGeometry(px(2760), px(2280), px(1815), px(495));
    cboRoom->addItem(QLatin1String(kDefaultRoom));

    lblRooms = new QLabel(this);
    lblRooms->setObjectName(QStringLiteral("lblRooms"));
    lblRooms->setGeometry(px(120), px(2850), px(4455), px(300));

    // The operator may send anyone out, in any room.
    mnuKick = new QAction(tr("&Kick"), lstUsers);
    mnuKick->setObjectName(QStringLiteral("mnuKick"));
    mnuKick->setShortcut(QKeySequence::Delete);
    mnuKick->setShortcutContext(Qt::WidgetShortcut);
    lstUsers->addAction(mnuKick);
    lstUsers->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(mnuKick, &QAction::triggered, this, &frmServer::mnuKick_Click);

    setTabOrder(lstUsers, cmdStart);
    setTabOrder(cmdStart, cmdStop);
    setTabOrder(cmdStop, cboRoom);

    connect(cmdStart, &QPushButton::clicked, this, &frmServer::cmdStart_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmServer::cmdStop_Click);
    connect(&m_server, &RelayServer::listChanged, this,
            [this](const QByteArray& room, const QStringList& lines, const QList<QByteArray>&) {
                onListChanged(room, lines);
            });
    connect(&m_server, &RelayServer::roomsChanged, this, &frmServer::showRooms);
    connect(cboRoom, &QComboBox::activated, this, [this] { RefreshList(); });

    fitTexts(*this);
    RefreshList();
    // Eight lines, one per slot, with no scroll bar, in whatever font the desktop has.
    lstUsers->setFont(fittedFont(designFont(), [this](const QFont& font) {
        lstUsers->setFont(font);
        return kSlotCount * lstUsers->sizeHintForRow(0) + 2 * lstUsers->frameWidth() <=
               lstUsers->height();
    }));
}

void frmServer::RefreshList()
{
    showLines(m_server.slotLines(shownRoom()));
    showRooms(m_server.rooms());
}

QByteArray frmServer::shownRoom() const
{
    return cboRoom->currentText().toLatin1();
}

void frmServer::onListChanged(const QByteArray& room, const QStringList& lines)
{
    if (roomKey(room) == roomKey(shownRoom()))
        showLines(lines);
}

void frmServer::showRooms(const QList<RoomListing>& rooms)
{
    int players = 0;
    QStringList names{QLatin1String(kDefaultRoom)};
    for (const RoomListing& room : rooms) {
        players += room.players;
        if (!isDefaultRoom(room.name))
            names << QString::fromLatin1(room.name);
    }
    // English has its singular as a text of its own (no English catalogue ships); each
    // translation gives both texts its language's plural forms.
    const int count = int(rooms.size());
    const QString roomCount =
        count == 1 ? tr("%n room", nullptr, count) : tr("%n rooms", nullptr, count);
    const QString playerCount =
        players == 1 ? tr("%n player", nullptr, players) : tr("%n players", nullptr, players);
    //: The rooms counted, then the players counted, below the user list.
    lblRooms->setText(tr("%1, %2").arg(roomCount, playerCount));
    // A room that emptied leaves the choice; its list was shown empty as it went.
    const QString shown = cboRoom->currentText();
    QStringList current;
    for (int i = 0; i < cboRoom->count(); ++i)
        current << cboRoom->itemText(i);
    if (current == names)
        return;
    cboRoom->clear();
    cboRoom->addItems(names);
    const int keep = int(names.indexOf(shown));
    cboRoom->setCurrentIndex(std::max(keep, 0));
    if (keep < 0)
        showLines(m_server.slotLines(shownRoom()));
}

void frmServer::showLines(const QStringList& lines)
{
    lstUsers->clear();
    lstUsers->addItems(lines);
}

void frmServer::cmdStart_Click()
{
    if (!m_server.start(m_listen.port, m_listen.address)) {
        m_messageBoxes.show(tr("Cannot listen on port %1: %2")
                                .arg(m_server.failedPort())
                                .arg(m_server.errorString()),
                            tr("Error"), MessageBoxes::Icon::Critical);
        return;
    }
    cmdStart->setEnabled(false);
    cmdStop->setEnabled(true);
}

void frmServer::cmdStop_Click()
{
    m_server.stop();
    cmdStart->setEnabled(true);
    cmdStop->setEnabled(false);
}

void frmServer::mnuKick_Click()
{
    const int row = lstUsers->currentRow();
    if (row >= 0)
        m_server.kick(shownRoom(), row + 1);
}

} // namespace tamber::server
