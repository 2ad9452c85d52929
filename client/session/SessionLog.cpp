#include "SessionLog.h"

namespace tamber {

Q_LOGGING_CATEGORY(lcSession, "tamber.session", QtInfoMsg)

} // namespace tamber
