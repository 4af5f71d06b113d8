// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's tone and wait operations, Beep, Chord and Sleep, behind one
// small interface so that the real sound device and a test recorder plug in
// alike. Beep's frequency in whole Hz, a chord's in Hz as computed; durations
// in ms, signed 32-bit as the callers pass them. Plain C++, no Qt.
#pragma once

#include "timbres.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <initializer_list>

namespace stimmung {

inline constexpr int kMostChordNotes = 4;

// Notes sounded together with one timbre. A note the device cannot sound
// (below 20 Hz, at or above half its rate) is left out; partials at or above
// half the rate are too.
struct ChordRequest {
    std::array<double, kMostChordNotes> frequenciesHz{};
    int notes = 0; // the first `notes` frequencies sound, 1 to kMostChordNotes
    PartialAmplitudes timbre{};

    friend bool operator==(const ChordRequest&, const ChordRequest&) = default;
};

// The chord of the given notes (the first kMostChordNotes of them).
inline ChordRequest ChordOf(std::initializer_list<double> frequenciesHz, const PartialAmplitudes& timbre) {
    ChordRequest chord;
    chord.notes = static_cast<int>(std::min<std::size_t>(frequenciesHz.size(), kMostChordNotes));
    std::copy_n(frequenciesHz.begin(), chord.notes, chord.frequenciesHz.begin());
    chord.timbre = timbre;
    return chord;
}

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Sounds one tone and returns when it has ended. A frequency that cannot
    // be sounded is silence for the same time; a duration <= 0 returns at once.
    // Beep's tone has the timbre of BeepTimbre().
    virtual void Beep(std::int32_t frequencyHz, std::int32_t durationMs) = 0;
    // Sounds a chord and returns as Beep does; a chord of no note is silence
    // for the same time. An output that sounds no chords keeps their time.
    virtual void Chord(const ChordRequest& /*chord*/, std::int32_t durationMs) { Sleep(durationMs); }
    // A plain wait.
    virtual void Sleep(std::int32_t durationMs) = 0;
};

// The output every Beep and Sleep of the program goes to. Until one is
// installed, a silent output that waits on a steady clock is used.
SoundOutput& CurrentSoundOutput();
// Installs `output` (not owned; must outlive its use) and returns the previous
// one. nullptr restores the silent default.
SoundOutput* InstallSoundOutput(SoundOutput* output);

// The timbre of every Beep, whichever output sounds it: "Sinus" until the
// program sets another (from any thread).
void SetBeepTimbre(const PartialAmplitudes& timbre);
PartialAmplitudes BeepTimbre();

void Beep(std::int32_t frequencyHz, std::int32_t durationMs);
void Chord(const ChordRequest& chord, std::int32_t durationMs);
void Sleep(std::int32_t durationMs);

// Every wait runs in slices of this length, so that a wait that is running
// when the program is asked to end returns within a slice.
inline constexpr std::chrono::milliseconds kWaitSlice{20};
// Waits until `deadline`, or until the end is asked for.
void WaitUntil(std::chrono::steady_clock::time_point deadline);

} // namespace stimmung
