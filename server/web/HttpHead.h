#pragma once

// The head of one HTTP/1.x request, as the web port reads it: the request line and header
// fields up to the blank line, at most 8 KiB, nothing after it. A request line that does not
// end within the limit is an overlong target (414); header fields that do not, too many (431).
// Anything that is not a well-formed head is Malformed and gets no answer.

#include <QByteArray>
#include <QList>
#include <utility>

namespace tamber::server {

struct HttpRequest
{
    QByteArray method;
    QByteArray target; // as sent
    QByteArray path;   // the target's path, still percent-encoded
    QByteArray version;
    QList<std::pair<QByteArray, QByteArray>> headers; // names in lower case, values trimmed

    // The first value of a header, or empty.
    QByteArray header(const QByteArray& lowerCaseName) const;
    // Whether a comma-separated header holds this token, in any case.
    bool headerHasToken(const QByteArray& lowerCaseName, const QByteArray& token) const;
};

class HttpHead
{
public:
    static constexpr qsizetype kMaxHead = 8 * 1024;
    // Longer paths name nothing the page has.
    static constexpr qsizetype kMaxPath = 1024;

    enum class Status
    {
        Incomplete,
        Complete,
        UriTooLong,
        TooLarge,
        Malformed,
    };

    // Takes the next bytes of the connection. Once Complete, request() holds the head and
    // rest() whatever followed it.
    Status feed(QByteArrayView bytes);
    const HttpRequest& request() const { return m_request; }
    QByteArray rest() const { return m_rest; }

private:
    Status parse(QByteArrayView head);

    QByteArray m_bytes;
    HttpRequest m_request;
    QByteArray m_rest;
    Status m_status = Status::Incomplete;
};

} // namespace tamber::server
