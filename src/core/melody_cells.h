// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a melody text as the player sees it: a row of fixed three-character
// cells (note letter, length in eighths as one character, separator that is
// never read). A character is a Unicode code point of the UTF-8 text, so a
// letter outside ASCII (an "ä", an emoji) takes one place like any other.
// Plain C++, no Qt.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stimmung::audio {

struct MelodyCell {
    // The character in the letter place; none when the text ends before it.
    std::optional<char32_t> letter;
    // The length character read with ReadNumber: 0 to 9, 0 for a non-digit
    // or a place beyond the end.
    double eighths = 0;

    friend bool operator==(const MelodyCell&, const MelodyCell&) = default;
};

// The code points of a UTF-8 text; each byte that does not start a valid
// sequence counts as one U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(char32_t c);

// The number of cells of a text of `length` characters: the integer part of
// length / 3 + 1, one more than the whole three-character groups.
std::size_t MelodyCellCount(std::size_t length);

std::vector<MelodyCell> ReadMelodyCells(std::u32string_view text);
std::vector<MelodyCell> ReadMelodyCells(std::string_view utf8);

// The key a letter marks, compared case-sensitively: c 0, d 1, e 2, f 3,
// g 4, a 5, h 6; -1 for any other character or none.
int MelodyKey(std::optional<char32_t> letter);

// The help line during a cell: the letter, one blank and the eighths as a
// field writes numbers ("c" "  2" for c2; "  0" for a cell with no letter).
std::string MelodyHelpText(const MelodyCell& cell);

} // namespace stimmung::audio
