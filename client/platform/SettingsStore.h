#pragma once

#include <QString>

namespace tamber {

// Per-user string values addressed by section and key (the application name is fixed
// by the implementation). A missing key yields the given default.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual QString read(const QString& section, const QString& key,
                         const QString& fallback) const = 0;
    // Reaches the disk before returning, so a killed program keeps its choices.
    virtual void write(const QString& section, const QString& key, const QString& value) = 0;
};

} // namespace tamber
