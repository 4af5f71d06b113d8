// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_names.h"

#include "scale_tables.h"

namespace stimmung::tuning {

namespace {

constexpr Rgb kGrey{128, 128, 128};

struct NamePlace {
    const char* name;
    double left; // user x of the text's left edge
};

// The six inner names start 0.01 left of their note; the two c stand where
// the axis labels "1" and "2" stand.
constexpr double NameLeft(Fraction note) { return note.value() - 0.01; }

constexpr NamePlace kNoteNames[] = {
    {"c", 0.99},
    {"c", 1.99},
    {"d", NameLeft(kPythagoreanScale[1])},
    {"e", NameLeft(kPythagoreanScale[2])},
    {"f", NameLeft(kPythagoreanScale[3])},
    {"g", NameLeft(kPythagoreanScale[4])},
    {"a", NameLeft(kPythagoreanScale[5])},
    {"h", NameLeft(kPythagoreanScale[6])},
};

void DrawNoteNames(Form1& f) {
    OutputArea& pic = *f.picAusgabe;
    pic.DrawWidth = 3;
    pic.FontSize = 16;
    pic.ForeColor = kGrey;
    for (const NamePlace& n : kNoteNames) {
        pic.CurrentX = n.left;
        pic.CurrentY = 0.3;
        pic.Print(n.name);
    }
}

} // namespace

void cmdNamen_Click(Form1& f) { DrawNoteNames(f); }

} // namespace stimmung::tuning
