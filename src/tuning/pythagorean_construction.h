// SPDX-License-Identifier: GPL-3.0-or-later
// The Pythagorean scale entered note by note in the order the fifths produce
// it (cmd2 ... cmd7: 3/2, 9/8, 27/16, 81/64, 243/128, 4/3), each as a tick on
// the ratio axis with its fraction above in blue, and cmdComplett: the empty
// axis with all six notes. Coordinates are the output area's user units.
#pragma once

#include "form1.h"

namespace stimmung::tuning {

void cmd2_Click(Form1& f);
void cmd3_Click(Form1& f);
void cmd4_Click(Form1& f);
void cmd5_Click(Form1& f);
void cmd6_Click(Form1& f);
void cmd7_Click(Form1& f);

// Clears, draws the axis with its labels at 16 pt and enters all six notes.
// Leaves black, pen width 4, font size 12.
void cmdComplett_Click(Form1& f);

} // namespace stimmung::tuning
