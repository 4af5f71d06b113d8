// SPDX-License-Identifier: GPL-3.0-or-later
// Ending the program. "Programm beenden" and closing the window ask for the
// end; from then on every tone and wait returns at once and the handlers that
// are still running (a melody that let the click in) stop at their next step,
// so the event loop ends cleanly. Plain C++, no Qt.
#pragma once

namespace stimmung {

void RequestEnd();
bool EndRequested();
// For tests that run several windows in one process.
void ResetEndRequest();

} // namespace stimmung
