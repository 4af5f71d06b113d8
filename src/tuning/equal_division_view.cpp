// SPDX-License-Identifier: GPL-3.0-or-later
#include "equal_division_view.h"

#include "equal_division.h"
#include "equal_division_texts.h"
#include "just_notes.h"
#include "note_names.h"
#include "numbers.h"
#include "pythagorean_construction.h"

#include <QLocale>

namespace stimmung::tuning {

void HScroll1_Scroll(Form1& f) { f.txtWurzel->setText(StepCountText(f.HScroll1->Value())); }

void HScroll1_Change(Form1& f) {
    f.txtWurzel->setText(StepCountText(f.HScroll1->Value()));
    ShowEqualDivision(f);
}

void ShowEqualDivision(Form1& f) {
    OutputArea& pic = *f.picAusgabe;
    pic.Cls();
    cmdComplett_Click(f);
    cmdNamen_Click(f);
    // "Rein" leaves pen width 2; the tempered ticks and circles are drawn with it.
    cmdDia_Click(f);
    pic.ForeColor = kBlue;
    // N travels as the text of txtWurzel, which HScroll1_Change has just written.
    const double N = ReadNumber(f.txtWurzel->Text());
    pic.FontSize = 10;
    const std::vector<double> ticks = TickPositions(N);
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const double r = ticks[i];
        pic.Line(r, 3, r, 3.5);
        pic.CurrentX = r - 0.01;
        pic.CurrentY = 4.1;
        pic.Print(StepNumberText(static_cast<int>(i + 1)));
    }

    const TemperedErrors errors = ErrorsFor(N);
    const std::string separator = QLocale().decimalPoint().toStdString();
    TextBox* const fields[] = {f.txtTerz, f.txtQuarte, f.txtQuinte};
    for (std::size_t i = 0; i < errors.intervals.size(); ++i) {
        const IntervalError& err = errors.intervals[i];
        // Between the tick ends (3.5) and the step numbers (4.1).
        pic.Circle(err.t, 3.7, 0.01);
        fields[i]->setText(GeneralNumberText(err.e, separator));
    }
    f.txtGesamtfehler->setText(GeneralNumberText(errors.E, separator));
}

} // namespace stimmung::tuning
