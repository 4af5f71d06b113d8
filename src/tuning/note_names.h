// SPDX-License-Identifier: GPL-3.0-or-later
// "cdefg": the German note names c d e f g a h c in grey along the top edge
// of the output area (y = 0.3), each above its Pythagorean note.
// Leaves grey (128, 128, 128), pen width 3 and font size 16.
#pragma once

#include "form1.h"

namespace stimmung::tuning {

void cmdNamen_Click(Form1& f);

} // namespace stimmung::tuning
