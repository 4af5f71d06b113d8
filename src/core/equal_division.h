// SPDX-License-Identifier: GPL-3.0-or-later
// The octave divided into N equal steps (N = 2 to 100 from HScroll1, a whole
// number held as a double) and how far its nearest steps lie from the just
// third 5/4, fourth 4/3 and fifth 3/2. Positions and intervals are frequency
// ratios (1 to 2); the errors are quotients of at least 1, truncated to four
// decimals, and a total in units of 1/10000. Plain C++, no window.
#pragma once

#include <array>
#include <vector>

namespace stimmung::tuning {

// The N - 1 inner tempered notes, left to right, as the ticks are drawn:
// EqualSteps(N, N - 1).
std::vector<double> TickPositions(double N);

// One just interval R against its nearest tempered step.
struct IntervalError {
    double k; // number of steps nearest to R, halves going up
    double t; // the tempered interval of k steps, exp(ln 2 * k / N)
    double Q; // the larger of t and R divided by the smaller, at least 1
    double e; // Q truncated to four decimals
};

IntervalError ErrorOf(double R, double N);

// floor(Q * 10000) / 10000: cut after the fourth decimal, never raised.
double TruncateToFourDecimals(double Q);

// floor(((third * fourth) * fifth - 1) * 10000) from the truncated quotients,
// worked out exactly (1.0008 * 1 * 1 gives 8, not 7).
double TotalError(double third, double fourth, double fifth);

struct TemperedErrors {
    std::array<IntervalError, 3> intervals; // third, fourth, fifth
    double E;                               // total error in 1/10000
};

// The intervals of kMeasuredIntervals, in the order third, fourth, fifth (the
// order of the circles and of the error fields).
TemperedErrors ErrorsFor(double N);

} // namespace stimmung::tuning
