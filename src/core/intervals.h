// SPDX-License-Identifier: GPL-3.0-or-later
// Two notes as an interval: its size in cents, the nearest simple just
// interval and the deviation from it, and the beat the two notes make under
// a timbre. Frequencies and beat rates in Hz, sizes in cents (cents.h).
// Plain C++.
#pragma once

#include "fraction.h"
#include "timbres.h"

#include <optional>
#include <span>
#include <string>

namespace stimmung {

// The interval from `lowHz` up to `highHz` (both > 0), in cents.
double IntervalCents(double lowHz, double highHz);

// The simple just intervals within the octave, from 1/1 up to 2/1.
std::span<const Fraction> JustIntervals();

struct JustNeighbour {
    Fraction ratio{1, 1};      // a row of JustIntervals()
    int octaves = 0;           // whole octaves the interval spans beyond it
    double deviationCents = 0; // the interval less ratio and octaves
};

// The just interval nearest to an interval of `cents` (its size: a
// downward interval counts as the same upward one), reduced into the octave.
JustNeighbour NearestJustInterval(double cents);

// Two partials of two notes whose frequencies differ by less than this beat:
// the ear follows their loudness rising and falling. Further apart it hears
// roughness, not beats.
inline constexpr double kBeatLimitHz = 25.0;

// Partial `lowPartial` of the lower note against partial `highPartial` of
// the higher one, and how often their sum swells per second.
struct Beat {
    int lowPartial = 0;
    int highPartial = 0;
    double hz = 0;
};

// The beat of two notes sounded with `timbre`: among the pairs of partials
// both present in it (amplitude > 0) whose frequencies p·low and q·high
// differ by less than kBeatLimitHz, the lowest one, that with the smallest
// p + q (then the smallest p). 0 Hz where they coincide; none where no pair
// comes that close (or a frequency is not above 0). The notes may come in
// either order.
std::optional<Beat> BeatOf(double frequencyHz, double otherHz, const PartialAmplitudes& timbre);

// Texts with two decimals (FixedText).
std::string CentsText(double cents);     // "386.31"
std::string DeviationText(double cents); // "+13.69", "−1.96", "0.00"
std::string BeatText(double hz);         // "14.29"

} // namespace stimmung
