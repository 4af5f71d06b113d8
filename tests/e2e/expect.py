# SPDX-License-Identifier: GPL-3.0-or-later
"""What the program must sound and show, computed the way the program
computes it (double precision, single-precision marker ratios, rounding of
tone requests to the nearest integer with halves to even), and the
comparison of captured tones with expected ones.
"""

import math
import struct
from dataclasses import dataclass

from stall_witness import stalled_ms_within_reach, within_reach

FREQUENCY_TOLERANCE_HZ = 1.0
DURATION_TOLERANCE_MS = 5.0
# Tones the program requests back to back may be parted by the sound
# engine's fades, no more.
BACK_TO_BACK_GAP_MS = 10.0
# The melody player lets waiting window events run before each note
# (repaints of the keys and the help line), which may eat up the engine's
# lead and part two notes by a little more, the more so on a busy machine.
MELODY_GAP_MS = 40.0
# The longest cycle the program asks of a sound server (512 frames).
SERVER_CYCLE_MS = 512 / 48
# A screenshot holds up the X server, and with it the program's repaints:
# a gap that begins within this time after a screenshot is not counted.
SCREENSHOT_HOLD_MS = 700.0

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
    gap_ms: float = BACK_TO_BACK_GAP_MS  # the longest pause allowed before it, if back to back


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
        tones.append(Expected(nearest_integer(base * ratio), nearest_integer(eighths * dur), True, MELODY_GAP_MS))
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


# A piece this short holds two or three periods: its pitch cannot be read.
UNREADABLE_MS = 10.0
# A piece between two breaks is marred at both edges, so its pitch reads a
# little off, the more the shorter it is; the notes of these cases lie 3.7 %
# apart and more.
MARRED_MS = 50.0
MARRED_PITCH = 0.02


def _fragment(piece, end_ms, want):
    """A few ms of a tone between breaks, too short (and too marred by the
    jumps of phase at its edges) for its pitch to be read exactly. At a
    short server cycle a break may last a cycle or two, so a piece too short
    to read counts whatever the break before it; the caller has checked
    that the tone is still short of its length."""
    off = abs(piece.frequency_hz / want.frequency_hz - 1)
    if piece.duration_ms < UNREADABLE_MS or (piece.duration_ms < MARRED_MS and off < MARRED_PITCH):
        return True
    return piece.duration_ms < 20 and piece.start_ms - end_ms < 5 and off < 0.06


def _leading_fragment(found, i, want):
    """Whether found[i] is what a break left of a tone's first ms: too short
    to read, and the tone itself follows at once."""
    return (i + 1 < len(found) and found[i].duration_ms < UNREADABLE_MS
            and found[i + 1].start_ms - found[i].end_ms < 10
            and abs(found[i + 1].frequency_hz - want.frequency_hz) <= FREQUENCY_TOLERANCE_HZ)


def join_interruptions(found, expected):
    """Joins the pieces of a tone that short breaks of silence split (the
    sound path running dry for a few ms), where the expected row asks for one
    longer tone of that pitch, so that a break is named as one. Returns the
    joined tones and the breaks as (capture time, length), both in ms."""
    joined, breaks = [], []
    i = 0
    for want in expected:
        if i >= len(found):
            break
        first = found[i]
        end, heard = first.end_ms, first.duration_ms
        i += 1
        if _leading_fragment(found, i - 1, want):
            breaks.append((end, found[i].start_ms - end))
            first = type(first)(first.start_ms, first.end_ms, found[i].frequency_hz, found[i].level)
            end, heard = found[i].end_ms, heard + found[i].duration_ms
            i += 1
        if abs(first.frequency_hz - want.frequency_hz) <= FREQUENCY_TOLERANCE_HZ:
            # A tone's pieces add up to no more than the tone: a whole next
            # note of the same pitch is not one of them.
            while (i < len(found) and found[i].start_ms - end < 50
                   and heard < want.duration_ms - DURATION_TOLERANCE_MS
                   and heard + found[i].duration_ms <= want.duration_ms + DURATION_TOLERANCE_MS
                   and (abs(found[i].frequency_hz - want.frequency_hz) <= FREQUENCY_TOLERANCE_HZ
                        or _fragment(found[i], end, want))):
                breaks.append((end, found[i].start_ms - end))
                end, heard = found[i].end_ms, heard + found[i].duration_ms
                i += 1
        joined.append(type(first)(first.start_ms, end, first.frequency_hz, first.level))
    return joined + list(found[i:]), breaks


def excusing_stall(off_ms, first_ms, last_ms, stalls):
    """The stall that excuses a tone sounding [first_ms, last_ms] of the
    capture for being `off_ms` too long or too short, or None. Stalls move a
    tone's edges by their own length and one cycle of the server at most."""
    stall = within_reach(first_ms, last_ms, stalls)
    if stall and off_ms <= stalled_ms_within_reach(first_ms, last_ms, stalls) + SERVER_CYCLE_MS:
        return stall
    return None


def compare_tones(found, expected, shown=12, screenshots=(), stalls=(), cut_short=False):
    """Problems found, as text lines, and notes on what was let pass; both
    empty when the capture fits. `screenshots` are (start, end) capture
    times (ms) of screenshots taken while the sound ran, `stalls` those of
    the machine's stalls (see stall_witness.py). Every break of the sound
    inside a tone is a problem, and so is a tone too long or too short,
    unless the machine stalled at that time. With `cut_short` the capture
    may end before the expected tones do."""
    problems, known = [], []
    found, breaks = join_interruptions(found, expected)
    if cut_short:
        expected = expected[:len(found)]
    own = []
    for at, ms in breaks:
        stall = within_reach(at, at + ms, stalls)
        if stall:
            known.append(f"break of {ms:.1f} ms at {at:.1f} ms ({stall}: let pass)")
        else:
            own.append(ms)
    if own:
        problems.append(f"the sound broke off inside tones {len(own)} times, for {min(own):.1f} to "
                        f"{max(own):.1f} ms (the sound path ran dry)")
    if len(found) != len(expected):
        problems.append(f"{len(found)} tones captured, {len(expected)} expected")
    mismatches = []
    for i, (got, want) in enumerate(zip(found, expected)):
        where = f"tone {i + 1}: captured {got}, expected {want.frequency_hz} Hz {want.duration_ms} ms"
        wrong, excused = [], []
        if abs(got.frequency_hz - want.frequency_hz) > FREQUENCY_TOLERANCE_HZ:
            wrong.append("frequency")
        # The breaks inside a tone are judged above, each on its own; its
        # length is what sounded.
        broken = sum(ms for at, ms in breaks if got.start_ms <= at < got.end_ms)
        off = abs(got.duration_ms - broken - want.duration_ms) - DURATION_TOLERANCE_MS
        if off > 0:
            stall = excusing_stall(off, got.start_ms, got.end_ms, stalls)
            if stall:
                excused.append(f"duration, {stall}")
            else:
                wrong.append("duration")
        if i > 0 and want.back_to_back:
            gap = got.start_ms - found[i - 1].end_ms
            held = any(a <= found[i - 1].end_ms <= b + SCREENSHOT_HOLD_MS for a, b in screenshots)
            stall = within_reach(found[i - 1].end_ms, got.start_ms, stalls)
            if gap > want.gap_ms and held:
                excused.append(f"gap of {gap:.1f} ms before it, during a screenshot")
            elif gap > want.gap_ms and stall:
                excused.append(f"gap of {gap:.1f} ms before it, {stall}")
            elif gap > want.gap_ms:
                wrong.append(f"gap of {gap:.1f} ms before it")
        if wrong:
            mismatches.append(f"{where} ({', '.join(wrong + excused)})")
        elif excused:
            known.append(f"{where} ({', '.join(excused)}: let pass)")
    problems += mismatches[:shown]
    if len(mismatches) > shown:
        problems.append(f"... and {len(mismatches) - shown} more")
    return problems, known


def figures(found):
    """Largest deviations, for the log."""
    if not found:
        return "no tones"
    gaps = [b.start_ms - a.end_ms for a, b in zip(found, found[1:])]
    return f"{len(found)} tones, gaps {min(gaps, default=0):.1f} to {max(gaps, default=0):.1f} ms"
