// SPDX-License-Identifier: GPL-3.0-or-later
#include "intervals.h"

#include "cents.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace stimmung {

namespace {

constexpr std::array<Fraction, 13> kJustIntervals{
    {{1, 1}, {16, 15}, {9, 8}, {6, 5}, {5, 4}, {4, 3}, {45, 32}, {3, 2}, {8, 5}, {5, 3}, {9, 5}, {15, 8}, {2, 1}}};

constexpr const char* kMinusSign = "\u2212";

// `value` rounded to two decimals; "0.00" rather than a signed zero.
std::string TwoDecimals(double value, bool plusSign) {
    const double rounded = std::round(value * 100.0) / 100.0;
    std::string text = rounded < 0 ? kMinusSign : (plusSign && rounded > 0 ? "+" : "");
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, std::abs(rounded), std::chars_format::fixed, 2);
    return text.append(digits, result.ptr);
}

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

std::string CentsText(double cents) { return TwoDecimals(cents, false); }
std::string DeviationText(double cents) { return TwoDecimals(cents, true); }
std::string BeatText(double hz) { return TwoDecimals(hz, false); }

} // namespace stimmung
