#include "FilesLog.h"

namespace tamber {

Q_LOGGING_CATEGORY(lcFiles, "tamber.files", QtInfoMsg)

} // namespace tamber
