// The two fields every tone is computed from: the base frequency in Text1 (Hz)
// and the tone duration in Text2 (ms), read anew at every use, and the "+10" /
// "-10" adjusters beside them. Text4 sits in the same panel and has no behaviour.
#pragma once

#include "form1.h"

namespace stimmung::audio {

// The base frequency in Hz, as the number at the start of Text1 (0 if none).
double BaseFrequency(const Form1& f);
// The tone duration in ms (the length of an eighth in a melody), from Text2.
double ToneDuration(const Form1& f);

// Adjusters: +10 always; -10 only above a threshold, 10 Hz for the base
// frequency but 9 ms for the duration, so the duration can reach 0.
void cmdPlusF_Click(Form1& f);
void cmdMinusF_Click(Form1& f);
void cmdPlusT_Click(Form1& f);
void cmdMinusT_Click(Form1& f);

} // namespace stimmung::audio
