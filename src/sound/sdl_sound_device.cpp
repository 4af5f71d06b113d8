// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_device.h"

#include "sound_server.h"
#include "sound_thread_priority.h"

#include <SDL.h>

#include <algorithm>
#include <tuple>
#include <type_traits>

namespace stimmung {

namespace {

// The stream format record that SDL_OpenAudioDevice takes and fills in, named
// after its place in that function's parameters.
template <typename>
struct OpenParameters;
template <typename R, typename... A>
struct OpenParameters<R(A...)> {
    using Format = std::remove_pointer_t<std::tuple_element_t<3, std::tuple<A...>>>;
};
using StreamFormat = OpenParameters<decltype(SDL_OpenAudioDevice)>::Format;

class SdlDevice : public SoundDevice {
public:
    SdlDevice(SDL_AudioDeviceID device, int rate, int frames) : device_(device), rate_(rate), frames_(frames) {}
    ~SdlDevice() override {
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    void run(bool running) override { SDL_PauseAudioDevice(device_, running ? 0 : 1); }
    bool lost() const override { return SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED; }
    int rate() const override { return rate_; }
    int bufferFrames() const override { return frames_; }

private:
    SDL_AudioDeviceID device_;
    int rate_;
    int frames_;
};

// SDL's callback takes bytes; the request's takes frames.
void SDLCALL Callback(void* user, Uint8* bytes, int length) {
    const auto* request = static_cast<const DeviceRequest*>(user);
    request->fill(request->user, reinterpret_cast<float*>(bytes), length / static_cast<int>(sizeof(float)));
}

// Starts SDL's audio subsystem and opens the default device on the driver
// SDL picks; null, with the subsystem down again, where that fails.
std::unique_ptr<SoundDevice> OpenStream(const DeviceRequest& request) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    StreamFormat wanted{};
    wanted.freq = request.sampleRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = 1;
    const char* driver = SDL_GetCurrentAudioDriver();
    const int frames = request.bufferFrames > 0 ? request.bufferFrames : DeviceBufferFrames(driver ? driver : "");
    wanted.samples = static_cast<Uint16>(std::clamp(frames, 16, 8192));
    wanted.callback = &Callback;
    // The request outlives the device: the engine keeps it.
    wanted.userdata = const_cast<DeviceRequest*>(&request);
    // Format and channels stay as asked (SDL converts); rate and buffer
    // size are taken as the device gives them.
    StreamFormat obtained{};
    const SDL_AudioDeviceID opened = SDL_OpenAudioDevice(
        nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
    if (opened != 0 && obtained.freq > 0 && obtained.samples > 0)
        return std::make_unique<SdlDevice>(opened, obtained.freq, obtained.samples);
    if (opened != 0) SDL_CloseAudioDevice(opened);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
}

} // namespace

std::unique_ptr<SoundDevice> OpenSdlDevice(const DeviceRequest& request) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Stimmung");
    AskForRealtimeSoundThread();
    // The preferred driver first; where it cannot open a device, SDL's own order.
    std::unique_ptr<SoundDevice> device;
    if (const char* preferred = PreferredAudioDriver()) {
        SDL_SetHint(SDL_HINT_AUDIODRIVER, preferred);
        device = OpenStream(request);
        SDL_SetHint(SDL_HINT_AUDIODRIVER, nullptr);
    }
    return device ? std::move(device) : OpenStream(request);
}

void ForgetSdlThreadData() { SDL_TLSCleanup(); }

} // namespace stimmung
