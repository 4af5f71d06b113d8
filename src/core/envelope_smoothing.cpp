// SPDX-License-Identifier: GPL-3.0-or-later
#include "envelope_smoothing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace stimmung {

Envelope SmoothedEnvelope(const Envelope& envelope, double windowMs) {
    const auto half = static_cast<std::ptrdiff_t>(std::lround(windowMs / 1000.0 * envelope.rateHz / 2));
    const auto size = static_cast<std::ptrdiff_t>(envelope.rms.size());
    if (half < 1 || size == 0) return envelope;
    std::vector<double> weights;
    for (std::ptrdiff_t k = -half; k <= half; ++k)
        weights.push_back(0.5 + 0.5 * std::cos(std::numbers::pi * static_cast<double>(k) / (half + 1)));
    Envelope smoothed{envelope.rateHz, std::vector<double>(envelope.rms.size())};
    for (std::ptrdiff_t i = 0; i < size; ++i) {
        double sum = 0, weight = 0;
        for (std::ptrdiff_t k = std::max(-half, -i); k <= std::min(half, size - 1 - i); ++k) {
            sum += weights[k + half] * envelope.rms[i + k];
            weight += weights[k + half];
        }
        smoothed.rms[i] = sum / weight;
    }
    return smoothed;
}

} // namespace stimmung
