# SPDX-License-Identifier: GPL-3.0-or-later
"""The window "Intervalle und Schwebungen", opened from the menu "Hören" and
played with its defaults: the major third c–e at 360 Hz in the timbre
"Obertöne" (partials 1 to 8 at 1/n), 3 s. B, in 12 equal steps, must beat
where the fifth partial of c meets the fourth of e; A, just, must not. All is
measured from the captured sound.
"""

import os
import subprocess

from sound_capture import LOOKBACK_MS, RATE
from expect import excusing_stall
from stall_witness import within_reach

BASE_HZ = 360.0
THIRD_12 = 2 ** (4 / 12)
# Each note at 0.3 / (notes · Σ 1/n): its fundamental's amplitude, of full scale.
FUNDAMENTAL = 0.3 / (2 * sum(1 / n for n in range(1, 9)))
SECONDS = 3.0
# A shift of 0.1 Hz at 450 Hz is 0.4 cent; one of 10 % in level under 1 dB:
# neither is heard, so more than that is a fault.
FREQUENCY_TOLERANCE_HZ = 0.1
LEVEL_TOLERANCE = 0.10
# A partial stands at least 20 dB above the spectrum a few Hz beside it.
ABOVE_NEIGHBOURS = 10.0
BEAT_TOLERANCE = 0.02
DURATION_TOLERANCE_MS = 20.0
# A chord dips below the sound level only about its zero crossings (under
# 0.5 ms); a silence of 2 ms inside it is heard as a click.
BREAK_MS = 2.0
# The largest magnitude the level allows: 0.3 full scale and the server's
# rounding to 16 bits.
PEAK_LIMIT = 0.3 + 2 / 32768


def _measure(case, since, partials):
    """The first sounding after `since`, as stimmung-tones --sounding sees it."""
    case.sounded(since, timeout=20)
    path = case.session.capture.save(os.path.join(case.artifacts, "capture.raw"))
    out = subprocess.run([case.tones_tool, "--rate", str(RATE), "--sounding", str(since - LOOKBACK_MS), path,
                          *map(str, partials)], capture_output=True, stdin=subprocess.DEVNULL, timeout=60)
    text = out.stdout.decode()
    print(text, end="")
    got = {"partials": [], "breaks": []}
    for line in text.splitlines():
        key, *values = line.split("\t")
        if key in ("partial", "break"):
            got[key + "s"].append(tuple(float(v) for v in values))
        elif values:
            got[key] = values[0]
    return got


def _check_sounding(case, label, got, partials):
    if not case.check("peak" in got, f"{label}: it sounds"):
        return
    stalls = case.session.stalls()
    breaks = [(at, ms) for at, ms in got["breaks"] if ms >= BREAK_MS]
    own = []
    for at, ms in breaks:
        stall = within_reach(at, at + ms, stalls)
        if stall:
            print(f"LET PASS: {label}: a break of {ms:.2f} ms at {at:.1f} ms ({stall})")
        else:
            own.append(f"{ms:.2f} ms at {at:.1f} ms")
    longest = f"longest stretch below the sound level {float(got['longest_break_ms']):.2f} ms"
    case.check(not own, f"{label}: no break of its own inside ({', '.join(own) or longest})")
    start, end = float(got["start_ms"]), float(got["end_ms"])
    # What sounded of it: a break delays the rest of the sound or drops it.
    heard = end - start - sum(ms for _at, ms in breaks)
    off = abs(heard - SECONDS * 1000) - DURATION_TOLERANCE_MS
    stall = excusing_stall(off, start, end, stalls) if breaks and off > 0 else None
    if stall:
        print(f"LET PASS: {label}: sounds {heard:.1f} ms ({stall})")
    else:
        case.check(off <= 0, f"{label}: sounds {heard:.1f} ms")
    peak = float(got["peak"])
    case.check(peak <= PEAK_LIMIT, f"{label}: peak {peak:.4f} of full scale, at most 0.3 (nothing clipped)")
    for want, (_hz, found, amplitude, neighbours) in zip(partials, got["partials"]):
        case.check(abs(found - want) <= FREQUENCY_TOLERANCE_HZ
                   and abs(amplitude / FUNDAMENTAL - 1) <= LEVEL_TOLERANCE
                   and amplitude >= ABOVE_NEIGHBOURS * neighbours,
                   f"{label}: fundamental {want:.3f} Hz found at {found:.3f} Hz, amplitude {amplitude:.4f} "
                   f"(expected {FUNDAMENTAL:.4f}), {amplitude / max(neighbours, 1e-9):.0f} times its neighbours "
                   f"(over {float(got['unbroken_ms']):.0f} ms unbroken)")


def listening_beats(case):
    case.start()
    fields = case.fields
    case.input.click_at(*fields.centre_of("menu item", "Hören"))
    case.input.click_at(*fields.centre_of("menu item", "Intervalle und Schwebungen …"))
    play_a = fields.centre_of("push button", "A spielen")
    play_b = fields.centre_of("push button", "B spielen")
    case.steady_shot("interval-window")

    b = [BASE_HZ, BASE_HZ * THIRD_12]
    want = 4 * b[1] - 5 * b[0]  # the fourth partial of e against the fifth of c
    since = case.mark()
    case.input.click_at(*play_b)
    got = _measure(case, since, b)
    _check_sounding(case, "B (12 equal steps)", got, b)
    beat = got.get("beat_hz", "none")
    case.check(beat != "none" and abs(float(beat) / want - 1) <= BEAT_TOLERANCE,
               f"B beats at {beat} Hz, expected {want:.2f} Hz within {BEAT_TOLERANCE:.0%}")

    a = [BASE_HZ, BASE_HZ * 5 / 4]
    case.settle(0.5)
    since = case.mark()
    case.input.click_at(*play_a)
    got = _measure(case, since, a)
    _check_sounding(case, "A (just)", got, a)
    case.equal(got.get("beat_hz"), "none", "A's beat (a swell of at least 0.3 % of its mean loudness)")
