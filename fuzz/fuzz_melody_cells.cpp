// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a melody on arbitrary bytes: it must never crash, always give
// L / 3 + 1 cells for a text of L code points, take each letter and length
// from its fixed place, read lengths only as 0 to 9, and decode to code points
// that encode back to the same text whenever the text was valid UTF-8.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "melody_cells.h"

using namespace stimmung::audio;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::u32string points = DecodeUtf8(text);
    const auto cells = ReadMelodyCells(text);
    if (cells.size() != points.size() / 3 + 1) std::abort();

    std::string again;
    for (char32_t c : points) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) std::abort();
        again += EncodeUtf8(c);
    }
    if (DecodeUtf8(again) != points) std::abort();
    // Nothing was replaced: the text comes back byte for byte.
    if (points.find(char32_t(0xFFFD)) == std::u32string::npos && again != text) std::abort();

    for (std::size_t i = 0; i < cells.size(); ++i) {
        const MelodyCell& cell = cells[i];
        const std::size_t at = 3 * i;
        if (cell.letter.has_value() != (at < points.size())) std::abort();
        if (cell.letter && *cell.letter != points[at]) std::abort();
        const char32_t length = at + 1 < points.size() ? points[at + 1] : U' ';
        const double digit = length >= U'0' && length <= U'9' ? double(length - U'0') : 0.0;
        if (cell.eighths != digit) std::abort();
        const int key = MelodyKey(cell.letter);
        if (key < -1 || key > 6) std::abort();
        const std::string help = MelodyHelpText(cell);
        const std::string letter = cell.letter ? EncodeUtf8(*cell.letter) : std::string();
        if (help.compare(0, letter.size(), letter) != 0 ||
            help.substr(letter.size()) != "  " + std::to_string(int(digit)))
            std::abort();
    }
    return 0;
}
