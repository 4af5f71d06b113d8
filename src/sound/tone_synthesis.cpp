// SPDX-License-Identifier: GPL-3.0-or-later
#include "tone_synthesis.h"

#include <algorithm>

namespace stimmung {

namespace {

constexpr double kLowestFrequencyHz = 20;

} // namespace

bool Voice::audible() const {
    return level > 0 && std::any_of(partials.begin(), partials.begin() + notes, [](int p) { return p > 0; });
}

Voice VoiceOf(const ChordRequest& chord, int rate) {
    Voice voice;
    voice.notes = std::clamp(chord.notes, 0, kMostChordNotes);
    int highest = 0;
    double sum = 0;
    for (int n = 1; n <= kPartials; ++n) {
        const double a = chord.timbre[n - 1];
        if (!(a > 0) || !std::isfinite(a)) continue;
        voice.amplitudes[n - 1] = a;
        highest = n;
        sum += a;
    }
    if (voice.notes == 0 || sum == 0) return voice;
    voice.level = kTonePeak / (voice.notes * sum);
    for (int i = 0; i < voice.notes; ++i) {
        const double f = chord.frequenciesHz[i];
        voice.frequencyHz[i] = f;
        if (!(f >= kLowestFrequencyHz) || !(2.0 * f < rate)) continue;
        // Partials at or above half the rate would fold back as other tones.
        int below = 1;
        while (below < highest && 2.0 * (below + 1) * f < rate) ++below;
        voice.partials[i] = below;
    }
    return voice;
}

} // namespace stimmung
