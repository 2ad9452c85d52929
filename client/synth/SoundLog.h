#pragma once

#include <QLoggingCategory>

namespace tamber {

// The sound engine's messages: which audio system plays, and what it takes to keep it from
// crackling. QT_LOGGING_RULES="tamber.sound.info=false" silences them.
Q_DECLARE_LOGGING_CATEGORY(lcSound)

} // namespace tamber
