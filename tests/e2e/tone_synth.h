// SPDX-License-Identifier: GPL-3.0-or-later
// Synthetic captures for the tests of the tone analysis: rows of sine tones
// as a sound engine would write them (optional linear fades, phase restarted
// or carried on from tone to tone, pauses, a little noise), together with the
// tones the analysis should find (edges at the half-amplitude points).
#pragma once

#include "tone_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace stimmung::test {

struct SynthNote {
    double frequencyHz;
    double durationMs;
    double pauseAfterMs = 0;
};

struct SynthStyle {
    int sampleRate = 48000;
    double amplitude = 0.3;    // 0 to 1 of full scale
    double fadeMs = 0;         // linear fade in and out inside each tone
    bool restartPhase = true;  // every tone starts at phase 0
    double noise = 0;          // uniform noise, 0 to 1 of full scale
    double leadMs = 200;       // silence before the first and after the last tone
};

struct SynthCapture {
    std::vector<std::int16_t> samples;
    std::vector<tones::Tone> expected;
};

inline SynthCapture Synthesize(const std::vector<SynthNote>& notes, const SynthStyle& style) {
    SynthCapture capture;
    const double rate = style.sampleRate;
    std::vector<double> signal(static_cast<std::size_t>(style.leadMs * rate / 1000), 0.0);
    double phase = 0;
    for (const SynthNote& note : notes) {
        const auto count = static_cast<std::size_t>(std::lround(note.durationMs * rate / 1000));
        const double fade = style.fadeMs * rate / 1000;
        const double startMs = signal.size() * 1000.0 / rate;
        if (style.restartPhase) phase = 0;
        for (std::size_t i = 0; i < count; ++i) {
            double gain = 1;
            if (fade > 0) gain = std::min({1.0, (i + 0.5) / fade, (count - i - 0.5) / fade});
            signal.push_back(style.amplitude * gain * std::sin(phase));
            phase += 2 * std::numbers::pi * note.frequencyHz / rate;
        }
        const double half = std::min(style.fadeMs, note.durationMs) / 2;
        capture.expected.push_back({startMs + half, startMs + count * 1000.0 / rate - half, note.frequencyHz,
                                    style.amplitude});
        signal.resize(signal.size() + static_cast<std::size_t>(note.pauseAfterMs * rate / 1000), 0.0);
    }
    signal.resize(signal.size() + static_cast<std::size_t>(style.leadMs * rate / 1000), 0.0);

    std::uint32_t seed = 12345;
    for (double v : signal) {
        seed = seed * 1664525u + 1013904223u;
        const double n = style.noise * ((seed >> 8) / double(1 << 24) * 2 - 1);
        capture.samples.push_back(static_cast<std::int16_t>(std::lround(std::clamp(v + n, -1.0, 1.0) * 32767)));
    }
    return capture;
}

} // namespace stimmung::test
