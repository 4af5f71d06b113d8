// SPDX-License-Identifier: GPL-3.0-or-later
#include "preset_ratios.h"

#include "equal_steps.h"
#include "scale_tables.h"

#include <algorithm>

namespace stimmung::markers {

namespace {

PresetRatios Quotients(const std::array<Fraction, 6>& table) {
    PresetRatios r{};
    for (std::size_t i = 0; i < r.size(); ++i) r[i] = table[i].value();
    return r;
}

// Six of the seven equal steps: the running product of the double step, not
// of the single-precision values the markers end up holding.
PresetRatios Geometric() {
    const std::vector<double> steps = EqualSteps(7, 6);
    PresetRatios r{};
    std::copy(steps.begin(), steps.end(), r.begin());
    return r;
}

// 0.92 + i / 100 in double precision; the markers take it in single precision.
PresetRatios StartUpPlaces() {
    PresetRatios r{};
    for (std::size_t i = 0; i < r.size(); ++i) r[i] = 0.92 + static_cast<double>(i) / 100.0;
    return r;
}

} // namespace

PresetRatios RatiosOf(Preset preset) {
    switch (preset) {
    case Preset::Pythagorean: return Quotients(kPythagoreanPreset);
    case Preset::Geometric: return Geometric();
    case Preset::Linear: return Quotients(kLinearPreset);
    case Preset::TakenOut: return kTakenOutPreset;
    case Preset::StartUp: return StartUpPlaces();
    }
    return kTakenOutPreset;
}

} // namespace stimmung::markers
