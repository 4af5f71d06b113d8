// SPDX-License-Identifier: GPL-3.0-or-later
// The handlers of the menu bar's items, one named function each, and the
// table that gives each item its menu, text and key.
#pragma once

#include <QKeySequence>

#include <span>

namespace stimmung::app {

class MenuFrame;

void mnuSpeichern_Click(MenuFrame& frame);
void mnuKopieren_Click(MenuFrame& frame);
void mnuDrucken_Click(MenuFrame& frame);
void mnuExportieren_Click(MenuFrame& frame);
void mnuBeenden_Click(MenuFrame& frame);
void mnuVergroessern_Click(MenuFrame& frame);
void mnuVerkleinern_Click(MenuFrame& frame);
void mnuOriginalgroesse_Click(MenuFrame& frame);
void mnuVollbild_Click(MenuFrame& frame);
void mnuUeber_Click(MenuFrame& frame);

struct MenuItem {
    const char* menu; // "&Datei", "&Ansicht", "&Hilfe"
    const char* text;
    QKeySequence::StandardKey standardKey; // UnknownKey: use `keys`
    const char* keys;                      // extra keys, ";"-separated, or nullptr
    void (*handler)(MenuFrame&);
};

std::span<const MenuItem> MenuItems();

} // namespace stimmung::app
