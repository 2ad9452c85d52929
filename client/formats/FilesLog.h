#pragma once

#include <QLoggingCategory>

namespace tamber {

// Keymaps and recordings: what could not be read or written, and why.
Q_DECLARE_LOGGING_CATEGORY(lcFiles)

} // namespace tamber
