// SPDX-License-Identifier: GPL-3.0-or-later
// The ratios the four marker presets lay out, for markers 0 to 5 (notes 2 to
// 7), as doubles before the markers take them in single precision: the
// Pythagorean major scale, seven equal ratio steps, seven equal differences,
// and the places 0.91 to 0.96 left of the base tone; and the places where
// start-up parks them. Plain C++, no Qt.
#pragma once

#include <array>

namespace stimmung::markers {

// StartUp: where the window parks the markers when it opens, 0.92 to 0.97,
// one hundredth right of TakenOut; no button lays it out.
enum class Preset { Pythagorean, Geometric, Linear, TakenOut, StartUp };

using PresetRatios = std::array<double, 6>;

PresetRatios RatiosOf(Preset preset);

} // namespace stimmung::markers
