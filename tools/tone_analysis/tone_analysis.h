// SPDX-License-Identifier: GPL-3.0-or-later
// Finds the tones in a mono capture of the program's sound, for checks of the
// sound from outside the program: where each tone starts and ends (ms from the
// first sample, at the half-amplitude points of its onset and release), its
// frequency (Hz, from the zero crossings of its body) and its level (0 to 1
// of full scale). Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace stimmung::tones {

struct Tone {
    double startMs = 0;
    double endMs = 0;
    double frequencyHz = 0;
    double level = 0;
    double durationMs() const { return endMs - startMs; }
};

struct Options {
    int sampleRate = 48000;        // Hz
    double silenceLevel = 0.005;   // a capture whose peak stays below this fraction of full scale is silent
    double splitTolerance = 0.015; // relative change of the period that starts a new tone
    double shortestToneMs = 5;     // shorter bursts are dropped
};

// Tones in order of their start. Tones that follow each other without a gap
// are told apart by a dip of the amplitude of at least half (a fade out and
// in) or by a change of the period; a tone repeated without either is one tone.
std::vector<Tone> FindTones(std::span<const std::int16_t> samples, const Options& options = {});

} // namespace stimmung::tones
