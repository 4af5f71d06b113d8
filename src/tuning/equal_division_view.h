// SPDX-License-Identifier: GPL-3.0-or-later
// HScroll1 chooses the number N of equal steps per octave (2 to 100); N is
// shown in txtWurzel. Once a change is complete the output area shows the
// fixed scales with the N - 1 tempered notes below the axis, circles at the
// steps nearest to the just third, fourth and fifth, and the error fields.
#pragma once

#include "form1.h"

namespace stimmung::tuning {

// While the scroll box is dragged: only the number in txtWurzel follows.
void HScroll1_Scroll(Form1& f);

// A completed change: writes N into txtWurzel, then ShowEqualDivision.
void HScroll1_Change(Form1& f);

// Redraws everything for the N in txtWurzel and fills txtTerz, txtQuarte,
// txtQuinte and txtGesamtfehler. Called by HScroll1_Change (and timed by the
// benchmark). Leaves blue, font size 10 and the pen width 2 of "Rein".
void ShowEqualDivision(Form1& f);

} // namespace stimmung::tuning
