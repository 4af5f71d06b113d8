// SPDX-License-Identifier: GPL-3.0-or-later
#include "sounding.h"

#include <algorithm>
#include <cstdlib>

namespace stimmung::tones {

std::optional<Sounding> FindSounding(std::span<const std::int16_t> samples, int rate, std::size_t from) {
    const auto loud = [](std::int16_t s) { return std::abs(int{s}) >= kSoundLevel * 32768; };
    const std::size_t silenceEnds = static_cast<std::size_t>(rate) / 10;
    const std::size_t shortestBreak = static_cast<std::size_t>(rate) / 1000;
    Sounding s;
    s.first = from;
    while (s.first < samples.size() && !loud(samples[s.first])) ++s.first;
    if (s.first >= samples.size()) return std::nullopt;
    std::size_t quiet = 0;
    for (std::size_t i = s.first; i < samples.size() && quiet < silenceEnds; ++i) {
        if (!loud(samples[i])) {
            ++quiet;
            continue;
        }
        if (quiet > s.longest.length) s.longest = {i - quiet, quiet};
        if (quiet >= shortestBreak) s.breaks.push_back({i - quiet, quiet});
        s.last = i, quiet = 0;
        s.peak = std::max(s.peak, std::abs(int{samples[i]}));
    }
    return s;
}

std::pair<std::size_t, std::size_t> LongestUnbroken(std::size_t begin, std::size_t end,
                                                    const std::vector<Quiet>& breaks) {
    std::pair<std::size_t, std::size_t> best{begin, begin};
    std::size_t pieceStart = begin;
    const auto offer = [&](std::size_t pieceEnd) {
        if (pieceEnd > pieceStart && pieceEnd - pieceStart > best.second - best.first) best = {pieceStart, pieceEnd};
    };
    for (const Quiet& q : breaks) {
        if (q.at + q.length <= begin || q.at >= end) continue;
        offer(std::max(q.at, pieceStart));
        pieceStart = std::max(pieceStart, q.at + q.length);
    }
    offer(end);
    return best;
}

} // namespace stimmung::tones
