#include "OutputBuffer.h"

namespace tamber::server::net {

namespace {

// Taken bytes are moved out of the way once they are this many and the larger part.
constexpr qsizetype kCompactAt = 64 * 1024;

} // namespace

void OutputBuffer::append(QByteArrayView bytes)
{
    m_bytes.append(bytes);
}

void OutputBuffer::consume(qsizetype n)
{
    m_start += n;
    if (m_start >= m_bytes.size()) {
        clear();
    } else if (m_start >= kCompactAt && m_start * 2 >= m_bytes.size()) {
        m_bytes.remove(0, m_start);
        m_start = 0;
    }
}

void OutputBuffer::clear()
{
    m_bytes = QByteArray();
    m_start = 0;
}

} // namespace tamber::server::net
