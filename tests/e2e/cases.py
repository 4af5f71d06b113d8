# SPDX-License-Identifier: GPL-3.0-or-later
"""The end-to-end cases. Each drives the real program with X input and checks
its picture, its fields and its sound from outside. CASES maps a case name to
the handlers it needs (and "sound" for the sound engine) and its function.
"""

import math
import time

import expect
import layout
from expect import Expected, number_text, single
from screen import BLACK, BLUE, KEY_GREY, RED, WHITE
from x_input import LEFT, RIGHT

INITIAL_TEXTS = {
    "Text1": "360",
    "Text2": "140",
    "Text3": "Text3",
    "Text4": "1000",
    "txtWurzel": "12",
    "txtTerz": "Text4",
    "txtQuinte": "Text4",
    "txtQuarte": "Text4",
    "txtGesamtfehler": "Text4",
    "txtMelodie": expect.INITIAL_MELODY,
    "txtHilfe": "Hilfe",
}
FREEHAND_HELP = "Linksklick := Ton mit angezeigter Frequenz erzeugen  /  Rechtsklick := im Feld schreiben"


# -- pictures --------------------------------------------------------------

def check_axis(case, shot, label):
    """The empty ratio axis of start-up and clearing, with the markers where they stand."""
    missing = [r for r in (0.905, 1.2, 1.5, 1.8, 2.095) if not shot.has_near(*layout.area_point(r, 3), BLACK)]
    case.check(not missing, f"{label}: the ratio axis is black along y = 3" + (f" (not at {missing})" if missing else ""))
    for ratio, name in ((1, "base-tone"), (2, "octave")):
        gaps = [y for y in (2.1, 2.5, 3.5, 4.5, 4.9) if not shot.has_near(*layout.area_point(ratio, y), BLACK)]
        case.check(not gaps, f"{label}: the {name} line is black from y = 2 to 5" + (f" (not at {gaps})" if gaps else ""))
    for ratio, text in ((0.99, "1"), (1.99, "2")):
        x, y = layout.area_point(ratio, 1)
        dark = shot.count(x, y, 18, 32, BLACK, tolerance=100)
        case.check(dark >= 15, f"{label}: the label \"{text}\" stands at ({ratio}, 1) ({dark} dark pixels)")
    for ratio, y in ((1.5, 1.5), (1.5, 4.5), (1.25, 0.5), (0.985, 4.0), (1.75, 5.5), (2.05, 4.5)):
        case.check(shot.has_near(*layout.area_point(ratio, y), WHITE, radius=0, tolerance=10),
                   f"{label}: white at ({ratio}, {y})")


def check_markers(case, shot, label, ratios):
    for i, ratio in enumerate(ratios):
        v = single(ratio)
        x, y = layout.area_point(v, 4.0)
        case.check(shot.has_near(x, y, RED, radius=1), f"{label}: marker {i} is a red line at {v:.7g} (pixel {x})")
        red = shot.count(x, layout.area_point(v, 5.45)[1], 10, 24, RED, tolerance=100)
        case.check(red >= 4, f"{label}: marker {i}'s label \"{i + 2}\" is red ({red} pixels)")


def key_colours(shot):
    """For each of the eight keys: 'grey', 'white' or the colour seen low on the key."""
    names = []
    for i in range(8):
        colour = shot.at(*layout.point("cmdTaste", i, 0.5, 0.85))
        names.append("grey" if expect_near(colour, KEY_GREY, 12) else "white" if expect_near(colour, WHITE, 12)
                     else str(colour))
    return names


def expect_near(colour, wanted, tolerance):
    return max(abs(a - b) for a, b in zip(colour, wanted)) <= tolerance


def find_thumb(shot, name):
    """The scroll bar's thumb: the longest run along its middle row that
    differs from the groove's colour (the most frequent one), arrows left out."""
    x, y, w, h = layout.rect(name)
    row = [shot.at(px, y + h // 2) for px in range(x + h + 2, x + w - h - 2)]
    groove = max(set(row), key=row.count)
    best, run_start, best_span = 0, None, None
    for i, colour in enumerate(row + [groove]):
        if not expect_near(colour, groove, 6):
            run_start = i if run_start is None else run_start
        elif run_start is not None:
            if i - run_start > best:
                best, best_span = i - run_start, (run_start, i)
            run_start = None
    if not best_span:
        raise LookupError(f"no thumb found on {name}")
    return x + h + 2 + (best_span[0] + best_span[1]) // 2, y + h // 2


# -- cases -----------------------------------------------------------------

def startup(case):
    app = case.start()
    case.equal(app.size, (1119, 576), "client area in pixels")
    shot = case.steady_shot("startup")
    check_axis(case, shot, "start-up")
    check_markers(case, shot, "start-up", expect.PARKED_MARKERS)
    for name, text in INITIAL_TEXTS.items():
        case.equal(case.fields.text(name), text, f"start-up text of {name}")
    case.check(case.fields.checked("optNote", 0), "optNote(0) is on at start-up")
    case.check(not any(case.fields.checked("optNote", i) for i in range(1, 6)) and not case.fields.checked("optZeichne"),
               "the other option buttons are off at start-up")
    since = case.mark()
    time.sleep(0.5)
    case.equal(case.all_tones(since), [], "tones at start-up")

    case.input.click("cmdClear")
    case.settle(0.5)
    cleared = case.steady_shot("cleared")
    check_axis(case, cleared, "after \"X\"")
    check_markers(case, cleared, "after \"X\"", expect.PARKED_MARKERS)
    bx, by, bw, bh = layout.rect("cmdClear")  # the button itself shows the pointer over it
    differing = sum(1 for yy in range(layout.AREA_TOP, layout.AREA_TOP + layout.AREA_HEIGHT)
                    for xx in range(layout.AREA_LEFT, layout.AREA_LEFT + layout.AREA_WIDTH)
                    if not (bx <= xx < bx + bw and by <= yy < by + bh) and shot.at(xx, yy) != cleared.at(xx, yy))
    case.check(differing < 50, f"\"X\" right after start-up leaves the picture as it was ({differing} pixels differ)")

    case.input.click("cmdEnde")
    status = app.wait_for_end(5)
    case.equal(status, 0, "exit status after \"Programm beenden\"")


def _play_scales(case, base, dur):
    players = [
        ("\" Pythagoras\"", "cmdPythagoras", expect.scale(base, dur, expect.PYTHAGORAS)),
        ("\"Didymos\"", "cmdrein", expect.scale(base, dur, expect.DIDYMOS)),
        ("\"temperiert\"", "cmdtemperiert", expect.scale(base, dur, expect.TEMPERED)),
        ("\"alle abspielen\" (N = 12)", "cmdalle", expect.equal_division(base, dur, 12)),
    ]
    for label, button, expected in players:
        since = case.mark()
        case.input.click(button)
        case.expect_tones(f"{label} at {base} Hz, {dur} ms", since, expected)


def scales_initial(case):
    case.start()
    # The frequencies as the description lists them for the initial fields.
    listed = {
        "Pythagoras": [360, 405, 456, 480, 540, 608, 683, 720],
        "Didymos": [360, 405, 450, 480, 540, 600, 675, 720],
        "temperiert": [360, 404, 453, 480, 539, 605, 679, 720],
        "alle": [360, 381, 404, 428, 454, 481, 509, 539, 571, 605, 641, 680, 720],
    }
    for name, button in (("Pythagoras", "cmdPythagoras"), ("Didymos", "cmdrein"), ("temperiert", "cmdtemperiert"),
                         ("alle", "cmdalle")):
        expected = [Expected(f, 140, i > 0) for i, f in enumerate(listed[name])]
        since = case.mark()
        case.input.click(button)
        case.expect_tones(f"\"{name}\" at the initial 360 Hz, 140 ms", since, expected)


def scales_other_base(case):
    case.start()
    case.input.replace_text("Text1", "440")
    case.input.replace_text("Text2", "100")
    case.settle()
    case.equal(case.fields.text("Text1"), "440", "typed base frequency")
    case.equal(case.fields.text("Text2"), "100", "typed duration")
    _play_scales(case, 440, 100)


def marker_key(case):
    case.start()
    fields = case.fields
    case.input.click("optNote", 2)
    case.settle()
    case.check(fields.checked("optNote", 2), "optNote(2) (caption \"4\") is on after a press")
    value = fields.scroll_value("hscNote")
    case.equal(value, 48, "hscNote follows marker 2 at 0.94")
    case.equal(fields.text("txtHilfe"), " 2", "help line shows the marker's index")
    case.equal(fields.text("Text3"), expect.readout(48 / 1200 + 0.9, 360), "readout of marker 2")

    # Drag the thumb about two thirds along: the marker follows, the fields too.
    thumb = find_thumb(case.shot("before-drag"), "hscNote")
    x, y, w, _ = layout.rect("hscNote")
    target = x + int(w * 0.55)
    path = [(px, y + 8) for px in range(thumb[0], target + 1, 12)] + [(target, y + 8)]
    path = [(thumb[0], thumb[1])] + path[1:]
    case.input.drag(path, button=LEFT)
    case.settle()
    value = fields.scroll_value("hscNote")
    case.check(300 < value < 1200, f"dragging the thumb moved hscNote to {value}")
    for _ in range(2):
        case.input.click("hscNote", fx=0.995)  # the right arrow: one unit each
        case.settle(0.15)
    value2 = fields.scroll_value("hscNote")
    case.equal(value2, value + 2, "two clicks on the right arrow")
    ratio = value2 / 1200 + 0.9
    case.equal(fields.text("Text3"), expect.readout(ratio, 360), "readout after moving marker 2")
    case.equal(fields.text("txtHilfe"), " 2", "help line after moving marker 2")
    moved = case.shot("marker-moved")
    markers = list(expect.PARKED_MARKERS)
    markers[2] = ratio
    check_markers(case, moved, "marker 2 moved", markers)
    case.check(not moved.has_near(*layout.area_point(single(0.94), 4.0), RED, radius=1),
               "marker 2 has left its parked place")

    if case.available("keys", "cmdTaste_Click", "sound"):
        since = case.mark()
        case.input.click("cmdTaste", 3, fy=0.85)
        case.expect_tones("key \"4\" plays marker 2", since,
                          [Expected(expect.nearest_integer(360 * single(ratio)), 140, False)])
    if case.available("hand-defined scale", "cmdHandlauf_Click", "sound"):
        since = case.mark()
        case.input.click("cmdHandlauf")
        case.expect_tones("\"per Hand definiert\"", since, expect.keys(360, 140, markers))


def melody_preset(case):
    case.start()
    case.input.click("cmdPythagorasstimmung")
    case.settle()
    check_markers(case, case.shot("preset"), "Pythagoras preset", expect.PYTHAGORAS_PRESET)
    expected = expect.melody(expect.INITIAL_MELODY, 360, 140, expect.PYTHAGORAS_PRESET)
    since = case.mark()
    case.input.click("cmdAbspielen")
    seen = []
    for moment in (2.0, 4.5, 7.0, 9.5):
        time.sleep(max(0.0, moment - (case.mark() - since) / 1000))
        seen.append(key_colours(case.shot(f"melody-{moment:.1f}s", later=True)))
    print("keys mid-melody:", seen)
    grey_once = [s for s in seen if s.count("grey") == 1 and s.count("white") == 7]
    case.check(bool(grey_once), "mid-melody one key is grey and the other seven white")
    case.check(all(s[7] == "white" for s in seen), "the octave key is never marked")
    case.expect_tones("initial melody after the Pythagoras preset", since, expected, timeout=40)
    time.sleep(1.5)  # the closing wait of 1000 ms, then all keys white again
    case.equal(key_colours(case.shot("melody-end")), ["white"] * 8, "keys after the melody")
    case.equal(case.fields.text("txtHilfe"), "c  2", "help line after the melody")


def _step_to_19(case):
    for _ in range(7):
        case.input.click("HScroll1", fx=0.98)  # right arrow
        time.sleep(0.15)
    case.settle(0.5)


def equal_division(case):
    case.start()
    _step_to_19(case)
    fields = case.fields
    case.equal(fields.scroll_value("HScroll1"), 19, "HScroll1 after seven steps")
    case.equal(fields.text("txtWurzel"), "19", "txtWurzel")
    for name, dotted in (("txtTerz", "1.0042"), ("txtQuarte", "1.0041"), ("txtQuinte", "1.0041")):
        text = fields.text(name)
        case.check(text in (dotted, dotted.replace(".", ",")), f"{name} at N = 19: {text!r}")
    case.equal(fields.text("txtGesamtfehler"), "124", "txtGesamtfehler at N = 19")
    shot = case.shot("N19")
    q = math.exp(math.log(2) / 19)
    r, missing = q, []
    for i in range(1, 19):
        if not shot.has_near(*layout.area_point(r, 3.3), BLUE, radius=1):
            missing.append(i)
        r *= q
    case.check(not missing, "18 blue tempered ticks below the axis" + (f" (missing {missing})" if missing else ""))
    for k, name in ((6, "third"), (8, "fourth"), (11, "fifth")):
        t = math.exp(math.log(2) * k / 19)
        x, y = layout.area_point(t, 3.7)
        ring = shot.has_near(x - 9, y, BLUE, radius=2) and shot.has_near(x + 9, y, BLUE, radius=2)
        case.check(ring, f"blue circle of the {name} at {t:.6f}")
    for ratio in (9 / 8, 3 / 2, 243 / 128):
        case.check(shot.has_near(*layout.area_point(ratio, 2.75), BLACK, radius=1),
                   f"Pythagorean tick at {ratio:.4f} above the axis")
    for ratio in (5 / 4, 5 / 3, 15 / 8):
        case.check(shot.has_near(*layout.area_point(ratio, 2.75), RED, radius=1), f"just tick at {ratio:.4f}")
    if case.available("all steps", "cmdalle_Click", "sound"):
        since = case.mark()
        case.input.click("cmdalle")
        case.expect_tones("\"alle abspielen\" at N = 19", since, expect.equal_division(360, 140, 19))


def _pointer_ratio(px):
    """The ratio the output area reports for the pointer at client pixel px."""
    return single(0.9 + (px - layout.AREA_LEFT) / layout.AREA_WIDTH * 1.2)


def freehand_dots(case):
    case.start()
    case.input.click("Picture1", 1)  # the blue swatch
    y = layout.area_point(1.0, 4.6)[1]
    x0, x1 = layout.area_point(1.1, 0)[0], layout.area_point(1.9, 0)[0]
    path = [(x, y) for x in range(x0, x1 + 1, 4)]
    case.input.drag(path, button=RIGHT, step_pause=0.02)
    case.settle(0.5)
    shot = case.shot("dots")
    missing = [x for x, _ in path if not shot.has_near(x, y, BLUE, radius=1)]
    case.check(len(missing) <= len(path) // 20,
               f"blue dots along the right-button drag ({len(path) - len(missing)} of {len(path)} points)")
    stray = shot.count(x0, y - 12, x1 - x0, 4, BLUE) + shot.count(x0, y + 9, x1 - x0, 4, BLUE)
    case.equal(stray, 0, "no blue beyond the dots' width")
    fields = case.fields
    case.check(not any(fields.checked("optNote", i) for i in range(6)) and not fields.checked("optZeichne"),
               "no option button is on after the drag")
    case.equal(fields.text("txtHilfe"), FREEHAND_HELP, "help line over the output area")
    readouts = {expect.readout_single(_pointer_ratio(x1 + d), 360) for d in (-1, 0, 1)}
    text = fields.text("Text3")
    case.check(text in readouts, f"readout at the end of the drag: {text!r} (one of {sorted(readouts)})")

    if case.available("left click", "sound"):
        x = layout.area_point(1.5, 4.0)[0]
        since = case.mark()
        case.input.click_at(x, layout.area_point(1.5, 4.0)[1], button=LEFT)
        found = case.sounded(since)
        wanted = {expect.nearest_integer(float(_pointer_ratio(x + d)) * 360) for d in (-1, 0, 1)}
        ok = len(found) == 1 and min(abs(found[0].frequency_hz - f) for f in wanted) <= 1 \
            and abs(found[0].duration_ms - 140) <= expect.DURATION_TOLERANCE_MS
        case.check(ok, f"a left click at ratio 1.5 sounds one tone near {sorted(wanted)} Hz for 140 ms: "
                       + "; ".join(map(str, found)))


def end_during_melody(case):
    app = case.start()
    expected = expect.melody(expect.INITIAL_MELODY, 360, 140, expect.PARKED_MARKERS)
    since = case.mark()
    case.input.click("cmdAbspielen")
    time.sleep(2.0)
    clicked = time.monotonic()
    case.input.click("cmdEnde")
    status = None
    while status is None and time.monotonic() - clicked < 5:
        status = app.wait_for_end(0.02)
    ended = time.monotonic()
    case.equal(status, 0, "exit status after \"Programm beenden\" during the melody")
    case.check(ended - clicked < 1.5, f"the program ended {ended - clicked:.2f} s after the click")
    time.sleep(1.5)
    found = case.all_tones(since)
    end_ms = case.session.capture.ms_at(ended)
    print("captured:", *found, sep="\n    ")
    case.check(0 < len(found) < len(expected), f"{len(found)} of the melody's {len(expected)} tones sounded")
    late = [t for t in found if t.start_ms > end_ms + 50]
    case.check(not late, "no tone starts after the program ended" + "".join(f"\n    {t}" for t in late))
    case.check(not found or found[-1].end_ms < end_ms + 100, "the sound stops when the program ends")
    played = found[:-1]  # the last one may be cut short by the end
    problems, known = expect.compare_tones(played, expected, stalls=case.session.stalls(), cut_short=True)
    for note in known:
        print(f"LET PASS: {note}")
    case.check(not problems, "the tones before the end are the melody's first ones"
               + "".join("\n    " + p for p in problems))


from fault_cases import melody_without_sound_device, sound_server_killed, window_covered  # noqa: E402
from keyboard_cases import tab_order  # noqa: E402
from listening_cases import listening_beats  # noqa: E402

CASES = {
    "startup": (["Form_Load", "cmdClear_Click", "cmdEnde_Click"], startup),
    "scales_initial": (["cmdPythagoras_Click", "cmdrein_Click", "cmdtemperiert_Click", "cmdalle_Click", "sound"],
                       scales_initial),
    "scales_other_base": (["cmdPythagoras_Click", "cmdrein_Click", "cmdtemperiert_Click", "cmdalle_Click", "sound"],
                          scales_other_base),
    "marker_key": (["optNote_MouseDown", "hscNote_Change", "hscNote_Scroll"], marker_key),
    "melody_preset": (["cmdPythagorasstimmung_Click", "cmdAbspielen_Click", "sound"], melody_preset),
    "equal_division": (["HScroll1_Change", "HScroll1_Scroll"], equal_division),
    "freehand_dots": (["picAusgabe_MouseDown", "picAusgabe_MouseMove", "picAusgabe_MouseUp", "Picture1_Click"],
                      freehand_dots),
    "end_during_melody": (["cmdAbspielen_Click", "cmdEnde_Click", "sound"], end_during_melody),
    "tab_order": (["Form_Load"], tab_order),
    "no_sound_device": (["cmdAbspielen_Click", "picAusgabe_MouseMove"], melody_without_sound_device),
    "sound_server_killed": (["cmdAbspielen_Click", "picAusgabe_MouseMove", "sound"], sound_server_killed),
    "window_covered": (["cmdComplett_Click", "picAusgabe_MouseMove", "Picture1_Click"], window_covered),
    "listening_beats": (["sound"], listening_beats),
}
