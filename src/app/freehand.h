// SPDX-License-Identifier: GPL-3.0-or-later
// Freehand marking and colour choice in the output area picAusgabe: the
// readout of ratio and frequency under the pointer (Text3), a left click
// sounding that frequency, dots while the marking indicator optZeichne is on,
// and the five colour swatches Picture1(0..4) that set the pen.
// X and Y are user coordinates (X a ratio, 0.9 to 2.1 inside the area).
#pragma once

#include "form1.h"

namespace stimmung::app {

// Pen width 2, waiting events in; then a left button (1) sounds
// NearestInteger(X x base) Hz for NearestInteger(duration) ms, any other
// button switches the marking indicator on.
void picAusgabe_MouseDown(Form1& f, int Button, float X, float Y);
// Readout into Text3, the output area's help text, a dot when marking; the
// buttons held are not looked at.
void picAusgabe_MouseMove(Form1& f, int Button, float X, float Y);
// Marking off, whatever the button: the whole option group is left off.
void picAusgabe_MouseUp(Form1& f);
// Pen colour of the swatch; width 10 for the white swatch (3), else 2.
void Picture1_Click(Form1& f, int Index);

} // namespace stimmung::app
