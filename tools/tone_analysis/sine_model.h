// SPDX-License-Identifier: GPL-3.0-or-later
// A steady sine fitted to the body of one tone, in sample units: its period
// from a straight-line fit of the body's upward crossings, its amplitude by
// least squares. Extended beyond the body, the model finds the tone's edges:
// where the signal falls to half the model's amplitude (onset and release
// into silence) or where another tone's model fits better (a hand-over).
#pragma once

#include <cstdint>
#include <span>

namespace stimmung::tones {

struct SineModel {
    double period = 0;      // samples
    double crossing = 0;    // sample position of one upward zero crossing
    double amplitude = 0;   // sample units

    // The unit sine of the model at sample position n.
    double unit(double n) const;
    double at(double n) const { return amplitude * unit(n); }
};

// `crossings` are the upward crossings of the tone's body, at least two.
SineModel FitSine(std::span<const std::int16_t> x, std::span<const double> crossings);

// Walks from sample `from` toward `limit` (either direction, limit excluded)
// and returns the fractional position where the signal's amplitude, read
// against the model's phase, falls below half the model's amplitude for good
// (three readings in a row). Returns `limit` when it never does.
double HalfAmplitudeEdge(std::span<const std::int16_t> x, const SineModel& model, long from, long limit);

// The position in [lo, hi] at which the signal is best explained by `before`
// up to it and by `after` from it on: where one tone hands over to the next
// without a pause.
double HandOver(std::span<const std::int16_t> x, const SineModel& before, const SineModel& after, long lo, long hi);

} // namespace stimmung::tones
