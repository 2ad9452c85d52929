#include "SoundLog.h"

namespace tamber {

Q_LOGGING_CATEGORY(lcSound, "tamber.sound", QtInfoMsg)

} // namespace tamber
