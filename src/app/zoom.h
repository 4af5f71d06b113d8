// SPDX-License-Identifier: GPL-3.0-or-later
// The zoom of the whole window: the steps from 100 to 300 %, the largest
// zoom that fits a screen, and applying one to every control (places and
// sizes from the layout table, fonts from the sizes the builder gave them).
#pragma once

#include <QSize>

namespace stimmung {
class Window;
}

namespace stimmung::app {

// The next step (100, 125, 150, 175, 200, 250, 300) above (direction +1) or
// below (-1) `percent`; at the ends the end itself. A zoom between steps goes to the neighbouring step.
int NextZoomStep(int percent, int direction);
// A saved zoom as it is used: one of the steps, else 100.
int ValidZoomStep(int percent);
// The largest whole percent at which `content` (at 100 %) fits `screen`,
// never below 100.
int FittingZoom(QSize content, QSize screen);

// Every control at `percent` of its layout size, its font scaled alike.
void ApplyZoom(Window& window, int percent);

} // namespace stimmung::app
