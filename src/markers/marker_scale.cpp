#include "marker_scale.h"

#include "numbers.h"

#include <cmath>

namespace stimmung::markers {

double ScrollToRatio(int value) { return value / kScrollUnitsPerRatio + kRatioAtScrollZero; }

std::int32_t RatioToScroll(float ratio) {
    return NearestInteger((static_cast<double>(ratio) - kRatioAtScrollZero) * kScrollUnitsPerRatio);
}

std::string ReadoutText(double ratio, double baseFrequency) {
    const double cutRatio = std::floor(ratio * 1000) / 1000;
    const double cutFrequency = std::floor(ratio * baseFrequency);
    return NumberText(cutRatio) + "  entspricht  " + NumberText(cutFrequency) + " Hz";
}

} // namespace stimmung::markers
