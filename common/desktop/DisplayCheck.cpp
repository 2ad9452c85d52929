#include "DisplayCheck.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace tamber {

namespace {

const char* g_program = nullptr;
QtMessageHandler g_previous = nullptr;

// The platform Qt will take: -platform NAME, then QT_QPA_PLATFORM, then the session's type.
QByteArray platformOf(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return argv[i + 1];
    }
    if (const QByteArray env = qgetenv("QT_QPA_PLATFORM"); !env.isEmpty())
        return env;
    return qgetenv("XDG_SESSION_TYPE") == "wayland" ? QByteArray("wayland") : QByteArray("xcb");
}

// -display NAME overrides DISPLAY for the X platform.
QByteArray displayOf(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0 || std::strcmp(argv[i], "--display") == 0)
            return argv[i + 1];
    }
    return qgetenv("DISPLAY");
}

const char* reasonOf(int xcbError)
{
    switch (xcbError) {
    case XCB_CONN_CLOSED_PARSE_ERR:
        return "not a display name";
    case XCB_CONN_CLOSED_INVALID_SCREEN:
        return "no such screen";
    case XCB_CONN_CLOSED_MEM_INSUFFICIENT:
        return "out of memory";
    default:
        // Nothing listens there, or the server refused or dropped the connection.
        return "the server cannot be reached or refused the connection";
    }
}

// Qt's own failure to start a platform is fatal (abort, a core dump): while the guard lives,
// it becomes one line and exit status 1.
void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        if (g_previous)
            g_previous(type, context, message);
        return;
    }
    const QByteArray text = message.section(QLatin1Char('\n'), 0, 0).toLocal8Bit();
    std::fprintf(stderr, "%s: %s\n", g_program, text.constData());
    std::_Exit(1);
}

} // namespace

DisplayGuard::DisplayGuard(const char* program, int argc, char** argv)
{
    g_program = program;
    g_previous = qInstallMessageHandler(onMessage);
    // "xcb:option" names the same platform; a list ("wayland;xcb") is Qt's to try.
    if (platformOf(argc, argv).split(':').constFirst() != "xcb")
        return;
    const QByteArray display = displayOf(argc, argv);
    if (display.isEmpty()) {
        std::fprintf(stderr, "%s: no X display to show the window on (DISPLAY is not set)\n",
                     program);
        m_reachable = false;
        return;
    }
    xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
    if (const int error = xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "%s: cannot connect to the X display \"%s\" (%s)\n", program,
                     display.constData(), reasonOf(error));
        m_reachable = false;
    }
    xcb_disconnect(connection);
}

void DisplayGuard::started()
{
    if (!g_program)
        return;
    qInstallMessageHandler(g_previous);
    g_previous = nullptr;
    g_program = nullptr;
}

} // namespace tamber
