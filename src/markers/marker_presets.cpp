// SPDX-License-Identifier: GPL-3.0-or-later
#include "marker_presets.h"

#include "note_markers.h"
#include "preset_ratios.h"

namespace stimmung::markers {

void ApplyPreset(Form1& f, Preset preset) {
    const PresetRatios ratios = RatiosOf(preset);
    for (int i = 0; i < kMarkerCount; ++i) SetMarker(f, i, static_cast<float>(ratios[i]));
}

void cmdPythagorasstimmung_Click(Form1& f) { ApplyPreset(f, Preset::Pythagorean); }
void cmdGeometrisch_Click(Form1& f) { ApplyPreset(f, Preset::Geometric); }
void cmdLinear_Click(Form1& f) { ApplyPreset(f, Preset::Linear); }
void cmdRausnehmen_Click(Form1& f) { ApplyPreset(f, Preset::TakenOut); }

} // namespace stimmung::markers
