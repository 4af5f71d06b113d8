// The fixed scales every construction draws on: the eight notes c d e f g a h c
// of the Pythagorean scale and the three just notes after Didymos, each a
// frequency ratio from 1 (base tone) to 2 (octave) kept as a fraction and
// divided out in double precision wherever it is used. Plain C++, no window.
#pragma once

#include <array>

namespace stimmung::tuning {

struct Fraction {
    int numerator;
    int denominator;
    constexpr double value() const { return static_cast<double>(numerator) / denominator; }
};

// c d e f g a h c, from the base tone to the octave.
inline constexpr std::array<Fraction, 8> kPythagoreanScale{{
    {1, 1}, {9, 8}, {81, 64}, {4, 3}, {3, 2}, {27, 16}, {243, 128}, {2, 1},
}};

// The just third, sixth and seventh that replace 81/64, 27/16 and 243/128.
inline constexpr std::array<Fraction, 3> kJustNotes{{{5, 4}, {5, 3}, {15, 8}}};

} // namespace stimmung::tuning
