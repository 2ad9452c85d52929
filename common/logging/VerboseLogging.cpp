#include "VerboseLogging.h"

#include <QLoggingCategory>

namespace tamber {

QCommandLineOption verboseOption()
{
    return QCommandLineOption(QStringLiteral("verbose"),
                              QStringLiteral("Print debug messages to standard error as well: "
                                             "what each device, file and connection did."));
}

void enableVerboseLogging()
{
    QLoggingCategory::setFilterRules(QStringLiteral("tamber.*.debug=true\n"
                                                    "corvent.*.debug=true"));
}

} // namespace tamber
