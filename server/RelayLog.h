#pragma once

#include <QLoggingCategory>

namespace tamber::server {

// The relay's connections: who came, who was refused or cut off, and why.
Q_DECLARE_LOGGING_CATEGORY(lcRelay)

} // namespace tamber::server
