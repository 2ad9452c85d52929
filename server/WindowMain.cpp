// The window of CorventServer, a program of its own so that the relay itself never loads the
// GUI: CorventServer starts it in its own place unless --headless is given.

#include "common/ProgramInfo.h"
#include "common/appicon/AppIcon.h"
#include "common/desktop/DisplayCheck.h"
#include "common/desktop/QtMessageBoxes.h"
#include "common/language/Translations.h"
#include "common/logging/VerboseLogging.h"
#include "server/RelayServer.h"
#include "server/ServerOptions.h"
#include "server/frmServer.h"
#include "server/net/Sockets.h"

#include <QApplication>
#include <csignal>
#include <cstdio>

int main(int argc, char** argv)
{
    using namespace tamber::server;
    std::signal(SIGPIPE, SIG_IGN);
    tamber::DisplayGuard display("CorventServer", argc, argv);
    if (!display.reachable())
        return 1;
    QApplication app(argc, argv);
    display.started();
    QCoreApplication::setApplicationName(QStringLiteral("CorventServer"));
    QCoreApplication::setApplicationVersion(QLatin1String(tamber::kVersionText));
    QApplication::setWindowIcon(tamber::appIcon());
    QApplication::setDesktopFileName(QLatin1String(tamber::kServerDesktopId));
    tamber::installSystemTranslations(QStringLiteral("corvent-server"),
                                      QStringLiteral(TAMBER_TRANSLATIONS_FROM_PROGRAM));

    QCommandLineParser parser;
    const ServerOptions options(parser);
    parser.process(app);
    QString error;
    const auto limits = options.limits(&error);
    const auto listen = limits ? options.listen(&error) : std::nullopt;
    const auto web = listen ? options.web(&error) : std::nullopt;
    if (web && options.headless())
        error = QCoreApplication::translate("CorventServer",
                                            "--headless is CorventServer's own option");
    else if (web && !parser.positionalArguments().isEmpty())
        error = QCoreApplication::translate("CorventServer", "unexpected argument \"%1\"")
                    .arg(parser.positionalArguments()[0]);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "CorventServer: %s\n", error.toLocal8Bit().constData());
        return 1;
    }

    if (options.verbose())
        tamber::enableVerboseLogging();
    tamber::server::net::raiseOpenFileLimit();
    RelayServer server(*limits, listen->maxRooms);
    if (web->port != 0)
        server.setWeb({web->port, QHostAddress::Any, web->allowedOrigins, installedWebFolders()});
    tamber::QtMessageBoxes messageBoxes;
    frmServer window(server, messageBoxes, {listen->port, QHostAddress::Any});
    messageBoxes.setParentWindow(&window);
    window.show();
    return app.exec();
}
