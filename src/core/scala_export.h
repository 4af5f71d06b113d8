// SPDX-License-Identifier: GPL-3.0-or-later
// A scale as the files that synthesizers and tuning programs read: a Scala
// tuning file (.scl) and its keyboard mapping (.kbm). Pitches above the base
// tone are exact fractions ("9/8", "2/1") or cents with six decimals
// ("701.955001"); the mapping lays the scale out once per octave from MIDI
// note 60, which sounds the base frequency in Hz. Plain C++, no window; the
// numbers are written with "." whatever the locale.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace stimmung::tuning {

// One pitch over the base tone: numerator/denominator when exact, else cents.
struct ScalaPitch {
    long long numerator = 0; // 0: the pitch is given in cents
    long long denominator = 1;
    double cents = 0;
};

inline ScalaPitch ExactPitch(long long numerator, long long denominator) { return {numerator, denominator, 0}; }
// A ratio that is not an exact fraction, as cents (1200 × log2 ratio).
ScalaPitch PitchOfRatio(double ratio);
inline ScalaPitch CentsPitch(double cents) { return {0, 1, cents}; }

// The pitch's line: "9/8", "2/1" or "100.000000".
std::string PitchText(const ScalaPitch& pitch);

// The .scl text: a comment with the file name, the description, the count
// and one pitch a line (the base tone 1/1 is implied, the last is the octave).
std::string ScalaScaleText(std::string_view fileName, std::string_view description,
                           std::span<const ScalaPitch> pitches);

// The .kbm text for a scale of `degrees` pitches: every key from MIDI 0 to
// 127 mapped, degree 0 on note 60 at `baseHz`, the last degree the octave.
std::string ScalaKeyboardMappingText(std::string_view fileName, int degrees, double baseHz);

} // namespace stimmung::tuning
