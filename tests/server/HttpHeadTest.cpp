// The web port's request heads without a socket: what is a whole head, and which status a head
// that is too long earns.

#include "server/web/HttpHead.h"

#include <gtest/gtest.h>

namespace tamber::server {
namespace {

using Status = HttpHead::Status;

TEST(HttpHead, ReadsTheRequestLineAndFieldsAndKeepsWhatFollows)
{
    HttpHead head;
    const QByteArray bytes =
        "GET /r/main/ws?x=1 HTTP/1.1\r\nHost: a:8080\r\nUpgrade:  WebSocket \r\n"
        "Connection: keep-alive, Upgrade\r\n\r\n\x82\x80";
    for (qsizetype i = 0; i + 1 < bytes.size(); ++i)
        ASSERT_EQ(head.feed(bytes.mid(i, 1)),
                  i + 1 < bytes.indexOf("\r\n\r\n") + 4 ? Status::Incomplete : Status::Complete)
            << i;
    EXPECT_EQ(head.feed(bytes.right(1)), Status::Complete);
    const HttpRequest& request = head.request();
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.path, "/r/main/ws");
    EXPECT_EQ(request.header("host"), "a:8080");
    EXPECT_EQ(request.header("upgrade"), "WebSocket");
    EXPECT_TRUE(request.headerHasToken("upgrade", "websocket"));
    EXPECT_TRUE(request.headerHasToken("connection", "upgrade"));
    EXPECT_EQ(head.rest(), "\x82\x80");

    HttpHead proxied;
    EXPECT_EQ(proxied.feed("HEAD http://piano.example.org/style.css HTTP/1.0\r\n\r\n"),
              Status::Complete);
    EXPECT_EQ(proxied.request().path, "/style.css");
}

TEST(HttpHead, LongLinesEarnTheirStatusAndBadHeadsNone)
{
    const struct
    {
        const char* what;
        QByteArray bytes;
        Status status;
    } cases[] = {
        {"8 KiB of target", "GET /" + QByteArray(9000, 'p'), Status::UriTooLong},
        {"a path over 1 KiB", "GET /" + QByteArray(1024, 'p') + " HTTP/1.1\r\n\r\n",
         Status::UriTooLong},
        {"a path of 1 KiB", "GET /" + QByteArray(1023, 'p') + " HTTP/1.1\r\n\r\n",
         Status::Complete},
        {"8 KiB of fields", "GET / HTTP/1.1\r\nX: " + QByteArray(9000, 'x'), Status::TooLarge},
        {"a head of exactly 8 KiB",
         "GET / HTTP/1.1\r\nX: " + QByteArray(8192 - 23, 'x') + "\r\n\r\n", Status::Complete},
        {"a head a byte over", "GET / HTTP/1.1\r\nX: " + QByteArray(8192 - 22, 'x') + "\r\n\r\n",
         Status::TooLarge},
        {"no version", "GET /\r\n\r\n", Status::Malformed},
        {"another protocol", "GET / SPDY/3\r\n\r\n", Status::Malformed},
        {"a folded field", "GET / HTTP/1.1\r\nX: a\r\n b\r\n\r\n", Status::Malformed},
        {"a blank before the colon", "GET / HTTP/1.1\r\nHost : a\r\n\r\n", Status::Malformed},
        {"a control in a value", "GET / HTTP/1.1\r\nX: a\x01\r\n\r\n", Status::Malformed},
        {"a relative target", "GET index.html HTTP/1.1\r\n\r\n", Status::Malformed},
        {"an unfinished head", "GET / HTTP/1.1\r\nHost: a\r\n", Status::Incomplete},
    };
    for (const auto& c : cases) {
        HttpHead head;
        EXPECT_EQ(head.feed(c.bytes), c.status) << c.what;
    }
}

} // namespace
} // namespace tamber::server
