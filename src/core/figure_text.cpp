// SPDX-License-Identifier: GPL-3.0-or-later
#include "figure_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace stimmung {

std::string FixedText(double value, int decimals, bool plusSign) {
    if (!std::isfinite(value)) return "—";
    char digits[400];
    const auto result = std::to_chars(digits, digits + sizeof digits, std::abs(value), std::chars_format::fixed,
                                      std::clamp(decimals, 0, 6));
    const std::string magnitude(digits, result.ec == std::errc() ? result.ptr : digits);
    const bool zero = magnitude.find_first_not_of("0.") == std::string::npos;
    if (zero) return magnitude;
    return (value < 0 ? "\u2212" : plusSign ? "+" : "") + magnitude;
}

} // namespace stimmung
