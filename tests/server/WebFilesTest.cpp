// The web port's answers, without a socket: only the page's own files, never a folder or a
// path out of it, each with its type, the security policy and caching headers.

#include "server/web/WebFiles.h"
#include "server/web/WebPort.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tamber::server {
namespace {

QByteArray header(const WebReply& reply, const QByteArray& name)
{
    for (const auto& [key, value] : reply.headers) {
        if (key == name)
            return value;
    }
    return "(none)";
}

void writeFile(const QString& path, const QByteArray& bytes = "x")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class WebFilesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        page = dir.filePath(QStringLiteral("web"));
        for (const char* name :
             {"index.html", "room.html", "style.css", "favicon.svg", "js/main.js",
              "vendor/LICENSE.txt", "i18n/pt-BR.json", "js/.hidden.js", "notes.md"})
            writeFile(page + '/' + QLatin1String(name));
        writeFile(dir.filePath(QStringLiteral("secret.js")));
        writeFile(dir.filePath(QStringLiteral("TimGM6mb.sf2")), "sfbk");
        QFile::link(dir.filePath(QStringLiteral("secret.js")), page + QStringLiteral("/js/out.js"));
        QFile::link(page + QStringLiteral("/js/main.js"), page + QStringLiteral("/js/in.js"));
    }

    WebReply get(const QByteArray& path, const QByteArray& method = "GET",
                 const QByteArray& ifNoneMatch = {})
    {
        return WebFiles({page, dir.filePath(QStringLiteral("TimGM6mb.sf2"))})
            .resolve(method, path, ifNoneMatch);
    }

    QTemporaryDir dir;
    QString page;
};

TEST_F(WebFilesTest, ServesThePagesFilesWithTheirTypesPolicyAndCaching)
{
    const struct
    {
        const char* path;
        const char* file;
        const char* type;
    } cases[] = {
        {"/", "web/index.html", "text/html; charset=utf-8"},
        {"/index.html", "web/index.html", "text/html; charset=utf-8"},
        // Every room's page is the one room page.
        {"/r/main/", "web/room.html", "text/html; charset=utf-8"},
        {"/r/Jazz-Club_2/", "web/room.html", "text/html; charset=utf-8"},
        {"/r/%6Aazz/", "web/room.html", "text/html; charset=utf-8"},
        {"/r/abcdefghijklmnopqrstuvwx/", "web/room.html", "text/html; charset=utf-8"},
        {"/style.css", "web/style.css", "text/css; charset=utf-8"},
        {"/favicon.svg", "web/favicon.svg", "image/svg+xml"},
        {"/js/main.js", "web/js/main.js", "text/javascript; charset=utf-8"},
        {"/js/%6Dain.js", "web/js/main.js", "text/javascript; charset=utf-8"},
        {"/js/in.js", "web/js/main.js", "text/javascript; charset=utf-8"},
        {"/vendor/LICENSE.txt", "web/vendor/LICENSE.txt", "text/plain; charset=utf-8"},
        {"/i18n/pt-BR.json", "web/i18n/pt-BR.json", "application/json"},
        {"/soundfont.sf2", "TimGM6mb.sf2", "application/octet-stream"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const WebReply reply = get(c.path);
        EXPECT_EQ(reply.status, 200);
        EXPECT_TRUE(reply.sendsBody());
        EXPECT_EQ(QFileInfo(reply.file).canonicalFilePath(),
                  QFileInfo(dir.filePath(QLatin1String(c.file))).canonicalFilePath());
        EXPECT_EQ(header(reply, "Content-Type"), c.type);
        EXPECT_EQ(header(reply, "Content-Security-Policy"), WebFiles::kContentSecurityPolicy);
        EXPECT_EQ(header(reply, "X-Content-Type-Options"), "nosniff");
        EXPECT_TRUE(header(reply, "ETag").startsWith('"'));
        EXPECT_EQ(header(reply, "Cache-Control"),
                  QByteArray(c.path) == "/soundfont.sf2" ? "public, max-age=86400" : "no-cache");
    }
    // The policy lets the synthesizer compile its WebAssembly, and nothing in from elsewhere.
    EXPECT_TRUE(WebFiles::kContentSecurityPolicy.contains("script-src 'self' 'wasm-unsafe-eval'"));
    EXPECT_TRUE(WebFiles::kContentSecurityPolicy.startsWith("default-src 'self'"));
}

TEST_F(WebFilesTest, RefusesEverythingOutsideThePagesFiles)
{
    for (const char* path : {"/..",
                             "/../secret.js",
                             "/js/../../secret.js",
                             "/%2e%2e/secret.js",
                             "/js/%2E%2E/%2E%2E/secret.js",
                             "/..%2Fsecret.js",
                             "/js/..%5C..%5Csecret.js",
                             "/js/out.js",
                             "/js",
                             "/js/",
                             "/vendor",
                             "//etc/passwd",
                             "/js//main.js",
                             "/./index.html",
                             "/js/.hidden.js",
                             "/notes.md",
                             "/missing.js",
                             "/index.html%00.js",
                             "relative.js",
                             "/TimGM6mb.sf2",
                             ""}) {
        SCOPED_TRACE(path);
        const WebReply reply = get(path);
        EXPECT_EQ(reply.status, 404);
        EXPECT_TRUE(reply.file.isEmpty());
        EXPECT_EQ(header(reply, "X-Content-Type-Options"), "nosniff");
    }
    EXPECT_EQ(get("/" + QByteArray(2000, 'a') + ".js").status, 404);
    // Not a room's page: no name, a name the relay refuses, anything after the name.
    for (const char* path : {"/r", "/r/", "/r//", "/r/ja zz/", "/r/ja%20zz/", "/r/ja%2Fzz/",
                             "/r/j%C3%A4zz/", "/r/.jazz/", "/r/../index.html",
                             "/r/abcdefghijklmnopqrstuvwxy/", "/r/abcdefghijklmnopqrstuvwxy",
                             "/r/jazz/ws", "/r/jazz/index.html", "/r/jazz//", "/R/jazz/"}) {
        SCOPED_TRACE(path);
        const WebReply reply = get(path);
        EXPECT_EQ(reply.status, 404);
        EXPECT_TRUE(reply.file.isEmpty());
        EXPECT_EQ(header(reply, "X-Content-Type-Options"), "nosniff");
    }
    // A page folder that is not there serves nothing, not the working directory.
    EXPECT_EQ(WebFiles({dir.filePath(QStringLiteral("none")), {}}).resolve("GET", "/").status, 404);
    EXPECT_EQ(WebFiles({page, dir.filePath(QStringLiteral("none.sf2"))})
                  .resolve("GET", "/soundfont.sf2")
                  .status,
              404);
}

TEST_F(WebFilesTest, AnswersHeadWithoutBodyOtherMethodsNotAndACurrentCopyWith304)
{
    const WebReply head = get("/js/main.js", "HEAD");
    EXPECT_EQ(head.status, 200);
    EXPECT_FALSE(head.sendsBody());
    EXPECT_EQ(header(head, "Content-Type"), "text/javascript; charset=utf-8");

    const WebReply post = get("/js/main.js", "POST");
    EXPECT_EQ(post.status, 405);
    EXPECT_EQ(header(post, "Allow"), "GET, HEAD");

    const QByteArray tag = header(get("/js/main.js"), "ETag");
    const WebReply again = get("/js/main.js", "GET", "\"other\", " + tag);
    EXPECT_EQ(again.status, 304);
    EXPECT_FALSE(again.sendsBody());
    EXPECT_EQ(header(again, "ETag"), tag);
    EXPECT_EQ(get("/js/main.js", "GET", "\"other\"").status, 200);
    // Another file's tag is no copy of this one.
    writeFile(page + QStringLiteral("/js/main.js"), "changed");
    EXPECT_EQ(get("/js/main.js", "GET", tag).status, 200);
}

TEST_F(WebFilesTest, SendsARoomsAddressWithoutItsSlashToThePageWith308)
{
    const struct
    {
        const char* method;
        const char* path;
        const char* location;
    } cases[] = {
        {"GET", "/r/jazz", "/r/jazz/"},
        {"HEAD", "/r/Jazz-Club_2", "/r/Jazz-Club_2/"},
        {"GET", "/r/%6Aazz", "/r/jazz/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        const WebReply reply = get(c.path, c.method);
        EXPECT_EQ(reply.status, 308);
        EXPECT_FALSE(reply.sendsBody());
        EXPECT_TRUE(reply.file.isEmpty());
        EXPECT_EQ(header(reply, "Location"), c.location);
        EXPECT_EQ(header(reply, "Content-Security-Policy"), WebFiles::kContentSecurityPolicy);
        EXPECT_EQ(header(reply, "X-Content-Type-Options"), "nosniff");
    }
    EXPECT_EQ(get("/r/jazz", "POST").status, 405);
    EXPECT_EQ(get("/r/jazz/", "DELETE").status, 405);

    // The room page is checked for a current copy like any file.
    const QByteArray tag = header(get("/r/jazz/"), "ETag");
    EXPECT_EQ(get("/r/other/", "GET", tag).status, 304);
    EXPECT_EQ(get("/r/jazz/", "HEAD").status, 200);
}

TEST(WebFolders, BesideTheBinaryInTheBuildAndInTheDataFolderOnceInstalled)
{
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("usr/bin"));
    QDir().mkpath(bin);
    EXPECT_EQ(webFoldersIn(bin).page, bin + QStringLiteral("/web"));
    QDir().mkpath(dir.filePath(QStringLiteral("usr/share/corvent-server/web")));
    EXPECT_EQ(webFoldersIn(bin).page, dir.filePath(QStringLiteral("usr/share/corvent-server/web")));
    EXPECT_TRUE(webFoldersIn(bin).soundfont.endsWith(QStringLiteral(".sf2")));
}

TEST(WebOrigin, ThePagesOwnHostAndTheOriginsGivenUnlessNone)
{
    const QStringList none;
    EXPECT_TRUE(originAllowed(QStringLiteral("http://127.0.0.1:8080"),
                              QStringLiteral("127.0.0.1:8080"), none));
    EXPECT_TRUE(originAllowed(QStringLiteral("https://Piano.Example.org"),
                              QStringLiteral("piano.example.org"), none));
    EXPECT_FALSE(originAllowed(QStringLiteral("http://evil.example"),
                               QStringLiteral("127.0.0.1:8080"), none));
    EXPECT_FALSE(originAllowed(QStringLiteral("http://127.0.0.1:9999"),
                               QStringLiteral("127.0.0.1:8080"), none));
    EXPECT_FALSE(originAllowed(QStringLiteral("null"), QStringLiteral("127.0.0.1:8080"), none));
    EXPECT_FALSE(originAllowed(QStringLiteral("http://x"), QString(), none));
    // No Origin: no web page asked, as with any TCP client.
    EXPECT_TRUE(originAllowed(QString(), QStringLiteral("127.0.0.1:8080"), none));

    const QStringList given{QStringLiteral("https://piano.example.org")};
    EXPECT_TRUE(originAllowed(QStringLiteral("https://piano.example.org"),
                              QStringLiteral("10.0.0.1:8080"), given));
    EXPECT_FALSE(originAllowed(QStringLiteral("http://piano.example.org"),
                               QStringLiteral("10.0.0.1:8080"), given));
    // The origins given add to the page's own; "none" takes the page's own away.
    EXPECT_TRUE(originAllowed(QStringLiteral("http://10.0.0.1:8080"),
                              QStringLiteral("10.0.0.1:8080"), given));
    const QStringList proxied{QStringLiteral("none"), QStringLiteral("https://piano.example.org")};
    EXPECT_FALSE(originAllowed(QStringLiteral("http://10.0.0.1:8080"),
                               QStringLiteral("10.0.0.1:8080"), proxied));
    EXPECT_TRUE(originAllowed(QStringLiteral("https://piano.example.org"),
                              QStringLiteral("10.0.0.1:8080"), proxied));
    EXPECT_FALSE(originAllowed(QStringLiteral("http://10.0.0.1:8080"),
                               QStringLiteral("10.0.0.1:8080"), {QStringLiteral("none")}));
    EXPECT_TRUE(
        originAllowed(QString(), QStringLiteral("10.0.0.1:8080"), {QStringLiteral("none")}));
    EXPECT_TRUE(originAllowed(QStringLiteral("http://anything"), QStringLiteral("h"),
                              {QStringLiteral("*")}));
}

} // namespace
} // namespace tamber::server
