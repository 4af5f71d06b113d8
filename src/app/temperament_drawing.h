// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a temperament or an opened scale in the output area: a short tick
// per note below the rows of the constructions, labelled in two rows, in a
// colour no construction uses. The drawing state is left as it was found.
#pragma once

#include "output_area.h"
#include "scale_ticks.h"

namespace stimmung::app {

inline constexpr Rgb kTemperamentColour{0, 128, 64};
// The rows, in the output area's y units: tick, then the two label rows.
inline constexpr double kTickTop = 4.6;
inline constexpr double kTickBottom = 4.85;
inline constexpr double kLabelRowTop[tuning::kTickLabelRows] = {4.85, 5.3};
inline constexpr double kTickFontSize = 8;

// Plans and draws `notes`; returns how many lay outside the axis.
int DrawScaleTicks(OutputArea& pic, std::span<const tuning::ScaleNote> notes);

} // namespace stimmung::app
