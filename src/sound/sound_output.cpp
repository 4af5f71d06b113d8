// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_output.h"

#include "program_end.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace stimmung {

namespace {

using Clock = std::chrono::steady_clock;

// The output used until a device is installed: silence, with the timing kept.
class SilentSoundOutput final : public SoundOutput {
public:
    void Beep(std::int32_t /*frequencyHz*/, std::int32_t durationMs) override { Wait(durationMs); }
    void Sleep(std::int32_t durationMs) override { Wait(durationMs); }

private:
    static void Wait(std::int32_t durationMs) {
        if (durationMs <= 0) return;
        WaitUntil(Clock::now() + std::chrono::milliseconds(durationMs));
    }
};

} // namespace

void WaitUntil(std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline || EndRequested()) return;
        std::this_thread::sleep_until(std::min(deadline, now + kWaitSlice));
    }
}

namespace {

SilentSoundOutput& Silent() {
    static SilentSoundOutput silent;
    return silent;
}

// nullptr stands for the silent default, so that the value InstallSoundOutput
// hands back can always be installed again to restore what was there.
std::atomic<SoundOutput*> installed{nullptr};

std::mutex timbreMutex;
PartialAmplitudes beepTimbre = TimbreAt(kDefaultTimbre).amplitudes;

} // namespace

SoundOutput& CurrentSoundOutput() {
    SoundOutput* output = installed.load();
    return output ? *output : Silent();
}

SoundOutput* InstallSoundOutput(SoundOutput* output) {
    if (output == &Silent()) output = nullptr;
    return installed.exchange(output);
}

void Beep(std::int32_t frequencyHz, std::int32_t durationMs) {
    if (EndRequested()) return;
    CurrentSoundOutput().Beep(frequencyHz, durationMs);
}

void Chord(const ChordRequest& chord, std::int32_t durationMs) {
    if (EndRequested()) return;
    CurrentSoundOutput().Chord(chord, durationMs);
}

void SetBeepTimbre(const PartialAmplitudes& timbre) {
    std::lock_guard lock(timbreMutex);
    beepTimbre = timbre;
}

PartialAmplitudes BeepTimbre() {
    std::lock_guard lock(timbreMutex);
    return beepTimbre;
}

void Sleep(std::int32_t durationMs) {
    if (EndRequested()) return;
    CurrentSoundOutput().Sleep(durationMs);
}

} // namespace stimmung
