#include "ExitDeadline.h"

#include <cstdio>
#include <thread>
#include <unistd.h>

namespace tamber {

void armExitDeadline(std::chrono::milliseconds bound, int status)
{
    std::thread([bound, status] {
        std::this_thread::sleep_for(bound);
        // The logging categories may be gone by now, with the application.
        std::fprintf(stderr,
                     "TamberPiano: the audio and MIDI libraries did not close within %lld ms; "
                     "ending without them\n",
                     static_cast<long long>(bound.count()));
        ::_exit(status);
    }).detach();
}

} // namespace tamber
