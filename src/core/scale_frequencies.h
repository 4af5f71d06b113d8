// SPDX-License-Identifier: GPL-3.0-or-later
// The frequencies the scale players sound: a degree of a fixed scale
// (scale_tables.h) over the base frequency, and the step count of the equal
// division as read from its text. Frequencies in Hz. Plain C++, no Qt.
#pragma once

#include "fraction.h"

#include <optional>
#include <string_view>

namespace stimmung::audio {

// (base × numerator) / denominator in double precision.
double DegreeFrequency(Fraction degree, double base);
// base × ratio, for the tempered constants.
double DegreeFrequency(double ratio, double base);

// The number of equal steps written in `text` (the number at its start), if
// it is a whole number from 2 to 100; anything else plays nothing.
std::optional<int> EqualStepCount(std::string_view text);

} // namespace stimmung::audio
