#pragma once

// What the relay's web port serves: the browser piano's own files and the soundfont, nothing
// else. Deciding the answer to a request is kept apart from the socket, so every refusal (a
// path out of the folder, a folder, a hidden or unknown file) is tested without a network.

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

namespace tamber::server {

// Where the page's files and the soundfont it plays are found.
struct WebFolders
{
    QString page;      // the built page: index.html, js/, vendor/
    QString soundfont; // the General MIDI soundfont served as /soundfont.sf2
};

// The one place that decides them: the page beside the binary in the build tree (bin/web),
// <prefix>/share/corvent-server/web once installed; the soundfont from the installed
// TimGM6mb package.
WebFolders installedWebFolders();
// The same decision for a given program folder (tests).
WebFolders webFoldersIn(const QString& programFolder);

struct WebReply
{
    int status = 404;
    QString file; // what to send, for 200 (HEAD sends only its headers)
    QList<std::pair<QByteArray, QByteArray>> headers;
    // Whether to send the file's bytes: a GET of an existing file that the client has no
    // current copy of.
    bool sendsBody() const { return status == 200 && !headOnly; }
    bool headOnly = false;
};

class WebFiles
{
public:
    explicit WebFiles(WebFolders folders);

    // The answer to one request. `path` is the request URL's path as sent (percent-encoded);
    // `ifNoneMatch` the client's If-None-Match header, if any.
    WebReply resolve(const QByteArray& method, const QByteArray& path,
                     const QByteArray& ifNoneMatch = {}) const;

    // The policy every answer carries: only the page's own origin, plus the WebAssembly
    // compilation its synthesizer needs.
    static const QByteArray kContentSecurityPolicy;

private:
    QString fileFor(const QString& decodedPath) const;

    WebFolders m_folders;
    QString m_root; // the page folder, resolved, with a trailing slash
};

} // namespace tamber::server
