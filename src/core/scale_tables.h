// SPDX-License-Identifier: GPL-3.0-or-later
// The scales every subsystem draws, plays and lays out: each a table of
// frequency ratios from 1 (the base tone) to 2 (its octave). Plain C++, no Qt.
#pragma once

#include "fraction.h"

#include <array>

namespace stimmung {

// c d e f g a h c of the Pythagorean scale, from the base tone to the octave.
inline constexpr std::array<Fraction, 8> kPythagoreanScale{
    {{1, 1}, {9, 8}, {81, 64}, {4, 3}, {3, 2}, {27, 16}, {243, 128}, {2, 1}}};

// The just scale after Didymos: the Pythagorean one with e 5/4, a 5/3, h 15/8.
inline constexpr std::array<Fraction, 8> kJustScale{{{1, 1}, {9, 8}, {5, 4}, {4, 3}, {3, 2}, {5, 3}, {15, 8}, {2, 1}}};

// The three just notes that replace 81/64, 27/16 and 243/128.
inline constexpr std::array<Fraction, 3> kJustNotes{{kJustScale[2], kJustScale[5], kJustScale[6]}};

// The just third, fourth and fifth whose tempered neighbours are measured.
inline constexpr std::array<Fraction, 3> kMeasuredIntervals{{kJustScale[2], kJustScale[3], kJustScale[4]}};

// The tempered major scale as it is played: three-decimal constants (1.259,
// not 1.260), not computed powers of two.
inline constexpr std::array<double, 8> kTemperedScale{1, 1.122, 1.259, 1.334, 1.497, 1.681, 1.887, 2};

// The marker presets, for markers 0 to 5 (notes 2 to 7): the inner six notes
// of the Pythagorean scale, seven equal differences, and the places left of
// the base tone, one hundredth left of where start-up parks the markers.
// clang-format off
inline constexpr std::array<Fraction, 6> kPythagoreanPreset{{
    kPythagoreanScale[1], kPythagoreanScale[2], kPythagoreanScale[3],
    kPythagoreanScale[4], kPythagoreanScale[5], kPythagoreanScale[6]
}};
// clang-format on
inline constexpr std::array<Fraction, 6> kLinearPreset{{{8, 7}, {9, 7}, {10, 7}, {11, 7}, {12, 7}, {13, 7}}};
inline constexpr std::array<double, 6> kTakenOutPreset{0.91, 0.92, 0.93, 0.94, 0.95, 0.96};

} // namespace stimmung
