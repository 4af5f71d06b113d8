// SPDX-License-Identifier: GPL-3.0-or-later
#include "ratio_axis.h"

namespace stimmung {

void DrawAxisLines(OutputArea& pic) {
    pic.DrawWidth = 3;
    pic.Scale(0.9, 0, 2.1, 6);
    pic.Line(0.9, 3, 2.1, 3); // the ratio axis
    pic.Line(1, 2, 1, 5);     // base tone
    pic.Line(2, 2, 2, 5);     // octave
}

void DrawAxisLabels(OutputArea& pic) {
    pic.CurrentX = 0.99;
    pic.CurrentY = 1;
    pic.Print("1");
    pic.CurrentX = 1.99;
    pic.CurrentY = 1;
    pic.Print("2");
}

} // namespace stimmung
