# SPDX-License-Identifier: GPL-3.0-or-later
"""A private sound server in a folder of its own: PulseAudio, or PipeWire with
WirePlumber and pipewire-pulse, whose default sink is a mono null sink `cap`
at 48000 Hz that parec can record from `cap.monitor`. Everything it reads and
writes (sockets, configuration, state) lies under that folder, so a user's own
desktop, sound server and devices stay untouched; the null sink keeps time by
the machine's clock, as a sound card would.

Processes are started in process groups of their own with a parent-death
signal and ended group by group (TERM, then KILL).
"""

import os
import select
import signal
import subprocess
import time

SINK = "cap"
RATE = 48000

# Everything in the environment that would lead a program to the user's own
# desktop, sound server or buses.
FOREIGN_PREFIXES = ("QT_", "PULSE_", "PIPEWIRE_", "DBUS_", "SDL_", "XDG_", "AT_SPI", "JACK_")
FOREIGN_NAMES = ("DISPLAY", "WAYLAND_DISPLAY", "NO_AT_BRIDGE", "XAUTHORITY")

# The null sink is made by PipeWire itself from its configuration, so it is
# there before any client connects.
PIPEWIRE_NULL_SINK = f"""context.objects = [
  {{ factory = adapter
    args = {{
      factory.name     = support.null-audio-sink
      node.name        = {SINK}
      node.description = "Null sink"
      media.class      = Audio/Sink
      audio.rate       = {RATE}
      audio.channels   = 1
      audio.position   = [ MONO ]
      priority.driver  = 2000
      priority.session = 2000
      object.linger    = true
    }}
  }}
]
"""

# WirePlumber links streams to the sink; it must not look for the machine's
# own sound cards, cameras or Bluetooth devices.
WIREPLUMBER_NO_DEVICES = """alsa_monitor.enabled = false
v4l2_monitor.enabled = false
libcamera_monitor.enabled = false
"""
WIREPLUMBER_NO_BLUETOOTH = """bluez_monitor.enabled = false
"""


class SessionError(RuntimeError):
    pass


class Processes:
    """The processes of a session, each logged to `<logs>/<name>.log`."""

    def __init__(self, logs):
        self.logs = logs
        self.started = []  # (name, Popen), in starting order
        self._files = []

    def spawn(self, name, argv, env, pass_fds=(), stdout=None):
        log = open(os.path.join(self.logs, f"{name}.log"), "wb")
        self._files.append(log)
        # setpriv: the process gets TERM when its starter dies, even by KILL.
        proc = subprocess.Popen(
            ["setpriv", "--pdeathsig", "TERM", "--", *argv],
            env=env,
            stdin=subprocess.DEVNULL,
            stdout=stdout if stdout is not None else log,
            stderr=log,
            pass_fds=pass_fds,
            start_new_session=True,
        )
        self.started.append((name, proc))
        return proc

    def end(self, name, proc):
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

    def forget(self, name, proc):
        self.end(name, proc)
        self.started.remove((name, proc))

    def kill_now(self, names):
        """KILL at once, no goodbye to clients: for a server that crashes."""
        for name, proc in self.started:
            if name in names and proc.poll() is None:
                os.killpg(proc.pid, signal.SIGKILL)
        for name, proc in self.started:
            if name in names:
                proc.wait(timeout=5)

    def close(self):
        for name, proc in reversed(self.started):
            self.end(name, proc)
        self.started.clear()
        for log in self._files:
            log.close()
        self._files.clear()


def private_env(folder, base=None):
    """The environment of a session kept in `folder`: nothing of the user's
    desktop, every XDG folder inside `folder`."""
    base = os.environ if base is None else base
    env = {k: v for k, v in base.items() if not k.startswith(FOREIGN_PREFIXES) and k not in FOREIGN_NAMES}
    run = os.path.join(folder, "run")
    os.makedirs(run, mode=0o700, exist_ok=True)
    env.update({
        "XDG_RUNTIME_DIR": run,
        "XDG_CONFIG_HOME": os.path.join(folder, "config"),
        "XDG_CACHE_HOME": os.path.join(folder, "cache"),
        "XDG_STATE_HOME": os.path.join(folder, "state"),
        "XDG_DATA_HOME": os.path.join(folder, "data"),
        "PULSE_RUNTIME_PATH": os.path.join(run, "pulse"),
        "PULSE_STATE_PATH": os.path.join(folder, "pulse-state"),
    })
    return env


def read_line(fd, proc, what, timeout=15.0):
    """The first line a starting process writes to the pipe `fd`."""
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


def quiet(argv, env):
    return subprocess.run(argv, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=10).returncode == 0


def until(ready, what, timeout=15.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if ready():
            return
        time.sleep(0.05)
    raise SessionError(f"{what} did not come up within {timeout:.0f} s")


def start_dbus(procs, env):
    """A private D-Bus session, its socket in the runtime folder; its address
    is put into `env`."""
    r, w = os.pipe()
    address = "unix:path=" + os.path.join(env["XDG_RUNTIME_DIR"], "bus")
    proc = procs.spawn("dbus", ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                                f"--address={address}", f"--print-address={w}"], env, pass_fds=(w,))
    os.close(w)
    env["DBUS_SESSION_BUS_ADDRESS"] = read_line(r, proc, "dbus-daemon")


def _write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(text)


def _start_pulseaudio(procs, env):
    procs.spawn("pulseaudio", [
        "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
        "--log-target=stderr",
        f"--load=module-null-sink sink_name={SINK} rate={RATE} channels=1",
        "--load=module-native-protocol-unix",
    ], env)
    until(lambda: quiet(["pactl", "info"], env), "PulseAudio")
    subprocess.run(["pactl", "set-default-sink", SINK], env=env, check=True,
                   stdout=subprocess.DEVNULL, stdin=subprocess.DEVNULL)


def _start_pipewire(procs, env):
    """PipeWire needs the session bus in `env` (WirePlumber ends without one)."""
    config = env["XDG_CONFIG_HOME"]
    _write(os.path.join(config, "pipewire", "pipewire.conf.d", "null-sink.conf"), PIPEWIRE_NULL_SINK)
    _write(os.path.join(config, "wireplumber", "main.lua.d", "60-no-devices.lua"), WIREPLUMBER_NO_DEVICES)
    _write(os.path.join(config, "wireplumber", "bluetooth.lua.d", "60-no-bluetooth.lua"),
           WIREPLUMBER_NO_BLUETOOTH)
    procs.spawn("pipewire", ["pipewire"], env)
    until(lambda: os.path.exists(os.path.join(env["XDG_RUNTIME_DIR"], "pipewire-0")), "PipeWire")
    procs.spawn("wireplumber", ["wireplumber"], env)
    procs.spawn("pipewire-pulse", ["pipewire-pulse"], env)
    # WirePlumber has taken over once it has chosen the default sink; only
    # then are new streams linked to it.
    until(lambda: f'"name":"{SINK}"' in subprocess.run(
        ["pw-metadata", "-n", "default", "0", "default.audio.sink"], env=env, capture_output=True,
        stdin=subprocess.DEVNULL, timeout=10).stdout.decode(errors="replace"), "WirePlumber")
    until(lambda: quiet(["pactl", "info"], env), "pipewire-pulse")


# server name: (how it starts, the processes that make it up)
SERVERS = {
    "pulseaudio": (_start_pulseaudio, ("pulseaudio",)),
    "pipewire": (_start_pipewire, ("pipewire", "wireplumber", "pipewire-pulse")),
}


def start(server, procs, env):
    SERVERS[server][0](procs, env)


def kill(server, procs):
    procs.kill_now(SERVERS[server][1])
