// SPDX-License-Identifier: GPL-3.0-or-later
// The time of tones that sound nothing (no device, or the device is lost):
// each one still lasts its duration, counted on the melody's own clock, so
// the caller's time between two calls does not add up over a melody. Plain
// C++; times in seconds on any steady clock.
//
// A silent tone asked for soon after the previous one's deadline (within the
// slack: a caller that comes straight back) ends its duration after that
// deadline; any other ends its duration after its call. A tone longer than
// the time since the deadline is never cut below zero: it ends at its call at
// the earliest.
#pragma once

namespace stimmung {

class MelodyClock {
public:
    static constexpr double kSlackSeconds = 0.060;

    // The deadline of a silent tone (or pause) of `duration` asked for at
    // `now`; the caller waits until then.
    double deadline(double now, double duration);
    // The next tone follows no silent one (the device sounded the last).
    void forget() { chained_ = false; }

private:
    double last_ = 0;
    bool chained_ = false;
};

} // namespace stimmung
