// SPDX-License-Identifier: GPL-3.0-or-later
#include "scale_frequencies.h"

#include "equal_steps.h"
#include "numbers.h"

#include <cmath>

namespace stimmung::audio {

double DegreeFrequency(Fraction degree, double base) { return degree.over(base); }
double DegreeFrequency(double ratio, double base) { return base * ratio; }

std::optional<int> EqualStepCount(std::string_view text) {
    const double n = ReadNumber(text);
    // A text that reads 0 would divide by zero, a huge one would play for ever.
    if (!(n >= kMinSteps && n <= kMaxSteps) || n != std::floor(n)) return std::nullopt;
    return static_cast<int>(n);
}

} // namespace stimmung::audio
