// SPDX-License-Identifier: GPL-3.0-or-later
// What each text field of the window may hold: its initial text, a text the
// user put in, or a text the system itself could have written there. The
// system's own number texts are recognised as fixed points of reading and
// writing (NumberText(ReadNumber(t)) == t), so no shape is copied from the
// code under test, and a NaN or infinity can never pass as one of them.
#pragma once

#include "form1.h"
#include "help_texts.h"
#include "layout_table.h"
#include "melody_cells.h"
#include "numbers.h"

#include <cmath>
#include <map>
#include <string>
#include <string_view>

namespace stimmung::test {

namespace field_rules {

inline bool StartsWith(std::string_view text, std::string_view head) { return text.substr(0, head.size()) == head; }

inline bool AllDigits(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// A number as the system writes it into a field (double, 15 digits).
inline bool IsNumberText(std::string_view text) {
    return !text.empty() && NumberText(ReadNumber(text)) == text && std::isfinite(ReadNumber(text));
}
// The same for a single-precision value (7 digits).
inline bool IsFloatNumberText(std::string_view text) {
    return !text.empty() && NumberText(static_cast<float>(ReadNumber(text))) == text;
}
inline bool IsWholeNumberText(std::string_view text) {
    return IsNumberText(text) && ReadNumber(text) == std::floor(ReadNumber(text));
}

// Text3: ratio, "  entspricht  ", whole hertz, " Hz" (from the pointer or a marker).
inline bool IsReadout(std::string_view text) {
    constexpr std::string_view middle = "  entspricht  ";
    constexpr std::string_view tail = " Hz";
    if (text.size() < tail.size() || text.substr(text.size() - tail.size()) != tail) return false;
    const std::size_t at = text.find(middle);
    if (at == std::string_view::npos) return false;
    const std::string_view ratio = text.substr(0, at);
    const std::string_view hertz = text.substr(at + middle.size(), text.size() - tail.size() - at - middle.size());
    return (IsFloatNumberText(ratio) || IsNumberText(ratio)) && IsWholeNumberText(hertz);
}

// The help line during a melody: the cell's letter (one code point or none),
// one blank and the eighths 0 to 9 as a number text ("c  2", "  0").
inline bool IsMelodyHelp(std::string_view text) {
    if (text.size() < 3) return false;
    const std::string_view tail = text.substr(text.size() - 3);
    if (tail[0] != ' ' || tail[1] != ' ' || tail[2] < '0' || tail[2] > '9') return false;
    const std::u32string letter = audio::DecodeUtf8(text.substr(0, text.size() - 3));
    return letter.size() <= 1;
}

inline bool IsHelpText(std::string_view text) {
    if (text == app::kCreditLine || text == app::kOutputAreaHelp || text == "") return true;
    for (const app::HelpText& row : app::kFixedHelpTexts)
        if (text == row.text) return true;
    for (int i = 0; i < 8; ++i)
        if (text == app::KeyHelpText(i)) return true;
    for (int i = 0; i < 6; ++i)
        if (text == app::MarkerSelectorHelpText(i)) return true;
    for (int i = 0; i < 4; ++i)
        if (text == app::Label3HelpText(i)) return true;
    // The selected marker's index (" 0" to " 5") and a melody's cell count.
    if (IsWholeNumberText(text) && ReadNumber(text) >= 0) return true;
    return IsMelodyHelp(text);
}

// The error fields: a quotient of at least 1 with at most four decimals, in
// the locale's general format (either separator); the total a whole number.
inline bool IsErrorQuotient(std::string_view text) {
    const std::size_t sep = text.find_first_of(".,");
    if (sep == std::string_view::npos) return AllDigits(text) && text != "0";
    const std::string_view decimals = text.substr(sep + 1);
    return AllDigits(text.substr(0, sep)) && AllDigits(decimals) && decimals.size() <= 4 && decimals.back() != '0';
}

inline bool IsStepCount(std::string_view text) {
    if (!AllDigits(text) || text.size() > 3 || text[0] == '0') return false;
    const int n = std::stoi(std::string(text));
    return n >= 2 && n <= 100;
}

} // namespace field_rules

// The initial text of a text box, from the layout table.
inline std::string InitialText(const TextBox& box) {
    for (const layout::ControlRow& row : layout::Controls())
        if (row.kind == layout::Kind::TextBox && box.Name() == row.name) return row.caption ? row.caption : "";
    return {};
}

// Could the system have written `text` into this field? (Initial texts and
// what the user typed are checked by the caller.)
inline bool SystemCouldWrite(const Form1& f, const TextBox* box, std::string_view text) {
    using namespace field_rules;
    if (box == f.Text1 || box == f.Text2) return IsNumberText(text);
    if (box == f.Text3) return IsReadout(text);
    if (box == f.txtHilfe) return IsHelpText(text);
    if (box == f.txtWurzel) return IsStepCount(text);
    if (box == f.txtTerz || box == f.txtQuarte || box == f.txtQuinte) return IsErrorQuotient(text);
    if (box == f.txtGesamtfehler) return AllDigits(text);
    return false; // Text4 and txtMelodie: only the user writes them
}

// Every text box of the window, with a name for messages.
inline std::map<std::string, TextBox*> TextFields(const Form1& f) {
    return {{"Text1", f.Text1},       {"Text2", f.Text2},         {"Text3", f.Text3},
            {"Text4", f.Text4},       {"txtHilfe", f.txtHilfe},   {"txtWurzel", f.txtWurzel},
            {"txtTerz", f.txtTerz},   {"txtQuarte", f.txtQuarte}, {"txtQuinte", f.txtQuinte},
            {"txtGesamtfehler", f.txtGesamtfehler},               {"txtMelodie", f.txtMelodie}};
}

} // namespace stimmung::test
