// SPDX-License-Identifier: GPL-3.0-or-later
// The empty ratio axis of the output area: the user rectangle (0.9, 0) to
// (2.1, 6), the axis at y = 3 and the lines of the base tone (1) and the
// octave (2) from y = 2 to 5, drawn 3 pixels wide in the current colour, and
// their labels "1" and "2" on the row y = 1 in the current font size.
#pragma once

#include "output_area.h"

namespace stimmung {

// Sets the pen width 3 and the user scale, then draws the three lines.
void DrawAxisLines(OutputArea& pic);
// Prints "1" and "2" at x = 0.99 and 1.99; leaves the text position after "2".
void DrawAxisLabels(OutputArea& pic);

} // namespace stimmung
