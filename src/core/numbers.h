// SPDX-License-Identifier: GPL-3.0-or-later
// The number conventions every field of the window follows: reading a number
// from the start of a text, writing a number the way the system writes it into
// a field, and converting a computed double to a 32-bit tone request value.
// Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace stimmung {

// Reads the number at the start of `text`. Blanks, tabs, line feeds and
// carriage returns are skipped wherever they stand (also between digits, after
// the sign and inside the exponent: "3 6 0" reads 360, " - 5" reads -5); then an
// optional sign, digits with at most one "." (a comma ends the number, whatever
// the locale), and an optional exponent introduced by E or e with an optional
// sign; an E without digits after it is ignored ("1e+" reads 1). Reading stops
// at the first character that cannot continue the number; a text with no digit
// in its number (also "." or "-") reads 0, and a zero is always read as +0.
// The result is the correctly rounded double of the decimal value. A value too
// large for a double reads as the largest finite double of its sign, so no
// field ever yields infinity or NaN; a value too small reads 0 (or a denormal).
// Runs in time linear in the length of the text.
double ReadNumber(std::string_view text);

// The text of a number as the system writes it into a field: one blank for zero
// and positive numbers, "-" for negative ones; the value rounded to 15
// significant digits (an exact half to the even digit), "." as decimal point whatever the locale, no grouping, no
// trailing zeros, no decimal point for whole values, no zero before the point
// below 1 (" .92", " 370", "-.5", " 0" also for -0.0).
// The plain form is used while the rounded magnitude lies in [1e-15, 1e15),
// a range symmetric in the decimal exponent and as wide as the precision on
// either side; outside it the exponent form: the mantissa written the same
// way with one digit before the point, then "E", the sign of the exponent and
// at least two exponent digits (" 1E+15", " 1.5E+15", "-2.5E+300",
// " 1E-20"). The form is chosen after rounding, so 999999999999999.9 is
// written " 1E+15".
// NaN is written " 0" and an infinity as the largest finite double of its sign.
// ReadNumber reads the text back as the value rounded to 15 digits.
std::string NumberText(double value);

// The same for a single-precision value with 7 significant digits: plain form
// for rounded magnitudes in [1e-7, 1e7), exponent form outside (" 1E+07",
// " 1E-08"); an infinity is written as the largest finite float.
std::string NumberText(float value);

// The nearest signed 32-bit integer, a value exactly halfway going to the even
// neighbour (742.5 -> 742, 607.5 -> 608). Values outside the 32-bit range
// saturate to its nearest end; NaN gives 0.
std::int32_t NearestInteger(double value);

} // namespace stimmung
