// SPDX-License-Identifier: GPL-3.0-or-later
#include "envelope_smoothing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace stimmung {

namespace {

std::vector<double> LowPassWeights(double rateHz) {
    const auto half = static_cast<std::ptrdiff_t>(std::lround(kSmoothingHalfWindowMs / 1000.0 * rateHz));
    const double cutoff = 2.0 * kSmoothingCutoffHz / rateHz; // of the values' Nyquist rate
    std::vector<double> weights;
    for (std::ptrdiff_t k = -half; k <= half; ++k) {
        const double x = std::numbers::pi * cutoff * static_cast<double>(k);
        const double sinc = k == 0 ? 1.0 : std::sin(x) / x;
        const double phase = std::numbers::pi * static_cast<double>(k + half) / static_cast<double>(half);
        const double blackman = 0.42 - 0.5 * std::cos(phase) + 0.08 * std::cos(2 * phase);
        weights.push_back(sinc * blackman);
    }
    return weights;
}

} // namespace

Envelope SmoothedEnvelope(const Envelope& envelope) {
    const auto size = static_cast<std::ptrdiff_t>(envelope.rms.size());
    if (size == 0 || !(envelope.rateHz > 2 * kSmoothingCutoffHz)) return envelope;
    const std::vector<double> weights = LowPassWeights(envelope.rateHz);
    const auto half = static_cast<std::ptrdiff_t>(weights.size() / 2);
    Envelope smoothed{envelope.rateHz, std::vector<double>(envelope.rms.size())};
    for (std::ptrdiff_t i = 0; i < size; ++i) {
        // Near the ends the window is cut, and the weights that fall inside
        // are scaled to sum to one.
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
