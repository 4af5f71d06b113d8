#include "markers_bindings.h"

#include "marker_presets.h"
#include "note_markers.h"

namespace stimmung::markers {

namespace {

// Each row forwards to the handler named after control and event.
template <void (*Handler)(Form1&)>
void Forward(Form1& f, const EventArgs&) {
    Handler(f);
}

// Only the option button's index is used; every mouse button selects.
void ForwardSelection(Form1& f, const EventArgs& args) { optNote_MouseDown(f, args.Index); }

const EventBinding kMarkers[] = {
    {"optNote", Event::MouseDown, ForwardSelection},
    {"hscNote", Event::Change, Forward<hscNote_Change>},
    {"hscNote", Event::Scroll, Forward<hscNote_Scroll>},
    {"cmdPythagorasstimmung", Event::Click, Forward<cmdPythagorasstimmung_Click>},
    {"cmdGeometrisch", Event::Click, Forward<cmdGeometrisch_Click>},
    {"cmdLinear", Event::Click, Forward<cmdLinear_Click>},
    {"cmdRausnehmen", Event::Click, Forward<cmdRausnehmen_Click>},
};

} // namespace

std::span<const EventBinding> Bindings() { return kMarkers; }

} // namespace stimmung::markers
