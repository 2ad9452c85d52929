#pragma once

// The relay service as the fronts (the window, the headless front) and tests see it, on their
// own thread: the relay itself runs on a relay thread of its own (RelayService), reached only
// through that thread's loop. Calls that answer (start, stop, the slot list) wait for the relay
// thread to run them; the list's changes and the end of a Stop come back as queued signals.
// Before such a call returns, every list change the relay made until then has been signalled,
// so what a call answers is never newer than what listChanged() told.

#include "common/protocol/Codec.h"
#include "server/RelayService.h"
#include "server/net/Worker.h"

#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <optional>

namespace tamber::server {

class RelayServer : public QObject
{
    Q_OBJECT

public:
    explicit RelayServer(RelayLimits limits = {}, QObject* parent = nullptr);
    ~RelayServer() override;

    // Serves the web port too from the next start() on.
    void setWeb(const WebService& web);

    // Start: listens (on the web port too, if set) and makes the eight slots ready. False
    // (and still stopped) when a port cannot be listened on; failedPort() and errorString()
    // say which and why.
    bool start(quint16 port = protocol::kPort, const QHostAddress& address = QHostAddress::Any);
    // Stop: closes every slot's connection without telling anyone, then the listener.
    // Connections still taking their last output close within two seconds (allClosed()).
    void stop();
    bool isRunning() const { return m_listening.ok; }
    bool isClosing() const;
    quint16 port() const { return m_listening.port; }
    quint16 webPort() const { return m_listening.webPort; }
    QString errorString() const { return m_listening.error; }
    quint16 failedPort() const { return m_listening.failedPort; }

    // The eight lines of the slot list, in slot order, as the window shows them.
    QStringList slotLines() const;
    // The same as bytes for a terminal or a log: names as the clients sent them, with every
    // byte that a terminal would take for a control written out.
    QList<QByteArray> terminalLines() const;
    QByteArray userName(int n) const;
    bool isPaced(int n) const;
    qint64 unsentBytes(int n) const;

signals:
    // At start and at every rebuild of the slot list, with the list as it was then, both ways.
    void listChanged(const QStringList& lines, const QList<QByteArray>& terminalLines);
    void allClosed();

private:
    // Runs on the relay thread and waits for it.
    template <typename F> auto onRelay(F&& work) const
    {
        decltype(work()) result{};
        m_worker.run([&] { result = work(); });
        catchUp();
        return result;
    }
    // Signals the list changes the relay thread has posted here so far.
    void catchUp() const;
    static QStringList windowLines(const RelayHub& hub);

    SteadyClock m_clock;
    mutable net::Worker m_worker{m_clock, QStringLiteral("relay")};
    RelayLimits m_limits;
    std::optional<WebService> m_web;
    RelayService* m_service = nullptr; // lives on the relay thread
    Listening m_listening;
};

} // namespace tamber::server
