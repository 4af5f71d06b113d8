// SPDX-License-Identifier: GPL-3.0-or-later
// The six hand-placed note markers (index 0 to 5, notes "2" to "7"): a
// marker's ratio lives in Line2(i).X1 and X2 and lblNote(i).Left, single
// precision, between 0.9 and 2.15. A marker is selected with its option
// button optNote(i) and moved with the scroll bar hscNote; while it moves the
// help line shows its index and Text3 its ratio and frequency.
#pragma once

#include "form1.h"

namespace stimmung::markers {

inline constexpr int kMarkerCount = 6;

// Writes X1, then X2, then Left of marker i, all the same value.
void SetMarker(Form1& f, int i, float ratio);

// The first of optNote(0..5) that is on; 0 when none is (after freehand marking).
int SelectedMarker(const Form1& f);

// Both scroll-bar notifications run the same move steps.
void hscNote_Change(Form1& f);
void hscNote_Scroll(Form1& f);

// Selects marker Index (0..5) with any mouse button and sets the scroll value
// from its ratio; the change notification then snaps the marker, nested in
// here, but only when that value differs from the current one.
void optNote_MouseDown(Form1& f, int Index);

} // namespace stimmung::markers
