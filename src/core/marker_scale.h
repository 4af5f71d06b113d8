// SPDX-License-Identifier: GPL-3.0-or-later
// The mapping between the scroll value of hscNote (0 to 1500, 1200 units per
// unit of ratio) and a marker's ratio (0.9 at value 0, 1 at 120, 2 at 1320,
// 2.15 at 1500). Plain C++, no Qt.
#pragma once

#include <cstdint>

namespace stimmung::markers {

inline constexpr double kScrollUnitsPerRatio = 1200;
inline constexpr double kRatioAtScrollZero = 0.9;

// r = V / 1200 + 0.9 in double precision.
double ScrollToRatio(int value);
// V = (X − 0.9) × 1200 for the single-precision ratio a marker holds, to the
// nearest integer, halves to the even neighbour.
std::int32_t RatioToScroll(float ratio);

} // namespace stimmung::markers
