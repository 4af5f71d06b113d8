// SPDX-License-Identifier: GPL-3.0-or-later
#include "scale_ticks.h"

#include "cents.h"
#include "scala_reader.h"
#include "temperaments.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace stimmung::tuning {

TickPlan PlanTicks(std::span<const ScaleNote> notes, double charWidth, double labelGap) {
    TickPlan plan;
    std::array<double, kTickLabelRows> rowEnd;
    rowEnd.fill(-std::numeric_limits<double>::infinity());
    for (const ScaleNote& note : notes) {
        // A NaN ratio is outside as well.
        if (!(note.ratio >= kTickFirstRatio && note.ratio <= kTickLastRatio)) {
            ++plan.leftOut;
            continue;
        }
        PlacedTick tick{note.ratio, {}, 0};
        for (int row = 0; row < kTickLabelRows; ++row) {
            if (note.ratio < rowEnd[row] + labelGap) continue;
            tick.label = note.label;
            tick.row = row;
            rowEnd[row] = note.ratio + charWidth * static_cast<double>(note.label.size());
            break;
        }
        plan.ticks.push_back(std::move(tick));
    }
    return plan;
}

std::vector<ScaleNote> TemperamentNotes(const Temperament& temperament) {
    const auto ratios = NoteRatios(temperament);
    const auto deviations = EqualTemperamentDeviations(temperament);
    std::vector<ScaleNote> notes;
    for (int k = 0; k < kNotesPerOctave; ++k)
        notes.push_back({ratios[k], std::string(kNoteNames[k]) + " " + DeviationText(deviations[k])});
    return notes;
}

std::vector<ScaleNote> ScalaNotes(const ScalaScale& scale) {
    std::vector<ScaleNote> notes;
    for (const ScalaPitch& pitch : scale.pitches) {
        const double ratio = PitchRatio(pitch);
        notes.push_back({ratio, OneDecimalText(Cents(ratio))});
    }
    return notes;
}

std::string OneDecimalText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    if (result.ec != std::errc()) return "?";
    std::string text(buffer, result.ptr);
    return text == "-0.0" ? "0.0" : text;
}

} // namespace stimmung::tuning
