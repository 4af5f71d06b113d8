// SPDX-License-Identifier: GPL-3.0-or-later
// Where the notes of a temperament or an opened scale are marked below the
// ratio axis: one tick per note inside the axis, its label in one of two
// alternating rows, or none where a label would run into its neighbour.
// Plain C++, no window.
#pragma once

#include <array>
#include <span>
#include <string>
#include <vector>

namespace stimmung::tuning {

struct Temperament;
struct ScalaScale;

// The notes shown: ratios from the base tone to the right edge of the axis.
inline constexpr double kTickFirstRatio = 1.0;
inline constexpr double kTickLastRatio = 2.1;
inline constexpr int kTickLabelRows = 2;

struct ScaleNote {
    double ratio;
    std::string label;
};

struct PlacedTick {
    double ratio;
    std::string label; // empty: a tick alone
    int row;           // 0 or 1; meaningless without a label
};

struct TickPlan {
    std::vector<PlacedTick> ticks; // in the order of the notes
    int leftOut = 0;               // notes outside the axis, not drawn
};

// Lays out `notes` from left to right: each label takes the first row where
// it starts `labelGap` after the previous label of that row ends, a label
// being `charWidth` per character wide (both in ratio units).
TickPlan PlanTicks(std::span<const ScaleNote> notes, double charWidth, double labelGap);

// A temperament's twelve notes, each labelled with its name and its
// deviation from equal temperament: "cis +3.9".
std::vector<ScaleNote> TemperamentNotes(const Temperament& temperament);
// A scale's pitches in file order, each labelled with its size in cents
// rounded to one decimal, "." as decimal point: "701.9".
std::vector<ScaleNote> ScalaNotes(const ScalaScale& scale);

// `value` with one decimal and "." whatever the locale.
std::string OneDecimalText(double value);

} // namespace stimmung::tuning
