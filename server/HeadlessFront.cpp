#include "HeadlessFront.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace tamber::server {

namespace {

sigset_t stopSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    return set;
}

} // namespace

bool HeadlessFront::prepareSignals()
{
    // Blocked signals wait in the signalfd, read on the event loop like any socket; no
    // handler ever runs inside Qt. A write to a reader that has gone fails with EPIPE instead.
    std::signal(SIGPIPE, SIG_IGN);
    const sigset_t set = stopSignals();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

void HeadlessFront::releaseSignals()
{
    const sigset_t set = stopSignals();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

HeadlessFront::HeadlessFront(RelayServer& server, OutputChannel& out, std::FILE* err)
    : m_server(server), m_out(out), m_err(err)
{
    const sigset_t set = stopSignals();
    m_signalFd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_signalFd >= 0) {
        m_notifier = new QSocketNotifier(m_signalFd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &HeadlessFront::onSignal);
    }
    connect(&m_server, &RelayServer::listChanged, this,
            [this](const QByteArray& room, const QStringList&, const QList<QByteArray>& lines) {
                printList(room, lines);
            });
    connect(&m_server, &RelayServer::allClosed, this, [this] {
        if (m_stopping)
            emit stopped();
    });
}

HeadlessFront::~HeadlessFront()
{
    if (m_signalFd >= 0)
        ::close(m_signalFd);
}

bool HeadlessFront::start(quint16 port, const QHostAddress& address)
{
    // Lines for the operator, in the operator's language (the list on standard output stays
    // as scripts read it).
    const auto say = [this](const QString& text) {
        std::fprintf(m_err, "CorventServer: %s\n", text.toLocal8Bit().constData());
    };
    if (m_signalFd < 0) {
        say(QCoreApplication::translate("HeadlessFront", "cannot watch for stop signals"));
        return false;
    }
    // The list as it starts is printed by the start itself, before any client's change.
    if (!m_server.start(port, address)) {
        say(QCoreApplication::translate("HeadlessFront", "cannot listen on port %1: %2")
                .arg(m_server.failedPort())
                .arg(m_server.errorString()));
        return false;
    }
    if (const quint16 web = m_server.webPort())
        say(QCoreApplication::translate("HeadlessFront", "the browser piano is at http://HOST:%1/")
                .arg(web));
    return true;
}

void HeadlessFront::printList(const QByteArray& room, const QList<QByteArray>& lines)
{
    // The default room's list prints as it always did; any other says whose it is.
    QByteArray list = isDefaultRoom(room) ? QByteArray() : "Room " + room + ":\n";
    for (const QByteArray& line : lines)
        list += line + '\n';
    list += '\n';
    m_out.print(list);
}

void HeadlessFront::onSignal()
{
    signalfd_siginfo info;
    bool stopRequested = false;
    while (::read(m_signalFd, &info, sizeof info) == ssize_t(sizeof info)) {
        if (info.ssi_signo == SIGTERM || info.ssi_signo == SIGINT)
            stopRequested = true;
    }
    if (!stopRequested)
        return;
    if (m_stopping) {
        emit stopped();
        return;
    }
    m_stopping = true;
    m_server.stop();
    if (!m_server.isClosing())
        emit stopped();
}

} // namespace tamber::server
