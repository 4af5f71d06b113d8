# SPDX-License-Identifier: GPL-3.0-or-later
"""A witness of the machine's own stalls while a case runs: one probe per
processor, pinned to it at a real-time priority above every sound thread
(the server's and the program's), waking every millisecond and telling
when it woke late.

A virtual machine whose host withholds its processors now and then stalls
every thread at once, the sound server's own too: its own player, alone on
an idle machine, then breaks as the program does. A break of the program's
sound within reach of a witnessed stall is the machine's; any other break
is the program's. Without a real-time priority the probes witness nothing,
since ordinary load would then look like a stall.

Run as `stall_witness.py CPU` it is one probe: it prints "ready" once it
runs as it should, then one line "<monotonic s> <late ms>" per stall.
"""

import os
import sys
import threading
import time

# A stall that begins right after a wake-up shows as a wake-up late by its
# length less one period; beside a neighbour the server's cycle is 5.3 ms,
# and a stall that long must still read above STALL_MS.
PERIOD_S = 0.001
# A probe this late means the processor was withheld: on a sound machine a
# real-time thread wakes within a fraction of a millisecond.
STALL_MS = 4.0
PRIORITY = 90  # above PipeWire's real-time threads (88) and the program's
# Marks map the runner's clock onto the capture through parec's arrivals,
# give or take some ms; breaks were seen from 21 ms before a stall's mark to
# 3 ms after it, so a reach of more than twice that, and no more: the wider
# it is, the more of a case a busy host would excuse.
REACH_MS = 50.0


def probe(cpu):
    os.sched_setaffinity(0, {cpu})
    try:
        os.sched_setscheduler(0, os.SCHED_FIFO, os.sched_param(PRIORITY))
    except PermissionError:
        print("no real-time priority", flush=True)
        return
    print("ready", flush=True)
    due = time.monotonic() + PERIOD_S
    while True:
        now = time.monotonic()
        if due > now:
            time.sleep(due - now)
        now = time.monotonic()
        late_ms = (now - due) * 1000
        if late_ms >= STALL_MS:
            print(f"{due:.4f} {late_ms:.1f}", flush=True)
        due = max(due + PERIOD_S, now + PERIOD_S / 4)


class StallWitness:
    """The probes of a session, started with `spawn(name, argv, stdout=PIPE)`."""

    def __init__(self, spawn):
        self.stalls = []  # (monotonic s, late ms)
        self.probes = 0
        self._lock = threading.Lock()
        here = os.path.abspath(__file__)
        for cpu in sorted(os.sched_getaffinity(0)):
            proc = spawn(f"stall-probe-{cpu}", [sys.executable, here, str(cpu)])
            first = proc.stdout.readline().decode().strip()
            if first != "ready":
                print(f"stall witness: the probe on processor {cpu} says {first or 'nothing'}; "
                      "no break is put down to the machine")
                continue
            self.probes += 1
            threading.Thread(target=self._read, args=(proc.stdout,), daemon=True).start()

    def _read(self, stream):
        for line in stream:
            at, late = line.split()
            with self._lock:
                self.stalls.append((float(at), float(late)))

    def summary(self):
        with self._lock:
            late = [ms for _at, ms in self.stalls]
        return (f"the machine stalled {len(late)} times (longest {max(late, default=0):.1f} ms), "
                f"as {self.probes} real-time probes saw it")

    def spans(self, ms_at):
        """The witnessed stalls as capture spans (ms), `ms_at` mapping a
        runner time onto the capture."""
        with self._lock:
            stalls = list(self.stalls)
        return [(ms_at(at), ms_at(at) + late) for at, late in stalls]


def _distance(span, first_ms, last_ms):
    return max(span[0] - last_ms, first_ms - span[1], 0.0)


def within_reach(first_ms, last_ms, spans):
    """The witnessed stall nearest to the capture span [first_ms, last_ms],
    or None when none lies within reach."""
    nearest = min(spans, key=lambda span: _distance(span, first_ms, last_ms), default=None)
    return Stall(*nearest) if nearest and _distance(nearest, first_ms, last_ms) <= REACH_MS else None


def stalled_ms_within_reach(first_ms, last_ms, spans):
    """How long the machine stalled in all, within reach of the capture span;
    a stall that several probes saw counts once."""
    total, reached = 0.0, float("-inf")
    for a, b in sorted(s for s in spans if _distance(s, first_ms, last_ms) <= REACH_MS):
        total += max(0.0, b - max(a, reached))
        reached = max(reached, b)
    return total


class Stall(tuple):
    """A witnessed stall as a capture span (ms)."""

    def __new__(cls, start_ms, end_ms):
        return super().__new__(cls, (start_ms, end_ms))

    @property
    def ms(self):
        return self[1] - self[0]

    def __str__(self):
        return f"the machine stalled for {self.ms:.1f} ms at {self[0]:.1f} ms"


if __name__ == "__main__":
    probe(int(sys.argv[1]))
