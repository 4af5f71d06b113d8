// SPDX-License-Identifier: GPL-3.0-or-later
// The menu "Stimmungen": one item per temperament of the table. Choosing one
// lays the six markers on its d e f g a h, draws its twelve notes in the
// output area and offers it to the listening window.
#pragma once

class QMenu;

namespace stimmung {
struct Form1;
}

namespace stimmung::app {

class MenuFrame;

// Index: into tuning::Temperaments().
void mnuTemperament_Click(MenuFrame& frame, int Index);
// What the item does to the window, without the menu bar.
void ChooseTemperament(Form1& f, int Index);
// The temperament chosen last in the menu; -1 before the first choice.
int LastChosenTemperament();

// Puts the temperaments' items at the top of `menu`, above a separator.
void AddTemperamentItems(MenuFrame& frame, QMenu& menu);

} // namespace stimmung::app
