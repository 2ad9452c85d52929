#pragma once

// The front of `CorventServer --headless`: starts the service at once, prints every rebuilt
// slot list of a room to standard output without ever waiting for its reader, and on SIGTERM or
// SIGINT stops the service and quits (a second signal quits without waiting for slow clients).

#include "server/HeadlessOutput.h"
#include "server/RelayServer.h"

#include <QObject>
#include <cstdio>

class QSocketNotifier;

namespace tamber::server {

class HeadlessFront : public QObject
{
    Q_OBJECT

public:
    // Blocks SIGTERM and SIGINT and ignores SIGPIPE for the whole process: call it first in
    // main, before any thread starts.
    static bool prepareSignals();
    // Unblocks SIGTERM and SIGINT again, for a program that replaces this one.
    static void releaseSignals();

    HeadlessFront(RelayServer& server, OutputChannel& out, std::FILE* err);
    ~HeadlessFront() override;

    // Starts the service; false (with the reason on `err`) when it cannot listen.
    bool start(quint16 port, const QHostAddress& address);

signals:
    void stopped();

private:
    void printList(const QByteArray& room, const QList<QByteArray>& lines);
    void onSignal();

    RelayServer& m_server;
    ListWriter m_out;
    std::FILE* m_err;
    int m_signalFd = -1;
    QSocketNotifier* m_notifier = nullptr;
    bool m_stopping = false;
};

} // namespace tamber::server
