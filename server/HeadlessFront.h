#pragma once

// The front of `CorventServer --headless`: starts the service at once, prints every rebuilt
// slot list to standard output, and on SIGTERM or SIGINT stops the service and quits.

#include "server/RelayServer.h"

#include <QObject>
#include <cstdio>

class QSocketNotifier;

namespace tamber::server {

class HeadlessFront : public QObject
{
    Q_OBJECT

public:
    // Blocks SIGTERM and SIGINT for the whole process; call before any thread starts.
    static bool blockStopSignals();

    HeadlessFront(RelayServer& server, std::FILE* out, std::FILE* err);
    ~HeadlessFront() override;

    // Starts the service; false (with the reason on `err`) when it cannot listen.
    bool start(quint16 port, const QHostAddress& address);

signals:
    void stopped();

private:
    void printLines(const QStringList& lines);
    void onSignal();

    RelayServer& m_server;
    std::FILE* m_out;
    std::FILE* m_err;
    int m_signalFd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tamber::server
