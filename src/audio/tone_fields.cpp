// SPDX-License-Identifier: GPL-3.0-or-later
#include "tone_fields.h"

#include "numbers.h"

#include <limits>

namespace stimmung::audio {

namespace {

// One adjuster: the step it adds and the value the field must exceed first.
struct Adjuster {
    TextBox* Form1::*field;
    double step;
    double mustExceed;
};

constexpr double kAlways = -std::numeric_limits<double>::infinity();

constexpr Adjuster kPlusF{&Form1::Text1, +10, kAlways};
constexpr Adjuster kMinusF{&Form1::Text1, -10, 10};
constexpr Adjuster kPlusT{&Form1::Text2, +10, kAlways};
constexpr Adjuster kMinusT{&Form1::Text2, -10, 9};

// A field below its threshold keeps its text as it is, letters included.
void Adjust(Form1& f, const Adjuster& a) {
    TextBox& field = *(f.*a.field);
    const double value = ReadNumber(field.Text());
    if (value > a.mustExceed) field.setText(NumberText(value + a.step));
}

} // namespace

void cmdPlusF_Click(Form1& f) { Adjust(f, kPlusF); }
void cmdMinusF_Click(Form1& f) { Adjust(f, kMinusF); }
void cmdPlusT_Click(Form1& f) { Adjust(f, kPlusT); }
void cmdMinusT_Click(Form1& f) { Adjust(f, kMinusT); }

} // namespace stimmung::audio
