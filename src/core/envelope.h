// SPDX-License-Identifier: GPL-3.0-or-later
// The loudness of a sampled signal over time, and the beat in it: the rate
// at which that loudness swells and fades. Samples in full-scale units at a
// rate in Hz; windows and steps in ms; beat rates in Hz. Plain C++.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace stimmung {

// The RMS over a Hann window, every step: 10 ms smooth over the periods of notes
// above 100 Hz and over roughness, and keep beats up to kBeatLimitHz.
inline constexpr double kEnvelopeWindowMs = 10.0;
inline constexpr double kEnvelopeStepMs = 1.0;

struct Envelope {
    double rateHz = 0;       // values per second
    std::vector<double> rms; // value i: the window from sample i · step on
};

Envelope AmplitudeEnvelope(std::span<const float> samples, int sampleRate, double windowMs = kEnvelopeWindowMs,
                           double stepMs = kEnvelopeStepMs);

// A swell shallower than this share of the mean loudness is no beat.
inline constexpr double kShallowestBeat = 0.003;

struct EnvelopeBeat {
    double hz = 0;
    double depth = 0; // the swell's amplitude as a share of the mean loudness
};

// The strongest steady swell of the envelope up to the beat limit: the peak
// of its spectrum (the mean taken out, under a Hann window) between one swell
// per envelope and the limit. None where it is shallower than kShallowestBeat,
// or slower than one swell per envelope, so pass the steady part of a sound:
// its fades alone would be such a slow swell.
std::optional<EnvelopeBeat> BeatOfEnvelope(const Envelope& envelope);

// Weight i of a Hann window of n values (taken at the values' centres).
double HannWeight(std::size_t i, std::size_t n);
// |Σ x[i] e^(-i ω i)| at ω = 2π hz / rate: one bin of a spectrum, anywhere.
double MagnitudeAt(std::span<const double> x, double hz, double rate);

} // namespace stimmung
