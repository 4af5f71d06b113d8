// SPDX-License-Identifier: GPL-3.0-or-later
// Upward zero crossings of a sampled signal, as fractional sample positions,
// and the split of a row of crossings where its period changes: the steady
// stretches between the splits are the bodies of single tones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace stimmung::tones {

// Crossings from below zero to zero or above within [begin, end), linearly
// interpolated between the two samples; a crossing counts only after the
// signal has gone below -hysteresis (sample units) since the one before.
std::vector<double> UpwardCrossings(std::span<const std::int16_t> x, std::size_t begin, std::size_t end,
                                    double hysteresis);

// Indices into a row of crossings, both ends included.
struct CrossingSpan {
    std::size_t first = 0;
    std::size_t last = 0;
};

// Splits the row where the period leaves the recent ones by more than
// `tolerance` (relative) and stays away (a new frequency), or where a single
// period breaks an otherwise steady row (the phase jumped: the same note
// struck again). Lone odd periods at the end of the row do not split it.
std::vector<CrossingSpan> SplitAtPeriodChanges(std::span<const double> crossings, double tolerance);

} // namespace stimmung::tones
