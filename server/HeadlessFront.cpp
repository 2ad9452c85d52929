#include "HeadlessFront.h"

#include "common/protocol/Text.h"

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

bool HeadlessFront::blockStopSignals()
{
    // Blocked signals wait in the signalfd, read on the event loop like any socket; no
    // handler ever runs inside Qt.
    const sigset_t set = stopSignals();
    return pthread_sigmask(SIG_BLOCK, &set, nullptr) == 0;
}

HeadlessFront::HeadlessFront(RelayServer& server, std::FILE* out, std::FILE* err)
    : m_server(server), m_out(out), m_err(err)
{
    const sigset_t set = stopSignals();
    m_signalFd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_signalFd >= 0) {
        m_notifier = new QSocketNotifier(m_signalFd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &HeadlessFront::onSignal);
    }
    connect(&m_server, &RelayServer::listChanged, this, &HeadlessFront::printLines);
}

HeadlessFront::~HeadlessFront()
{
    if (m_signalFd >= 0)
        ::close(m_signalFd);
}

bool HeadlessFront::start(quint16 port, const QHostAddress& address)
{
    if (m_signalFd < 0) {
        std::fprintf(m_err, "CorventServer: cannot watch for stop signals\n");
        return false;
    }
    if (!m_server.start(port, address)) {
        const QByteArray reason = m_server.errorString().toLocal8Bit();
        std::fprintf(m_err, "CorventServer: cannot listen on port %u: %s\n", unsigned(port),
                     reason.constData());
        return false;
    }
    printLines(m_server.slotLines());
    return true;
}

void HeadlessFront::printLines(const QStringList& lines)
{
    // Names are the clients' bytes; they go out as they came in.
    for (const QString& line : lines) {
        const QByteArray bytes = protocol::encodeText(line);
        std::fwrite(bytes.constData(), 1, bytes.size(), m_out);
        std::fputc('\n', m_out);
    }
    std::fputc('\n', m_out);
    std::fflush(m_out);
}

void HeadlessFront::onSignal()
{
    signalfd_siginfo info;
    bool stopRequested = false;
    while (::read(m_signalFd, &info, sizeof info) == ssize_t(sizeof info)) {
        if (info.ssi_signo == SIGTERM || info.ssi_signo == SIGINT)
            stopRequested = true;
    }
    if (!stopRequested || !m_server.isRunning())
        return;
    m_server.stop();
    emit stopped();
}

} // namespace tamber::server
