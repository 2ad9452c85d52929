#pragma once

// The relay binary the end-to-end tests start, and the environment it runs in.

#include <QProcessEnvironment>
#include <QString>

namespace tamber::server {

inline QString serverBinary()
{
    return QString::fromLocal8Bit(qgetenv("CORVENT_SERVER"));
}

// A process environment with no display of any kind.
inline QProcessEnvironment noDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    return env;
}

} // namespace tamber::server
