// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard.h"

#include "numbers.h"
#include "play_tone.h"

namespace stimmung::audio {

double KeyFrequency(const Form1& f, int index, double base) {
    if (index == 0) return base;
    if (index == kKeyCount - 1) return base + base;
    return base * static_cast<double>(f.Line2[index - 1]->X1());
}

void cmdTaste_Click(Form1& f, int Index) {
    if (Index < 0 || Index >= kKeyCount) return;
    const double base = BaseFrequency(f);
    const double frequency = KeyFrequency(f, Index, base);
    const std::int32_t duration = NearestInteger(ToneDuration(f));
    PlayTone(NearestInteger(frequency), duration);
}

void cmdHandlauf_Click(Form1& f) {
    for (int key = 0; key < kKeyCount; ++key) cmdTaste_Click(f, key);
}

} // namespace stimmung::audio
