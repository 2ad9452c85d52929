#pragma once

// Bytes owed to a peer, taken from the front as the socket accepts them. Holds no memory while
// empty, so an idle connection costs nothing here.

#include <QByteArray>
#include <QByteArrayView>

namespace tamber::server::net {

class OutputBuffer
{
public:
    void append(QByteArrayView bytes);
    const char* data() const { return m_bytes.constData() + m_start; }
    qsizetype size() const { return m_bytes.size() - m_start; }
    bool isEmpty() const { return size() == 0; }
    // The first n bytes were taken.
    void consume(qsizetype n);
    void clear();

private:
    QByteArray m_bytes;
    qsizetype m_start = 0;
};

} // namespace tamber::server::net
