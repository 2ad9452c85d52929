#include "FluidLibrary.h"

#include "FluidLog.h"
#include "SoundLog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <thread>

namespace tamber {

static_assert(FLUIDSYNTH_VERSION_MAJOR == 2, "libfluidsynth.so.3 is FluidSynth 2's library");

namespace {

constexpr const char* kLibrary = "libfluidsynth.so.3";

const FluidSynthLibrary* openLibrary()
{
    // Kept open for the life of the program: the audio thread calls into it until exit.
    void* handle = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        qCWarning(lcSound) << "FluidSynth could not be loaded:" << dlerror();
        return nullptr;
    }
    static FluidSynthLibrary library;
    bool whole = true;
#define TAMBER_FLUIDSYNTH_RESOLVE(name)                                                            \
    library.name = reinterpret_cast<decltype(library.name)>(dlsym(handle, #name));                 \
    if (!library.name) {                                                                           \
        qCWarning(lcSound) << "FluidSynth lacks" << #name;                                         \
        whole = false;                                                                             \
    }
    TAMBER_FLUIDSYNTH_FUNCTIONS(TAMBER_FLUIDSYNTH_RESOLVE)
#undef TAMBER_FLUIDSYNTH_RESOLVE
    if (!whole)
        return nullptr;
    // Looked up among FluidSynth's own libraries: they are not the program's.
    library.ompSetNumThreads =
        reinterpret_cast<void (*)(int)>(dlsym(handle, "omp_set_num_threads"));
    routeFluidSynthLog(library);
    return &library;
}

} // namespace

const FluidSynthLibrary* fluidSynth()
{
    static const FluidSynthLibrary* const library = openLibrary();
    return library;
}

void FluidSynthLibrary::loadOnHalfTheCores() const
{
    if (ompSetNumThreads)
        ompSetNumThreads(std::max(1, int(std::thread::hardware_concurrency()) / 2));
}

bool looksLikeSoundFont(const char* path)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    char head[12] = {};
    const bool read = std::fread(head, 1, sizeof head, file) == sizeof head;
    std::fclose(file);
    return read && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "sfbk", 4) == 0;
}

} // namespace tamber
