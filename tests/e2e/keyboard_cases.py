# SPDX-License-Identifier: GPL-3.0-or-later
"""The window from the keyboard, as a screen reader user meets it: the Tab
key moves the focus through every control in the layout's tab order, and each
control is announced under its own name and role.
"""

import time

import layout

# Qt reports a radio button without exclusive group under either role.
SAME_ROLES = {"check box": "radio button"}


def _focus_after(case, previous, timeout=3.0):
    """The focused node once it differs from `previous` (None if it stays)."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        now = case.fields.focused()
        if now is not None and now != previous:
            return now
        time.sleep(0.05)
    return None


def _spoken(node):
    role, name, _box = node
    return SAME_ROLES.get(role, role), name


def tab_order(case):
    app = case.start()
    case.session.run(["xdotool", "windowfocus", "--sync", app.window])
    expected = [(role, name) for _control, _index, name, role in layout.TAB_ORDER]
    start = case.fields.focused()
    if start is None:
        case.input.key("Tab")
        start = _focus_after(case, None)
    case.check(start is not None, "a control has the keyboard focus once the window has it")
    if start is None:
        return
    case.equal(_spoken(start), expected[0], "the window opens with the focus on the first of the tab order")
    if _spoken(start) not in expected:
        return
    at = expected.index(_spoken(start))
    visited, node = [], start
    for step in range(len(expected)):
        case.input.key("Tab")
        node = _focus_after(case, node)
        want = expected[(at + step + 1) % len(expected)]
        got = _spoken(node) if node else None
        visited.append(got)
        if not case.equal(got, want, f"Tab {step + 1}: the focus is on"):
            break
    case.equal(len(set(visited)), len(expected), "controls visited once each in one round of Tab")
