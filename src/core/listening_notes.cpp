// SPDX-License-Identifier: GPL-3.0-or-later
#include "listening_notes.h"

#include "equal_steps.h"
#include "scale_tables.h"

#include <charconv>
#include <cmath>
#include <type_traits>

namespace stimmung {

namespace {

constexpr std::array<std::string_view, 8> kDegreeNames{"c", "d", "e", "f", "g", "a", "h", "c'"};
constexpr std::array<int, kDegreesPerOctave> kTwelveNoteDegrees{0, 2, 4, 5, 7, 9, 11};
constexpr double kOctave = 2.0;
constexpr std::size_t kTwelveNotes = 12;

template <typename Scale>
NamedTuning ScaleTuning(std::string name, const Scale& scale) {
    NamedTuning tuning{std::move(name), {}, {}};
    for (std::size_t k = 0; k < scale.size(); ++k) {
        tuning.noteNames.emplace_back(kDegreeNames[k]);
        if constexpr (std::is_same_v<typename Scale::value_type, Fraction>)
            tuning.ratios.push_back(scale[k].value());
        else
            tuning.ratios.push_back(scale[k]);
    }
    return tuning;
}

bool EndsOnOctave(const NamedTuning& tuning) { return !tuning.ratios.empty() && tuning.ratios.back() == kOctave; }

// The degree's note within the octave.
double RatioInOctave(const NamedTuning& tuning, int degree) {
    const std::size_t size = tuning.ratios.size();
    if (size == kDegreeNames.size() && EndsOnOctave(tuning)) return tuning.ratios[degree];
    if (size == kTwelveNotes) return tuning.ratios[kTwelveNoteDegrees[degree]];
    const double just = std::log2(kJustScale[degree].value());
    double nearest = 0;
    auto consider = [&](double r) {
        if (r > 0 && (nearest == 0 || std::abs(std::log2(r) - just) < std::abs(std::log2(nearest) - just))) nearest = r;
    };
    for (const double r : tuning.ratios) consider(r);
    consider(kOctave);
    return nearest;
}

} // namespace

NamedTuning PythagoreanTuning() { return ScaleTuning("Pythagoreisch", kPythagoreanScale); }
NamedTuning JustTuning() { return ScaleTuning("Rein (Didymos)", kJustScale); }
NamedTuning TemperedTableTuning() { return ScaleTuning("Temperiert (Tabelle)", kTemperedScale); }

NamedTuning EqualStepsTuning(int N) {
    NamedTuning tuning{std::to_string(N) + " gleiche Stufen", {"0"}, {1.0}};
    for (const double step : EqualSteps(N, N - 1)) {
        tuning.noteNames.push_back(std::to_string(tuning.ratios.size()));
        tuning.ratios.push_back(step);
    }
    tuning.noteNames.push_back(std::to_string(N));
    tuning.ratios.push_back(kOctave);
    return tuning;
}

NamedTuning HandPlacedTuning(std::span<const float, 6> markerRatios) {
    NamedTuning tuning{"von Hand gesetzte Noten", {"Grundton"}, {1.0}};
    for (std::size_t i = 0; i < markerRatios.size(); ++i) {
        tuning.noteNames.push_back("Marke " + std::to_string(i + 1));
        tuning.ratios.push_back(markerRatios[i]);
    }
    tuning.noteNames.emplace_back("Oktave");
    tuning.ratios.push_back(kOctave);
    return tuning;
}

double DegreeRatio(const NamedTuning& tuning, int degree) {
    if (degree < 0) return 0;
    return std::exp2(degree / kDegreesPerOctave) * RatioInOctave(tuning, degree % kDegreesPerOctave);
}

namespace {
constexpr ChordChoice kChoices[] = {
    {"Sekunde c–d", {0, 1}, 2},
    {"große Terz c–e", {0, 2}, 2},
    {"Quarte c–f", {0, 3}, 2},
    {"Quinte c–g", {0, 4}, 2},
    {"große Sexte c–a", {0, 5}, 2},
    {"große Septime c–h", {0, 6}, 2},
    {"Oktave c–c'", {0, 7}, 2},
    {"Dur-Dreiklang c–e–g", {0, 2, 4}, 3},
    {"Dur-Dreiklang f–a–c'", {3, 5, 7}, 3},
    {"Dur-Dreiklang g–h–d'", {4, 6, 8}, 3},
};
} // namespace

std::span<const ChordChoice> ChordChoices() { return kChoices; }

std::vector<double> ChordRatios(const NamedTuning& tuning, const ChordChoice& choice) {
    std::vector<double> ratios;
    for (int i = 0; i < choice.notes; ++i) ratios.push_back(DegreeRatio(tuning, choice.degrees[i]));
    return ratios;
}

NamedTuning WithOctave(const NamedTuning& tuning) {
    NamedTuning with = tuning;
    if (!EndsOnOctave(with)) {
        with.noteNames.emplace_back("Oktave");
        with.ratios.push_back(kOctave);
    }
    return with;
}

SoundedNotes NotesOver(std::span<const double> ratios, double baseHz) {
    SoundedNotes notes;
    if (!(baseHz > 0) || !std::isfinite(baseHz)) {
        notes.problem = "Die Frequenz des Grundtons ist keine positive Zahl.";
        return notes;
    }
    for (const double r : ratios) {
        const double hz = baseHz * r;
        if (!(hz <= kHighestNoteHz)) {
            notes.problem = "Ein Ton läge über 20000 Hz.";
            notes.frequenciesHz.clear();
            return notes;
        }
        notes.frequenciesHz.push_back(hz);
    }
    return notes;
}

std::vector<NotePair> PairsOf(std::span<const double> frequenciesHz, const PartialAmplitudes& timbre) {
    std::vector<NotePair> pairs;
    const int n = static_cast<int>(frequenciesHz.size());
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            const bool ordered = frequenciesHz[i] <= frequenciesHz[j];
            NotePair pair;
            pair.low = ordered ? i : j;
            pair.high = ordered ? j : i;
            pair.cents = IntervalCents(frequenciesHz[pair.low], frequenciesHz[pair.high]);
            pair.just = NearestJustInterval(pair.cents);
            pair.beat = BeatOf(frequenciesHz[i], frequenciesHz[j], timbre);
            pairs.push_back(pair);
        }
    return pairs;
}

std::string HertzText(double hz) {
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, hz, std::chars_format::fixed, 4);
    return result.ec == std::errc() ? std::string(digits, result.ptr) : std::string("—");
}

} // namespace stimmung
