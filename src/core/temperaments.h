// SPDX-License-Identifier: GPL-3.0-or-later
// Temperaments of the twelve-note octave, each a circle of twelve fifths over
// c, every fifth pure (3/2) or narrowed by a stated share of a comma. Note
// ratios (1 to 2, c = 1) are computed from that circle; interval sizes and
// deviations are in cents. Plain C++, no window.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace stimmung::tuning {

inline constexpr int kNotesPerOctave = 12;

// The notes by index 0 to 11, a semitone apart from c.
inline constexpr std::array<std::string_view, kNotesPerOctave> kNoteNames{"c",   "cis", "d",   "es", "e", "f",
                                                                          "fis", "g",   "gis", "a",  "b", "h"};

enum class Comma { None, Pythagorean, Syntonic, Schisma };

// The ratio of a comma (1 for None), its size in cents, its abbreviation in
// the tables ("PK", "SK", "Schisma") and its full German name.
double CommaRatio(Comma comma);
double CommaCents(Comma comma);
std::string_view CommaAbbreviation(Comma comma);
std::string_view CommaName(Comma comma);

// How much one fifth is narrowed below 3/2: numerator/denominator of `comma`
// (a pure fifth has Comma::None). A fifth that `closesCircle` is not stated:
// it is whatever the eleven others leave of seven octaves (the wolf of an
// open chain). At most one fifth of a temperament closes the circle.
struct Narrowing {
    Comma comma = Comma::None;
    int numerator = 0;
    int denominator = 1;
    bool closesCircle = false;
};

// The text of a narrowing in the tables: "rein", "1/4 PK", "1/6 PK",
// "1/4 SK", "Schisma" (a whole comma is its abbreviation alone), and "Rest"
// for the fifth that closes the circle.
std::string NarrowingText(const Narrowing& narrowing);

struct Temperament {
    std::string_view name;   // German display name
    std::string_view author; // empty where there is none
    int year;                // 0 where there is none
    // Around the circle from c: c–g, g–d, d–a, ... b–f, f–c.
    std::array<Narrowing, kNotesPerOctave> fifths;
};

// All temperaments in the order the menus list them.
std::span<const Temperament> Temperaments();

// The note `steps` fifths up the circle from c (0 c, 1 g, 2 d, ... 11 f).
constexpr int NoteOfCircle(int steps) { return (7 * steps) % kNotesPerOctave; }

// The twelve note ratios, c = 1, each in [1, 2), by note index.
std::array<double, kNotesPerOctave> NoteRatios(const Temperament& temperament);

// Whether a fifth narrowed by `narrowedCents` (negative: widened) is a wolf:
// off pure by more than half a Pythagorean comma, far beyond any tempered
// fifth of a playable circle.
bool IsWolf(double narrowedCents);

struct Fifth {
    int lower;            // note index
    int upper;            // note index, seven semitones up
    double cents;         // size
    double narrowedCents; // below 3/2; negative when wider
    Narrowing stated;     // as the temperament defines it
    bool wolf;
};

// The twelve fifths around the circle from c–g to f–c (the last closes it).
std::array<Fifth, kNotesPerOctave> Fifths(const Temperament& temperament);

struct MajorThird {
    int lower;             // note index
    int upper;             // note index, four semitones up
    double cents;          // size
    double deviationCents; // above 5/4; negative when narrower
};

// The major third over each note, by note index (c–e, cis–f, ... h–es).
std::array<MajorThird, kNotesPerOctave> MajorThirds(const Temperament& temperament);

// Each note's deviation in cents from the equally tempered note (k × 100).
std::array<double, kNotesPerOctave> EqualTemperamentDeviations(const Temperament& temperament);

// A signed deviation in cents with one decimal (FixedText): "+3.9", "−5.9",
// "0.0".
std::string DeviationText(double cents);

} // namespace stimmung::tuning
