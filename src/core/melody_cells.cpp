// SPDX-License-Identifier: GPL-3.0-or-later
#include "melody_cells.h"

#include "numbers.h"

namespace stimmung::audio {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr std::size_t kCellWidth = 3;
constexpr std::u32string_view kLetters = U"cdefgah";

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Decodes the sequence starting at text[i]; returns its code point and
// advances i. Overlong forms, surrogates and values above U+10FFFF are
// invalid: their first byte becomes U+FFFD and decoding resumes after it.
char32_t DecodeOne(std::string_view text, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (i + length > text.size()) {
        ++i;
        return kReplacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if (!IsContinuation(b)) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += length;
    return c;
}

} // namespace

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) out.push_back(DecodeOne(text, i));
    return out;
}

std::string EncodeUtf8(char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

std::size_t MelodyCellCount(std::size_t length) { return length / kCellWidth + 1; }

std::vector<MelodyCell> ReadMelodyCells(std::u32string_view text) {
    std::vector<MelodyCell> cells(MelodyCellCount(text.size()));
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::size_t at = i * kCellWidth;
        if (at < text.size()) cells[i].letter = text[at];
        // A place beyond the end reads as an empty text, that is 0.
        if (at + 1 < text.size()) cells[i].eighths = ReadNumber(EncodeUtf8(text[at + 1]));
    }
    return cells;
}

std::vector<MelodyCell> ReadMelodyCells(std::string_view utf8) { return ReadMelodyCells(DecodeUtf8(utf8)); }

int MelodyKey(std::optional<char32_t> letter) {
    if (!letter) return -1;
    const std::size_t at = kLetters.find(*letter);
    return at == std::u32string_view::npos ? -1 : static_cast<int>(at);
}

std::string MelodyHelpText(const MelodyCell& cell) {
    std::string text = cell.letter ? EncodeUtf8(*cell.letter) : std::string();
    text += ' ';
    text += NumberText(cell.eighths);
    return text;
}

} // namespace stimmung::audio
