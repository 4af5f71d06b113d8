// SPDX-License-Identifier: GPL-3.0-or-later
#include "melody_clock.h"

#include <algorithm>

namespace stimmung {

double MelodyClock::deadline(double now, double duration) {
    const bool backToBack = chained_ && now >= last_ - kSlackSeconds && now <= last_ + kSlackSeconds;
    last_ = backToBack ? std::max(now, last_ + duration) : now + duration;
    chained_ = true;
    return last_;
}

} // namespace stimmung
