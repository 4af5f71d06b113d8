// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout_table.h"

#include "equal_steps.h"
#include "output_area.h"

namespace stimmung::layout {

namespace {

// The window's tables are laid out by hand, one row a line however long.
// clang-format off
constexpr Rgb kFaceGrey{192, 192, 192};
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kPanel{224, 224, 224};
constexpr Rgb kReadout{192, 255, 192};
constexpr Rgb kQuit{192, 255, 255};
constexpr Rgb kHelp{255, 255, 192};

constexpr Font kDefault{};
constexpr Font Times(double points, bool bold = false) { return Font{kTimes, points, bold}; }

using K = Kind;
using A = Align;
constexpr std::nullopt_t none = std::nullopt;

constexpr const char* kMelody =
    "c2 d2 c2 f2 e2 d4 c2 e2 e2 e2 a2 g2 f4 e2 e2 e2 e2 f2 e2 d6 "
    "c2 d2 c2 f2 e2 d4 c2 e2 e2 e2 a2 g2 f4 e2 e2 e2 e2 f2 e2 d2 d2 c2";

const WindowRow kWindow{"Pythagoreische Stimmung und andere", 16785, 8640};

// name, index, kind, container, caption, left, top, width, height, tab, back, fore, font, align
const ControlRow kControls[] = {
    // Top strip and left column
    {"Label5", -1, K::Label, nullptr, "Töne", 120, 480, 495, 255, 34, none, none, Times(7.5), A::Center},
    {"cmdComplett", -1, K::Button, nullptr, "", 120, 720, 492, 2775, 25, none, none, Times(7.5)},
    {"cmd2", -1, K::Button, nullptr, "2", 240, 840, 372, 252, 24, none, none, Times(7.5)},
    {"cmd3", -1, K::Button, nullptr, "3", 240, 1200, 372, 252, 26, none, none, Times(7.5)},
    {"cmd4", -1, K::Button, nullptr, "4", 240, 1560, 372, 252, 27, none, none, Times(7.5)},
    {"cmd5", -1, K::Button, nullptr, "5", 240, 1920, 372, 252, 28, none, none, Times(7.5)},
    {"cmd6", -1, K::Button, nullptr, "6", 240, 2280, 372, 252, 29, none, none, Times(7.5)},
    {"cmd7", -1, K::Button, nullptr, "7", 240, 2640, 372, 252, 30, none, none, Times(7.5)},
    {"cmdNamen", -1, K::Button, nullptr, "cdefg", 120, 3600, 492, 252, 31, none, none, Times(7.5)},
    {"cmdDia", -1, K::Button, nullptr, "Rein", 120, 3840, 492, 252, 32, none, none, Times(7.5)},
    {"Text4", -1, K::TextBox, nullptr, "1000", 3840, 120, 1215, 495, 88, none, none, kDefault},
    {"Text3", -1, K::TextBox, nullptr, "Text3", 7200, 240, 2532, 405, 81, kReadout, none, Times(12), A::Center},
    {"cmdEnde", -1, K::Button, nullptr, "Programm beenden", 14520, 120, 2115, 375, 43, kQuit, none, Times(11.25)},
    {"optZeichne", -1, K::Option, nullptr, "", 16200, 120, 252, 252, 35, none, none, kDefault},
    {"Picture1", 0, K::Picture, nullptr, nullptr, 16440, 600, 252, 252, 36, kRed, none, kDefault},
    {"Picture1", 1, K::Picture, nullptr, nullptr, 16440, 840, 252, 252, 37, kBlue, none, kDefault},
    {"Picture1", 2, K::Picture, nullptr, nullptr, 16440, 1080, 252, 252, 38, kBlack, none, kDefault},
    {"Picture1", 3, K::Picture, nullptr, nullptr, 16440, 1320, 252, 252, 39, kWhite, none, kDefault},
    {"Picture1", 4, K::Picture, nullptr, nullptr, 16440, 1560, 252, 252, 41, kGrey, none, kDefault},

    // Output area and the scroll bar below it
    {"picAusgabe", -1, K::OutputArea, nullptr, nullptr, 720, 600, 15735, 3495, 0, kWhite, none, Times(kStartFontSize)},
    {"cmdClear", -1, K::Button, "picAusgabe", "X", 15360, 0, 372, 252, 33, none, none, kDefault},
    {"lblNote", 0, K::Label, "picAusgabe", "2", 240, 3120, 135, 375, 45, kWhite, none, Times(8.25)},
    {"lblNote", 1, K::Label, "picAusgabe", "3", 360, 3120, 135, 375, 46, kWhite, none, Times(8.25)},
    {"lblNote", 2, K::Label, "picAusgabe", "4", 480, 3120, 135, 375, 47, kWhite, none, Times(8.25)},
    {"lblNote", 3, K::Label, "picAusgabe", "5", 600, 3120, 135, 375, 48, kWhite, none, Times(8.25)},
    {"lblNote", 4, K::Label, "picAusgabe", "6", 720, 3120, 135, 375, 49, kWhite, none, Times(8.25)},
    {"lblNote", 5, K::Label, "picAusgabe", "7", 840, 3120, 135, 375, 50, kWhite, none, Times(8.25)},
    {"hscNote", -1, K::ScrollBar, nullptr, nullptr, 720, 4080, 15735, 255, 51, none, none, kDefault},

    // Lower panel, left to right
    {"Label7", -1, K::Label, nullptr, "Tonlauf spielen", 960, 4440, 1695, 375, 74, none, none, Times(12), A::Center},
    {"cmdPythagoras", -1, K::Button, nullptr, " Pythagoras", 720, 4920, 1995, 372, 10, none, none, Times(12)},
    {"cmdrein", -1, K::Button, nullptr, "Didymos", 720, 5400, 1995, 375, 11, none, none, Times(12)},
    {"cmdtemperiert", -1, K::Button, nullptr, "temperiert", 720, 5880, 1995, 375, 12, none, none, Times(12)},
    {"cmdHandlauf", -1, K::Button, nullptr, "per Hand definiert", 720, 6600, 2055, 375, 59, none, none, Times(12)},
    {"Label8", -1, K::Label, nullptr, "Temperiert mit", 3120, 4440, 2415, 375, 75, none, none, Times(12), A::Center},
    {"txtWurzel", -1, K::TextBox, nullptr, "12", 3360, 5040, 612, 432, 1, kBlack, kWhite, Times(16.5, true), A::Center},
    {"Label2", -1, K::Label, nullptr, "2", 4440, 5160, 615, 975, 3, none, none, Times(48)},
    {"HScroll1", -1, K::ScrollBar, nullptr, nullptr, 3000, 6240, 2535, 252, 2, none, none, kDefault},
    {"cmdalle", -1, K::Button, nullptr, "alle abspielen", 3000, 6600, 2535, 372, 13, none, none, Times(12)},
    {"Label9", -1, K::Label, nullptr, "Grundeinstellung", 5880, 4440, 1575, 375, 80, none, none, Times(12)},
    {"Label3", 0, K::Label, nullptr, "Frequenz Grundton", 5880, 5040, 1695, 375, 5, none, none, Times(10.5)},
    {"Text1", -1, K::TextBox, nullptr, "360", 5880, 5280, 1212, 492, 4, none, none, Times(16.5)},
    {"Label3", 1, K::Label, nullptr, "Hz", 7080, 5280, 615, 375, 6, none, none, Times(19.5)},
    {"cmdMinusF", -1, K::Button, nullptr, "-10", 5880, 5760, 495, 255, 86, none, none, Times(8.25)},
    {"cmdPlusF", -1, K::Button, nullptr, "+10", 6600, 5760, 495, 255, 85, none, none, Times(8.25)},
    {"Label3", 2, K::Label, nullptr, "Dauer", 5880, 6120, 1695, 375, 7, none, none, Times(10.5)},
    {"Text2", -1, K::TextBox, nullptr, "140", 5880, 6480, 1212, 492, 8, none, none, Times(16.5)},
    {"Label3", 3, K::Label, nullptr, "ms", 7080, 6480, 555, 375, 9, none, none, Times(19.5)},
    {"cmdMinusT", -1, K::Button, nullptr, "-10", 5880, 6960, 495, 255, 87, none, none, Times(8.25)},
    {"cmdPlusT", -1, K::Button, nullptr, "+10", 6600, 6960, 495, 255, 84, none, none, Times(8.25)},
    {"Label6", -1, K::Label, nullptr, "per Hand, Note setzen", 8280, 4440, 2175, 375, 58, none, none, Times(11.25)},
    {"cmdRausnehmen", -1, K::Button, nullptr, "x", 10920, 4440, 375, 255, 79, none, none, Times(9.75)},
    {"optNote", 0, K::Option, nullptr, "2", 7920, 4800, 375, 255, 52, none, none, kDefault},
    {"optNote", 1, K::Option, nullptr, "3", 8520, 4800, 375, 255, 53, none, none, kDefault},
    {"optNote", 2, K::Option, nullptr, "4", 9120, 4800, 375, 255, 54, none, none, kDefault},
    {"optNote", 3, K::Option, nullptr, "5", 9720, 4800, 375, 255, 55, none, none, kDefault},
    {"optNote", 4, K::Option, nullptr, "6", 10320, 4800, 375, 255, 56, none, none, kDefault},
    {"optNote", 5, K::Option, nullptr, "7", 10920, 4800, 375, 255, 57, none, none, kDefault},
    {"Picture2", -1, K::Picture, nullptr, nullptr, 7920, 5160, 3375, 1815, 60, kPanel, none, kDefault},
    {"cmdTaste", 0, K::Button, "Picture2", "1", 240, 120, 375, 1455, 61, kWhite, none, kDefault},
    {"cmdTaste", 1, K::Button, "Picture2", "2", 600, 120, 375, 1455, 62, kWhite, none, kDefault},
    {"cmdTaste", 2, K::Button, "Picture2", "3", 960, 120, 375, 1455, 63, kWhite, none, kDefault},
    {"cmdTaste", 3, K::Button, "Picture2", "4", 1320, 120, 375, 1455, 64, kWhite, none, kDefault},
    {"cmdTaste", 4, K::Button, "Picture2", "5", 1680, 120, 375, 1455, 65, kWhite, none, kDefault},
    {"cmdTaste", 5, K::Button, "Picture2", "6", 2040, 120, 375, 1455, 66, kWhite, none, kDefault},
    {"cmdTaste", 6, K::Button, "Picture2", "7", 2400, 120, 375, 1455, 67, kWhite, none, kDefault},
    {"cmdTaste", 7, K::Button, "Picture2", "8", 2760, 120, 375, 1455, 68, kWhite, none, kDefault},
    {"Picture3", 0, K::Picture, "Picture2", nullptr, 480, 120, 255, 615, 69, kBlack, none, kDefault},
    {"Picture3", 1, K::Picture, "Picture2", nullptr, 840, 120, 255, 615, 70, kBlack, none, kDefault},
    {"Picture3", 2, K::Picture, "Picture2", nullptr, 1560, 120, 255, 615, 71, kBlack, none, kDefault},
    {"Picture3", 3, K::Picture, "Picture2", nullptr, 1920, 120, 255, 615, 72, kBlack, none, kDefault},
    {"Picture3", 4, K::Picture, "Picture2", nullptr, 2280, 120, 255, 615, 73, kBlack, none, kDefault},
    {"cmdPythagorasstimmung", -1, K::Button, nullptr, "Pythagoras", 7920, 6960, 1215, 375, 76, none, none, Times(9.75)},
    {"cmdLinear", -1, K::Button, nullptr, "linear", 9120, 6960, 855, 375, 77, none, none, Times(9.75)},
    {"cmdGeometrisch", -1, K::Button, nullptr, "geometrisch", 9960, 6960, 1335, 375, 78, none, none, Times(9.75)},
    {"cmdDiff", -1, K::Button, nullptr, "Pythagoras Quotienten", 11760, 4440, 2535, 495, 40, none, none, Times(10.5)},
    {"cmdDidymos", -1, K::Button, nullptr, "Didymos", 14520, 4440, 1935, 495, 42, none, none, Times(10.5)},
    {"Label4", 0, K::Label, nullptr, "Fehler der temperierten Stimmung", 11760, 5160, 4455, 255, 17, none, none, Times(12)},
    {"Label4", 1, K::Label, nullptr, "Terz", 11760, 5520, 1455, 255, 18, none, none, Times(12)},
    {"txtTerz", -1, K::TextBox, nullptr, "Text4", 11760, 5820, 1212, 372, 16, none, none, Times(12), A::Center},
    {"Label4", 3, K::Label, nullptr, "Quinte", 13800, 5580, 1455, 255, 20, none, none, Times(12)},
    {"txtQuinte", -1, K::TextBox, nullptr, "Text4", 13800, 5820, 1212, 372, 14, none, none, Times(12), A::Center},
    {"Label4", 2, K::Label, nullptr, "Quarte", 11760, 6360, 975, 255, 19, none, none, Times(12)},
    {"txtQuarte", -1, K::TextBox, nullptr, "Text4", 11760, 6660, 1212, 372, 15, none, none, Times(12), A::Center},
    {"Label4", 4, K::Label, nullptr, "Gesamtfehler = 1 +", 13920, 6360, 2055, 255, 22, none, none, Times(12)},
    {"txtGesamtfehler", -1, K::TextBox, nullptr, "Text4", 13860, 6660, 1212, 372, 21, none, none, Times(12), A::Center},
    {"Label4", 5, K::Label, nullptr, "/10000", 15180, 6780, 855, 255, 23, none, none, Times(12)},

    // Bottom strip
    {"txtMelodie", -1, K::TextBox, nullptr, kMelody, 120, 7440, 15255, 375, 82, kGrey, kWhite, Font{kCourier, 9.75}},
    {"cmdAbspielen", -1, K::Button, nullptr, "abspielen", 15360, 7440, 1095, 375, 83, kFaceGrey, none, kDefault},
    {"txtHilfe", -1, K::TextBox, nullptr, "Hilfe", 120, 8040, 16335, 495, 44, kHelp, none, Times(12), A::Center},
};

// name, index, container, x1, y1, x2, y2, width in pixels, colour
const LineRow kLines[] = {
    // The note markers' lines in the output area; start-up colours them all red.
    {"Line2", 0, "picAusgabe", 240, 3000, 240, 1560, 1, kBlack},
    {"Line2", 1, "picAusgabe", 360, 3000, 360, 1560, 1, kBlack},
    {"Line2", 2, "picAusgabe", 480, 3000, 480, 1560, 1, kBlack},
    {"Line2", 3, "picAusgabe", 600, 3000, 600, 1560, 1, kBlack},
    {"Line2", 4, "picAusgabe", 720, 3000, 720, 1560, 1, kBlack},
    {"Line2", 5, "picAusgabe", 840, 3000, 840, 1560, 1, kRed},
    // Separators of the lower panel's sections
    {"Line9", -1, nullptr, 5760, 4440, 5760, 7320, 1, kBlack},
    {"Line10", -1, nullptr, 7680, 4440, 7680, 7320, 1, kBlack},
    {"Line11", -1, nullptr, 11520, 4440, 11520, 7320, 1, kBlack},
    {"Line12", -1, nullptr, 2880, 4440, 2880, 7320, 1, kBlack},
    {"Line13", -1, nullptr, 11520, 5040, 16440, 5040, 1, kBlack},
    {"Line14", -1, nullptr, 16800, 120, 16800, 8640, 1, kBlack},
    {"Line18", -1, nullptr, 120, 8640, 16800, 8640, 1, kBlack},
    // Two arrows pointing up at the marker scroll bar, beside "per Hand, Note setzen"
    {"Line6", -1, nullptr, 8040, 4680, 8040, 4440, 1, kBlack},
    {"Line7", -1, nullptr, 7920, 4560, 8040, 4440, 1, kBlack},
    {"Line8", -1, nullptr, 8160, 4560, 8040, 4440, 1, kBlack},
    {"Line3", -1, nullptr, 10680, 4680, 10680, 4440, 1, kBlack},
    {"Line4", -1, nullptr, 10560, 4560, 10680, 4440, 1, kBlack},
    {"Line5", -1, nullptr, 10800, 4560, 10680, 4440, 1, kBlack},
    // The root sign around the step count: the N-th root of 2
    {"Line1", 0, nullptr, 3360, 5520, 3960, 5520, 3, kBlack},
    {"Line1", 1, nullptr, 3960, 5520, 4080, 6120, 3, kBlack},
    {"Line1", 2, nullptr, 4320, 5040, 4080, 6120, 3, kBlack},
    {"Line1", 3, nullptr, 5400, 5040, 4320, 5040, 3, kBlack},
    // Stems of the decorative note heads, beyond the initial window size
    {"Line15", 0, nullptr, 18000, 3240, 18360, 2520, 2, kBlack},
    {"Line15", 1, nullptr, 2640, 9720, 3000, 9000, 2, kBlack},
    {"Line15", 2, nullptr, 6000, 10080, 6360, 9360, 2, kBlack},
    {"Line15", 3, nullptr, 17280, 9960, 17640, 9240, 2, kBlack},
    {"Line15", 4, nullptr, 14040, 10440, 14400, 9720, 2, kBlack},
    {"Line16", -1, nullptr, 20040, 1200, 20400, 480, 2, kBlack},
    {"Line17", -1, nullptr, 19320, 6000, 19680, 5280, 2, kBlack},
};

const OvalRow kOvals[] = {
    {"Shape1", 0, 17640, 3120, 375, 255}, {"Shape1", 1, 2280, 9600, 375, 255},
    {"Shape1", 2, 5640, 9960, 375, 255},  {"Shape1", 3, 16920, 9840, 375, 255},
    {"Shape1", 4, 13680, 10320, 375, 255}, {"Shape2", -1, 19680, 1080, 375, 255},
    {"Shape3", -1, 18960, 5880, 375, 255},
};

const ScrollRange kRanges[] = {
    {"HScroll1", kMinSteps, kMaxSteps, 1, 1, 12},
    {"hscNote", 0, 1500, 1, 1, 0},
};
// clang-format on

// German, as every text of the window; each keeps the control's caption in it
// where it has one, so the name matches what is seen.
const AccessibleNameRow kAccessibleNames[] = {
    // Text boxes: what the field holds, not its initial text
    {"Text1", -1, "Frequenz Grundton in Hz"},
    {"Text2", -1, "Dauer in ms"},
    {"Text3", -1, "Verhältnis und Frequenz"},
    {"Text4", -1, "Feld 1000 ohne Funktion"},
    {"txtWurzel", -1, "Anzahl der Stufen N"},
    {"txtTerz", -1, "Fehler der Terz"},
    {"txtQuarte", -1, "Fehler der Quarte"},
    {"txtQuinte", -1, "Fehler der Quinte"},
    {"txtGesamtfehler", -1, "Gesamtfehler"},
    {"txtMelodie", -1, "Melodie"},
    {"txtHilfe", -1, "Hilfezeile"},
    // Scroll bars and picture boxes, which have no caption
    {"HScroll1", -1, "Anzahl der Stufen N einstellen"},
    {"hscNote", -1, "gewählte Note verschieben"},
    {"picAusgabe", -1, "Zeichenfläche mit der Verhältnisachse"},
    {"Picture1", 0, "Schreibfarbe rot"},
    {"Picture1", 1, "Schreibfarbe blau"},
    {"Picture1", 2, "Schreibfarbe schwarz"},
    {"Picture1", 3, "Schreibfarbe weiß"},
    {"Picture1", 4, "Schreibfarbe grau"},
    {"Picture2", -1, "Tastatur"},
    {"Picture3", 0, "schwarze Taste 1"},
    {"Picture3", 1, "schwarze Taste 2"},
    {"Picture3", 2, "schwarze Taste 3"},
    {"Picture3", 3, "schwarze Taste 4"},
    {"Picture3", 4, "schwarze Taste 5"},
    {"optZeichne", -1, "Markieren"},
    // The Pythagorean construction's buttons
    {"cmdComplett", -1, "alle Töne eintragen"},
    {"cmd2", -1, "Ton 2 eintragen"},
    {"cmd3", -1, "Ton 3 eintragen"},
    {"cmd4", -1, "Ton 4 eintragen"},
    {"cmd5", -1, "Ton 5 eintragen"},
    {"cmd6", -1, "Ton 6 eintragen"},
    {"cmd7", -1, "Ton 7 eintragen"},
    {"cmdNamen", -1, "cdefg: Notennamen eintragen"},
    {"cmdDia", -1, "Rein: Töne nach Didymos eintragen"},
    {"cmdClear", -1, "X: Zeichnung löschen"},
    // Players, step ratios and presets that share a caption
    {"cmdPythagoras", -1, "Tonlauf Pythagoras"},
    {"cmdrein", -1, "Tonlauf Didymos"},
    {"cmdtemperiert", -1, "Tonlauf temperiert"},
    {"cmdHandlauf", -1, "Tonlauf per Hand definiert"},
    {"cmdDiff", -1, "Pythagoras Quotienten"},
    {"cmdDidymos", -1, "Didymos Quotienten"},
    {"cmdPythagorasstimmung", -1, "Noten setzen: Pythagoras"},
    {"cmdLinear", -1, "Noten setzen: linear"},
    {"cmdGeometrisch", -1, "Noten setzen: geometrisch"},
    {"cmdRausnehmen", -1, "x: Noten zurücksetzen"},
    {"Label2", -1, "2 unter der Wurzel"},
    // The adjusters, two pairs of "+10" and "-10"
    {"cmdMinusF", -1, "Frequenz -10"},
    {"cmdPlusF", -1, "Frequenz +10"},
    {"cmdMinusT", -1, "Dauer -10"},
    {"cmdPlusT", -1, "Dauer +10"},
    // Marker selectors, marker labels and keys, whose captions are digits
    {"optNote", 0, "Note 2 wählen"},
    {"optNote", 1, "Note 3 wählen"},
    {"optNote", 2, "Note 4 wählen"},
    {"optNote", 3, "Note 5 wählen"},
    {"optNote", 4, "Note 6 wählen"},
    {"optNote", 5, "Note 7 wählen"},
    {"lblNote", 0, "Marke 2"},
    {"lblNote", 1, "Marke 3"},
    {"lblNote", 2, "Marke 4"},
    {"lblNote", 3, "Marke 5"},
    {"lblNote", 4, "Marke 6"},
    {"lblNote", 5, "Marke 7"},
    {"cmdTaste", 0, "Taste 1"},
    {"cmdTaste", 1, "Taste 2"},
    {"cmdTaste", 2, "Taste 3"},
    {"cmdTaste", 3, "Taste 4"},
    {"cmdTaste", 4, "Taste 5"},
    {"cmdTaste", 5, "Taste 6"},
    {"cmdTaste", 6, "Taste 7"},
    {"cmdTaste", 7, "Taste 8"},
    {"cmdAbspielen", -1, "Melodie abspielen"},
};

} // namespace

std::span<const AccessibleNameRow> AccessibleNames() { return kAccessibleNames; }

std::string AccessibleName(std::string_view name, int index) {
    for (const AccessibleNameRow& row : kAccessibleNames)
        if (name == row.name && index == row.index) return row.accessible;
    for (const ControlRow& row : kControls) {
        if (name != row.name || index != row.index) continue;
        std::string_view caption = row.caption ? row.caption : "";
        const auto first = caption.find_first_not_of(' ');
        if (first == std::string_view::npos) break;
        return std::string(caption.substr(first, caption.find_last_not_of(' ') - first + 1));
    }
    return std::string(name);
}

const WindowRow& Window() { return kWindow; }
std::span<const ControlRow> Controls() { return kControls; }
std::span<const LineRow> Lines() { return kLines; }
std::span<const OvalRow> Ovals() { return kOvals; }
std::span<const ScrollRange> ScrollRanges() { return kRanges; }

const char* InitialOption(int& index) {
    index = 0;
    return "optNote";
}

} // namespace stimmung::layout
