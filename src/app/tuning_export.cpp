// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuning_export.h"

#include "scale_frequencies.h"
#include "scale_tables.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace stimmung::app {

namespace {

const ExportChoice kChoices[] = {
    {ExportedScale::HandPlaced, "von Hand gesetzte Noten (Tastatur)", "stimmung-hand"},
    {ExportedScale::Pythagorean, "Pythagoreische Stimmung", "stimmung-pythagoras"},
    {ExportedScale::Just, "Reine Stimmung (Didymos)", "stimmung-didymos"},
    {ExportedScale::Tempered, "Temperierte Tabelle", "stimmung-temperiert"},
    {ExportedScale::EqualSteps, "N gleiche Stufen (txtWurzel)", "stimmung-gleichstufig"},
};

// Degree 0 is the base tone, which a Scala file implies; the last the octave.
template <size_t N>
std::vector<tuning::ScalaPitch> PitchesOf(const std::array<Fraction, N>& scale) {
    std::vector<tuning::ScalaPitch> pitches;
    for (size_t i = 1; i < N; ++i) pitches.push_back(tuning::ExactPitch(scale[i].numerator, scale[i].denominator));
    return pitches;
}

template <size_t N>
std::vector<tuning::ScalaPitch> PitchesOf(const std::array<double, N>& scale) {
    std::vector<tuning::ScalaPitch> pitches;
    for (size_t i = 1; i + 1 < N; ++i) pitches.push_back(tuning::PitchOfRatio(scale[i]));
    pitches.push_back(tuning::ExactPitch(2, 1));
    return pitches;
}

bool WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

} // namespace

std::span<const ExportChoice> ExportChoices() { return kChoices; }

std::optional<ExportedTuning> TuningToExport(const Form1& f, ExportedScale scale) {
    std::array<float, 6> ratios{};
    for (size_t i = 0; i < ratios.size(); ++i) ratios[i] = f.Line2[i]->X1();
    return TuningToExport(scale, ratios, f.txtWurzel->Text());
}

std::optional<ExportedTuning> TuningToExport(ExportedScale scale, std::span<const float, 6> markerRatios,
                                             std::string_view stepCountText) {
    switch (scale) {
    case ExportedScale::HandPlaced: {
        ExportedTuning t{"Von Hand gesetzte Noten: Grundton, sechs Marken in ihrer Folge, Oktave", {}};
        for (float ratio : markerRatios) t.pitches.push_back(tuning::PitchOfRatio(double(ratio)));
        t.pitches.push_back(tuning::ExactPitch(2, 1));
        return t;
    }
    case ExportedScale::Pythagorean:
        return ExportedTuning{"Pythagoreische Stimmung, c d e f g a h c", PitchesOf(kPythagoreanScale)};
    case ExportedScale::Just:
        return ExportedTuning{"Reine Stimmung nach Didymos, c d e f g a h c", PitchesOf(kJustScale)};
    case ExportedScale::Tempered:
        return ExportedTuning{"Temperierte Stimmung, c d e f g a h c (Tabelle mit drei Dezimalen)",
                              PitchesOf(kTemperedScale)};
    case ExportedScale::EqualSteps: {
        const std::optional<int> n = audio::EqualStepCount(stepCountText);
        if (!n) return std::nullopt;
        ExportedTuning t{std::to_string(*n) + " gleiche Stufen der Oktave", {}};
        for (int k = 1; k < *n; ++k) t.pitches.push_back(tuning::CentsPitch(1200.0 * k / *n));
        t.pitches.push_back(tuning::ExactPitch(2, 1));
        return t;
    }
    }
    return std::nullopt;
}

bool WriteTuningFiles(const Form1& f, const ExportedTuning& tuning, const std::string& sclPath) {
    std::filesystem::path scl(sclPath);
    std::filesystem::path kbm = scl;
    kbm.replace_extension(".kbm");
    const int degrees = static_cast<int>(tuning.pitches.size());
    return WriteText(scl.string(),
                     tuning::ScalaScaleText(scl.filename().string(), tuning.description, tuning.pitches)) &&
           WriteText(kbm.string(),
                     tuning::ScalaKeyboardMappingText(kbm.filename().string(), degrees, BaseFrequency(f)));
}

} // namespace stimmung::app
