#pragma once

#include <QLoggingCategory>

namespace tamber {

// The connection to a Corvent Server: why it failed or ended, and what it took.
Q_DECLARE_LOGGING_CATEGORY(lcSession)

} // namespace tamber
