// SPDX-License-Identifier: GPL-3.0-or-later
// The ratios between neighbouring notes of the seven-note scale, written in
// grey below the axis at the midpoints of the Pythagorean notes: numerators
// ("9/") on the row y = 4.0, denominators ("8") on y = 4.3, 10 pt.
// "Pythagoras Quotienten" writes the Pythagorean steps, "Didymos" the just
// ones at the same places. Leaves grey (160, 160, 160) and font size 10.
#pragma once

#include "form1.h"

namespace stimmung::tuning {

void cmdDiff_Click(Form1& f);
void cmdDidymos_Click(Form1& f);

} // namespace stimmung::tuning
