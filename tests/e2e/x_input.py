# SPDX-License-Identifier: GPL-3.0-or-later
"""Real X input for the program through xdotool: pointer moves, clicks and
drags with any button, and typing into a text field. Positions are client
pixels of the program's window.
"""

import time

import layout

LEFT, MIDDLE, RIGHT = 1, 2, 3  # X button numbers


class Input:
    def __init__(self, session, app):
        self.session = session
        self.origin = app.origin
        self._pointer = None

    def _xdo(self, *args):
        self.session.run(["xdotool", *[str(a) for a in args]])

    def move(self, x, y):
        # --sync waits for the pointer to arrive, and for ever if it is there already.
        if self._pointer != (x, y):
            self._xdo("mousemove", "--sync", self.origin[0] + x, self.origin[1] + y)
            self._pointer = (x, y)

    def click_at(self, x, y, button=LEFT):
        self.move(x, y)
        time.sleep(0.05)  # the widget sees the pointer arrive before the press
        self._xdo("click", button)

    def click(self, name, index=None, button=LEFT, fx=0.5, fy=0.5):
        self.click_at(*layout.point(name, index, fx, fy), button=button)

    def drag(self, path, button=RIGHT, step_pause=0.01):
        """Presses at the first point, moves through the others, releases at the last."""
        self.move(*path[0])
        self._xdo("mousedown", button)
        for x, y in path[1:]:
            self.move(x, y)
            time.sleep(step_pause)
        self._xdo("mouseup", button)

    def key(self, keysym):
        """One key press and release, to the window that has the X focus."""
        self._xdo("key", "--clearmodifiers", keysym)

    def park(self):
        """The pointer off the window, so that no control shows it hovering."""
        self._xdo("mousemove", "--sync", self.origin[0] + 1200, self.origin[1] + 700)
        self._pointer = None

    def replace_text(self, name, text):
        """Clicks into a text box, selects all of it and types `text`."""
        self.click(name)
        self._xdo("key", "--clearmodifiers", "ctrl+a")
        self._xdo("type", "--delay", 30, text)
