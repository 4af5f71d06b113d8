// SPDX-License-Identifier: GPL-3.0-or-later
#include "markers_bindings.h"

#include "marker_presets.h"
#include "note_markers.h"

namespace stimmung::markers {

namespace {

const EventBinding kMarkers[] = {
    {"optNote", Event::MouseDown, optNote_MouseDown},
    {"hscNote", Event::Change, hscNote_Change},
    {"hscNote", Event::Scroll, hscNote_Scroll},
    {"cmdPythagorasstimmung", Event::Click, cmdPythagorasstimmung_Click},
    {"cmdGeometrisch", Event::Click, cmdGeometrisch_Click},
    {"cmdLinear", Event::Click, cmdLinear_Click},
    {"cmdRausnehmen", Event::Click, cmdRausnehmen_Click},
};

} // namespace

std::span<const EventBinding> Bindings() { return kMarkers; }

} // namespace stimmung::markers
