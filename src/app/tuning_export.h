// SPDX-License-Identifier: GPL-3.0-or-later
// "Stimmung exportieren": which scales can leave the program as Scala files
// and their pitches, taken from the tables the window plays: the hand-placed
// notes (base tone, the six markers in their order, the octave, as the
// keyboard panel plays them), the Pythagorean, the just and the tempered
// player's tables, and N equal steps at the N in txtWurzel.
#pragma once

#include "form1.h"
#include "scala_export.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stimmung::app {

enum class ExportedScale { HandPlaced, Pythagorean, Just, Tempered, EqualSteps };

struct ExportChoice {
    ExportedScale scale;
    const char* label;    // shown in the choice
    const char* fileStem; // the suggested file name, without suffix
};
std::span<const ExportChoice> ExportChoices();

struct ExportedTuning {
    std::string description;
    std::vector<tuning::ScalaPitch> pitches; // above the base tone, the octave last
};

// From the six marker ratios (Line2(i).X1) and the text of txtWurzel; nothing
// when the equal division has no whole step count from 2 to 100 there.
std::optional<ExportedTuning> TuningToExport(ExportedScale scale, std::span<const float, 6> markerRatios,
                                             std::string_view stepCountText);
// The same, read from the window.
std::optional<ExportedTuning> TuningToExport(const Form1& f, ExportedScale scale);

// Writes `sclPath` and the keyboard mapping beside it (same name, ".kbm"),
// with the base frequency of Text1 on MIDI note 60. False if either fails.
bool WriteTuningFiles(const Form1& f, const ExportedTuning& tuning, const std::string& sclPath);

} // namespace stimmung::app
