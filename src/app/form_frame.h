// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the empty ratio axis, clearing and ending: the frame of the
// output area. The axis: ratio 1 (base tone) and 2 (octave) on a line at
// y = 3 across the user rectangle (0.9, 0)-(2.1, 6).
#pragma once

#include "form1.h"

namespace stimmung::app {

void Form_Load(Form1& f);
void DrawAxis(Form1& f);
void cmdClear_Click(Form1& f);
void cmdEnde_Click(Form1& f);

} // namespace stimmung::app
