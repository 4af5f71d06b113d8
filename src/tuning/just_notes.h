// SPDX-License-Identifier: GPL-3.0-or-later
// "Rein": the just third 5/4, sixth 5/3 and seventh 15/8 after Didymos as red
// ticks on the ratio axis, each labelled on one line ("5/4") at 11 pt.
// Leaves red, pen width 2 and font size 11 for whatever draws next.
#pragma once

#include "form1.h"

namespace stimmung::tuning {

void cmdDia_Click(Form1& f);

} // namespace stimmung::tuning
