#pragma once

#include "common/ProgramInfo.h"

#include <QString>

namespace tamber {

// Written into keymap files, shown in the About box, and the settings' application name.
inline constexpr char kProgramTitle[] = "Tamber Piano";

inline QString versionedTitle()
{
    return QStringLiteral("%1 v%2.%3.%4")
        .arg(QLatin1String(kProgramTitle))
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

} // namespace tamber
