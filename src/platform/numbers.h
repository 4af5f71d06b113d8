// The number conventions every field of the window follows: reading a number
// from the start of a text, writing a number the way the system writes it into
// a field, and converting a computed double to a 32-bit tone request value.
// Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace stimmung {

// Reads the number at the start of `text`. Blanks, tabs and line feeds are
// skipped wherever they stand (also between digits: "3 6 0" reads 360); then an
// optional sign, digits with at most one "." (a comma ends the number), and an
// optional exponent introduced by E or e. Reading stops at the first character
// that cannot continue the number; a text with no number reads 0.
// A value too large for a double reads as the largest finite double of its
// sign, so no field ever yields infinity or NaN.
double ReadNumber(std::string_view text);

// The text of a number as the system writes it into a field: one blank for zero
// and positive numbers, "-" for negative ones; at most 15 significant digits,
// "." as decimal point whatever the locale, no grouping, no trailing zeros, no
// decimal point for whole values, no zero before the point below 1 (" .92").
// Magnitudes of 1e15 and above are written in exponent form " 1.5E+15"
// (mantissa as above, "E", sign, at least two exponent digits), which
// ReadNumber reads back.
std::string NumberText(double value);

// The same for a single-precision value: at most 7 significant digits.
std::string NumberText(float value);

// The nearest signed 32-bit integer, a value exactly halfway going to the even
// neighbour (742.5 -> 742, 607.5 -> 608). Values outside the 32-bit range
// saturate to its nearest end; NaN gives 0.
std::int32_t NearestInteger(double value);

} // namespace stimmung
