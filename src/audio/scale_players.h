// SPDX-License-Identifier: GPL-3.0-or-later
// The players under "Tonlauf spielen" and "Temperiert mit": the Pythagorean,
// the Didymos and the tempered major scale over the base frequency, and all
// N steps of the equal division named in txtWurzel. They only sound: one tone
// after the other, each as long as the tone duration, nothing drawn or marked.
#pragma once

#include "form1.h"

namespace stimmung::audio {

void cmdPythagoras_Click(Form1& f);
void cmdrein_Click(Form1& f);
void cmdtemperiert_Click(Form1& f);
// N + 1 tones from the base tone up to the octave, each step the running
// product of q = e^(ln 2 / N); nothing when txtWurzel holds no whole N in 2..100.
void cmdalle_Click(Form1& f);

} // namespace stimmung::audio
