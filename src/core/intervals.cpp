// SPDX-License-Identifier: GPL-3.0-or-later
#include "intervals.h"

#include "cents.h"
#include "figure_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace stimmung {

namespace {

constexpr std::array<Fraction, 13> kJustIntervals{
    {{1, 1}, {16, 15}, {9, 8}, {6, 5}, {5, 4}, {4, 3}, {45, 32}, {3, 2}, {8, 5}, {5, 3}, {9, 5}, {15, 8}, {2, 1}}};

} // namespace

double IntervalCents(double lowHz, double highHz) { return Cents(highHz / lowHz); }

std::span<const Fraction> JustIntervals() { return kJustIntervals; }

JustNeighbour NearestJustInterval(double cents) {
    const double size = std::abs(cents);
    JustNeighbour nearest;
    nearest.octaves = static_cast<int>(std::floor(size / kCentsPerOctave));
    const double withinOctave = size - nearest.octaves * kCentsPerOctave;
    nearest.ratio = *std::min_element(kJustIntervals.begin(), kJustIntervals.end(), [&](Fraction a, Fraction b) {
        return std::abs(withinOctave - Cents(a.value())) < std::abs(withinOctave - Cents(b.value()));
    });
    nearest.deviationCents = withinOctave - Cents(nearest.ratio.value());
    return nearest;
}

std::optional<Beat> BeatOf(double frequencyHz, double otherHz, const PartialAmplitudes& timbre) {
    const double low = std::min(frequencyHz, otherHz);
    const double high = std::max(frequencyHz, otherHz);
    if (!(low > 0) || !std::isfinite(high)) return std::nullopt;
    for (int sum = 2; sum <= 2 * kPartials; ++sum) {
        for (int p = std::max(1, sum - kPartials); p <= std::min(kPartials, sum - 1); ++p) {
            const int q = sum - p;
            if (!(timbre[p - 1] > 0) || !(timbre[q - 1] > 0)) continue;
            const double hz = std::abs(q * high - p * low);
            if (hz < kBeatLimitHz) return Beat{p, q, hz};
        }
    }
    return std::nullopt;
}

std::string CentsText(double cents) { return FixedText(cents, 2); }
std::string DeviationText(double cents) { return FixedText(cents, 2, true); }
std::string BeatText(double hz) { return FixedText(hz, 2); }

} // namespace stimmung
