// SPDX-License-Identifier: GPL-3.0-or-later
// The map between the sound stream's frames and the steady clock, and the
// loop that keeps it on the device's pace. Plain C++; times in seconds on any
// steady clock, positions in stream frames.
//
// Each callback is timestamped; a delay-locked loop (a second-order filter
// over the callback times) turns those noisy times into a straight line from
// frames to times, for a constant number of frames per callback (a new
// number starts the map again). It also follows a device whose clock runs a
// little fast or slow, and keeps the largest recent amount by which a callback came earlier
// than the line predicted (the jitter a tone's start lead must cover).
#pragma once

#include "sample_rate.h"

#include <algorithm>
#include <cstdint>

namespace stimmung {

// Frame `mapFrame` was written by the callback at t0; the next callback, due
// at t1, writes frame mapFrame + mapFrames.
struct StreamMap {
    int mapFrames = 1;
    std::int64_t mapFrame = 0;
    double t0 = 0, t1 = 0;
    double period = 0;    // the filtered period
    double earlyPeak = 0; // largest recent earliness of a callback, decaying

    double timeOfFrame(std::int64_t frame) const {
        return t0 + static_cast<double>(frame - mapFrame) * (t1 - t0) / mapFrames;
    }
    double frameAt(double time) const { return static_cast<double>(mapFrame) + (time - t0) * mapFrames / (t1 - t0); }
    // The map is a straight line only while callbacks come: once the next
    // one is overdue, the stream stands at the frames written so far.
    double streamNow(double time) const { return std::min(time, t1); }
    bool overdue(double time, int rate) const { return time > t1 + static_cast<double>(mapFrames) / rate; }
};

class StreamClock {
public:
    enum class Step {
        Followed,  // the callback came about when due
        Restarted, // it came far off; the map starts again from it
        Stalled,   // as Restarted, after a stop longer than the stall limit
    };

    explicit StreamClock(int rate = kSampleRate, double stallLimitSeconds = 0.25)
            : rate_(rate), stallLimit_(stallLimitSeconds) {}

    // A callback at `now` writes `frames` frames from `consumed` on; the one
    // before came at `lastCallback`.
    Step follow(StreamMap& map, double now, double lastCallback, int frames, std::int64_t consumed);
    // The next callback starts the map afresh.
    void reset() {
        valid_ = false;
        settled_ = 0;
    }

private:
    void restart(StreamMap& map, double now, std::int64_t consumed);

    int rate_;
    double stallLimit_;
    bool valid_ = false;
    int settled_ = 0; // callbacks since the map was started
};

} // namespace stimmung
