// SPDX-License-Identifier: GPL-3.0-or-later
#include "readout_text.h"

#include "numbers.h"

#include <cmath>

namespace stimmung {

std::string ReadoutText(double ratio, double baseHz, ReadoutRatio kept) {
    const double cut = std::floor(ratio * 1000) / 1000;
    const std::string ratioText = kept == ReadoutRatio::Single ? NumberText(static_cast<float>(cut)) : NumberText(cut);
    return ratioText + "  entspricht  " + NumberText(std::floor(ratio * baseHz)) + " Hz";
}

} // namespace stimmung
