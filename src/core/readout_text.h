// SPDX-License-Identifier: GPL-3.0-or-later
// The readout field Text3: a ratio cut to three decimals, "  entspricht  ",
// the frequency ratio × base cut to whole Hz, " Hz". Cut means floor, so
// neither value is ever raised to the nearer one. Plain C++, no Qt.
#pragma once

#include <string>

namespace stimmung {

// How the cut ratio is kept before it is written: the pointer's ratio in the
// output area as a single-precision number (7 digits; 0.95f, held as
// 0.94999..., reads ".949"), a marker's ratio as a double.
enum class ReadoutRatio { Single, Double };

// `ratio`: a frequency ratio (any value); `baseHz`: the base frequency. Both
// products are computed in double precision.
std::string ReadoutText(double ratio, double baseHz, ReadoutRatio kept);

} // namespace stimmung
