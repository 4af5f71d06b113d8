// SPDX-License-Identifier: GPL-3.0-or-later
#include "temperaments.h"

#include "cents.h"
#include "figure_text.h"

#include <cmath>

namespace stimmung::tuning {

namespace {

struct CommaRow {
    Comma comma;
    double numerator;
    double denominator;
    std::string_view abbreviation;
    std::string_view name;
};

const CommaRow kCommas[] = {
    {Comma::None, 1, 1, "", ""},
    {Comma::Pythagorean, 531441, 524288, "PK", "pythagoreisches Komma"},
    {Comma::Syntonic, 81, 80, "SK", "syntonisches Komma"},
    {Comma::Schisma, 32805, 32768, "Schisma", "Schisma"},
};

const CommaRow& RowOf(Comma comma) {
    for (const CommaRow& row : kCommas)
        if (row.comma == comma) return row;
    return kCommas[0];
}

// The fifths of the table: P pure, R the rest that closes the circle, W 1/4
// and V 1/6 Pythagorean comma, E 1/12 of it, Q 1/4 syntonic comma, X the schisma.
constexpr Narrowing P{};
constexpr Narrowing R{Comma::None, 0, 1, true};
constexpr Narrowing W{Comma::Pythagorean, 1, 4};
constexpr Narrowing V{Comma::Pythagorean, 1, 6};
constexpr Narrowing E{Comma::Pythagorean, 1, 12};
constexpr Narrowing Q{Comma::Syntonic, 1, 4};
constexpr Narrowing X{Comma::Schisma, 1, 1};

// Fifths in circle order: c–g g–d d–a a–e e–h h–fis fis–cis cis–gis gis–es es–b b–f f–c.
// clang-format off
const Temperament kTemperaments[] = {
    {"Pythagoreisch",           "",             0,    {P, P, P, P, P, P, P, P, R, P, P, P}},
    {"Mitteltönig (1/4 Komma)", "",             0,    {Q, Q, Q, Q, Q, Q, Q, Q, R, Q, Q, Q}},
    {"Werckmeister III",        "Werckmeister", 1691, {W, W, W, P, P, W, P, P, P, P, P, P}},
    {"Kirnberger III",          "Kirnberger",   1779, {Q, Q, Q, Q, P, P, X, P, P, P, P, P}},
    {"Vallotti",                "Vallotti",     0,    {V, V, V, V, V, P, P, P, P, P, P, V}},
    {"Young (1799)",            "Young",        1799, {V, V, V, V, V, V, P, P, P, P, P, P}},
    {"Gleichstufig",            "",             0,    {E, E, E, E, E, E, E, E, E, E, E, E}},
};
// clang-format on

double FifthRatio(const Narrowing& n) {
    if (n.comma == Comma::None || n.numerator == 0) return 1.5;
    return 1.5 / std::pow(CommaRatio(n.comma), double(n.numerator) / n.denominator);
}

// Into the octave [1, 2) by whole octaves, which is exact in binary.
double IntoOctave(double ratio) {
    while (ratio >= 2) ratio /= 2;
    while (ratio < 1) ratio *= 2;
    return ratio;
}

double IntervalRatio(const std::array<double, kNotesPerOctave>& notes, int lower, int upper) {
    return IntoOctave(notes[upper] / notes[lower]);
}

} // namespace

double CommaRatio(Comma comma) {
    const CommaRow& row = RowOf(comma);
    return row.numerator / row.denominator;
}

double CommaCents(Comma comma) { return Cents(CommaRatio(comma)); }
std::string_view CommaAbbreviation(Comma comma) { return RowOf(comma).abbreviation; }
std::string_view CommaName(Comma comma) { return RowOf(comma).name; }

std::string NarrowingText(const Narrowing& n) {
    if (n.closesCircle) return "Rest";
    if (n.comma == Comma::None || n.numerator == 0) return "rein";
    const std::string abbreviation(CommaAbbreviation(n.comma));
    if (n.numerator == n.denominator) return abbreviation;
    return std::to_string(n.numerator) + "/" + std::to_string(n.denominator) + " " + abbreviation;
}

std::span<const Temperament> Temperaments() { return kTemperaments; }

std::array<double, kNotesPerOctave> NoteRatios(const Temperament& t) {
    int open = -1;
    for (int k = 0; k < kNotesPerOctave; ++k)
        if (t.fifths[k].closesCircle) open = k;
    // Up the chain from c to the open fifth, or through eleven fifths when
    // every one is stated; then down from c to the open fifth. Products of
    // fifths, each divided out once, keep pure fifths exact.
    std::array<double, kNotesPerOctave> notes{};
    notes[0] = 1;
    const int upTo = open < 0 ? kNotesPerOctave - 1 : open;
    double up = 1;
    for (int k = 0; k < upTo; ++k) {
        up *= FifthRatio(t.fifths[k]);
        notes[NoteOfCircle(k + 1)] = IntoOctave(up);
    }
    double down = 1;
    for (int k = kNotesPerOctave - 1; open >= 0 && k > open; --k) {
        down *= FifthRatio(t.fifths[k]);
        notes[NoteOfCircle(k)] = IntoOctave(1 / down);
    }
    return notes;
}

bool IsWolf(double narrowedCents) { return std::abs(narrowedCents) > CommaCents(Comma::Pythagorean) / 2; }

std::array<Fifth, kNotesPerOctave> Fifths(const Temperament& t) {
    const auto notes = NoteRatios(t);
    std::array<Fifth, kNotesPerOctave> fifths{};
    for (int k = 0; k < kNotesPerOctave; ++k) {
        const int lower = NoteOfCircle(k), upper = NoteOfCircle(k + 1);
        const double cents = Cents(IntervalRatio(notes, lower, upper));
        const double narrowed = Cents(1.5) - cents;
        fifths[k] = {lower, upper, cents, narrowed, t.fifths[k], IsWolf(narrowed)};
    }
    return fifths;
}

std::array<MajorThird, kNotesPerOctave> MajorThirds(const Temperament& t) {
    const auto notes = NoteRatios(t);
    std::array<MajorThird, kNotesPerOctave> thirds{};
    for (int lower = 0; lower < kNotesPerOctave; ++lower) {
        const int upper = (lower + 4) % kNotesPerOctave;
        const double cents = Cents(IntervalRatio(notes, lower, upper));
        thirds[lower] = {lower, upper, cents, cents - Cents(1.25)};
    }
    return thirds;
}

std::array<double, kNotesPerOctave> EqualTemperamentDeviations(const Temperament& t) {
    const auto notes = NoteRatios(t);
    std::array<double, kNotesPerOctave> deviations{};
    for (int k = 0; k < kNotesPerOctave; ++k) deviations[k] = Cents(notes[k]) - 100.0 * k;
    return deviations;
}

std::string DeviationText(double cents) { return FixedText(cents, 1, true); }

} // namespace stimmung::tuning
