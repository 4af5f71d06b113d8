// SPDX-License-Identifier: GPL-3.0-or-later
// The notes the listening window sounds: the tunings it offers as ratios
// over the base tone, which note of a tuning stands for each degree of the
// major scale, and the intervals and chords it plays, up to the frequencies
// in Hz and the figures of each pair of notes. Plain C++, no Qt.
#pragma once

#include "intervals.h"
#include "named_tuning.h"
#include "timbres.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace stimmung {

// Degrees of the major scale from c: 0 c, 1 d, ... 6 h, 7 c'; from 7 on the
// next octave (8 d', ...).
inline constexpr int kDegreesPerOctave = 7;

// The tunings every listening window offers beside the offered ones.
NamedTuning PythagoreanTuning();
NamedTuning JustTuning();
NamedTuning TemperedTableTuning();
// The base tone and N equal steps up to the octave (N from 2 to 100).
NamedTuning EqualStepsTuning(int N);
// The base tone, the six markers' ratios as degrees d to h, the octave.
NamedTuning HandPlacedTuning(std::span<const float, 6> markerRatios);

// The note of `tuning` for `degree`, as a ratio: in a tuning of eight notes
// ending on the octave (the fixed scales, the markers) note k itself; in a
// tuning of twelve notes (a temperament) c d e f g a h at 0 2 4 5 7 9 11;
// in any other tuning the note nearest in cents to the just ratio of the
// degree (kJustScale), the lower of two as near, the octave (2) counted
// among its notes. So N equal steps give the step round(N · log2(just)).
double DegreeRatio(const NamedTuning& tuning, int degree);

// An interval or chord the window offers.
struct ChordChoice {
    std::string_view name; // as the list shows it (German, UTF-8)
    std::array<int, 3> degrees;
    int notes; // 2 or 3
};
// The intervals from c (second to octave), then the major triads on c, f, g.
std::span<const ChordChoice> ChordChoices();
inline constexpr std::size_t kDefaultChordChoice = 1; // the major third c–e

// The ratios of `choice` in `tuning`.
std::vector<double> ChordRatios(const NamedTuning& tuning, const ChordChoice& choice);
// The notes of the tuning to choose by hand: its notes and, where it has
// none, the octave ("Oktave", ratio 2).
NamedTuning WithOctave(const NamedTuning& tuning);

// Notes above this are not sounded.
inline constexpr double kHighestNoteHz = 20000.0;

// The frequencies of `ratios` over `baseHz`, or why they cannot sound:
// a base that is not a positive number, a note above kHighestNoteHz.
struct SoundedNotes {
    std::vector<double> frequenciesHz;
    std::string problem; // empty when the notes can sound (German)
};
SoundedNotes NotesOver(std::span<const double> ratios, double baseHz);

// Two notes of a chord (indices into it, lower first) as an interval.
struct NotePair {
    int low = 0;
    int high = 0;
    double cents = 0;
    JustNeighbour just;
    std::optional<Beat> beat;
};
// Every pair of the notes, in the order (0,1), (0,2), (1,2) ...
std::vector<NotePair> PairsOf(std::span<const double> frequenciesHz, const PartialAmplitudes& timbre);

// A frequency in Hz with four decimals and "." whatever the locale.
std::string HertzText(double hz);

} // namespace stimmung
