// SPDX-License-Identifier: GPL-3.0-or-later
#include "pythagorean_construction.h"

#include "ratio_axis.h"
#include "scale_tables.h"

#include <string>

namespace stimmung::tuning {

namespace {

// One note of the chain of fifths: its ratio, whose stacked fraction is
// written above it, starting `textOffset` left of the tick so that it looks
// centred.
struct FifthsNote {
    Fraction ratio;
    double textOffset;
};

// g, d, a, e and h, each a fifth above the one before (folded into the
// octave), then f, a fifth below the base tone.
constexpr FifthsNote kFifthsNotes[] = {
    {kPythagoreanScale[4], 0.005}, {kPythagoreanScale[1], 0.005}, {kPythagoreanScale[5], 0.015},
    {kPythagoreanScale[2], 0.015}, {kPythagoreanScale[6], 0.02},  {kPythagoreanScale[3], 0.005},
};

void EnterNote(Form1& f, const FifthsNote& note) {
    OutputArea& pic = *f.picAusgabe;
    const double r = note.ratio.value();
    pic.DrawWidth = 3;
    // The tick takes whatever colour is current: red right after "Rein".
    pic.Line(r, 2.5, r, 3);
    pic.DrawWidth = 4;
    pic.ForeColor = kBlue;
    pic.FontSize = 12;
    const double left = r - note.textOffset;
    pic.CurrentX = left;
    pic.CurrentY = 1.4;
    const std::string numerator = std::to_string(note.ratio.numerator);
    pic.Print(numerator);
    // The bar goes over the numerator's own place and underlines it: as many
    // underscores as the numerator has digits.
    pic.CurrentX = left;
    pic.CurrentY = 1.4;
    pic.Print(std::string(numerator.size(), '_'));
    pic.CurrentX = left;
    pic.CurrentY = 1.8;
    pic.Print(std::to_string(note.ratio.denominator));
    pic.ForeColor = kBlack;
}

} // namespace

void cmd2_Click(Form1& f) { EnterNote(f, kFifthsNotes[0]); }
void cmd3_Click(Form1& f) { EnterNote(f, kFifthsNotes[1]); }
void cmd4_Click(Form1& f) { EnterNote(f, kFifthsNotes[2]); }
void cmd5_Click(Form1& f) { EnterNote(f, kFifthsNotes[3]); }
void cmd6_Click(Form1& f) { EnterNote(f, kFifthsNotes[4]); }
void cmd7_Click(Form1& f) { EnterNote(f, kFifthsNotes[5]); }

void cmdComplett_Click(Form1& f) {
    OutputArea& pic = *f.picAusgabe;
    pic.Cls();
    pic.ForeColor = kBlack;
    DrawAxisLines(pic);
    pic.DrawWidth = 4;
    pic.FontSize = 16;
    DrawAxisLabels(pic);
    for (auto* enter : {cmd2_Click, cmd3_Click, cmd4_Click, cmd5_Click, cmd6_Click, cmd7_Click}) enter(f);
}

} // namespace stimmung::tuning
