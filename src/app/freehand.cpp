// SPDX-License-Identifier: GPL-3.0-or-later
#include "freehand.h"

#include "app_bindings.h"
#include "help_texts.h"
#include "numbers.h"
#include "play_tone.h"
#include "readout_text.h"

namespace stimmung::app {

namespace {
// Presses and releases over the output area, counted. A quick click has its
// release already waiting when the press is handled; the press lets it run
// first and must then not leave on a marking whose button is up again, nor
// overrule a newer press that ran meanwhile.
struct ButtonCounts {
    unsigned presses = 0;
    unsigned releases = 0;
} seen;
} // namespace

void picAusgabe_MouseDown(Form1& f, int Button, float X, float) {
    f.picAusgabe->DrawWidth = 2;
    const unsigned thisPress = ++seen.presses;
    const unsigned releasesBefore = seen.releases;
    ProcessPendingEvents();
    if (Button == kLeftButton) {
        // Read anew: the waiting events may have changed the fields.
        const double base = BaseFrequency(f);
        const auto duration = NearestInteger(ToneDuration(f));
        audio::PlayTone(NearestInteger(double(X) * base), duration);
    } else if (seen.presses == thisPress) {
        f.optZeichne->setValue(true);
        // Released meanwhile: end the marking as a slower click would have.
        if (seen.releases != releasesBefore) f.optZeichne->setValue(false);
    }
}

void picAusgabe_MouseMove(Form1& f, int, float X, float Y) {
    f.Text3->setText(ReadoutText(X, BaseFrequency(f), ReadoutRatio::Single));
    // Pointer moves come far more often than the screen refreshes: rewriting
    // the same help text would repaint the whole wide help line every time.
    if (f.txtHilfe->Text() != kOutputAreaHelp) f.txtHilfe->setText(kOutputAreaHelp);
    if (f.optZeichne->Value()) f.picAusgabe->PSet(X, Y);
}

void picAusgabe_MouseUp(Form1& f) {
    ++seen.releases;
    f.optZeichne->setValue(false);
}

void Picture1_Click(Form1& f, int Index) {
    if (Index < 0 || Index >= int(f.Picture1.size())) return;
    OutputArea& pic = *f.picAusgabe;
    pic.ForeColor = f.Picture1[Index]->BackColor();
    constexpr int kWhiteSwatch = 3; // a wide eraser
    pic.DrawWidth = Index == kWhiteSwatch ? 10 : 2;
}

namespace {
const EventBinding kFreehand[] = {
    {"picAusgabe", Event::MouseDown, picAusgabe_MouseDown},
    {"picAusgabe", Event::MouseMove, picAusgabe_MouseMove},
    {"picAusgabe", Event::MouseUp, picAusgabe_MouseUp},
    {"Picture1", Event::Click, Picture1_Click},
};
} // namespace

std::span<const EventBinding> FreehandBindings() { return kFreehand; }

} // namespace stimmung::app
