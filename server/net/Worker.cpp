#include "Worker.h"

namespace tamber::server::net {

Worker::Worker(const Clock& clock, const QString& name) : m_clock(clock)
{
    m_thread.setObjectName(name);
    m_thread.start();
    m_started.acquire();
}

Worker::~Worker()
{
    m_thread.quit();
    m_thread.wait();
}

void Worker::Thread::run()
{
    Loop loop(m_worker.m_clock);
    m_worker.m_loop = &loop;
    m_worker.m_started.release();
    exec();
}

} // namespace tamber::server::net
