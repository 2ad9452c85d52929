#pragma once

#include <QStringList>

namespace tamber {

class SettingsStore;

// The addresses Join Session was last given, newest first, kept in the settings as
// "Session"/"Address1" to "Address10". An address used again moves to the front: host names
// and rooms are matched without regard to case, so "Host/Jazz" and "host/jazz" are one entry.
class RecentAddresses
{
public:
    static constexpr int kMaxAddresses = 10;

    explicit RecentAddresses(SettingsStore& settings) : m_settings(settings) {}

    QStringList list() const;
    void add(const QString& address);

private:
    SettingsStore& m_settings;
};

} // namespace tamber
