# SPDX-License-Identifier: GPL-3.0-or-later
"""The sound of the session as parec records it from the null sink's monitor
(signed 16-bit, mono, 48000 Hz), read as it arrives so that every sample can be
placed on the runner's monotonic clock, and its tones as the project's tone
analysis (stimmung-tones) finds them.
"""

import array
import subprocess
import sys
import threading
import time
from dataclasses import dataclass

RATE = 48000
BYTES_PER_SAMPLE = 2
# A sample arrives at parec about this long after it was played (the server
# sends what it has as it comes, whatever latency parec asked for).
ARRIVAL_DELAY_S = 0.015
# A tone that begins up to this long before a mark still belongs to what
# follows the mark: marks map the runner's clock onto the capture through
# parec's arrivals, which a busy machine delays or bunches. Every case leaves
# at least 400 ms of silence before its next action, so no earlier tone is
# taken in.
LOOKBACK_MS = 150.0
# A sample above this magnitude (of 32768) means something sounds.
SOUND_LEVEL = 300


@dataclass
class Tone:
    start_ms: float
    end_ms: float
    frequency_hz: float
    level: float

    @property
    def duration_ms(self):
        return self.end_ms - self.start_ms

    def __str__(self):
        return f"{self.frequency_hz:8.2f} Hz {self.duration_ms:7.1f} ms at {self.start_ms:9.1f} ms"


class SoundCapture:
    def __init__(self, proc):
        self.proc = proc
        self._data = bytearray()
        self._arrivals = []  # (monotonic time, samples received so far)
        self._lock = threading.Lock()
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        stream = self.proc.stdout
        while True:
            chunk = stream.read1(8192)
            if not chunk:
                return
            now = time.monotonic()
            with self._lock:
                self._data.extend(chunk)
                self._arrivals.append((now, len(self._data) // BYTES_PER_SAMPLE))

    def wait_for_stream(self, timeout=15.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            with self._lock:
                if self._arrivals:
                    return
            time.sleep(0.05)
        raise RuntimeError("parec delivered no sound data")

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
        self._reader.join(timeout=5)

    def sample_count(self):
        with self._lock:
            return len(self._data) // BYTES_PER_SAMPLE

    def ms_at(self, monotonic):
        """The capture position (ms) of what was played at a runner time."""
        with self._lock:
            arrivals = list(self._arrivals)
        # The latest arrival before that time fixes the pace; later ones are
        # no better, since the null sink runs on its own clock.
        before = [a for a in arrivals if a[0] <= monotonic + ARRIVAL_DELAY_S] or arrivals[:1]
        t, n = before[-1]
        return (n / RATE + (monotonic + ARRIVAL_DELAY_S - t)) * 1000.0

    def save(self, path):
        with self._lock:
            data = bytes(self._data[: len(self._data) // BYTES_PER_SAMPLE * BYTES_PER_SAMPLE])
        with open(path, "wb") as f:
            f.write(data)
        return path

    def tones(self, tool, path, since_ms=0.0):
        """Every tone of the capture so far (written to `path`) from `since_ms` on."""
        self.save(path)
        out = subprocess.run([tool, "--rate", str(RATE), path], capture_output=True, check=True,
                             stdin=subprocess.DEVNULL, timeout=60).stdout.decode()
        with open(path + ".tones.tsv", "w") as f:
            f.write(out)
        found = []
        for line in out.splitlines()[1:]:
            start, end, _dur, _gap, freq, level = (float(v) for v in line.split("\t"))
            if start >= since_ms - (LOOKBACK_MS if since_ms > 0 else 0):
                found.append(Tone(start, end, freq, level))
        return found

    def _peak(self, first, last):
        """The largest magnitude of samples [first, last) (cheap: no analysis)."""
        with self._lock:
            chunk = bytes(self._data[first * BYTES_PER_SAMPLE: last * BYTES_PER_SAMPLE])
        samples = array.array("h", chunk)
        if sys.byteorder != "little":
            samples.byteswap()
        return max(map(abs, samples), default=0)

    def wait_for_silence(self, tool, path, since_ms, quiet_ms=400, timeout=60.0):
        """Waits until something has sounded after `since_ms` and then nothing
        for `quiet_ms`, and returns the tones from `since_ms` on (an empty
        list when nothing sounded before the timeout). While it waits it only
        looks at the level, so that it costs the sound little time."""
        deadline = time.monotonic() + timeout
        scanned = int(since_ms * RATE / 1000)
        heard_at = None
        while time.monotonic() < deadline:
            time.sleep(0.1)
            count = self.sample_count()
            if heard_at is None and count > scanned:
                if self._peak(scanned, count) >= SOUND_LEVEL:
                    heard_at = scanned
                scanned = count
            quiet_from = count - int(quiet_ms * RATE / 1000)
            if heard_at is not None and quiet_from > heard_at and self._peak(quiet_from, count) < SOUND_LEVEL:
                break
        return self.tones(tool, path, since_ms)
