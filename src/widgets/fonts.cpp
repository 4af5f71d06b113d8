// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <algorithm>
#include <cmath>

namespace stimmung {

int FontPixels(double points) {
    const double px = points * kLayoutDotsPerInch / 72.0;
    if (!(px >= 1)) return 1;
    return static_cast<int>(std::lround(std::min(px, 2000.0)));
}

} // namespace stimmung
