#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs a command against a private sound server with a null sink, started
as the end-to-end session starts it, and ends the server afterwards:
    with_sound_server.py pulseaudio|pipewire COMMAND [ARG...]
The command's environment points at the server only (its own runtime folder
and D-Bus session); of the caller's SDL settings only SDL_AUDIODRIVER is
passed on. The machine's stalls while it runs are witnessed as in the
end-to-end cases, and their count printed at the end; where the command
prints lines "capture break at <monotonic s> s for <ms> ms", each break is
held against the nearest stall and the breaks no stall explains are counted
apart. The exit status is the command's.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "tests", "e2e"))

import sound_server  # noqa: E402
from stall_witness import StallWitness, within_reach  # noqa: E402

BREAK_LINE = re.compile(r"capture break at ([0-9.]+) s for ([0-9.]+) ms")


def _interrupted(signum, _frame):
    raise KeyboardInterrupt(f"signal {signum}")


def _breaks_against_stalls(breaks, stalls):
    beside = [within_reach(at, at + ms, stalls) for at, ms in breaks]
    alone = [f"{ms:.1f} ms at {at / 1000:.4f} s" for (at, ms), stall in zip(breaks, beside) if stall is None]
    return (f"breaks in the capture {len(breaks)}: {len(breaks) - len(alone)} beside a witnessed stall, "
            f"{len(alone)} with none" + (f" ({', '.join(alone)})" if alone else ""))


def main():
    if len(sys.argv) < 3 or sys.argv[1] not in sound_server.SERVERS:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    server, command = sys.argv[1], sys.argv[2:]
    for signum in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        signal.signal(signum, _interrupted)
    folder = tempfile.mkdtemp(prefix="stimmung-sound-")
    logs = os.path.join(folder, "logs")
    os.makedirs(logs)
    procs = sound_server.Processes(logs)
    try:
        env = sound_server.private_env(folder)
        if "SDL_AUDIODRIVER" in os.environ:
            env["SDL_AUDIODRIVER"] = os.environ["SDL_AUDIODRIVER"]
        sound_server.start_dbus(procs, env)
        sound_server.start(server, procs, env)
        witness = StallWitness(lambda name, argv: procs.spawn(name, argv, env, stdout=subprocess.PIPE))
        breaks = []
        with subprocess.Popen(command, env=env, stdout=subprocess.PIPE, text=True) as proc:
            for line in proc.stdout:
                print(line, end="", flush=True)
                found = BREAK_LINE.search(line)
                if found:
                    breaks.append((float(found[1]) * 1000, float(found[2])))
        print(witness.summary(), file=sys.stderr)
        if breaks:
            print(_breaks_against_stalls(breaks, witness.spans(lambda at: at * 1000)), file=sys.stderr)
        return proc.returncode
    except sound_server.SessionError as e:
        print(f"with_sound_server: {e}", file=sys.stderr)
        for name in os.listdir(logs):
            with open(os.path.join(logs, name), errors="replace") as f:
                print(f"--- {name}\n{f.read()[-2000:]}", file=sys.stderr)
        return 2
    finally:
        procs.close()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
