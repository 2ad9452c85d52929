#pragma once

#include <QString>
#include <cstdint>

namespace tamber {

// Written into keymap files, shown in the About box, and the settings' application name.
inline constexpr char kProgramTitle[] = "Tamber Piano";
inline constexpr uint8_t kVersionMajor = 0;
inline constexpr uint8_t kVersionMinor = 1;
inline constexpr uint8_t kVersionRevision = 3;

inline QString versionedTitle()
{
    return QStringLiteral("%1 v%2.%3.%4")
        .arg(QLatin1String(kProgramTitle))
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

} // namespace tamber
