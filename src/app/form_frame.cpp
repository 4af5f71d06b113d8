// SPDX-License-Identifier: GPL-3.0-or-later
#include "form_frame.h"

#include "app_bindings.h"
#include "marker_presets.h"
#include "note_markers.h"
#include "program_end.h"
#include "ratio_axis.h"

#include <QCoreApplication>

namespace stimmung::app {

void DrawAxis(Form1& f) {
    DrawAxisLines(*f.picAusgabe);
    DrawAxisLabels(*f.picAusgabe);
}

void Form_Load(Form1& f) {
    DrawAxis(f);
    // The six note markers wait left of the base tone, in red.
    markers::ApplyPreset(f, markers::Preset::StartUp);
    for (int i = 0; i < markers::kMarkerCount; ++i) {
        f.lblNote[i]->setForeColor(kRed);
        f.Line2[i]->setBorderColor(kRed);
    }
}

void cmdClear_Click(Form1& f) {
    OutputArea& pic = *f.picAusgabe;
    pic.Cls();
    pic.ForeColor = kBlack;
    pic.FontSize = kStartFontSize;
    DrawAxis(f);
    pic.DrawWidth = 4;
}

void cmdEnde_Click(Form1&) {
    // Ends at once: every tone and wait from now on returns immediately, a
    // melody that let this click in stops at its next step, and the event
    // loop ends. Nothing is saved.
    RequestEnd();
    QCoreApplication::quit();
}

namespace {
const EventBinding kFrame[] = {
    {"cmdClear", Event::Click, cmdClear_Click},
    {"cmdEnde", Event::Click, cmdEnde_Click},
};
} // namespace

std::span<const EventBinding> FrameBindings() { return kFrame; }

} // namespace stimmung::app
