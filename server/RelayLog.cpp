#include "RelayLog.h"

namespace tamber::server {

Q_LOGGING_CATEGORY(lcRelay, "corvent.relay", QtInfoMsg)

} // namespace tamber::server
