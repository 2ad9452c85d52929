#pragma once

#include <QListWidget>
#include <QStringList>

namespace tamber::fakes {

// What a list box shows, top to bottom.
inline QStringList entries(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names.append(list->item(i)->text());
    return names;
}

} // namespace tamber::fakes
