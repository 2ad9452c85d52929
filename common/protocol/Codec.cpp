#include "Codec.h"

#include <algorithm>
#include <utility>

namespace tamber::protocol {

namespace {

template <typename Fields> void appendFrame(QByteArray& message, const Fields& fields)
{
    qsizetype size = message.size() + 1;
    for (const auto& field : fields)
        size += field.size() + 1;
    if (size > message.capacity())
        message.reserve(std::max(size, 2 * message.capacity()));
    for (const auto& field : fields) {
        message += field;
        message += kFieldEnd;
    }
    message += kMessageEnd;
}

template <typename Fields> QByteArray frame(const Fields& fields)
{
    QByteArray message;
    appendFrame(message, fields);
    return message;
}

} // namespace

QByteArray buildMessage(const QList<QByteArray>& fields)
{
    return frame(fields);
}

QByteArray frameMessage(std::initializer_list<QByteArrayView> fields)
{
    return frame(fields);
}

void appendMessage(QByteArray& out, std::initializer_list<QByteArrayView> fields)
{
    appendFrame(out, fields);
}

QList<QByteArray> splitFields(const QByteArray& message)
{
    QList<QByteArray> fields = message.split(kFieldEnd);
    if (message.endsWith(kFieldEnd))
        fields.removeLast();
    return fields;
}

std::optional<int> parseNumber(const QByteArray& field, int maxValue)
{
    if (field.isEmpty() || field.size() > 9)
        return std::nullopt;
    int value = 0;
    for (char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value > maxValue)
        return std::nullopt;
    return value;
}

QList<QByteArray> MessageAssembler::feed(const QByteArray& bytes)
{
    QList<QByteArray> messages;
    feed(QByteArrayView(bytes), [&](QByteArrayView message) {
        messages.append(message.toByteArray());
        return true;
    });
    return messages;
}

bool MessageAssembler::beginFeed(QByteArrayView bytes, qsizetype* start, QByteArray* completed)
{
    *start = 0;
    if (m_skippingOverlong) {
        const qsizetype end = bytes.indexOf(kMessageEnd);
        if (end < 0)
            return false;
        m_skippingOverlong = false;
        *start = end + 1;
    }
    if (m_pending.isEmpty())
        return true;
    // The message begun by earlier bytes is completed first, from a copy.
    const qsizetype end = bytes.indexOf(kMessageEnd, *start);
    if (end < 0) {
        keep(bytes.sliced(*start));
        return false;
    }
    m_pending.append(bytes.sliced(*start, end - *start));
    *completed = std::exchange(m_pending, QByteArray());
    *start = end + 1;
    return true;
}

void MessageAssembler::keep(QByteArrayView tail)
{
    m_pending.append(tail);
    if (m_cap > 0 && m_pending.size() > m_cap) {
        m_pending.clear();
        m_skippingOverlong = true;
    }
}

void MessageAssembler::clear()
{
    m_pending.clear();
    m_skippingOverlong = false;
}

} // namespace tamber::protocol
