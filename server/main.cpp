// CorventServer: the relay of a piano session, with a window or, with --headless, without.

#include "client/platform/QtPlatform.h"
#include "common/ProgramInfo.h"
#include "common/appicon/AppIcon.h"
#include "server/HeadlessFront.h"
#include "server/RelayServer.h"
#include "server/frmServer.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <memory>

namespace {

constexpr auto kDescription =
    "Relays the notes, instruments and chat of up to eight Tamber Piano players on TCP port "
    "9050.\n\n"
    "Window mode (the default) shows the Corvent Server window; the service listens once "
    "Start is pressed.\n"
    "Headless mode (--headless) needs no display: it listens at once, prints the eight-line "
    "user list to standard output each time it changes, and stops on SIGTERM or SIGINT.";

int runHeadless(int argc, char** argv)
{
    using namespace tamber::server;
    // Before QCoreApplication, so every thread it may start inherits the blocked signals.
    HeadlessFront::blockStopSignals();
    QCoreApplication app(argc, argv);
    RelayServer server;
    HeadlessFront front(server, stdout, stderr);
    QObject::connect(&front, &HeadlessFront::stopped, &app, [] { QCoreApplication::exit(0); });
    if (!front.start(tamber::protocol::kPort, QHostAddress::Any))
        return 1;
    return app.exec();
}

int runWindow(int argc, char** argv)
{
    using namespace tamber::server;
    QApplication app(argc, argv);
    QApplication::setWindowIcon(tamber::appIcon());
    QApplication::setDesktopFileName(QLatin1String(tamber::kServerDesktopId));
    RelayServer server;
    tamber::QtMessageBoxes messageBoxes;
    frmServer window(server, messageBoxes);
    messageBoxes.setParentWindow(&window);
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("CorventServer"));
    QCoreApplication::setApplicationVersion(QLatin1String(tamber::kVersionText));

    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption headless(
        QStringLiteral("headless"),
        QStringLiteral("Run without a window: serve at once, print the user list to standard "
                       "output, stop on SIGTERM or SIGINT."));
    parser.addOption(headless);

    // Which application object to create depends on the mode, so parse before making one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments) || parser.isSet(QStringLiteral("help")) ||
        parser.isSet(QStringLiteral("version"))) {
        QCoreApplication app(argc, argv);
        parser.process(app); // prints help, version or the error, and exits
        return 0;
    }
    return parser.isSet(headless) ? runHeadless(argc, argv) : runWindow(argc, argv);
}
