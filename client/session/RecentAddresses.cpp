#include "RecentAddresses.h"

#include "client/platform/SettingsStore.h"

#include <algorithm>

namespace tamber {

namespace {

const QString kSection = QStringLiteral("Session");

QString key(int index)
{
    return QStringLiteral("Address%1").arg(index + 1);
}

} // namespace

QStringList RecentAddresses::list() const
{
    // Entries edited by hand may be blank or repeated: each shows once, blanks not at all.
    QStringList addresses;
    for (int i = 0; i < kMaxAddresses; ++i) {
        const QString address = m_settings.read(kSection, key(i), QString()).trimmed();
        if (!address.isEmpty() && !addresses.contains(address, Qt::CaseInsensitive))
            addresses.append(address);
    }
    return addresses;
}

void RecentAddresses::add(const QString& address)
{
    QStringList addresses = list();
    addresses.removeIf(
        [&](const QString& old) { return old.compare(address, Qt::CaseInsensitive) == 0; });
    addresses.prepend(address);
    for (int i = 0; i < std::min<int>(addresses.size(), kMaxAddresses); ++i)
        m_settings.write(kSection, key(i), addresses[i]);
}

} // namespace tamber
