# SPDX-License-Identifier: GPL-3.0-or-later
"""What a case works with: the session and the running program, real input,
screenshots, the fields through the accessibility interface and the captured
tones, and a list of checks. Checks do not stop the case; every failed one is
printed and the case fails at its end. A part whose handlers or sound engine
are not in the program fails too.
"""

import os
import re
import subprocess
import time

import expect
from screen import Shot
from x_input import Input


class Features:
    """The handlers and the sound engine that the program was built with,
    read from its symbol table."""

    def __init__(self, app_path):
        out = subprocess.run(["nm", "-C", app_path], capture_output=True,
                             stdin=subprocess.DEVNULL).stdout.decode(errors="replace")
        self.handlers = set(re.findall(r"::(\w+)\(stimmung::Form1&", out))
        self.sound = "SdlSoundOutput" in out
        # A stripped program tells nothing: then every case runs.
        self.known = bool(self.handlers)

    def missing(self, needs):
        if not self.known:
            return []
        return [n for n in needs if (n != "sound" and n not in self.handlers) or (n == "sound" and not self.sound)]


class Case:
    def __init__(self, session, features, tones_tool, artifacts):
        self.session = session
        self.features = features
        self.tones_tool = tones_tool
        self.artifacts = artifacts
        self.app = None
        self.input = None
        self._accessible = None
        self.failures = []
        self.checks = 0
        self.known = []  # known faults let pass
        self._shots = 0
        self._unsaved = []
        self.shot_times = []  # capture times (ms) of every screenshot

    def start(self, sound=True):
        self.app = self.session.start_app(sound)
        self.input = Input(self.session, self.app)
        self.steady_shot("start")
        return self.app

    # -- features ----------------------------------------------------------

    def available(self, part, *needs):
        missing = self.features.missing(needs)
        if missing:
            what = ", ".join("the sound engine" if m == "sound" else m for m in missing)
            return self.check(False, f"{part}: not in the program ({what})")
        return True

    # -- checks ------------------------------------------------------------

    def check(self, ok, message):
        self.checks += 1
        if ok:
            print("ok:", message)
        else:
            print("FAIL:", message)
            self.failures.append(message)
        return ok

    def equal(self, got, want, message):
        return self.check(got == want, f"{message}: {got!r}" + ("" if got == want else f", expected {want!r}"))

    # -- the fields --------------------------------------------------------

    def fields_used(self):
        return self._accessible is not None

    @property
    def fields(self):
        if self._accessible is None:
            from accessible import Accessible
            self._accessible = Accessible(self.session, self.app)
        return self._accessible

    # -- the picture -------------------------------------------------------

    def shot(self, label, save=True, later=False):
        """A screenshot, saved under the artifacts now or, with `later`, once
        the case has ended (encoding costs time that the sound may need)."""
        before = self.mark()
        shot = Shot.take(self.session, self.app.origin)
        self.shot_times.append((before, self.mark()))
        if save:
            self._shots += 1
            path = os.path.join(self.artifacts, f"{self._shots:02d}-{label}.png")
            if later:
                self._unsaved.append((path, shot))
            else:
                shot.save_png(path)
        return shot

    def save_shots(self):
        for path, shot in self._unsaved:
            shot.save_png(path)
        self._unsaved.clear()

    def steady_shot(self, label, timeout=8.0):
        """A screenshot once two in a row agree: the window has been painted."""
        deadline = time.monotonic() + timeout
        previous = self.shot(label, save=False)
        while time.monotonic() < deadline:
            time.sleep(0.2)
            shot = self.shot(label, save=False)
            if shot.pixels == previous.pixels:
                break
            previous = shot
        self._shots += 1
        previous.save_png(os.path.join(self.artifacts, f"{self._shots:02d}-{label}.png"))
        return previous

    def settle(self, seconds=0.3):
        time.sleep(seconds)

    # -- the sound ---------------------------------------------------------

    def mark(self):
        """The capture position (ms) of now."""
        return self.session.capture.ms_at(time.monotonic())

    def sounded(self, since, timeout=60.0):
        path = os.path.join(self.artifacts, "capture.raw")
        return self.session.capture.wait_for_silence(self.tones_tool, path, since, timeout=timeout)

    def all_tones(self, since=0.0):
        path = os.path.join(self.artifacts, "capture.raw")
        return self.session.capture.tones(self.tones_tool, path, since)

    def expect_tones(self, label, since, expected, timeout=60.0):
        found = self.sounded(since, timeout)
        problems, known = expect.compare_tones(found, expected, screenshots=self.shot_times,
                                               stalls=self.session.stalls())
        print(f"{label}: " + expect.figures(found))
        for note in known:
            print(f"LET PASS: {label}: {note}")
        if not problems:
            for got, want in zip(found, expected):
                print(f"    {got}   expected {want.frequency_hz} Hz {want.duration_ms} ms")
        self.check(not problems, f"{label}: {len(expected)} tones as expected" + "".join("\n    " + p for p in problems))
        return found
