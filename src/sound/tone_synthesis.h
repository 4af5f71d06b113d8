// SPDX-License-Identifier: GPL-3.0-or-later
// What a tone sounds: the notes of a chord, each the sum of its partials,
// at a level that never clips. One function over frames, run by the device's
// callback and by an offline render alike. Plain C++; frequencies in Hz,
// frames at the rate in Hz, samples in full-scale units.
#pragma once

#include "sound_output.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace stimmung {

// A chord made ready for a rate.
struct Voice {
    std::array<double, kMostChordNotes> frequencyHz{};
    // Note i sounds partials 1 to partials[i]: those below half the rate, up
    // to the timbre's highest; 0 for a note the device cannot sound.
    std::array<int, kMostChordNotes> partials{};
    int notes = 0;
    PartialAmplitudes amplitudes{}; // the timbre, absent partials at 0
    // Full scale per unit of amplitude: the sum of a whole chord stays within
    // a single sine tone's peak, and every note gets the same share.
    double level = 0;

    bool audible() const;
};

// The peak of a single sine tone, and so of any chord.
inline constexpr float kTonePeak = 0.3f;

Voice VoiceOf(const ChordRequest& chord, int rate);

// The voice's sum at frame k from its start, before `level`: each partial n
// of a note at sin(n θ) with θ from the frame's own phase, so no phase drifts
// over a long tone (the higher partials by the Chebyshev recurrence, with no
// sine of their own). A whole frequency gives the exact phase of whole numbers.
inline double VoiceSum(const Voice& voice, std::int64_t k, int rate) {
    const double step = 2.0 * std::numbers::pi / rate;
    double sum = 0;
    for (int i = 0; i < voice.notes; ++i) {
        const int partials = voice.partials[i];
        if (partials == 0) continue;
        const double theta = step * std::fmod(voice.frequencyHz[i] * static_cast<double>(k), rate);
        const double sine = std::sin(theta);
        const double twiceCosine = 2.0 * std::cos(theta);
        double below = 0, current = sine;
        sum += voice.amplitudes[0] * sine;
        for (int n = 2; n <= partials; ++n) {
            const double next = twiceCosine * current - below;
            below = current;
            current = next;
            sum += voice.amplitudes[n - 1] * current;
        }
    }
    return sum;
}

} // namespace stimmung
