// SPDX-License-Identifier: GPL-3.0-or-later
// The events a control reports to its handler, and what the handler receives.
#pragma once

#include <functional>

namespace stimmung {

enum class Event { Click, MouseDown, MouseMove, MouseUp, Change, Scroll };

// Mouse-button codes as the handlers know them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
// Modifier bits of Shift.
inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

struct EventArgs {
    int Index = -1; // index in the control array, -1 for a single control
    int Button = 0; // button code for mouse events (see above)
    int Shift = 0;  // modifier bits
    float X = 0;    // pointer position in the container's scale units
    float Y = 0;    // (user coordinates for the output area, twips elsewhere)
};

using EventHandler = std::function<void(const EventArgs&)>;

} // namespace stimmung
