// SPDX-License-Identifier: GPL-3.0-or-later
#include "marker_scale.h"

#include "numbers.h"

namespace stimmung::markers {

double ScrollToRatio(int value) { return value / kScrollUnitsPerRatio + kRatioAtScrollZero; }

std::int32_t RatioToScroll(float ratio) {
    return NearestInteger((static_cast<double>(ratio) - kRatioAtScrollZero) * kScrollUnitsPerRatio);
}

} // namespace stimmung::markers
