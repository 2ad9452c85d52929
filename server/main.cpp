// CorventServer: the relay of a piano session. With --headless it serves on Qt Core and
// Network alone; without, it becomes the window program installed beside it, so that a relay
// host needs no display libraries.

#include "common/ProgramInfo.h"
#include "common/language/Translations.h"
#include "common/logging/VerboseLogging.h"
#include "server/HeadlessFront.h"
#include "server/RelayServer.h"
#include "server/ServerOptions.h"
#include "server/net/Sockets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

constexpr auto kWindowProgram = "corvent-server-window";

void fail(const QString& message)
{
    std::fprintf(stderr, "CorventServer: %s\n", message.toLocal8Bit().constData());
}

// Beside this program in the build tree; in libexec once installed.
QString windowProgram()
{
    const QDir here(QCoreApplication::applicationDirPath());
    for (const QString& folder : {QStringLiteral("."), QStringLiteral(TAMBER_SERVER_LIBEXEC)}) {
        const QFileInfo candidate(here.filePath(folder + '/' + QLatin1String(kWindowProgram)));
        if (candidate.isFile() && candidate.isExecutable())
            return QDir::cleanPath(candidate.absoluteFilePath());
    }
    return {};
}

// Replaces this process with the window program, with the same arguments; returns only on
// failure.
int runWindow(char** argv)
{
    const QString program = windowProgram();
    if (program.isEmpty()) {
        fail(QCoreApplication::translate("CorventServer",
                                         "the window program %1 is not installed; use --headless")
                 .arg(QLatin1String(kWindowProgram)));
        return 1;
    }
    const QByteArray path = QFile::encodeName(program);
    tamber::server::HeadlessFront::releaseSignals();
    ::execv(path.constData(), argv);
    fail(QCoreApplication::translate("CorventServer", "cannot start %1: %2")
             .arg(program, QString::fromLocal8Bit(std::strerror(errno))));
    return 1;
}

int runHeadless(const tamber::server::RelayLimits& limits,
                const tamber::server::ListenSettings& listen,
                const tamber::server::WebSettings& web)
{
    using namespace tamber::server;
    RelayServer server(limits, listen.maxRooms);
    if (web.port != 0)
        server.setWeb({web.port, QHostAddress::Any, web.allowedOrigins, installedWebFolders()});
    FdChannel out(STDOUT_FILENO);
    HeadlessFront front(server, out, stderr);
    QObject::connect(&front, &HeadlessFront::stopped, qApp, [] { QCoreApplication::exit(0); });
    if (!front.start(listen.port, QHostAddress::Any))
        return 1;
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    // First of all, so that every thread inherits the blocked stop signals and no print to a
    // reader that has gone can kill the relay.
    tamber::server::HeadlessFront::prepareSignals();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("CorventServer"));
    QCoreApplication::setApplicationVersion(QLatin1String(tamber::kVersionText));
    // Before the options: --help speaks the operator's language too.
    tamber::installSystemTranslations(QStringLiteral("corvent-server"),
                                      QStringLiteral(TAMBER_TRANSLATIONS_FROM_PROGRAM));

    QCommandLineParser parser;
    const tamber::server::ServerOptions options(parser);
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")))
        parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    // The window program reads the same options after its GUI has taken Qt's own (-platform
    // and the like), and reports any error itself.
    if (!options.headless())
        return runWindow(argv);

    if (!parsed || !parser.positionalArguments().isEmpty()) {
        fail(parsed ? QCoreApplication::translate("CorventServer", "unexpected argument \"%1\"")
                          .arg(parser.positionalArguments().constFirst())
                    : parser.errorText());
        return 1;
    }
    QString error;
    const auto limits = options.limits(&error);
    const auto listen = limits ? options.listen(&error) : std::nullopt;
    const auto web = listen ? options.web(&error) : std::nullopt;
    if (!web) {
        fail(error);
        return 1;
    }
    if (options.verbose())
        tamber::enableVerboseLogging();
    tamber::server::net::raiseOpenFileLimit();
    return runHeadless(*limits, *listen, *web);
}
