// SPDX-License-Identifier: GPL-3.0-or-later
// The figures of a series of runs: median, least and greatest value (of
// milliseconds or kilobytes), and the machine they were measured on.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace bench {

struct Summary {
    double median = 0, min = 0, max = 0;
    std::size_t count = 0;
};

// The median of an even count is the mean of the two middle values.
inline Summary Summarise(std::vector<double> values) {
    Summary s;
    s.count = values.size();
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    s.min = values.front();
    s.max = values.back();
    return s;
}

// The value below which the fraction q (0 to 1) of the values lie.
inline double Percentile(std::vector<double> values, double q) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(q * static_cast<double>(values.size())))];
}

// "<cores> cores (<model>), <memory> GiB memory": no host name.
std::string MachineDescription();

} // namespace bench
