// SPDX-License-Identifier: GPL-3.0-or-later
#include "timbres.h"

#include <algorithm>

namespace stimmung {

namespace {

// Partials from `first` to `last` in steps of `step`, partial n at 1/n: the
// fall of the harmonics of a string (every step) or a closed pipe (odd ones).
constexpr PartialAmplitudes Harmonics(int first, int last, int step) {
    PartialAmplitudes amplitudes{};
    for (int n = first; n <= last; n += step) amplitudes[n - 1] = 1.0 / n;
    return amplitudes;
}

constexpr std::array kTimbres{
    Timbre{"Sinus", Harmonics(1, 1, 1)},
    Timbre{"Obertöne", Harmonics(1, 8, 1)},
    Timbre{"Klarinette", Harmonics(1, 15, 2)},
    Timbre{"Sägezahn", Harmonics(1, kPartials, 1)},
};

} // namespace

std::span<const Timbre> Timbres() { return kTimbres; }

const Timbre& TimbreAt(std::size_t index) { return kTimbres[index < kTimbres.size() ? index : kDefaultTimbre]; }

std::optional<std::size_t> TimbreIndex(std::string_view name) {
    const auto* found = std::find_if(kTimbres.begin(), kTimbres.end(), [&](const Timbre& t) { return t.name == name; });
    if (found == kTimbres.end()) return std::nullopt;
    return static_cast<std::size_t>(found - kTimbres.begin());
}

} // namespace stimmung
