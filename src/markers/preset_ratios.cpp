#include "preset_ratios.h"

#include <cmath>

namespace stimmung::markers {

namespace {

struct Fraction {
    double numerator, denominator;
};

constexpr Fraction kPythagorean[6] = {{9, 8}, {81, 64}, {4, 3}, {3, 2}, {27, 16}, {243, 128}};
constexpr Fraction kLinear[6] = {{8, 7}, {9, 7}, {10, 7}, {11, 7}, {12, 7}, {13, 7}};
// One hundredth left of the start-up places 0.92 to 0.97.
constexpr PresetRatios kTakenOut = {0.91, 0.92, 0.93, 0.94, 0.95, 0.96};

PresetRatios Quotients(const Fraction (&table)[6]) {
    PresetRatios r{};
    for (int i = 0; i < 6; ++i) r[i] = table[i].numerator / table[i].denominator;
    return r;
}

// The running product of the double step q = exp(ln 2 / 7), not of the
// single-precision values the markers end up holding.
PresetRatios Geometric() {
    const double q = std::exp(std::log(2.0) / 7);
    PresetRatios r{};
    double x = q;
    for (double& ratio : r) {
        ratio = x;
        x *= q;
    }
    return r;
}

} // namespace

PresetRatios RatiosOf(Preset preset) {
    switch (preset) {
    case Preset::Pythagorean: return Quotients(kPythagorean);
    case Preset::Geometric: return Geometric();
    case Preset::Linear: return Quotients(kLinear);
    case Preset::TakenOut: return kTakenOut;
    }
    return kTakenOut;
}

} // namespace stimmung::markers
