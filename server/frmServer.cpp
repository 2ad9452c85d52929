#include "frmServer.h"

#include "common/desktop/FontFit.h"
#include "common/platform/MessageBoxes.h"

#include <QGroupBox>
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
    setFixedSize(px(4680), px(2895));

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

    setTabOrder(lstUsers, cmdStart);
    setTabOrder(cmdStart, cmdStop);

    connect(cmdStart, &QPushButton::clicked, this, &frmServer::cmdStart_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmServer::cmdStop_Click);
    connect(&m_server, &RelayServer::listChanged, this, &frmServer::showLines);

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
    showLines(m_server.slotLines());
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

} // namespace tamber::server
