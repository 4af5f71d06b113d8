// SPDX-License-Identifier: GPL-3.0-or-later
// The four buttons that lay out all six note markers at once: "Pythagoras",
// "geometrisch", "linear" and "x" (taken out, left of the base tone). They
// change nothing else: selection, scroll value and text fields stay.
#pragma once

#include "form1.h"
#include "preset_ratios.h"

namespace stimmung::markers {

// Lays all six markers out as `preset` says (their ratios in single precision).
void ApplyPreset(Form1& f, Preset preset);

void cmdPythagorasstimmung_Click(Form1& f);
void cmdGeometrisch_Click(Form1& f);
void cmdLinear_Click(Form1& f);
void cmdRausnehmen_Click(Form1& f);

} // namespace stimmung::markers
