// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's tone and wait operations, Beep and Sleep, behind one small
// interface so that the real sound device and a test recorder plug in alike.
// Frequencies in Hz, durations in ms, both signed 32-bit as the callers pass
// them. Plain C++, no Qt.
#pragma once

#include <chrono>
#include <cstdint>

namespace stimmung {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Sounds one tone and returns when it has ended. A frequency that cannot
    // be sounded is silence for the same time; a duration <= 0 returns at once.
    virtual void Beep(std::int32_t frequencyHz, std::int32_t durationMs) = 0;
    // A plain wait.
    virtual void Sleep(std::int32_t durationMs) = 0;
};

// The output every Beep and Sleep of the program goes to. Until one is
// installed, a silent output that waits on a steady clock is used.
SoundOutput& CurrentSoundOutput();
// Installs `output` (not owned; must outlive its use) and returns the previous
// one. nullptr restores the silent default.
SoundOutput* InstallSoundOutput(SoundOutput* output);

void Beep(std::int32_t frequencyHz, std::int32_t durationMs);

// Every wait runs in slices of this length, so that a wait that is running
// when the program is asked to end returns within a slice.
inline constexpr std::chrono::milliseconds kWaitSlice{20};
// Waits until `deadline`, or until the end is asked for.
void WaitUntil(std::chrono::steady_clock::time_point deadline);
void Sleep(std::int32_t durationMs);

} // namespace stimmung
