// SPDX-License-Identifier: GPL-3.0-or-later
// How long before a tone's end Beep gives the caller back, so that the
// caller's next tone is queued in time to join it. Plain C++; times in
// seconds on any steady clock.
//
// Measured from the caller itself: the turnaround is the time from the
// engine returning (from Beep or Sleep) to the next Beep call, for instance a
// melody player repainting between two notes. The hand-over is 1.5 times the
// longest of the last 48 turnarounds, never below the floor nor above the
// ceiling. Only calls that join the tone before (or came too late to) count:
// a caller that stays away longer is starting something new.
#pragma once

#include <array>
#include <cstddef>

namespace stimmung {

class HandOver {
public:
    static constexpr std::size_t kKept = 48;
    static constexpr double kFactor = 1.5;
    static constexpr double kFloorSeconds = 0.010;
    static constexpr double kCeilingSeconds = 0.060;

    // The engine gave the caller back at `time`.
    void returned(double time);
    // The caller asked for its next tone at `time`; `joining`: meant to
    // join the tone before.
    void called(double time, bool joining);
    double seconds() const;

private:
    std::array<double, kKept> turnarounds_{};
    std::size_t count_ = 0;
    std::size_t next_ = 0;
    double returnedAt_ = 0;
    bool pending_ = false;
};

} // namespace stimmung
