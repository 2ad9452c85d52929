#pragma once

// A relay thread: a QThread whose event loop is a net::Loop. The relay makes as many as it
// needs; other threads reach the objects that live on one only through its loop's post() and
// run(), which queue the work.

#include "server/Clock.h"
#include "server/net/Loop.h"

#include <QSemaphore>
#include <QThread>

namespace tamber::server::net {

class Worker
{
public:
    Worker(const Clock& clock, const QString& name);
    // Ends the thread; whatever its loop still owns is deleted there.
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Only to be used on the worker's own thread, or through post() and run().
    Loop& loop() { return *m_loop; }
    void post(std::function<void()> work) { m_loop->post(std::move(work)); }
    void run(const std::function<void()>& work) { m_loop->run(work); }
    bool isCurrentThread() const { return QThread::currentThread() == &m_thread; }

private:
    class Thread : public QThread
    {
    public:
        explicit Thread(Worker& worker) : m_worker(worker) {}

    protected:
        void run() override;

    private:
        Worker& m_worker;
    };

    const Clock& m_clock;
    Thread m_thread{*this};
    QSemaphore m_started;
    Loop* m_loop = nullptr;
};

} // namespace tamber::server::net
