"""What the program must sound and show, computed the way the program
computes it (double precision, single-precision marker ratios, rounding of
tone requests to the nearest integer with halves to even), and the
comparison of captured tones with expected ones.
"""

import math
import struct
from dataclasses import dataclass

FREQUENCY_TOLERANCE_HZ = 1.0
DURATION_TOLERANCE_MS = 5.0
# Tones the program requests back to back may be parted by the sound
# engine's fades, no more.
BACK_TO_BACK_GAP_MS = 10.0

PYTHAGORAS = [(1, 1), (9, 8), (81, 64), (4, 3), (3, 2), (27, 16), (243, 128), (2, 1)]
DIDYMOS = [(1, 1), (9, 8), (5, 4), (4, 3), (3, 2), (5, 3), (15, 8), (2, 1)]
TEMPERED = [1, 1.122, 1.259, 1.334, 1.497, 1.681, 1.887, 2]

INITIAL_MELODY = ("c2 d2 c2 f2 e2 d4 c2 e2 e2 e2 a2 g2 f4 e2 e2 e2 e2 f2 e2 d6 c2 d2 c2 f2 e2 d4 c2 e2 e2 e2 "
                  "a2 g2 f4 e2 e2 e2 e2 f2 e2 d2 d2 c2")
PARKED_MARKERS = [0.92 + i / 100 for i in range(6)]
PYTHAGORAS_PRESET = [9 / 8, 81 / 64, 4 / 3, 3 / 2, 27 / 16, 243 / 128]


def nearest_integer(x):
    """Python's round() goes to the even integer at halves, as the program does."""
    return int(round(x))


def single(x):
    return struct.unpack("<f", struct.pack("<f", x))[0]


def number_text(x, digits=15):
    """A number as the program writes it into a field: a blank or a minus
    sign, no zero before the point, no trailing zeros."""
    sign = "-" if x < 0 else " "
    text = format(abs(x), f".{digits}g")
    if text.startswith("0."):
        text = text[1:]
    return sign + text


@dataclass
class Expected:
    frequency_hz: int
    duration_ms: int
    back_to_back: bool = True  # follows the tone before without a pause


def scale(base, dur, ratios):
    """A fixed-scale player: fractions as base * a / b, decimals as base * c,
    the octave as base + base."""
    tones = []
    for r in ratios:
        if isinstance(r, tuple):
            a, b = r
            f = base + base if (a, b) == (2, 1) else (base if a == b else base * a / b)
        else:
            f = base + base if r == 2 else base * r
        tones.append(Expected(nearest_integer(f), nearest_integer(dur)))
    tones[0].back_to_back = False
    return tones


def equal_division(base, dur, n):
    """All N + 1 steps of the equal division, the ratio a running product."""
    q = math.exp(math.log(2) / n)
    tones = [Expected(nearest_integer(base), nearest_integer(dur), False)]
    x = q
    for _ in range(n):
        tones.append(Expected(nearest_integer(base * x), nearest_integer(dur)))
        x *= q
    return tones


def melody(text, base, dur, markers):
    """The melody player: three-character cells, letter and eighths; c the
    base tone, d to h the markers (single precision)."""
    letters = {"c": 1.0, **{ch: single(markers[i]) for i, ch in enumerate("defgah")}}
    cells = int(len(text) / 3 + 1)
    ratio = 0.0
    tones = []
    for i in range(cells):
        letter = text[3 * i: 3 * i + 1]
        length = text[3 * i + 1: 3 * i + 2]
        eighths = int(length) if length.isdigit() else 0
        ratio = letters.get(letter, ratio) if letter else ratio
        tones.append(Expected(nearest_integer(base * ratio), nearest_integer(eighths * dur)))
    tones[0].back_to_back = False
    return tones


def keys(base, dur, markers):
    """The eight keys: base, the six markers, the octave."""
    freqs = [base] + [base * single(m) for m in markers] + [base + base]
    tones = [Expected(nearest_integer(f), nearest_integer(dur)) for f in freqs]
    tones[0].back_to_back = False
    return tones


def readout(ratio, base):
    """The readout field for a ratio (cut to three decimals) and its frequency (cut to Hz)."""
    return (number_text(math.floor(ratio * 1000) / 1000) + "  entspricht  "
            + number_text(math.floor(ratio * base)) + " Hz")


def readout_single(x, base):
    """The readout of the output area for the pointer at ratio x (single
    precision): the ratio cut to three decimals, kept in single precision."""
    return (number_text(single(math.floor(x * 1000) / 1000), 7) + "  entspricht  "
            + number_text(math.floor(x * base)) + " Hz")


def compare_tones(found, expected):
    """Problems found, as text lines; empty when the capture fits."""
    problems = []
    if len(found) != len(expected):
        problems.append(f"{len(found)} tones captured, {len(expected)} expected")
    for i, (got, want) in enumerate(zip(found, expected)):
        where = f"tone {i + 1}: captured {got}, expected {want.frequency_hz} Hz {want.duration_ms} ms"
        if abs(got.frequency_hz - want.frequency_hz) > FREQUENCY_TOLERANCE_HZ:
            problems.append(where + " (frequency)")
        if abs(got.duration_ms - want.duration_ms) > DURATION_TOLERANCE_MS:
            problems.append(where + " (duration)")
        if i > 0 and want.back_to_back:
            gap = got.start_ms - found[i - 1].end_ms
            if gap > BACK_TO_BACK_GAP_MS:
                problems.append(where + f" (gap of {gap:.1f} ms before it)")
    return problems


def figures(found):
    """Largest deviations, for the log."""
    if not found:
        return "no tones"
    gaps = [b.start_ms - a.end_ms for a, b in zip(found, found[1:])]
    return f"{len(found)} tones, gaps {min(gaps, default=0):.1f} to {max(gaps, default=0):.1f} ms"
