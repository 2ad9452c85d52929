#pragma once

#include <chrono>

namespace tamber {

// Once the piano has decided to end (its notes silenced, its files complete), what remains is
// the libraries' own clean-up, and libjack's jack_client_close can hang for good there. From
// this call on, a program that has not ended within `bound` says so in one line and ends with
// `status` all the same.
void armExitDeadline(std::chrono::milliseconds bound, int status);

} // namespace tamber
