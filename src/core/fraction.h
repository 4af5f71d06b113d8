// SPDX-License-Identifier: GPL-3.0-or-later
// A frequency ratio kept as a fraction of two whole numbers (9/8, 243/128),
// divided out in double precision wherever it is used. Plain C++, no Qt.
#pragma once

namespace stimmung {

struct Fraction {
    int numerator;
    int denominator;

    // numerator / denominator.
    constexpr double value() const { return static_cast<double>(numerator) / denominator; }
    // (base × numerator) / denominator: multiplied first, then divided, as
    // the players compute a tone's frequency from the base frequency.
    constexpr double over(double base) const { return base * numerator / denominator; }
};

} // namespace stimmung
