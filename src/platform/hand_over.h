// How long before a tone's end Beep gives the caller back, so that the
// caller's next tone is queued in time to join it. Plain C++; times in
// seconds on any steady clock.
//
// Measured from the caller itself: the turnaround is the time from the
// engine returning (from Beep or Sleep) to the next Beep call, for instance a
// melody player repainting between two notes. The hand-over is 1.5 times the
// longest of the last 48 turnarounds, never below the floor nor above the
// ceiling. A caller that stays away longer than a melody's caller would is
// starting something new and is not counted.
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
    // Longer turnarounds are not counted.
    static constexpr double kIgnoredAboveSeconds = 0.250;

    // The engine gave the caller back at `time`.
    void returned(double time);
    // The caller asked for its next tone at `time`.
    void called(double time);
    double seconds() const;

private:
    std::array<double, kKept> turnarounds_{};
    std::size_t count_ = 0;
    std::size_t next_ = 0;
    double returnedAt_ = 0;
    bool pending_ = false;
};

} // namespace stimmung
