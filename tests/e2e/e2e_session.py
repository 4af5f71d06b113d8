"""A private desktop for one end-to-end case: a virtual X display, a D-Bus
session with the accessibility bus, a PulseAudio daemon whose default sink is
a null sink recorded by parec, and the real program started inside it.

Every process is started in its own process group and with a parent-death
signal, and the session ends them all (group by group, TERM then KILL) when it
is closed, also when the case fails, the runner is interrupted (TERM, HUP,
INT, the case's deadline) or exits without closing it (atexit). Nothing is
written outside the session's temporary folder and the artifacts folder.
"""

import atexit
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

from sound_capture import SoundCapture

# The form's interior height in pixels (8640 twips at 15 a pixel).
CLIENT_HEIGHT = 8640 // 15

WINDOW_TITLE = "Pythagoreische Stimmung und andere"
FIRST_DISPLAY = 100
LAST_DISPLAY = 199


class SessionError(RuntimeError):
    pass


def _interrupted(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}")


class Session:
    def __init__(self, app_path, artifacts):
        self.app_path = app_path
        self.artifacts = artifacts
        self.tmp = None
        self.display = None
        self.env = None
        self.capture = None
        self.app = None
        self._procs = []  # (name, Popen), in starting order
        self._logs = []

    # -- life cycle --------------------------------------------------------

    def __enter__(self):
        for signum in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            signal.signal(signum, _interrupted)
        os.makedirs(self.artifacts, exist_ok=True)
        atexit.register(self.close)
        self.tmp = tempfile.mkdtemp(prefix="stimmung-e2e-")
        try:
            self._start_display()
            self._start_dbus()
            self._start_accessibility_bus()
            self._start_pulseaudio()
            self.capture = SoundCapture(self._spawn_capture())
            self.capture.wait_for_stream()
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
        for name, proc in reversed(self._procs):
            self._end(name, proc)
        self._procs.clear()
        for log in self._logs:
            log.close()
        self._logs.clear()
        if self.tmp:
            shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None

    def _end(self, name, proc):
        if proc.poll() is not None:
            return
        for sig, grace in ((signal.SIGTERM, 3.0), (signal.SIGKILL, 3.0)):
            try:
                os.killpg(proc.pid, sig)
            except ProcessLookupError:
                return
            try:
                proc.wait(timeout=grace)
                return
            except subprocess.TimeoutExpired:
                continue
        print(f"warning: {name} (pid {proc.pid}) did not end")

    # -- starting processes ------------------------------------------------

    def _spawn(self, name, argv, env=None, pass_fds=(), stdout=None):
        log = open(os.path.join(self.artifacts, f"{name}.log"), "wb")
        self._logs.append(log)
        # setpriv: the process gets TERM when this runner dies, even by KILL.
        proc = subprocess.Popen(
            ["setpriv", "--pdeathsig", "TERM", "--", *argv],
            env=env if env is not None else self.env,
            stdin=subprocess.DEVNULL,
            stdout=stdout if stdout is not None else log,
            stderr=log,
            pass_fds=pass_fds,
            start_new_session=True,
        )
        self._procs.append((name, proc))
        return proc

    def _read_line(self, fd, proc, what, timeout=15.0):
        deadline = time.monotonic() + timeout
        data = b""
        while b"\n" not in data:
            left = deadline - time.monotonic()
            if left <= 0 or proc.poll() is not None:
                break
            ready, _, _ = select.select([fd], [], [], min(left, 0.2))
            if ready:
                chunk = os.read(fd, 4096)
                if not chunk:
                    break
                data += chunk
        os.close(fd)
        if b"\n" not in data:
            raise SessionError(f"{what} did not start")
        return data.split(b"\n", 1)[0].decode().strip()

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
                self.display = ":" + self._read_line(r, proc, "Xvfb")
                break
            except SessionError:
                self._end("xvfb", proc)
                self._procs.remove(("xvfb", proc))
        else:
            raise SessionError("no free X display from :100 to :199")
        self.env = self._base_env()

    def _base_env(self):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("QT_", "PULSE_", "DBUS_", "SDL_", "XDG_", "AT_SPI"))
               and k not in ("DISPLAY", "WAYLAND_DISPLAY", "NO_AT_BRIDGE")}
        run = os.path.join(self.tmp, "run")
        os.makedirs(run, mode=0o700)
        env.update({
            "DISPLAY": self.display,
            "XDG_RUNTIME_DIR": run,
            "XDG_CONFIG_HOME": os.path.join(self.tmp, "config"),
            "XDG_CACHE_HOME": os.path.join(self.tmp, "cache"),
            "PULSE_RUNTIME_PATH": os.path.join(run, "pulse"),
            "PULSE_STATE_PATH": os.path.join(self.tmp, "pulse-state"),
        })
        return env

    def _start_dbus(self):
        r, w = os.pipe()
        proc = self._spawn("dbus", ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                    f"--print-address={w}"], pass_fds=(w,))
        os.close(w)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self._read_line(r, proc, "dbus-daemon")

    def _start_accessibility_bus(self):
        self._spawn("atspi", ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        self._until(lambda: self._quiet(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                         "/org/a11y/bus", "org.a11y.Bus.GetAddress"]),
                    "the accessibility bus")

    def _start_pulseaudio(self):
        self._spawn("pulseaudio", [
            "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
            "--log-target=stderr",
            "--load=module-null-sink sink_name=cap rate=48000 channels=1",
            "--load=module-native-protocol-unix",
        ])
        self._until(lambda: self._quiet(["pactl", "info"]), "PulseAudio")
        subprocess.run(["pactl", "set-default-sink", "cap"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL)

    def _spawn_capture(self):
        return self._spawn("parec", [
            "parec", "-d", "cap.monitor", "--format=s16le", "--rate=48000", "--channels=1",
            "--latency-msec=10"], stdout=subprocess.PIPE)

    def _quiet(self, argv):
        return subprocess.run(argv, env=self.env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=10).returncode == 0

    def _until(self, ready, what, timeout=15.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if ready():
                return
            time.sleep(0.1)
        raise SessionError(f"{what} did not come up within {timeout:.0f} s")

    # -- the program -------------------------------------------------------

    def start_app(self, sound=True):
        """The program in the session; with `sound` False it finds no sound
        server at all (its address leads nowhere) and no other device."""
        env = dict(self.env)
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "SDL_AUDIODRIVER": "pulseaudio",
            # The server's buffering of the program's stream: about three
            # of its 1024-frame device buffers, as a server on a sound card
            # grants (the null sink grants a single buffer, and a sound
            # thread woken late then lets it run dry); what breaks remain are
            # shown as a known fault (see expect.py).
            "PULSE_LATENCY_MSEC": "60",
        })
        if not sound:
            env["PULSE_SERVER"] = "unix:" + os.path.join(self.tmp, "no-sound-server")
            env.pop("SDL_AUDIODRIVER")
        proc = self._spawn("stimmung", [self.app_path], env=env)
        self.app = App(self, proc)
        self.app.wait_for_window()
        return self.app

    def spawn_helper(self, name, argv):
        """Another program in the session (a window over the program's, say),
        ended with the session unless `end_helper` ends it before."""
        return self._spawn(name, argv)

    def end_helper(self, name, proc):
        self._end(name, proc)

    def kill_sound_server(self):
        """Kills the sound server at once (KILL, no goodbye to its clients);
        the capture ends with it."""
        for name, proc in self._procs:
            if name == "pulseaudio" and proc.poll() is None:
                os.killpg(proc.pid, signal.SIGKILL)
                proc.wait(timeout=5)

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
