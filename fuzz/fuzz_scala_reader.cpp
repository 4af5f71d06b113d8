// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a Scala file from arbitrary bytes: it must never crash, refuse
// with a message that names a line of the text and keep nothing, and every
// scale it reads must be one the export writes and the reader reads back
// unchanged: the same description, fractions and cents as written.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../src/core/scala_reader.h"

using namespace stimmung::tuning;

namespace {

void RefusalNamesALine(std::string_view text, const ScalaReading& reading) {
    if (!reading.scale.pitches.empty() || !reading.scale.description.empty()) std::abort();
    constexpr std::string_view prefix = "Zeile ";
    if (reading.error.compare(0, prefix.size(), prefix) != 0) std::abort();
    long line = 0;
    const char* start = reading.error.data() + prefix.size();
    const auto result = std::from_chars(start, reading.error.data() + reading.error.size(), line);
    // At most the line after the last one: the reader may find something missing there.
    const auto lines = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 2;
    if (result.ec != std::errc() || *result.ptr != ':' || line < 1 || line > lines) std::abort();
}

double WrittenCents(const ScalaPitch& pitch) {
    const std::string text = PitchText(pitch);
    double cents = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), cents).ec != std::errc()) std::abort();
    return cents;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const ScalaReading first = ReadScalaText(text);
    if (!first.ok()) {
        if (size <= kScalaMaxBytes) RefusalNamesALine(text, first);
        return 0;
    }
    const auto& pitches = first.scale.pitches;
    if (pitches.size() > static_cast<std::size_t>(kScalaMaxPitches)) std::abort();
    for (const ScalaPitch& pitch : pitches) {
        const double ratio = PitchRatio(pitch);
        if (pitch.numerator < 0 || pitch.denominator < 1 || !std::isfinite(ratio) || ratio <= 0) std::abort();
    }

    const ScalaReading again = ReadScalaText(ScalaScaleText("f.scl", first.scale.description, pitches));
    if (!again.ok() || again.scale.description != first.scale.description) std::abort();
    if (again.scale.pitches.size() != pitches.size()) std::abort();
    for (std::size_t i = 0; i < pitches.size(); ++i) {
        const ScalaPitch &before = pitches[i], &after = again.scale.pitches[i];
        if (after.numerator != before.numerator || after.denominator != before.denominator) std::abort();
        if (before.numerator == 0 && after.cents != WrittenCents(before)) std::abort();
    }
    return 0;
}
