// SPDX-License-Identifier: GPL-3.0-or-later
// The menu "Hören": "Klang" with the timbres of the table as one exclusive
// group, the timbre of every tone the main window plays, kept between runs
// by its name ("Sinus" at first); below it the listening window's item.
#pragma once

class QMenu;
class QString;

namespace stimmung::app {

class MenuFrame;

// Index: into Timbres().
void mnuKlang_Click(MenuFrame& frame, int Index);
// The kept timbre's index; the default where none or an unknown one is kept.
int SavedTimbre();
void SaveTimbre(int index);

// Puts "Klang" at the top of `menu` and applies the kept timbre.
void AddTimbreItems(MenuFrame& frame, QMenu& menu);

} // namespace stimmung::app
