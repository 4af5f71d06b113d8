// SPDX-License-Identifier: GPL-3.0-or-later
// Watches an X display from outside for the next top-level window: the moment
// it is mapped and the moment its first frame is on the screen. The programs
// measured need no hook for it. First frame: the four corner pixels of the
// client area (3 px inset, window face colour in both programs) are no longer
// the black of the root window, which an unpainted window still shows.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <string>

namespace bench {

using Clock = std::chrono::steady_clock;

class FirstFrameWatch {
public:
    explicit FirstFrameWatch(const std::string& display);
    ~FirstFrameWatch();
    FirstFrameWatch(const FirstFrameWatch&) = delete;
    FirstFrameWatch& operator=(const FirstFrameWatch&) = delete;

    bool connected() const { return connection_ != nullptr; }

    // Forgets the events of earlier windows (their unmapping and destruction).
    void drain();

    struct Shown {
        bool ok = false;
        xcb_window_t window = 0;
        int width = 0, height = 0; // px
        Clock::time_point mapped, painted;
    };
    // Waits for the next top-level window of at least 200 x 100 px to be
    // mapped and painted, until `deadline`.
    Shown next(Clock::time_point deadline);

    // Asks the window to close as the window manager's close button would
    // (WM_DELETE_WINDOW).
    void requestClose(xcb_window_t window);

private:
    bool waitEvent(Clock::time_point deadline);
    bool painted(xcb_window_t window, int width, int height);
    xcb_atom_t atom(const char* name);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
};

} // namespace bench
