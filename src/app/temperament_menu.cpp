// SPDX-License-Identifier: GPL-3.0-or-later
#include "temperament_menu.h"

#include "circle_of_fifths_window.h"
#include "form1.h"
#include "main_window.h"
#include "menu_bar.h"
#include "note_markers.h"
#include "offered_tunings.h"
#include "temperament_drawing.h"
#include "temperaments.h"

#include <QAction>
#include <QMenu>

namespace stimmung::app {

namespace {

// The notes the six markers stand for: d e f g a h.
constexpr int kMarkerNotes[markers::kMarkerCount] = {2, 4, 5, 7, 9, 11};

int lastChosen = -1;

NamedTuning TuningOf(const tuning::Temperament& t) {
    NamedTuning named{std::string(t.name), {}, {}};
    const auto ratios = tuning::NoteRatios(t);
    for (int k = 0; k < tuning::kNotesPerOctave; ++k) {
        named.noteNames.emplace_back(tuning::kNoteNames[k]);
        named.ratios.push_back(ratios[k]);
    }
    return named;
}

} // namespace

void ChooseTemperament(Form1& f, int Index) {
    const auto table = tuning::Temperaments();
    if (Index < 0 || Index >= static_cast<int>(table.size())) return;
    const tuning::Temperament& t = table[Index];
    const auto ratios = tuning::NoteRatios(t);
    for (int i = 0; i < markers::kMarkerCount; ++i)
        markers::SetMarker(f, i, static_cast<float>(ratios[kMarkerNotes[i]]));
    const auto notes = tuning::TemperamentNotes(t);
    DrawScaleTicks(*f.picAusgabe, notes);
    OfferedTunings::instance().offer(OfferSlot::Temperament, TuningOf(t));
    lastChosen = Index;
}

void mnuTemperament_Click(MenuFrame& frame, int Index) {
    ChooseTemperament(frame.main().form(), Index);
    if (auto* circle = frame.findChild<CircleOfFifthsWindow*>()) circle->showTemperament(Index);
}

int LastChosenTemperament() { return lastChosen; }

void AddTemperamentItems(MenuFrame& frame, QMenu& menu) {
    QAction* first = menu.actions().value(0);
    const auto table = tuning::Temperaments();
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        auto* action = new QAction(QString::fromUtf8(table[i].name.data(), table[i].name.size()), &menu);
        // Who described it and when, where that is known.
        QString origin = QString::fromUtf8(table[i].author.data(), table[i].author.size());
        if (table[i].year > 0) origin += (origin.isEmpty() ? QString() : QStringLiteral(", ")) + QString::number(table[i].year);
        action->setToolTip(origin);
        QObject::connect(action, &QAction::triggered, &frame, [&frame, i] { mnuTemperament_Click(frame, i); });
        menu.insertAction(first, action);
    }
    if (first) menu.insertSeparator(first);
    menu.setToolTipsVisible(true);
}

} // namespace stimmung::app
