// SPDX-License-Identifier: GPL-3.0-or-later
#include "equal_division.h"

#include "equal_steps.h"
#include "scale_tables.h"

#include <cmath>

namespace stimmung::tuning {

std::vector<double> TickPositions(double N) { return EqualSteps(N, N - 1); }

IntervalError ErrorOf(double R, double N) {
    IntervalError err{};
    // N * log2(R) is R's place on the scale of steps; + 0.5 picks the nearest.
    err.k = std::floor((std::log(R) * N) / std::log(2.0) + 0.5);
    err.t = std::exp((std::log(2.0) * err.k) / N);
    err.Q = err.t > R ? err.t / R : R / err.t;
    err.e = TruncateToFourDecimals(err.Q);
    return err;
}

double TruncateToFourDecimals(double Q) { return std::floor(Q * 10000) / 10000; }

double TotalError(double third, double fourth, double fifth) {
    // The quotients are whole ten-thousandths, so their product is an exact
    // decimal of twelve places. Worked out in integers it stays exact: in
    // doubles 1.0008 * 1 * 1 - 1 comes to 7.99999... and would cut to 7.
    const auto units = [](double e) { return std::llround(e * 10000); };
    const bool small = std::abs(third) < 1e5 && std::abs(fourth) < 1e5 && std::abs(fifth) < 1e5;
    if (!small) return std::floor(((third * fourth) * fifth - 1) * 10000);
    const long long excess = units(third) * units(fourth) * units(fifth) - 1'000'000'000'000LL;
    constexpr long long kPerUnit = 100'000'000LL; // 1e-12 steps in one 1/10000
    long long E = excess / kPerUnit;
    if (excess % kPerUnit != 0 && excess < 0) --E; // floor, also below zero
    return static_cast<double>(E);
}

TemperedErrors ErrorsFor(double N) {
    TemperedErrors result{};
    for (std::size_t i = 0; i < kMeasuredIntervals.size(); ++i)
        result.intervals[i] = ErrorOf(kMeasuredIntervals[i].value(), N);
    result.E = TotalError(result.intervals[0].e, result.intervals[1].e, result.intervals[2].e);
    return result;
}

} // namespace stimmung::tuning
