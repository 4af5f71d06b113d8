// SPDX-License-Identifier: GPL-3.0-or-later
// Figures as the new windows and drawings write them: a fixed number of
// decimals, "." as decimal point whatever the locale, the minus sign U+2212,
// and no sign on a value that rounds to zero.
#pragma once

#include <string>

namespace stimmung {

// `value` rounded to `decimals` (0 to 6); with `plusSign` a positive value
// gets "+": "+13.69", "−1.96", "0.00".
std::string FixedText(double value, int decimals, bool plusSign = false);

} // namespace stimmung
