// SPDX-License-Identifier: GPL-3.0-or-later
// The help line's texts: what moving the pointer over a control writes into
// txtHilfe. One table of fixed texts keyed by control name (an array name
// stands for every member), two texts composed from the index (keys and
// marker selectors) and the index table of Label3. Plain C++, no Qt.
//
// To find the text of a control, look up its name in kFixedHelpTexts; the
// names missing there (cmdTaste, optNote, Label3) follow the rules below.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stimmung::app {

struct HelpText {
    const char* control; // control (or control array) name; "Form1" is the bare window surface
    const char* text;    // written character for character, blanks included
};

// The credit line shown over the help line itself: who wrote the program.
inline constexpr const char* kCreditLine = "Stimmung – ein Lehrprogramm des Stimmung-Projekts";

// Written by the output area's pointer movement (freehand marking).
inline constexpr const char* kOutputAreaHelp =
    "Linksklick := Ton mit angezeigter Frequenz erzeugen  /  Rechtsklick := im Feld schreiben";

inline constexpr HelpText kFixedHelpTexts[] = {
    {"cmd2", "Ton 2 eintragen"},
    {"cmd3", "Ton 3 eintragen"},
    {"cmd4", "Ton4 eintragen"},
    {"cmd5", "Ton 5 eintragen"},
    {"cmd6", "Ton 6 eintragen"},
    {"cmd7", "Ton 7 eintragen: Quinte von 2 rückwärts!"},
    {"cmdComplett", "alle Töne eintragen"},
    {"cmdNamen", "Benennungen eintragen, also c d e usw."},
    {"cmdDia", "Stimmung nach Didymos"},
    {"cmdDiff", "Abstände benachbarter Töne zeigen"},
    {"cmdDidymos", "Abstände benachbarter Töne zeigen"},
    {"cmdClear", "Bildschirm löschen"},
    {"cmdPythagoras", "Pythagoreisch gestimmte Tonleiter abspielen"},
    {"cmdrein", "Pythagoreisch Tonleiter mit der Veränderung von Didymos abspielen"},
    {"cmdtemperiert", "Temperierte Tonleiter abspielen"},
    {"cmdHandlauf", "Die Tonleiter mit den frei gesetzten Noten abspielen"},
    {"cmdalle", "Alle Töne der äquidistanten Teilung der Oktave abspielen"},
    {"Label2", "Andere äquidistante Stimmungen ausprobieren"},
    {"Label4", "Die Fehler der temperierten Stimmung werden angegeben (immer die nächstliegende Note, immer "
               "Quotient > 1)"},
    {"Label6", "Noten per Hand platzieren (mit dem Scrollbalken unter dem Fenster)"},
    {"cmdPythagorasstimmung", "Pythagoreische Stimmung setzen"},
    {"cmdLinear", "Noten in arithmetischer Folge verteilen"},
    {"cmdGeometrisch", "Noten in geometrischer Folge verteilen"},
    {"cmdRausnehmen", "Noten zurücksetzen"},
    {"Picture2", "Abspielen der definierten Noten."}, // the keyboard panel where no key lies
    {"Picture1", "Schreibfarbe wählen (für Bildschirmmarkierungen mit der rechten Maustaste)"},
    {"txtMelodie", "Abzuspielende Tonfolge. Der Buchstabe geht die Note an, die Zahl die Dauer in Achtelnoten"},
    {"cmdAbspielen", "Die links stehenden Noten abspielen. Die Zahlen geben die Dauer in Achteln an. Eine 2 "
                     "steht also z. B: für eine Viertelnote."},
    {"txtHilfe", kCreditLine},
    {"Form1", ""}, // the bare surface and its decorations: the help line is cleared
};

// The fixed text of a control name, or nullptr when the table has none.
const char* FixedHelpText(std::string_view control);

// Keys of the keyboard panel: "Die Note" + NumberText(index + 1) + " abspielen"
// (one blank, from the number).
std::string KeyHelpText(int index);

// Marker selectors: "Note " + NumberText(index + 1) + " mit Scrollbalken per
// Hand platzieren" (two blanks: the head's and the number's).
std::string MarkerSelectorHelpText(int index);

// Label3 by index 0 to 3; nullptr for any other index (nothing is written).
const char* Label3HelpText(int index);

// What moving the pointer over the control writes into the help line, by
// whichever rule applies to it (the output area's text included); nothing
// for controls that leave the help line alone.
std::optional<std::string> HelpTextFor(std::string_view control, int index);

} // namespace stimmung::app
