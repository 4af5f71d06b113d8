# SPDX-License-Identifier: GPL-3.0-or-later
"""The program's fields as the accessibility interface shows them (AT-SPI
through Debian's python3-pyatspi): the application "Stimmung" is found on the
session's accessibility bus, its tree walked, and text boxes and scroll bars
are read by the name a screen reader announces for them (layout.ACCESSIBLE_NAMES).
One whose name is not that is still found by its place in the window, and the
miss is noted once, for the report.

Import this module only after the session's D-Bus address is in os.environ.
"""

import os
import time

import layout

ROLE_TEXT = "text"
ROLE_SCROLL_BAR = "scroll bar"
# Qt shows its radio buttons under either role, depending on their settings.
OPTION_ROLES = ("radio button", "check box")


class Accessible:
    def __init__(self, session, app):
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = session.env["DBUS_SESSION_BUS_ADDRESS"]
        os.environ["DISPLAY"] = session.env["DISPLAY"]
        import pyatspi  # reads the bus address from the environment when first used
        from gi.repository import Atspi
        # The program answers only between two notes while it plays (a note
        # may last 840 ms and more); AT-SPI gives up on a call after 0.8 s.
        Atspi.set_timeout(20000, 30000)
        self.pyatspi = pyatspi
        self.origin = app.origin
        # Controls not announced under their expected name, with the name they have.
        self.unnamed = {}
        self._nodes = None
        self.root = self._find_application()

    def _find_application(self, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            desktop = self.pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and (app.name or "").lower() == "stimmung":
                    return app
            time.sleep(0.2)
        raise RuntimeError("the application 'stimmung' is not on the accessibility bus")

    def nodes(self):
        """Every node of the window: (role, name, client rect, node). The
        window creates all its controls at start, so one walk serves the case."""
        if self._nodes is not None:
            return self._nodes
        found = []

        def walk(node):
            for i in range(node.childCount):
                child = node.getChildAtIndex(i)
                if child is None:
                    continue
                try:
                    ext = child.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
                    box = (ext.x - self.origin[0], ext.y - self.origin[1], ext.width, ext.height)
                except NotImplementedError:
                    box = None
                found.append((child.getRoleName(), child.name or "", box, child))
                walk(child)

        walk(self.root)
        self._nodes = found
        return found

    def centre_of(self, role, name, timeout=10.0):
        """The centre (client pixels) of the showing node of that role and
        name. The tree is walked anew until it appears: menus and windows
        opened after start are not in the first walk."""
        deadline = time.monotonic() + timeout
        while True:
            self._nodes = None
            for r, n, box, node in self.nodes():
                if (r, n) == (role, name) and box and box[2] > 0 \
                        and node.getState().contains(self.pyatspi.STATE_SHOWING):
                    return box[0] + box[2] // 2, box[1] + box[3] // 2
            if time.monotonic() > deadline:
                raise LookupError(f"no showing {role} '{name}' in the accessible tree")
            time.sleep(0.2)

    def _by_name_or_place(self, role, name, index=None):
        nodes = [n for n in self.nodes() if n[0] == role]
        named = [n for n in nodes if n[1] == layout.ACCESSIBLE_NAMES.get(name)]
        if len(named) == 1 and index is None:
            return named[0][3]
        x, y, _, _ = layout.rect(name, index)
        placed = [n for n in nodes if n[2] and abs(n[2][0] - x) <= 2 and abs(n[2][1] - y) <= 2]
        if not placed:
            raise LookupError(f"no {role} '{name}' in the accessible tree")
        if index is None and name not in self.unnamed:
            self.unnamed[name] = placed[0][1]
        return placed[0][3]

    def text(self, name):
        node = self._by_name_or_place(ROLE_TEXT, name)
        return node.queryText().getText(0, -1)

    def texts(self, names=layout.TEXT_BOXES):
        return {n: self.text(n) for n in names}

    def scroll_value(self, name):
        node = self._by_name_or_place(ROLE_SCROLL_BAR, name)
        return int(round(node.queryValue().currentValue))

    def focused(self):
        """The node that has the keyboard focus, as (role, name, client rect),
        or None. Only nodes that can take the focus are asked."""
        if not hasattr(self, "_focusable"):
            self._focusable = [n for n in self.nodes()
                               if n[3].getState().contains(self.pyatspi.STATE_FOCUSABLE)]
        for role, name, box, node in self._focusable:
            if node.getState().contains(self.pyatspi.STATE_FOCUSED):
                return role, name, box
        return None

    def checked(self, name, index=None):
        """Whether the option button at the place of `name`(index) is on."""
        x, y, _, _ = layout.rect(name, index)
        for role, _name, box, node in self.nodes():
            if role in OPTION_ROLES and box and abs(box[0] - x) <= 2 and abs(box[1] - y) <= 2:
                return node.getState().contains(self.pyatspi.STATE_CHECKED)
        raise LookupError(f"no option button at {name}({index})")
