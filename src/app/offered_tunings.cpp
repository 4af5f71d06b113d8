// SPDX-License-Identifier: GPL-3.0-or-later
#include "offered_tunings.h"

#include <algorithm>

namespace stimmung::app {

OfferedTunings& OfferedTunings::instance() {
    static OfferedTunings offers;
    return offers;
}

void OfferedTunings::offer(OfferSlot slot, NamedTuning tuning) {
    auto same = std::find_if(slots_.begin(), slots_.end(), [slot](const auto& s) { return s.first == slot; });
    if (same != slots_.end())
        same->second = std::move(tuning);
    else
        slots_.emplace_back(slot, std::move(tuning));
    std::sort(slots_.begin(), slots_.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    emit changed();
}

std::vector<NamedTuning> OfferedTunings::all() const {
    std::vector<NamedTuning> tunings;
    for (const auto& s : slots_) tunings.push_back(s.second);
    return tunings;
}

} // namespace stimmung::app
