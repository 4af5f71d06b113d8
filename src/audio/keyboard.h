// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard panel: eight white keys cmdTaste(0..7) sounding the base tone,
// the six hand-placed note markers and the octave, and "per Hand definiert",
// which plays the eight keys in index order as a scale.
#pragma once

#include "form1.h"

namespace stimmung::audio {

inline constexpr int kKeyCount = 8;

// The key's frequency in Hz before conversion: key 0 the base, keys 1 to 6
// base × the ratio of marker Index − 1 (single precision widened), key 7
// base + base. `index` must lie in 0..7.
double KeyFrequency(const Form1& f, int index, double base);

// Sounds key Index (0..7) for the tone duration; other indices sound nothing.
void cmdTaste_Click(Form1& f, int Index);
// Keys 0 to 7 in index order, not sorted by the markers' ratios, no pause.
void cmdHandlauf_Click(Form1& f);

} // namespace stimmung::audio
