#include "tuning_bindings.h"

#include "equal_division_view.h"
#include "just_notes.h"
#include "note_names.h"
#include "pythagorean_construction.h"
#include "step_ratios.h"

namespace stimmung::tuning {

namespace {

// Each row forwards to the handler named after control and event.
template <void (*Handler)(Form1&)>
void Forward(Form1& f, const EventArgs&) {
    Handler(f);
}

const EventBinding kTuning[] = {
    {"cmd2", Event::Click, Forward<cmd2_Click>},
    {"cmd3", Event::Click, Forward<cmd3_Click>},
    {"cmd4", Event::Click, Forward<cmd4_Click>},
    {"cmd5", Event::Click, Forward<cmd5_Click>},
    {"cmd6", Event::Click, Forward<cmd6_Click>},
    {"cmd7", Event::Click, Forward<cmd7_Click>},
    {"cmdComplett", Event::Click, Forward<cmdComplett_Click>},
    {"cmdDia", Event::Click, Forward<cmdDia_Click>},
    {"cmdNamen", Event::Click, Forward<cmdNamen_Click>},
    {"cmdDiff", Event::Click, Forward<cmdDiff_Click>},
    {"cmdDidymos", Event::Click, Forward<cmdDidymos_Click>},
    {"HScroll1", Event::Scroll, Forward<HScroll1_Scroll>},
    {"HScroll1", Event::Change, Forward<HScroll1_Change>},
};

} // namespace

std::span<const EventBinding> Bindings() { return kTuning; }

} // namespace stimmung::tuning
