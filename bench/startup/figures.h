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

// "<cores> cores (<model>), <memory> GiB memory": no host name.
std::string MachineDescription();

} // namespace bench
