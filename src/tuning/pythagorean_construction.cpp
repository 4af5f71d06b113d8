#include "pythagorean_construction.h"

#include "ratio_axis.h"
#include "scale_tables.h"

namespace stimmung::tuning {

namespace {

// One note of the chain of fifths: its ratio and the stacked fraction written
// above it, starting `textOffset` left of the tick so that it looks centred.
struct FifthsNote {
    Fraction ratio;
    double textOffset;
    const char* numerator;
    const char* bar; // as many underscores as the numerator has digits
    const char* denominator;
};

constexpr FifthsNote kFifthsNotes[] = {
    {{3, 2}, 0.005, "3", "_", "2"},
    {{9, 8}, 0.005, "9", "_", "8"},
    {{27, 16}, 0.015, "27", "__", "16"},
    {{81, 64}, 0.015, "81", "__", "64"},
    {{243, 128}, 0.02, "243", "___", "128"},
    {{4, 3}, 0.005, "4", "_", "3"},
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
    pic.Print(note.numerator);
    // The bar goes over the numerator's own place and underlines it.
    pic.CurrentX = left;
    pic.CurrentY = 1.4;
    pic.Print(note.bar);
    pic.CurrentX = left;
    pic.CurrentY = 1.8;
    pic.Print(note.denominator);
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
