#include "LostDisplay.h"

#include <QGuiApplication>
#include <QString>
#include <X11/Xlib.h>

namespace tamber {

namespace {

std::function<void()>* g_beforeExit = nullptr;
QtMessageHandler g_previousMessages = nullptr;
XIOErrorHandler g_previousIoError = nullptr;

// Qt's words before its own exit, in both of its paths.
bool saysConnectionBroke(const QString& message)
{
    return message.startsWith(QLatin1String("The X11 connection broke"));
}

void onMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (g_previousMessages)
        g_previousMessages(type, context, message);
    if (type == QtWarningMsg && saysConnectionBroke(message))
        LostDisplayWatch::displayLost();
}

int onIoError(Display* display)
{
    LostDisplayWatch::displayLost();
    // Qt's handler reports the loss and exits.
    return g_previousIoError ? g_previousIoError(display) : 0;
}

} // namespace

LostDisplayWatch::LostDisplayWatch(std::function<void()> beforeExit)
{
    g_beforeExit = new std::function<void()>(std::move(beforeExit));
    g_previousMessages = qInstallMessageHandler(onMessage);
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        g_previousIoError = XSetIOErrorHandler(onIoError);
}

LostDisplayWatch::~LostDisplayWatch()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        XSetIOErrorHandler(g_previousIoError);
    qInstallMessageHandler(g_previousMessages);
    delete g_beforeExit;
    g_beforeExit = nullptr;
}

void LostDisplayWatch::displayLost()
{
    // Taken first: whatever beforeExit does, it runs once.
    std::function<void()>* beforeExit = g_beforeExit;
    g_beforeExit = nullptr;
    if (beforeExit && *beforeExit)
        (*beforeExit)();
    delete beforeExit;
}

} // namespace tamber
