// SPDX-License-Identifier: GPL-3.0-or-later
// The octave divided into N equal steps: the notes q, q², q³ ... with
// q = e^(ln 2 / N), each the previous one times q (a running product, not a
// power, so every use gets the same bits). Plain C++, no Qt.
#pragma once

#include <vector>

namespace stimmung {

// The step counts the window offers: HScroll1's range.
inline constexpr int kMinSteps = 2;
inline constexpr int kMaxSteps = 100;

// q = exp(ln 2 / N), the ratio of one step.
double EqualStepRatio(double N);

// The first `count` notes above the base tone, q to q^count; none when
// count is below 1.
std::vector<double> EqualSteps(double N, double count);

} // namespace stimmung
