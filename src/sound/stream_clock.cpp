// SPDX-License-Identifier: GPL-3.0-or-later
#include "stream_clock.h"

#include <cmath>
#include <numbers>

namespace stimmung {

namespace {

// Bandwidth of the loop, in Hz: wide for the first callbacks so that the map
// settles on the device's real pace quickly, then narrow so that it follows
// the pace but not the jitter.
constexpr double kClockBandwidthHz = 1.0;
constexpr double kSettlingBandwidthHz = 10.0;
constexpr int kSettlingCallbacks = 100;
// The earliness peak decays with this time constant, in seconds.
constexpr double kEarlyDecaySeconds = 4.0;
// A callback further than this many periods from its due time restarts the map.
constexpr double kRestartPeriods = 3.0;
// Frames per callback that differ by more than this fraction are a new cycle.
constexpr int kCycleChangeRatio = 8;

} // namespace

StreamClock::Step StreamClock::follow(StreamMap& map, double now, double lastCallback, int frames,
                                      std::int64_t consumed) {
    const double nominal = static_cast<double>(frames) / rate_;
    // A sound server whose cycle changed (another client asked for a shorter
    // latency, or left) now calls back with that many frames: the map starts
    // again from this callback. A resampler's frame more or less is no change.
    const bool newCycle = valid_ && std::abs(frames - map.mapFrames) * kCycleChangeRatio > map.mapFrames;
    const bool stalledOnNewCycle = newCycle && now - lastCallback > stallLimit_;
    map.mapFrames = frames;
    if (!valid_ || newCycle) {
        restart(map, now, consumed);
        return stalledOnNewCycle ? Step::Stalled : Step::Restarted;
    }
    const double error = now - map.t1;
    if (std::abs(error) > kRestartPeriods * nominal) {
        const bool stalled = now - lastCallback > stallLimit_;
        restart(map, now, consumed);
        return stalled ? Step::Stalled : Step::Restarted;
    }
    map.earlyPeak = std::max(map.earlyPeak * std::exp(-nominal / kEarlyDecaySeconds), -error);
    const double bandwidth = settled_ < kSettlingCallbacks ? kSettlingBandwidthHz : kClockBandwidthHz;
    // Kept well inside the loop's stable range, also for long buffers.
    const double omega = std::min(2.0 * std::numbers::pi * bandwidth * nominal, 0.4);
    ++settled_;
    map.t0 = map.t1;
    // A server that runs its missed cycles back to back after a stop calls
    // back well before the due time; the next callback still comes after
    // this one: a map that ran backwards would release every Beep at once.
    map.t1 += std::clamp(std::sqrt(2.0) * omega * error + map.period, 0.5 * nominal, 2.0 * nominal);
    map.period = std::clamp(map.period + omega * omega * error, 0.5 * nominal, 2.0 * nominal);
    map.mapFrame = consumed;
    return Step::Followed;
}

void StreamClock::restart(StreamMap& map, double now, std::int64_t consumed) {
    valid_ = true;
    settled_ = 0;
    // The pace learnt before a stop may be bent by it; the settling loop
    // finds the device's own again within a second.
    map.period = static_cast<double>(map.mapFrames) / rate_;
    map.t0 = now;
    map.t1 = now + map.period;
    map.mapFrame = consumed;
}

} // namespace stimmung
