// SPDX-License-Identifier: GPL-3.0-or-later
// Cents: the logarithmic measure of an interval, 1200 to the octave, 100 to
// an equally tempered semitone. A ratio of 1 is 0 cents, 2 is 1200 cents.
#pragma once

#include <cmath>

namespace stimmung {

inline constexpr double kCentsPerOctave = 1200.0;

// The interval of `ratio` (> 0) in cents.
inline double Cents(double ratio) { return kCentsPerOctave * std::log2(ratio); }

// The ratio of an interval of `cents`.
inline double RatioOfCents(double cents) { return std::exp2(cents / kCentsPerOctave); }

} // namespace stimmung
