#pragma once

// The relay's web port: the browser piano's files over HTTP at /, and its WebSocket at /ws.
// Every WebSocket that passes the path and Origin checks is handed on; the relay seats it
// like a TCP client. Others are closed before a byte of the protocol passes.

#include "server/web/WebFiles.h"

#include <QAbstractHttpServer>
#include <QHostAddress>
#include <QPointer>
#include <QStringList>
#include <QWebSocketServer>
#include <functional>
#include <memory>

class QWebSocket;

namespace tamber::server {

// Whether a browser page from `origin` may open the relay's WebSocket. With no allowed
// origins given, only the page's own host may (the Host it asked for, `host`); "*" allows
// every origin. A request without an Origin comes from no web page, and no page can be
// tricked into it: it passes, as a TCP client would.
bool originAllowed(const QString& origin, const QString& host, const QStringList& allowed);

class WebListener;

class WebServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    using SocketSink = std::function<void(std::unique_ptr<QWebSocket>)>;

    WebServer(WebFiles files, QStringList allowedOrigins, SocketSink sink,
              QObject* parent = nullptr);
    ~WebServer() override;

    // False (and not listening) when the port cannot be listened on; errorString() says why.
    bool listenOn(const QHostAddress& address, quint16 port);
    void close();
    bool isListening() const;
    quint16 port() const;
    QString errorString() const { return m_errorString; }

    // Closes a WebSocket that gets no seat, then deletes it.
    void refuse(std::unique_ptr<QWebSocket> socket, QWebSocketProtocol::CloseCode code);

protected:
    bool handleRequest(const QHttpServerRequest& request, QTcpSocket* socket) override;
    void missingHandler(const QHttpServerRequest& request, QTcpSocket* socket) override;

private:
    void onWebSocket();
    void upgrade(QTcpSocket* socket);

    WebFiles m_files;
    QStringList m_allowedOrigins;
    SocketSink m_sink;
    QWebSocketServer m_webSockets;
    WebListener* m_listener = nullptr;
    QString m_errorString;
};

} // namespace tamber::server
