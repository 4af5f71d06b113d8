// SPDX-License-Identifier: GPL-3.0-or-later
#include "equal_division_texts.h"

#include <charconv>
#include <system_error>

namespace stimmung::tuning {

std::string StepCountText(int n) { return std::to_string(n); }

std::string StepNumberText(int i) {
    std::string text(1, ' ');
    text += std::to_string(i);
    return text;
}

std::string GeneralNumberText(double value, std::string_view decimalSeparator) {
    // to_chars ignores the C locale, which the window's start-up sets from
    // the environment; the separator is the caller's alone.
    char digits[64];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 15);
    if (ec != std::errc()) return {};
    std::string text;
    for (const char* p = digits; p != end; ++p) {
        if (*p == '.')
            text += decimalSeparator;
        else
            text += *p;
    }
    return text;
}

} // namespace stimmung::tuning
