// SPDX-License-Identifier: GPL-3.0-or-later
#include "hand_over.h"

#include <algorithm>

namespace stimmung {

void HandOver::returned(double time) {
    returnedAt_ = time;
    pending_ = true;
}

void HandOver::called(double time, bool joining) {
    if (!pending_) return;
    pending_ = false;
    const double turnaround = time - returnedAt_;
    if (!joining || turnaround < 0) return;
    turnarounds_[next_] = turnaround;
    next_ = (next_ + 1) % kKept;
    count_ = std::min(count_ + 1, kKept);
}

double HandOver::seconds() const {
    const double longest = count_ == 0 ? 0.0 : *std::max_element(turnarounds_.begin(), turnarounds_.begin() + count_);
    return std::clamp(kFactor * longest, kFloorSeconds, kCeilingSeconds);
}

} // namespace stimmung
