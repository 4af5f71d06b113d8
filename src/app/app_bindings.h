// SPDX-License-Identifier: GPL-3.0-or-later
// The handlers of the window frame, the help line and freehand marking,
// bound to their controls by name.
#pragma once

#include "form1.h"

#include <span>

namespace stimmung::app {

std::span<const EventBinding> FrameBindings();
std::span<const EventBinding> HelpLineBindings();
std::span<const EventBinding> FreehandBindings();

} // namespace stimmung::app
