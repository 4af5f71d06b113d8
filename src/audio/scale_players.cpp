// SPDX-License-Identifier: GPL-3.0-or-later
#include "scale_players.h"

#include "equal_steps.h"
#include "numbers.h"
#include "play_tone.h"
#include "scale_frequencies.h"
#include "scale_tables.h"

namespace stimmung::audio {

namespace {

// Sounds base × ratio-of-the-moment; the fields are read anew for every tone.
template <class Frequency>
void SoundOverBase(Form1& f, Frequency frequencyOf) {
    const double base = BaseFrequency(f);
    const double duration = ToneDuration(f);
    PlayTone(NearestInteger(frequencyOf(base)), NearestInteger(duration));
}

template <class Scale>
void PlayScale(Form1& f, const Scale& scale) {
    for (const auto& degree : scale) SoundOverBase(f, [&](double base) { return DegreeFrequency(degree, base); });
}

} // namespace

void cmdPythagoras_Click(Form1& f) { PlayScale(f, kPythagoreanScale); }
void cmdrein_Click(Form1& f) { PlayScale(f, kJustScale); }
void cmdtemperiert_Click(Form1& f) { PlayScale(f, kTemperedScale); }

void cmdalle_Click(Form1& f) {
    const std::optional<int> steps = EqualStepCount(f.txtWurzel->Text());
    if (!steps) return;
    SoundOverBase(f, [](double base) { return base; });
    for (const double x : EqualSteps(*steps, *steps)) SoundOverBase(f, [x](double base) { return base * x; });
}

} // namespace stimmung::audio
