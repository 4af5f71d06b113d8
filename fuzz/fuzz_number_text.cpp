// SPDX-License-Identifier: GPL-3.0-or-later
// NumberText on arbitrary doubles and floats: the text has the field shape
// (a blank or "-", digits with at most one ".", no trailing zeros after it, no
// zero before a leading point, optionally "E", a sign and two or more digits),
// and ReadNumber gives back the value rounded to 15 (float: 7) digits.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "numbers.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void CheckShape(const std::string& text) {
    if (text.size() < 2 || (text[0] != ' ' && text[0] != '-')) std::abort();
    std::size_t i = 1;
    std::size_t mantissaDigits = 0;
    bool point = false;
    for (; i < text.size() && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            if (point) std::abort();
            point = true;
        } else if (IsDigit(text[i])) {
            ++mantissaDigits;
        } else {
            std::abort(); // a comma, a grouping mark or anything else of a locale
        }
    }
    if (mantissaDigits == 0) std::abort();
    const std::string mantissa = text.substr(1, i - 1);
    if (point && (mantissa.back() == '0' || mantissa.back() == '.')) std::abort();
    if (mantissa.size() > 1 && mantissa[0] == '0') std::abort();
    if (i < text.size()) {
        const std::string exponent = text.substr(i + 1);
        if (exponent.size() < 3 || (exponent[0] != '+' && exponent[0] != '-')) std::abort();
        for (std::size_t k = 1; k < exponent.size(); ++k)
            if (!IsDigit(exponent[k])) std::abort();
    }
}

// The value rounded to `digits` significant digits by the C library (this
// program never leaves the "C" locale), clamped to the finite range as
// ReadNumber clamps it.
double Rounded(double value, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", digits - 1, value);
    double r = std::strtod(text, nullptr);
    if (std::isinf(r)) r = std::copysign(DBL_MAX, value);
    return r == 0 ? 0.0 : r;
}

void Check(const std::string& text, double expected) {
    CheckShape(text);
    const double back = stimmung::ReadNumber(text);
    if (std::memcmp(&back, &expected, sizeof back) != 0) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) Check(stimmung::NumberText(value), Rounded(value, 15));
    }
    if (size >= sizeof(float)) {
        float value;
        std::memcpy(&value, data + (size >= 12 ? 8 : 0), sizeof value);
        if (std::isfinite(value)) Check(stimmung::NumberText(value), Rounded(value, 7));
    }
    return 0;
}
