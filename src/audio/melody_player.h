// SPDX-License-Identifier: GPL-3.0-or-later
// The melody player ("abspielen"): sounds txtMelodie cell by cell in the
// tuning of the note markers, marking the sounding key grey on the keyboard
// panel and showing the note in the help line. Before every note it lets
// waiting events run, so a key, a marker, a preset or a second melody can act
// between two notes, and "Programm beenden" ends the run there.
#pragma once

#include "form1.h"
#include "rgb.h"

namespace stimmung::audio {

inline constexpr Rgb kKeyUnmarked{255, 255, 255};
inline constexpr Rgb kKeyMarked{150, 150, 150};

// Returns when the tune and the closing 1000 ms wait are over, or at once
// after the next ProcessPendingEvents once the program was asked to end.
void cmdAbspielen_Click(Form1& f);

} // namespace stimmung::audio
