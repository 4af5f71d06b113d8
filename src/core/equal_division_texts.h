// SPDX-License-Identifier: GPL-3.0-or-later
// The texts the equal division writes: the step count for txtWurzel ("12"),
// the number printed under a tempered tick (" 1", with the blank of the sign)
// and the error fields in the general number format of the user's locale,
// whose decimal separator the caller passes in. Plain C++, no window.
#pragma once

#include <string>
#include <string_view>

namespace stimmung::tuning {

// The scroll value as plain decimal digits: no blank, no sign.
std::string StepCountText(int n);

// A step number as numbers are printed: one blank, then the digits.
std::string StepNumberText(int i);

// At most 15 significant digits, no grouping, no trailing zeros, and
// `decimalSeparator` in place of the point ("1,0079" under German settings);
// a whole value has no separator ("1", "101").
std::string GeneralNumberText(double value, std::string_view decimalSeparator);

} // namespace stimmung::tuning
