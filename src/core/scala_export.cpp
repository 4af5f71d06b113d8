// SPDX-License-Identifier: GPL-3.0-or-later
#include "scala_export.h"

#include <charconv>
#include <initializer_list>
#include <cmath>

namespace stimmung::tuning {

namespace {

std::string Fixed(double value, int decimals) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0.000000");
}

// A line of pieces: joined here rather than by string "+", which
// g++ 12 misreads as overlapping copies (-Wrestrict).
void AddLine(std::string& text, std::initializer_list<std::string_view> pieces) {
    for (std::string_view piece : pieces) text += piece;
    text += '\n';
}

} // namespace

ScalaPitch PitchOfRatio(double ratio) {
    // A ratio of 0 or less has no pitch; it is written as the base tone.
    return CentsPitch(ratio > 0 && std::isfinite(ratio) ? 1200.0 * std::log2(ratio) : 0.0);
}

std::string PitchText(const ScalaPitch& pitch) {
    if (pitch.numerator != 0) return std::to_string(pitch.numerator) + "/" + std::to_string(pitch.denominator);
    // Six decimals; a value that rounds to zero is written without a sign.
    std::string cents = Fixed(pitch.cents, 6);
    return cents == "-0.000000" ? "0.000000" : cents;
}

std::string ScalaScaleText(std::string_view fileName, std::string_view description,
                           std::span<const ScalaPitch> pitches) {
    std::string text;
    AddLine(text, {"! ", fileName});
    AddLine(text, {"!"});
    AddLine(text, {description});
    AddLine(text, {" ", std::to_string(pitches.size())});
    AddLine(text, {"!"});
    for (const ScalaPitch& pitch : pitches) AddLine(text, {" ", PitchText(pitch)});
    return text;
}

std::string ScalaKeyboardMappingText(std::string_view fileName, int degrees, double baseHz) {
    std::string text;
    AddLine(text, {"! ", fileName});
    AddLine(text, {"!"});
    AddLine(text, {"! Size of map:"});
    AddLine(text, {std::to_string(degrees)});
    AddLine(text, {"! First MIDI note number to retune:"});
    AddLine(text, {"0"});
    AddLine(text, {"! Last MIDI note number to retune:"});
    AddLine(text, {"127"});
    AddLine(text, {"! Middle note where the first entry of the mapping is mapped to:"});
    AddLine(text, {"60"});
    AddLine(text, {"! Reference note for which frequency is given:"});
    AddLine(text, {"60"});
    AddLine(text, {"! Frequency to tune the above note to:"});
    AddLine(text, {Fixed(baseHz > 0 && std::isfinite(baseHz) ? baseHz : 0.0, 6)});
    AddLine(text, {"! Scale degree to consider as formal octave:"});
    AddLine(text, {std::to_string(degrees)});
    AddLine(text, {"! Mapping:"});
    for (int degree = 0; degree < degrees; ++degree) AddLine(text, {std::to_string(degree)});
    return text;
}

} // namespace stimmung::tuning
