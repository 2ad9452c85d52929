#include "Codec.h"

namespace tamber::protocol {

namespace {

template <typename Fields> QByteArray frame(const Fields& fields)
{
    QByteArray message;
    qsizetype size = 1;
    for (const auto& field : fields)
        size += field.size() + 1;
    message.reserve(size);
    for (const auto& field : fields) {
        message += field;
        message += kFieldEnd;
    }
    message += kMessageEnd;
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
    qsizetype start = 0;
    if (m_skippingOverlong) {
        const qsizetype end = bytes.indexOf(kMessageEnd);
        if (end < 0)
            return messages;
        m_skippingOverlong = false;
        start = end + 1;
    }
    qsizetype from = m_pending.size();
    m_pending.append(bytes.constData() + start, bytes.size() - start);

    qsizetype consumed = 0;
    for (;;) {
        const qsizetype end = m_pending.indexOf(kMessageEnd, from);
        if (end < 0)
            break;
        messages.append(m_pending.mid(consumed, end - consumed));
        consumed = end + 1;
        from = consumed;
    }
    m_pending.remove(0, consumed);

    if (m_cap > 0 && m_pending.size() > m_cap) {
        m_pending.clear();
        m_skippingOverlong = true;
    }
    return messages;
}

void MessageAssembler::clear()
{
    m_pending.clear();
    m_skippingOverlong = false;
}

} // namespace tamber::protocol
