#pragma once

#include <QIcon>

namespace tamber {

// The icon both programs show on their windows; built into the binary, so it needs no theme.
QIcon appIcon();

} // namespace tamber
