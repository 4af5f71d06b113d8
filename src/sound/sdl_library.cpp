// SPDX-License-Identifier: GPL-3.0-or-later
// The SDL2 functions the tone engine calls, loaded from the SDL2 library when
// the engine first calls one of them (when it opens the sound device), not
// when the program starts. Debian's SDL2 pulls in some thirty libraries of
// its own (sound servers, codecs, Wayland, DRM); loading them at start-up
// would cost the window a few MiB and milliseconds before its first frame.
//
// Each function here has the signature of SDL's own and forwards to it. If
// the library cannot be loaded, they fail the way SDL fails without a device
// (no subsystem, no device), so the engine plays its tones as timed silence.
#include <SDL.h>

#include <dlfcn.h>

#include <mutex>

namespace {

#define STIMMUNG_SDL_FUNCTIONS(X)                                                                                      \
    X(int, SDL_InitSubSystem, (Uint32 flags), (flags), -1)                                                             \
    X(SDL_bool, SDL_SetHint, (const char* name, const char* value), (name, value), SDL_FALSE)                          \
    X(SDL_AudioDeviceID, SDL_OpenAudioDevice,                                                                          \
      (const char* device, int iscapture, const SDL_AudioSpec* desired, SDL_AudioSpec* obtained, int allowed_changes), \
      (device, iscapture, desired, obtained, allowed_changes), 0)                                                      \
    X(SDL_AudioStatus, SDL_GetAudioDeviceStatus, (SDL_AudioDeviceID dev), (dev), SDL_AUDIO_STOPPED)                    \
    X(const char*, SDL_GetCurrentAudioDriver, (void), (), nullptr)                                                     \
    X(const char*, SDL_GetError, (void), (), "SDL2 library not loaded")

#define STIMMUNG_SDL_PROCEDURES(X)                                                  \
    X(SDL_PauseAudioDevice, (SDL_AudioDeviceID dev, int pause_on), (dev, pause_on)) \
    X(SDL_CloseAudioDevice, (SDL_AudioDeviceID dev), (dev))                         \
    X(SDL_QuitSubSystem, (Uint32 flags), (flags))                                   \
    X(SDL_TLSCleanup, (void), ())

struct Library {
#define STIMMUNG_POINTER(ret, name, params, args, ...) ret(SDLCALL* name) params = nullptr;
#define STIMMUNG_PROC_POINTER(name, params, args) void(SDLCALL * name) params = nullptr;
    STIMMUNG_SDL_FUNCTIONS(STIMMUNG_POINTER)
    STIMMUNG_SDL_PROCEDURES(STIMMUNG_PROC_POINTER)
#undef STIMMUNG_POINTER
#undef STIMMUNG_PROC_POINTER
    bool loaded = false;
};

// Loaded once, kept for the program's life (SDL's threads may still run
// while the program ends).
const Library& Sdl() {
    static Library library;
    static std::once_flag once;
    std::call_once(once, [] {
        void* handle = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return;
        Library found;
        bool complete = true;
#define STIMMUNG_RESOLVE(ret, name, ...)                                       \
    found.name = reinterpret_cast<decltype(found.name)>(dlsym(handle, #name)); \
    complete = complete && found.name != nullptr;
#define STIMMUNG_PROC_RESOLVE(name, ...) STIMMUNG_RESOLVE(void, name)
        STIMMUNG_SDL_FUNCTIONS(STIMMUNG_RESOLVE)
        STIMMUNG_SDL_PROCEDURES(STIMMUNG_PROC_RESOLVE)
#undef STIMMUNG_RESOLVE
#undef STIMMUNG_PROC_RESOLVE
        if (!complete) return;
        found.loaded = true;
        library = found;
    });
    return library;
}

} // namespace

extern "C" {

#define STIMMUNG_FORWARD(ret, name, params, args, failure) \
    ret SDLCALL name params {                              \
        const Library& sdl = Sdl();                        \
        return sdl.loaded ? sdl.name args : failure;       \
    }
#define STIMMUNG_PROC_FORWARD(name, params, args) \
    void SDLCALL name params {                    \
        const Library& sdl = Sdl();               \
        if (sdl.loaded) sdl.name args;            \
    }
STIMMUNG_SDL_FUNCTIONS(STIMMUNG_FORWARD)
STIMMUNG_SDL_PROCEDURES(STIMMUNG_PROC_FORWARD)
#undef STIMMUNG_FORWARD
#undef STIMMUNG_PROC_FORWARD

} // extern "C"
