// SPDX-License-Identifier: GPL-3.0-or-later
// The minimal Qt window plus what Stimmung's start adds for sound: SDL2
// linked, its audio opened on a thread of its own while the window comes up,
// and a stream of silence running. Beside the minimal window it shows what
// the sound device costs in start-up time and memory.
#include <QApplication>
#include <QWidget>

#include <SDL.h>

#include "sample_rate.h"

#include <cstring>
#include <thread>

namespace {

void SDLCALL Silence(void*, Uint8* bytes, int length) { std::memset(bytes, 0, static_cast<std::size_t>(length)); }

SDL_AudioDeviceID OpenSound() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    SDL_AudioSpec wanted{};
    wanted.freq = stimmung::kSampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 1;
    wanted.samples = 512;
    wanted.callback = Silence;
    SDL_AudioSpec obtained{};
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device) SDL_PauseAudioDevice(device, 0);
    return device;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    SDL_AudioDeviceID device = 0;
    std::thread opener([&device] { device = OpenSound(); });
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal with sound"));
    window.resize(1119, 576);
    window.show();
    const int status = app.exec();
    opener.join();
    if (device) SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return status;
}
