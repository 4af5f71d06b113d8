// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing numbers the way the fields of the window do, with no
// dependence on the locale: the digits go through std::from_chars and
// std::to_chars, which are locale-independent and correctly rounded.
#include "numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

namespace stimmung {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The exact decimal value of a point halfway between two neighbouring doubles
// has at most 767 significant digits, so the first 800 significant digits plus
// the knowledge whether any later digit is non-zero decide the rounding exactly.
// That keeps the text handed to from_chars short however long the input is.
constexpr std::size_t kKeptDigits = 800;

// Decimal exponents beyond these give DBL_MAX or 0 without asking from_chars:
// 0.d... x 10^310 is above DBL_MAX (about 1.8e308), and 0.d... x 10^-324 is
// below half the smallest denormal (about 4.9e-324), so it rounds to zero.
constexpr std::int64_t kOverflowExponent = 310;
constexpr std::int64_t kUnderflowExponent = -324;

// Exponent digits are summed with saturation; anything past this bound is far
// beyond both limits above and stays so whatever the mantissa adds.
constexpr std::int64_t kExponentCap = 1'000'000'000;

// Walks a text, skipping blanks wherever they stand.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    // The next character that is not a blank, or '\0' at the end.
    char Peek() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void Advance() { ++pos_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// Rounds a finite, non-zero magnitude to `precision` significant digits and
// splits it into its digits (trailing zeros removed, at least one digit) and
// the decimal exponent of the first digit: 0.0925 with 15 digits gives "925"
// and -2. Rounding happens before the split, so 999999999999999.9 gives "1"
// and 15.
template <typename T>
void SplitDecimal(T magnitude, int precision, std::string& digits, int& exponent) {
    std::array<char, 64> buffer{};
    // Scientific form "d.ddddde+XX" with precision - 1 digits after the point.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::scientific, precision - 1);
    const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
    const std::size_t e = text.find('e');
    digits.clear();
    for (char c : text.substr(0, e))
        if (IsDigit(c)) digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exponent);
}

// Writes a number with `precision` significant digits. Plain form while the
// rounded magnitude lies in [10^-precision, 10^precision), exponent form
// outside it.
template <typename T>
std::string FormatNumber(T value, int precision) {
    if (std::isnan(value)) return " 0";
    if (std::isinf(value))
        value = std::signbit(value) ? std::numeric_limits<T>::lowest() : std::numeric_limits<T>::max();
    if (value == 0) return " 0"; // also -0.0: a field never shows a negative zero

    std::string digits;
    int exponent = 0;
    SplitDecimal(std::fabs(value), precision, digits, exponent);

    std::string out(1, value < 0 ? '-' : ' ');
    if (exponent >= precision || exponent < -precision) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        const int size = std::abs(exponent);
        if (size < 10) out += '0';
        out += std::to_string(size);
    } else if (exponent >= 0) {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits;
            out.append(whole - digits.size(), '0');
        } else {
            out.append(digits, 0, whole);
            out += '.';
            out.append(digits, whole);
        }
    } else {
        out += '.';
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

} // namespace

double ReadNumber(std::string_view text) {
    Cursor cursor(text);
    bool negative = false;
    if (const char c = cursor.Peek(); c == '+' || c == '-') {
        negative = c == '-';
        cursor.Advance();
    }

    // The mantissa as 0.<digits> x 10^exponent, leading zeros dropped.
    std::string digits;
    digits.reserve(64);
    std::int64_t exponent = 0;
    bool anyDigit = false;
    bool sawPoint = false;
    bool sticky = false; // a non-zero digit beyond the kept ones
    for (char c = cursor.Peek();; c = cursor.Peek()) {
        if (c == '.' && !sawPoint) {
            sawPoint = true;
        } else if (IsDigit(c)) {
            anyDigit = true;
            if (digits.empty() && c == '0') {
                if (sawPoint) --exponent;
            } else {
                if (digits.size() < kKeptDigits)
                    digits.push_back(c);
                else if (c != '0')
                    sticky = true;
                if (!sawPoint) ++exponent;
            }
        } else {
            break;
        }
        cursor.Advance();
    }
    if (!anyDigit) return 0.0;

    // The exponent counts only when at least one digit follows E and its sign.
    if (const char c = cursor.Peek(); c == 'e' || c == 'E') {
        cursor.Advance();
        bool exponentNegative = false;
        if (const char s = cursor.Peek(); s == '+' || s == '-') {
            exponentNegative = s == '-';
            cursor.Advance();
        }
        std::int64_t written = 0;
        for (char d = cursor.Peek(); IsDigit(d); d = cursor.Peek()) {
            written = std::min(written * 10 + (d - '0'), kExponentCap);
            cursor.Advance();
        }
        exponent += exponentNegative ? -written : written;
    }

    // All digits zero: the value is zero whatever the exponent, and it is read
    // as +0 so that "-0" cannot bring a negative zero into a computation.
    if (digits.empty()) return 0.0;
    if (exponent > kOverflowExponent)
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    if (exponent < kUnderflowExponent) return 0.0;

    std::string clean = "0.";
    clean += digits;
    if (sticky) clean += '1';
    clean += 'e';
    clean += std::to_string(exponent);

    double value = 0.0;
    const auto result = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone then; the exponent says which side.
        value = exponent > 0 ? std::numeric_limits<double>::max() : 0.0;
    } else if (result.ec != std::errc() || std::isnan(value)) {
        value = 0.0;
    } else if (std::isinf(value)) {
        value = std::numeric_limits<double>::max();
    }
    if (value == 0.0) return 0.0;
    return negative ? -value : value;
}

std::string NumberText(double value) { return FormatNumber(value, 15); }

std::string NumberText(float value) { return FormatNumber(value, 7); }

std::int32_t NearestInteger(double value) {
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(value)) return 0;
    // Compared before rounding, so huge values and infinities never reach the
    // conversion; -2147483648.5 still rounds to even, which is kMin itself.
    if (value >= 2147483647.5) return kMax;
    if (value < -2147483648.5) return kMin;

    // Halves to even by hand, independent of the current rounding mode. For
    // magnitudes below 2^31 the difference to the floor is exact.
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto result = static_cast<std::int64_t>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) ++result;
    if (result > kMax) return kMax;
    if (result < kMin) return kMin;
    return static_cast<std::int32_t>(result);
}

} // namespace stimmung
