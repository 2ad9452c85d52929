#include "VerboseLogging.h"

#include <QCoreApplication>
#include <QLoggingCategory>

namespace tamber {

QCommandLineOption verboseOption()
{
    return QCommandLineOption(
        QStringLiteral("verbose"),
        QCoreApplication::translate("VerboseLogging", "Print debug messages to standard error as "
                                                      "well: what each device, file and "
                                                      "connection did."));
}

void enableVerboseLogging()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tamber.*.debug=true\n"
                                                    "corvent.*.debug=true"));
}

} // namespace tamber
