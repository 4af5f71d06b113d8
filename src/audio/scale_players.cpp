#include "scale_players.h"

#include "numbers.h"
#include "play_tone.h"
#include "scale_tables.h"
#include "tone_fields.h"

#include <cmath>

namespace stimmung::audio {

namespace {

// Sounds base × ratio-of-the-moment; the fields are read anew for every tone.
template <class Frequency>
void SoundOverBase(Form1& f, Frequency frequencyOf) {
    const double base = BaseFrequency(f);
    const double duration = ToneDuration(f);
    PlayTone(NearestInteger(frequencyOf(base)), NearestInteger(duration));
}

void PlayScale(Form1& f, const FixedScale& scale) {
    for (const ScaleDegree& degree : scale)
        SoundOverBase(f, [&](double base) { return DegreeFrequency(degree, base); });
}

} // namespace

void cmdPythagoras_Click(Form1& f) { PlayScale(f, kPythagoreanScale); }
void cmdrein_Click(Form1& f) { PlayScale(f, kDidymosScale); }
void cmdtemperiert_Click(Form1& f) { PlayScale(f, kTemperedScale); }

void cmdalle_Click(Form1& f) {
    const std::optional<int> steps = EqualStepCount(f.txtWurzel->Text());
    if (!steps) return;
    const double q = std::exp(std::log(2.0) / *steps);
    SoundOverBase(f, [](double base) { return base; });
    double x = q;
    for (int i = 1; i <= *steps; ++i) {
        SoundOverBase(f, [x](double base) { return base * x; });
        x *= q;
    }
}

} // namespace stimmung::audio
