// Whom a trusted proxy speaks for: the rightmost forwarded address not itself a trusted proxy.

#include "server/web/Forwarded.h"
#include "server/web/HttpHead.h"

#include <gtest/gtest.h>

namespace tamber::server {
namespace {

HttpRequest requestWith(const QList<std::pair<QByteArray, QByteArray>>& headers)
{
    HttpRequest request;
    request.headers = headers;
    return request;
}

TEST(Forwarded, TheRightmostUntrustedAddressIsTheClient)
{
    const QList<QHostAddress> trusted{QHostAddress("127.0.0.1"), QHostAddress("10.0.0.1")};
    struct Case
    {
        const char* what;
        QList<std::pair<QByteArray, QByteArray>> headers;
        const char* client; // null: none named
    };
    const Case cases[] = {
        {"one address", {{"x-forwarded-for", "198.51.100.7"}}, "198.51.100.7"},
        {"a forged left part", {{"x-forwarded-for", "1.2.3.4, 198.51.100.7"}}, "198.51.100.7"},
        {"a chain of trusted proxies",
         {{"x-forwarded-for", "1.2.3.4, 198.51.100.7, 10.0.0.1"}},
         "198.51.100.7"},
        {"two fields in order",
         {{"x-forwarded-for", "1.2.3.4"}, {"x-forwarded-for", "2001:db8::5"}},
         "2001:db8::5"},
        {"an IPv4-mapped address", {{"x-forwarded-for", "::ffff:198.51.100.7"}}, "198.51.100.7"},
        {"junk where the client should be", {{"x-forwarded-for", "1.2.3.4, nonsense"}}, nullptr},
        {"only trusted proxies", {{"x-forwarded-for", "10.0.0.1"}}, nullptr},
        {"Forwarded, quoted with a port",
         {{"forwarded", "for=1.2.3.4, for=\"198.51.100.7:4711\";proto=https"}},
         "198.51.100.7"},
        {"Forwarded, IPv6 in brackets",
         {{"forwarded", "For=\"[2001:db8::17]:80\""}},
         "2001:db8::17"},
        {"Forwarded, obfuscated", {{"forwarded", "for=_hidden"}}, nullptr},
        {"X-Forwarded-For before Forwarded",
         {{"forwarded", "for=1.2.3.4"}, {"x-forwarded-for", "198.51.100.7"}},
         "198.51.100.7"},
        {"nothing forwarded", {{"host", "example.org"}}, nullptr},
    };
    for (const Case& c : cases) {
        const auto client = forwardedClient(requestWith(c.headers), trusted);
        if (c.client) {
            ASSERT_TRUE(client) << c.what;
            EXPECT_EQ(*client, QHostAddress(QString::fromLatin1(c.client))) << c.what;
        } else {
            EXPECT_FALSE(client) << c.what;
        }
    }
}

} // namespace
} // namespace tamber::server
