// SPDX-License-Identifier: GPL-3.0-or-later
#include "equal_steps.h"

#include <cmath>

namespace stimmung {

double EqualStepRatio(double N) { return std::exp(std::log(2.0) / N); }

std::vector<double> EqualSteps(double N, double count) {
    std::vector<double> steps;
    const double q = EqualStepRatio(N);
    double r = q;
    for (double i = 1; i <= count; ++i) {
        steps.push_back(r);
        r *= q;
    }
    return steps;
}

} // namespace stimmung
