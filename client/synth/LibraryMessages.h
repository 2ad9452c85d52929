#pragma once

#include <QLoggingCategory>

namespace tamber {

// While one lives, the libraries' messages on this thread go into `category`; and when
// `attempt` is set, FluidSynth's errors are debug messages too: they describe a try whose
// outcome we report ourselves (an audio system tried in turn). Without one, JACK's messages
// go to tamber.midi and ALSA's by the part of ALSA they come from (see routeLibraryMessages()).
class LibraryMessages
{
public:
    using Category = const QLoggingCategory& (*)();
    explicit LibraryMessages(Category category, bool attempt = false);
    ~LibraryMessages();
    LibraryMessages(const LibraryMessages&) = delete;
    LibraryMessages& operator=(const LibraryMessages&) = delete;

    // The category in force on this thread (null: none chosen) and whether a try is running.
    static Category category();
    static bool inAttempt();

private:
    Category m_previousCategory;
    bool m_previousAttempt;
};

} // namespace tamber
