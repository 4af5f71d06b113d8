// SPDX-License-Identifier: GPL-3.0-or-later
// One held sound in a capture (a chord of a few seconds): where it starts and
// ends, its peak, and every break inside it, the stretches where the sound
// path ran dry. Its pitch and beat are measured on the longest piece that no
// break touches: across a break the phase jumps and the edges read as a swell.
// Plain C++, no Qt.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace stimmung::tones {

struct Quiet {
    std::size_t at = 0;     // first sample below the sound level
    std::size_t length = 0; // samples
};

struct Sounding {
    std::size_t first = 0; // first sample above the sound level
    std::size_t last = 0;  // last sample above it
    int peak = 0;          // largest magnitude, of 32768
    Quiet longest;         // the longest stretch below the sound level, zero crossings included
    std::vector<Quiet> breaks;
};

// The sound level: samples below it are silence.
constexpr double kSoundLevel = 300.0 / 32768;

// The first sound from sample `from` on, up to the first 100 ms of silence;
// stretches below the sound level from 1 ms on are breaks (a zero crossing
// lasts well under that). None when nothing sounds.
std::optional<Sounding> FindSounding(std::span<const std::int16_t> samples, int rate, std::size_t from);

// The longest run of samples [begin, end) that no break overlaps, as
// (first, end) sample positions.
std::pair<std::size_t, std::size_t> LongestUnbroken(std::size_t begin, std::size_t end,
                                                    const std::vector<Quiet>& breaks);

} // namespace stimmung::tones
