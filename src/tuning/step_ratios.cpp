// SPDX-License-Identifier: GPL-3.0-or-later
#include "step_ratios.h"

#include "scale_tables.h"

#include <array>

namespace stimmung::tuning {

namespace {

constexpr Rgb kLightGrey{160, 160, 160};

struct StepText {
    const char* numerator; // with its slash: "9/"
    const char* denominator;
};

using StepTexts = std::array<StepText, 7>; // c-d, d-e, e-f, f-g, g-a, a-h, h-c

constexpr StepTexts kPythagoreanSteps{
    {{"9/", "8"}, {"9/", "8"}, {"256/", "243"}, {"9/", "8"}, {"9/", "8"}, {"9/", "8"}, {"256/", "243"}}};

constexpr StepTexts kDidymosSteps{
    {{"9/", "8"}, {"10/", "9"}, {"16/", "15"}, {"9/", "8"}, {"10/", "9"}, {"9/", "8"}, {"16/", "15"}}};

// Both sets stand at the Pythagorean midpoints, also the just steps.
double Midpoint(std::size_t gap) { return (kPythagoreanScale[gap].value() + kPythagoreanScale[gap + 1].value()) / 2; }

void WriteSteps(Form1& f, const StepTexts& texts) {
    OutputArea& pic = *f.picAusgabe;
    pic.ForeColor = kLightGrey;
    pic.FontSize = 10;
    // All numerators first, then all denominators.
    for (std::size_t gap = 0; gap < texts.size(); ++gap) {
        pic.CurrentX = Midpoint(gap) - 0.021;
        pic.CurrentY = 4.0;
        pic.Print(texts[gap].numerator);
    }
    for (std::size_t gap = 0; gap < texts.size(); ++gap) {
        pic.CurrentX = Midpoint(gap);
        pic.CurrentY = 4.3;
        pic.Print(texts[gap].denominator);
    }
}

} // namespace

void cmdDiff_Click(Form1& f) { WriteSteps(f, kPythagoreanSteps); }
void cmdDidymos_Click(Form1& f) { WriteSteps(f, kDidymosSteps); }

} // namespace stimmung::tuning
