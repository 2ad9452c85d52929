#include "HttpHead.h"

namespace tamber::server {

namespace {

// The characters of a method or a header name (RFC 9110's token).
bool isToken(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
        if (!ok)
            return false;
    }
    return true;
}

bool hasControls(QByteArrayView text)
{
    for (const char c : text) {
        if ((c >= 0 && c < 0x20 && c != '\t') || c == 0x7f)
            return true;
    }
    return false;
}

} // namespace

QByteArray HttpRequest::header(const QByteArray& lowerCaseName) const
{
    for (const auto& [name, value] : headers) {
        if (name == lowerCaseName)
            return value;
    }
    return {};
}

bool HttpRequest::headerHasToken(const QByteArray& lowerCaseName, const QByteArray& token) const
{
    for (const auto& [name, value] : headers) {
        if (name != lowerCaseName)
            continue;
        for (const QByteArray& part : value.split(',')) {
            if (part.trimmed().compare(token, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

HttpHead::Status HttpHead::feed(QByteArrayView bytes)
{
    if (m_status != Status::Incomplete) {
        m_rest.append(bytes);
        return m_status;
    }
    // Only what can still be part of the head is kept.
    const qsizetype searchFrom = std::max<qsizetype>(0, m_bytes.size() - 3);
    const qsizetype taken = std::min(bytes.size(), kMaxHead + 4 - m_bytes.size());
    m_bytes.append(bytes.first(taken));
    const qsizetype end = m_bytes.indexOf("\r\n\r\n", searchFrom);
    if (end >= 0 && end + 4 <= kMaxHead) {
        m_rest = m_bytes.mid(end + 4) + bytes.sliced(taken).toByteArray();
        m_bytes.truncate(end + 4);
        m_status = parse(QByteArrayView(m_bytes).first(end));
        return m_status;
    }
    if (m_bytes.size() >= kMaxHead) {
        const qsizetype line = m_bytes.indexOf("\r\n");
        m_status = line < 0 ? Status::UriTooLong : Status::TooLarge;
    }
    return m_status;
}

HttpHead::Status HttpHead::parse(QByteArrayView head)
{
    const qsizetype lineEnd = head.indexOf("\r\n");
    const QByteArrayView line = lineEnd < 0 ? head : head.first(lineEnd);
    const QList<QByteArray> parts = line.toByteArray().split(' ');
    if (parts.size() != 3 || !isToken(parts[0]) || parts[1].isEmpty() || hasControls(parts[1]) ||
        (parts[2] != "HTTP/1.1" && parts[2] != "HTTP/1.0"))
        return Status::Malformed;
    m_request.method = parts[0];
    m_request.target = parts[1];
    m_request.version = parts[2];
    QByteArray path = m_request.target;
    if (!path.startsWith('/')) {
        // The absolute form a proxy may send: scheme://authority/path.
        const qsizetype scheme = path.indexOf("://");
        if (scheme <= 0)
            return Status::Malformed;
        const qsizetype slash = path.indexOf('/', scheme + 3);
        path = slash < 0 ? QByteArray("/") : path.mid(slash);
    }
    const qsizetype query = path.indexOf('?');
    const qsizetype fragment = path.indexOf('#');
    const qsizetype cut = query < 0 ? fragment : (fragment < 0 ? query : std::min(query, fragment));
    m_request.path = cut < 0 ? path : path.left(cut);
    if (m_request.path.size() > kMaxPath)
        return Status::UriTooLong;

    qsizetype at = lineEnd < 0 ? head.size() : lineEnd + 2;
    while (at < head.size()) {
        qsizetype end = head.indexOf("\r\n", at);
        if (end < 0)
            end = head.size();
        const QByteArrayView field = head.sliced(at, end - at);
        at = end + 2;
        const qsizetype colon = field.indexOf(':');
        // No folded lines, no blank before the colon, no controls in a value.
        if (colon <= 0 || !isToken(field.first(colon)) || hasControls(field.sliced(colon + 1)))
            return Status::Malformed;
        m_request.headers.emplaceBack(field.first(colon).toByteArray().toLower(),
                                      field.sliced(colon + 1).toByteArray().trimmed());
    }
    return Status::Complete;
}

} // namespace tamber::server
