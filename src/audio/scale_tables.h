// The three fixed scales the players sound (Pythagorean, after Didymos,
// tempered), each as eight degrees over the base frequency, and the step
// count of the equal division as read from its text. Frequencies in Hz,
// ratios 1 to 2. Plain C++, no Qt.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace stimmung::audio {

// How a degree's frequency is made from the base frequency.
struct ScaleDegree {
    enum class Kind { Base, Fraction, Constant, Octave };
    Kind kind;
    double numerator = 0;   // Fraction: base × numerator / denominator
    double denominator = 1; // Constant: base × numerator
};

using FixedScale = std::array<ScaleDegree, 8>;

extern const FixedScale kPythagoreanScale;
extern const FixedScale kDidymosScale;
// Three-decimal constants as the scale has always been played (1.259, not
// 1.260), not computed powers of two.
extern const FixedScale kTemperedScale;

// The degree's frequency in double precision: the base itself, (base × a) / b,
// base × c, or base + base.
double DegreeFrequency(const ScaleDegree& degree, double base);

// The number of equal steps written in `text` (the number at its start), if
// it is a whole number from 2 to 100; anything else plays nothing.
std::optional<int> EqualStepCount(std::string_view text);

} // namespace stimmung::audio
