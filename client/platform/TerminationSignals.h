#pragma once

#include <QObject>

class QSocketNotifier;

namespace tamber {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the GUI thread, so that a logout, a
// Ctrl-C or a kill ends the program through its normal shut-down (settings kept, recording
// completed, notes off) instead of cutting it off mid-note. The handler only writes the
// signal's number to a pipe, whatever thread it runs on; the event loop reads it.
//
// One instance at a time. The default actions come back once a signal has been handed on
// (a second one, should the shut-down hang, ends the program at once) and when the instance
// is destroyed.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readPipe();

    int m_pipe[2] = {-1, -1};
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tamber
