// SPDX-License-Identifier: GPL-3.0-or-later
#include "zero_crossings.h"

#include <algorithm>
#include <cmath>

namespace stimmung::tones {

std::vector<double> UpwardCrossings(std::span<const std::int16_t> x, std::size_t begin, std::size_t end,
                                    double hysteresis) {
    std::vector<double> crossings;
    end = std::min(end, x.size());
    bool armed = false;
    for (std::size_t n = std::max<std::size_t>(begin, 1); n < end; ++n) {
        if (x[n - 1] < -hysteresis) armed = true;
        if (armed && x[n - 1] < 0 && x[n] >= 0) {
            const double a = x[n - 1], b = x[n];
            crossings.push_back(static_cast<double>(n - 1) + (-a) / (b - a));
            armed = false;
        }
    }
    return crossings;
}

namespace {

double Relative(double a, double reference) { return std::abs(a - reference) / reference; }

// Median of the last few periods of the current span: one odd period does
// not move the reference.
double RecentPeriod(const std::vector<double>& periods, std::size_t first, std::size_t k) {
    const std::size_t from = k - std::min<std::size_t>(k - first, 5);
    std::vector<double> recent(periods.begin() + static_cast<long>(from), periods.begin() + static_cast<long>(k));
    std::nth_element(recent.begin(), recent.begin() + static_cast<long>(recent.size() / 2), recent.end());
    return recent[recent.size() / 2];
}

} // namespace

std::vector<CrossingSpan> SplitAtPeriodChanges(std::span<const double> crossings, double tolerance) {
    std::vector<CrossingSpan> spans;
    if (crossings.empty()) return spans;
    std::vector<double> periods;
    for (std::size_t i = 1; i < crossings.size(); ++i) periods.push_back(crossings[i] - crossings[i - 1]);

    const std::size_t count = periods.size();
    // In a noisy capture the crossings jitter: the tolerance grows with the
    // typical change from one period to the next.
    if (count >= 3) {
        std::vector<double> changes, sorted(periods);
        for (std::size_t i = 1; i < count; ++i) changes.push_back(std::abs(periods[i] - periods[i - 1]));
        std::nth_element(changes.begin(), changes.begin() + static_cast<long>(changes.size() / 2), changes.end());
        std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(count / 2), sorted.end());
        tolerance = std::max(tolerance, 4 * changes[changes.size() / 2] / sorted[count / 2]);
    }
    auto near = [&](std::size_t i, double reference) { return Relative(periods[i], reference) <= tolerance; };
    std::size_t first = 0;
    std::size_t k = 0;
    while (k < count) {
        if (k == first) { // a span's first period is its first reference
            ++k;
            continue;
        }
        const double reference = RecentPeriod(periods, first, k);
        if (near(k, reference) || k + 2 >= count) {
            ++k;
            continue;
        }
        if (near(k + 1, reference) && near(k + 2, reference)) {
            // One odd period between steady ones: the tone started again.
            spans.push_back({first, k});
            first = k + 1;
        } else if (near(k + 1, periods[k]) && near(k + 2, periods[k + 1])) {
            // The new period begins at crossing k.
            spans.push_back({first, k});
            first = k;
        } else if (near(k + 2, periods[k + 1])) {
            // Period k holds the change; the new tone is steady from k + 1.
            spans.push_back({first, k});
            first = k + 1;
        }
        ++k;
    }
    spans.push_back({first, crossings.size() - 1});
    return spans;
}

} // namespace stimmung::tones
