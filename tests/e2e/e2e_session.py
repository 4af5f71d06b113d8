# SPDX-License-Identifier: GPL-3.0-or-later
"""A private desktop for one end-to-end case: a virtual X display, a D-Bus
session with the accessibility bus, a sound server (PulseAudio or PipeWire,
see sound_server.py) whose default sink is a null sink recorded by parec, and
the real program started inside it with one of SDL's sound drivers.

Every process is started in its own process group and with a parent-death
signal, and the session ends them all (group by group, TERM then KILL) when it
is closed, also when the case fails, the runner is interrupted (TERM, HUP,
INT, the case's deadline) or exits without closing it (atexit). Nothing is
written outside the session's temporary folder and the artifacts folder.
"""

import atexit
import os
import shutil
import signal
import subprocess
import tempfile
import time

import sound_server
from sound_capture import SoundCapture
from sound_server import SessionError, quiet, until
from stall_witness import StallWitness

# The form's interior height in pixels (8640 twips at 15 a pixel).
CLIENT_HEIGHT = 8640 // 15

WINDOW_TITLE = "Pythagoreische Stimmung und andere"
FIRST_DISPLAY = 100
LAST_DISPLAY = 199


def _interrupted(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}")


class Session:
    def __init__(self, app_path, artifacts, server="pulseaudio", driver="pulseaudio", neighbour_ms=0):
        self.app_path = app_path
        self.artifacts = artifacts
        self.server = server
        self.driver = driver  # SDL's sound driver for the program; "own": none set
        self.neighbour_ms = neighbour_ms  # another client's latency, 0 for none
        self.tmp = None
        self.display = None
        self.env = None
        self.capture = None
        self.witness = None
        self.app = None
        self.procs = None

    # -- life cycle --------------------------------------------------------

    def __enter__(self):
        for signum in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            signal.signal(signum, _interrupted)
        os.makedirs(self.artifacts, exist_ok=True)
        atexit.register(self.close)
        self.tmp = tempfile.mkdtemp(prefix="stimmung-e2e-")
        self.procs = sound_server.Processes(self.artifacts)
        try:
            self._start_display()
            sound_server.start_dbus(self.procs, self.env)
            self._start_accessibility_bus()
            sound_server.start(self.server, self.procs, self.env)
            self.capture = SoundCapture(self._spawn_capture())
            self.capture.wait_for_stream()
            if self.neighbour_ms:
                self._spawn_neighbour()
            self.witness = StallWitness(lambda name, argv: self._spawn(name, argv, stdout=subprocess.PIPE))
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        if self.capture:
            self.capture.stop()
        if self.procs:
            self.procs.close()
        if self.tmp:
            shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None

    # -- starting processes ------------------------------------------------

    def _spawn(self, name, argv, env=None, pass_fds=(), stdout=None):
        return self.procs.spawn(name, argv, env if env is not None else self.env, pass_fds, stdout)

    def _start_display(self):
        for number in range(FIRST_DISPLAY, LAST_DISPLAY + 1):
            if os.path.exists(f"/tmp/.X{number}-lock") or os.path.exists(f"/tmp/.X11-unix/X{number}"):
                continue
            r, w = os.pipe()
            proc = self._spawn(
                "xvfb",
                ["Xvfb", f":{number}", "-screen", "0", "1280x720x24", "-nolisten", "tcp",
                 "-displayfd", str(w)],
                env=dict(os.environ),
                pass_fds=(w,),
            )
            os.close(w)
            try:
                self.display = ":" + sound_server.read_line(r, proc, "Xvfb")
                break
            except SessionError:
                self.procs.forget("xvfb", proc)
        else:
            raise SessionError("no free X display from :100 to :199")
        self.env = sound_server.private_env(self.tmp)
        self.env["DISPLAY"] = self.display

    def _start_accessibility_bus(self):
        self._spawn("atspi", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        until(lambda: quiet(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                             "/org/a11y/bus", "org.a11y.Bus.GetAddress"], self.env),
              "the accessibility bus")

    def _spawn_capture(self):
        # The capture asks for more latency than the program's stream, so that
        # the program's own request, not the recorder's, sets how often the
        # server has to be fed (a server runs at the smallest latency asked).
        return self._spawn("parec", [
            "parec", "-d", f"{sound_server.SINK}.monitor", "--format=s16le", f"--rate={sound_server.RATE}",
            "--channels=1", "--latency-msec=30"], stdout=subprocess.PIPE)

    def _spawn_neighbour(self):
        # Another program that asks the server for a short latency: the
        # graph may run a shorter cycle than the program's own.
        return self._spawn("neighbour", [
            "parec", "-d", f"{sound_server.SINK}.monitor", "--raw", f"--latency-msec={self.neighbour_ms}"],
            stdout=subprocess.DEVNULL)

    def stalls(self):
        """The machine's stalls witnessed so far, as capture spans (ms)."""
        return self.witness.spans(self.capture.ms_at)

    # -- the program -------------------------------------------------------

    def start_app(self, sound=True):
        """The program in the session; with `sound` False it finds no sound
        server at all (its addresses lead nowhere) and no other device."""
        env = dict(self.env)
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "SDL_AUDIODRIVER": self.driver,
        })
        if self.driver == "own":
            env.pop("SDL_AUDIODRIVER", None)
        if not sound:
            nowhere = os.path.join(self.tmp, "no-sound-server")
            env["PULSE_SERVER"] = "unix:" + nowhere
            env["PIPEWIRE_REMOTE"] = nowhere
            env.pop("SDL_AUDIODRIVER", None)
        proc = self._spawn("stimmung", [self.app_path], env=env)
        self.app = App(self, proc)
        self.app.wait_for_window()
        return self.app

    def spawn_helper(self, name, argv):
        """Another program in the session (a window over the program's, say),
        ended with the session unless `end_helper` ends it before."""
        return self._spawn(name, argv)

    def end_helper(self, name, proc):
        self.procs.end(name, proc)

    def kill_sound_server(self):
        """Kills the sound server at once (KILL, no goodbye to its clients);
        the capture ends with it."""
        sound_server.kill(self.server, self.procs)

    def run(self, argv, timeout=10):
        """A short helper command inside the session (xdotool, import)."""
        return subprocess.run(argv, env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
                              timeout=timeout, check=True).stdout


class App:
    def __init__(self, session, proc):
        self.session = session
        self.proc = proc
        self.window = None
        self.origin = (0, 0)
        self.size = (0, 0)

    def wait_for_window(self, timeout=20.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.proc.poll() is not None:
                raise SessionError(f"the program ended at start with status {self.proc.returncode}")
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{WINDOW_TITLE}$"],
                                   env=self.session.env, capture_output=True, stdin=subprocess.DEVNULL)
            ids = found.stdout.split()
            if ids:
                self.window = ids[0].decode()
                geometry = self.session.run(["xdotool", "getwindowgeometry", "--shell", self.window]).decode()
                values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
                # The menu bar sits above the client area, which keeps its
                # layout height (at 100 %): the client area is the lower part.
                height = int(values["HEIGHT"])
                menu = max(0, height - CLIENT_HEIGHT)
                self.origin = (int(values["X"]), int(values["Y"]) + menu)
                self.size = (int(values["WIDTH"]), height - menu)
                return
            time.sleep(0.1)
        raise SessionError("the window did not appear")

    def running(self):
        return self.proc.poll() is None

    def wait_for_end(self, timeout):
        """The exit status, or None if the program is still running."""
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
