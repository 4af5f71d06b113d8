// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a Scala tuning file (.scl): a description, the count of pitches and
// one pitch a line over the implied 1/1, as a ratio ("3/2", "2") or in cents
// ("701.955"). Latin-1 or UTF-8 text with LF or CR LF line ends; what is
// refused gets one German sentence naming the line. Plain C++, no window.
#pragma once

#include "scala_export.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stimmung::tuning {

// The largest file read, in bytes (1 MiB).
inline constexpr std::size_t kScalaMaxBytes = 1024 * 1024;
// The most pitches a scale may have.
inline constexpr int kScalaMaxPitches = 1000;
// The farthest a pitch in cents may lie from the base tone, up or down, in
// octaves: every such ratio is a normal double, and a pitch rounded to the six
// decimals of the export stays within it.
inline constexpr int kScalaMaxOctaves = 1000;

struct ScalaScale {
    std::string description;         // UTF-8 without trailing blanks, possibly empty
    std::vector<ScalaPitch> pitches; // over the base tone, in file order
};

struct ScalaReading {
    ScalaScale scale;  // empty when refused
    std::string error; // empty when read, else e.g. `Zeile 4: "abc" ist keine Tonhöhe.`
    bool ok() const { return error.empty(); }
};

// Reads the bytes of a .scl file. Lines beginning with "!" are comments; the
// first other line is the description, the next the count (leading blanks
// allowed, text after the number ignored), then one pitch a line, the same
// way: a token with a "." is cents (digits, one ".", an optional sign; no
// exponent), any other a ratio "a/b" or a whole number "a" (a/1), both parts
// above 0 and at most 2^63 − 1. Blanks are spaces, tabs and CRs. Lines after
// the last pitch are not read; a leading UTF-8 byte order mark is skipped.
// Refused: a file above kScalaMaxBytes, a control character other than tab,
// CR and LF, a missing or bad count, more than kScalaMaxPitches, fewer pitch
// lines than counted, a pitch that is no number or not above 0, cents beyond
// kScalaMaxOctaves. Runs in time linear in the size of the text and throws
// nothing.
ScalaReading ReadScalaText(std::string_view bytes);

// The frequency ratio of a pitch: numerator / denominator, or 2^(cents / 1200).
double PitchRatio(const ScalaPitch& pitch);

} // namespace stimmung::tuning
