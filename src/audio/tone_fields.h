// SPDX-License-Identifier: GPL-3.0-or-later
// The "+10" / "-10" adjusters beside the base frequency Text1 (Hz) and the
// tone duration Text2 (ms) that every tone is computed from (BaseFrequency,
// ToneDuration). Text4 sits in the same panel and has no behaviour.
#pragma once

#include "form1.h"

namespace stimmung::audio {

// Adjusters: +10 always; -10 only above a threshold, 10 Hz for the base
// frequency but 9 ms for the duration, so the duration can reach 0.
void cmdPlusF_Click(Form1& f);
void cmdMinusF_Click(Form1& f);
void cmdPlusT_Click(Form1& f);
void cmdMinusT_Click(Form1& f);

} // namespace stimmung::audio
