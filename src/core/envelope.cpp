// SPDX-License-Identifier: GPL-3.0-or-later
#include "envelope.h"

#include "intervals.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace stimmung {

namespace {

// Frequencies looked at per bin of the envelope's spectrum: fine enough that
// the peak between them is found to a small part of a bin.
constexpr int kStepsPerBin = 8;

} // namespace

double HannWeight(std::size_t i, std::size_t n) {
    return 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (static_cast<double>(i) + 0.5) / static_cast<double>(n));
}

// The exponential by rotation.
double MagnitudeAt(std::span<const double> x, double hz, double rate) {
    const std::complex<double> turn = std::polar(1.0, -2.0 * std::numbers::pi * hz / rate);
    std::complex<double> phasor = 1.0, sum = 0.0;
    for (double v : x) {
        sum += v * phasor;
        phasor *= turn;
    }
    return std::abs(sum);
}


Envelope AmplitudeEnvelope(std::span<const float> samples, int sampleRate, double windowMs, double stepMs) {
    Envelope envelope;
    const auto window =
        std::max<std::size_t>(1, static_cast<std::size_t>(std::llround(windowMs * sampleRate / 1000.0)));
    const auto step = std::max<std::size_t>(1, static_cast<std::size_t>(std::llround(stepMs * sampleRate / 1000.0)));
    envelope.rateHz = static_cast<double>(sampleRate) / static_cast<double>(step);
    // A Hann window rather than a plain mean: the notes' fast swells (their
    // partials' differences, up to kHz) would otherwise fold back below the
    // envelope's own rate as slow swells that look and measure like beats.
    std::vector<double> weights(window);
    double weightSum = 0;
    for (std::size_t n = 0; n < window; ++n) {
        weights[n] = HannWeight(n, window);
        weightSum += weights[n];
    }
    for (std::size_t from = 0; from + window <= samples.size(); from += step) {
        double energy = 0;
        for (std::size_t n = 0; n < window; ++n) energy += weights[n] * double(samples[from + n]) * samples[from + n];
        envelope.rms.push_back(std::sqrt(energy / weightSum));
    }
    return envelope;
}

std::optional<EnvelopeBeat> BeatOfEnvelope(const Envelope& envelope) {
    const std::size_t n = envelope.rms.size();
    if (n < 4 || envelope.rateHz <= 0) return std::nullopt;
    double mean = 0;
    for (double v : envelope.rms) mean += v;
    mean /= static_cast<double>(n);
    if (!(mean > 0)) return std::nullopt;
    std::vector<double> x(n);
    double windowSum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double w = HannWeight(i, n);
        x[i] = (envelope.rms[i] - mean) * w;
        windowSum += w;
    }
    const double bin = envelope.rateHz / static_cast<double>(n);
    const double lowest = bin, highest = std::min(kBeatLimitHz, envelope.rateHz / 2.0);
    const double df = bin / kStepsPerBin;
    std::vector<double> magnitudes;
    for (double hz = lowest; hz <= highest; hz += df) magnitudes.push_back(MagnitudeAt(x, hz, envelope.rateHz));
    if (magnitudes.size() < 3) return std::nullopt;
    const auto peak =
        static_cast<std::size_t>(std::max_element(magnitudes.begin(), magnitudes.end()) - magnitudes.begin());
    // Still rising below one swell per envelope: too slow for this envelope
    // to show, and nothing faster stands out.
    if (peak == 0) return std::nullopt;
    // The vertex of the parabola through the peak and its neighbours.
    double offset = 0;
    if (peak + 1 < magnitudes.size()) {
        const double a = magnitudes[peak - 1], b = magnitudes[peak], c = magnitudes[peak + 1];
        if (a - 2 * b + c < 0) offset = 0.5 * (a - c) / (a - 2 * b + c);
    }
    // A swell of amplitude A under the window gives a peak of A · Σw / 2.
    const double depth = 2.0 * magnitudes[peak] / windowSum / mean;
    if (depth < kShallowestBeat) return std::nullopt;
    return EnvelopeBeat{lowest + (static_cast<double>(peak) + offset) * df, depth};
}

} // namespace stimmung
