// SPDX-License-Identifier: GPL-3.0-or-later
#include "just_notes.h"

#include "scale_tables.h"

#include <iterator>

namespace stimmung::tuning {

namespace {

constexpr const char* kJustLabels[] = {"5/4", "5/3", "15/8"};
static_assert(std::size(kJustLabels) == kJustNotes.size());

} // namespace

void cmdDia_Click(Form1& f) {
    OutputArea& pic = *f.picAusgabe;
    pic.ForeColor = kRed;
    pic.DrawWidth = 2;
    pic.FontSize = 11;
    for (std::size_t i = 0; i < kJustNotes.size(); ++i) {
        const double r = kJustNotes[i].value();
        pic.Line(r, 2.5, r, 3);
        // The label's top edge 0.1 above the top of its tick.
        pic.CurrentX = r - 0.03;
        pic.CurrentY = 2.4;
        pic.Print(kJustLabels[i]);
    }
}

} // namespace stimmung::tuning
