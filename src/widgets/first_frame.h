// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a task once, right after a window's first frame is on the screen, so
// that work the first look does not need (opening the sound device) does not
// compete with building and painting the window on a machine with few cores.
#pragma once

#include <chrono>
#include <functional>

class QWidget;

namespace stimmung {

// `task` runs once from the event loop after `window` has painted for the
// first time, or after `fallback` if it never paints (a window started
// minimised or on a display that shows nothing).
void AfterFirstFrame(QWidget* window, std::function<void()> task,
                     std::chrono::milliseconds fallback = std::chrono::milliseconds(500));

} // namespace stimmung
