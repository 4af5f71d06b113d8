// SPDX-License-Identifier: GPL-3.0-or-later
#include "melody_player.h"

#include "melody_cells.h"
#include "numbers.h"
#include "play_tone.h"
#include "program_end.h"
#include "sound_output.h"
#include "window.h"

namespace stimmung::audio {

namespace {

constexpr std::int32_t kClosingWaitMs = 1000;

void UnmarkAllKeys(Form1& f) {
    for (CommandButton* key : f.cmdTaste) key->setBackColor(kKeyUnmarked);
}

// The ratio a recognised letter stands for, read from its marker now.
double LetterRatio(const Form1& f, int key) { return key == 0 ? 1.0 : static_cast<double>(f.Line2[key - 1]->X1()); }

} // namespace

void cmdAbspielen_Click(Form1& f) {
    // The text is taken once: edits while the tune plays do not change this run.
    const std::vector<MelodyCell> cells = ReadMelodyCells(f.txtMelodie->Text());
    f.txtHilfe->setText(NumberText(static_cast<double>(cells.size())));

    // Carried from cell to cell; a cell without a recognised letter keeps it.
    double ratio = 0;
    for (const MelodyCell& cell : cells) {
        ProcessPendingEvents();
        // "Programm beenden" or closing the window was handled just now:
        // no further note, no further change to the window.
        if (EndRequested()) return;

        UnmarkAllKeys(f);
        const int key = MelodyKey(cell.letter);
        if (key >= 0) {
            ratio = LetterRatio(f, key);
            f.cmdTaste[key]->setBackColor(kKeyMarked);
        }
        f.txtHilfe->setText(MelodyHelpText(cell));
        // The user sees what sounds: the tone blocks the window from here on.
        RepaintNow(f.Picture2->widget());
        RepaintNow(f.txtHilfe->widget());

        const double base = BaseFrequency(f);
        const double eighth = ToneDuration(f);
        PlayTone(NearestInteger(base * ratio), NearestInteger(cell.eighths * eighth));
    }
    if (EndRequested()) return;
    // The last marked key stays grey through the closing wait.
    Sleep(kClosingWaitMs);
    UnmarkAllKeys(f);
}

} // namespace stimmung::audio
