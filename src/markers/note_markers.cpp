// SPDX-License-Identifier: GPL-3.0-or-later
#include "note_markers.h"

#include "marker_scale.h"
#include "numbers.h"
#include "readout_text.h"

namespace stimmung::markers {

namespace {

// The move steps: the selected marker goes to the scroll value's ratio.
void MoveSelectedMarker(Form1& f) {
    const int s = SelectedMarker(f);
    const double r = ScrollToRatio(f.hscNote->Value());
    f.txtHilfe->setText(NumberText(static_cast<double>(s)));
    SetMarker(f, s, static_cast<float>(r));
    f.Text3->setText(ReadoutText(r, BaseFrequency(f), ReadoutRatio::Double));
}

} // namespace

void SetMarker(Form1& f, int i, float ratio) {
    f.Line2[i]->setX1(ratio);
    f.Line2[i]->setX2(ratio);
    f.lblNote[i]->setLeft(ratio);
}

int SelectedMarker(const Form1& f) {
    for (int i = 0; i < kMarkerCount; ++i)
        if (f.optNote[i]->Value()) return i;
    return 0;
}

void hscNote_Change(Form1& f) { MoveSelectedMarker(f); }
void hscNote_Scroll(Form1& f) { MoveSelectedMarker(f); }

void optNote_MouseDown(Form1& f, int Index) {
    if (Index < 0 || Index >= kMarkerCount) return;
    for (OptionButton* selector : f.optNote) selector->setValue(false);
    // Switching it on also switches the freehand indicator off (one group).
    f.optNote[Index]->setValue(true);
    // Raises Change, and so the move steps, only when the value differs.
    f.hscNote->setValue(RatioToScroll(f.Line2[Index]->X1()));
}

} // namespace stimmung::markers
