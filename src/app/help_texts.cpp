// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_texts.h"

#include "numbers.h"

namespace stimmung::app {

namespace {

struct IndexedText {
    int index;
    const char* text;
};

// Label3 captions "Frequenz Grundton", "Hz", "Dauer", "ms"; compared in this
// order, each independently.
constexpr IndexedText kLabel3Texts[] = {
    {0, "Frequenz des Grundtons einstellen (mit +/- Tasten oder reinschreiben)"},
    {2, "Dauer des Tons in Millisekunden einstellen (mit +/- Tasten oder reinschreiben)"},
    {1, "Schwingungen pro Sekunde"},
    {3, "Dauer in Millsekunden"},
};

// The number is the index plus one, written with its leading blank.
std::string IndexNumber(int index) { return NumberText(static_cast<double>(index) + 1); }

} // namespace

const char* FixedHelpText(std::string_view control) {
    for (const HelpText& row : kFixedHelpTexts)
        if (control == row.control) return row.text;
    return nullptr;
}

std::string KeyHelpText(int index) { return "Die Note" + IndexNumber(index) + " abspielen"; }

std::string MarkerSelectorHelpText(int index) {
    return "Note " + IndexNumber(index) + " mit Scrollbalken per Hand platzieren";
}

const char* Label3HelpText(int index) {
    const char* found = nullptr;
    for (const IndexedText& row : kLabel3Texts)
        if (index == row.index) found = row.text;
    return found;
}

std::optional<std::string> HelpTextFor(std::string_view control, int index) {
    if (control == "cmdTaste") return KeyHelpText(index);
    if (control == "optNote") return MarkerSelectorHelpText(index);
    if (control == "Label3") {
        if (const char* text = Label3HelpText(index)) return std::string(text);
        return std::nullopt;
    }
    if (control == "picAusgabe") return std::string(kOutputAreaHelp);
    if (const char* text = FixedHelpText(control)) return std::string(text);
    return std::nullopt;
}

} // namespace stimmung::app
