// SPDX-License-Identifier: GPL-3.0-or-later
#include "tuning_bindings.h"

#include "equal_division_view.h"
#include "just_notes.h"
#include "note_names.h"
#include "pythagorean_construction.h"
#include "step_ratios.h"

namespace stimmung::tuning {

namespace {

const EventBinding kTuning[] = {
    {"cmd2", Event::Click, cmd2_Click},
    {"cmd3", Event::Click, cmd3_Click},
    {"cmd4", Event::Click, cmd4_Click},
    {"cmd5", Event::Click, cmd5_Click},
    {"cmd6", Event::Click, cmd6_Click},
    {"cmd7", Event::Click, cmd7_Click},
    {"cmdComplett", Event::Click, cmdComplett_Click},
    {"cmdDia", Event::Click, cmdDia_Click},
    {"cmdNamen", Event::Click, cmdNamen_Click},
    {"cmdDiff", Event::Click, cmdDiff_Click},
    {"cmdDidymos", Event::Click, cmdDidymos_Click},
    {"HScroll1", Event::Scroll, HScroll1_Scroll},
    {"HScroll1", Event::Change, HScroll1_Change},
};

} // namespace

std::span<const EventBinding> Bindings() { return kTuning; }

} // namespace stimmung::tuning
