#include "WebFiles.h"

#include "common/protocol/Messages.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cstring>

namespace tamber::server {

namespace {

constexpr auto kSoundfontPath = "/soundfont.sf2";
// A room's page is /r/NAME/, the same file for every room; the page finds its room in its
// own address.
constexpr auto kRoomPrefix = "/r/";
constexpr auto kLobbyFile = "/index.html";
constexpr auto kRoomFile = "/room.html";
// Longer request paths name nothing the page has.
constexpr qsizetype kMaxPath = 1024;

// Module scripts and worklets are refused under any other type than text/javascript; a file
// of a type not listed here is not one of the page's.
const QByteArray* mimeType(const QString& suffix)
{
    static const std::pair<QString, QByteArray> types[] = {
        {QStringLiteral("html"), "text/html; charset=utf-8"},
        {QStringLiteral("js"), "text/javascript; charset=utf-8"},
        {QStringLiteral("css"), "text/css; charset=utf-8"},
        {QStringLiteral("svg"), "image/svg+xml"},
        {QStringLiteral("txt"), "text/plain; charset=utf-8"},
        // The page's texts in each language.
        {QStringLiteral("json"), "application/json"},
        {QStringLiteral("wasm"), "application/wasm"},
        {QStringLiteral("sf2"), "application/octet-stream"},
    };
    for (const auto& [name, type] : types) {
        if (suffix == name)
            return &type;
    }
    return nullptr;
}

// Changes whenever the file is replaced, so a browser's copy is checked cheaply.
QByteArray entityTag(const QFileInfo& file)
{
    return '"' + QByteArray::number(file.size(), 16) + '-' +
           QByteArray::number(file.lastModified().toMSecsSinceEpoch(), 16) + '"';
}

bool matches(const QByteArray& ifNoneMatch, const QByteArray& tag)
{
    for (const QByteArray& candidate : ifNoneMatch.split(',')) {
        const QByteArray trimmed = candidate.trimmed();
        if (trimmed == "*" || trimmed == tag || trimmed == "W/" + tag)
            return true;
    }
    return false;
}

// A path of plain names: no empty, dot or hidden segment, no backslash or NUL.
bool isPlainPath(const QByteArray& decoded)
{
    if (!decoded.startsWith('/') || decoded.contains('\\') || decoded.contains('\0'))
        return false;
    const QList<QByteArray> segments = decoded.mid(1).split('/');
    for (const QByteArray& segment : segments) {
        if (segment.isEmpty() || segment.startsWith('.'))
            return false;
    }
    return true;
}

QString resolvedFolder(const QString& folder)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QString() : canonical + '/';
}

} // namespace

const QByteArray WebFiles::kContentSecurityPolicy =
    "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; connect-src 'self'; "
    "img-src 'self'; style-src 'self'; object-src 'none'; base-uri 'none'; "
    "form-action 'none'; frame-ancestors 'none'";

WebFolders webFoldersIn(const QString& programFolder)
{
    const QDir bin(programFolder);
    const QString installed = bin.absoluteFilePath(QStringLiteral(TAMBER_WEB_FROM_BINARY));
    const QString page =
        QFileInfo(installed).isDir() ? installed : bin.absoluteFilePath(QStringLiteral("web"));
    return {QDir::cleanPath(page), QStringLiteral(TAMBER_WEB_SOUNDFONT)};
}

WebFolders installedWebFolders()
{
    return webFoldersIn(QCoreApplication::applicationDirPath());
}

WebFiles::WebFiles(WebFolders folders)
    : m_folders(std::move(folders)), m_root(resolvedFolder(m_folders.page))
{
}

WebReply WebFiles::resolve(const QByteArray& method, const QByteArray& path,
                           const QByteArray& ifNoneMatch) const
{
    WebReply reply;
    reply.headers = {{"Content-Security-Policy", kContentSecurityPolicy},
                     {"X-Content-Type-Options", "nosniff"},
                     {"Referrer-Policy", "no-referrer"}};
    if (method != "GET" && method != "HEAD") {
        reply.status = 405;
        reply.headers.emplaceBack("Allow", "GET, HEAD");
        return reply;
    }
    reply.headOnly = method == "HEAD";
    const QByteArray decoded = QByteArray::fromPercentEncoding(path.left(kMaxPath + 1));
    if (path.size() > kMaxPath)
        return reply;

    QString pageFile;
    if (decoded == "/") {
        pageFile = QLatin1String(kLobbyFile);
    } else if (decoded.startsWith(kRoomPrefix)) {
        const QByteArray room = decoded.mid(qsizetype(std::strlen(kRoomPrefix)));
        if (room.endsWith('/') && protocol::isRoomName(room.chopped(1))) {
            pageFile = QLatin1String(kRoomFile);
        } else {
            // Without its final slash the page would look for its socket beside the wrong path.
            if (protocol::isRoomName(room)) {
                reply.status = 308;
                reply.headers.emplaceBack("Location", kRoomPrefix + room + '/');
                reply.headers.emplaceBack("Cache-Control", "no-cache");
            }
            return reply;
        }
    } else if (isPlainPath(decoded)) {
        pageFile = QString::fromUtf8(decoded);
    } else {
        return reply;
    }

    const bool soundfont = decoded == kSoundfontPath;
    const QString file = soundfont ? m_folders.soundfont : fileFor(pageFile);
    const QFileInfo info(file);
    const QByteArray* type = mimeType(info.suffix());
    if (file.isEmpty() || !info.isFile() || !info.isReadable() || !type)
        return reply;

    const QByteArray tag = entityTag(info);
    reply.headers.emplaceBack("ETag", tag);
    // The page revalidates every file, so an upgraded server never leaves old modules in use;
    // the soundfont is large and changes only with its package.
    reply.headers.emplaceBack("Cache-Control", soundfont ? QByteArray("public, max-age=86400")
                                                         : QByteArray("no-cache"));
    if (matches(ifNoneMatch, tag)) {
        reply.status = 304;
        return reply;
    }
    reply.status = 200;
    reply.file = info.absoluteFilePath();
    reply.headers.emplaceBack("Content-Type", *type);
    return reply;
}

QString WebFiles::fileFor(const QString& decodedPath) const
{
    if (m_root.isEmpty())
        return {};
    // Links inside the folder may point anywhere; only what resolves inside it is served.
    const QString resolved = QFileInfo(m_root + decodedPath.mid(1)).canonicalFilePath();
    return resolved.startsWith(m_root) ? resolved : QString();
}

} // namespace tamber::server
