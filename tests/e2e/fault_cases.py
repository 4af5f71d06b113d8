# SPDX-License-Identifier: GPL-3.0-or-later
"""Cases of things going wrong around the program: no sound device at all, the
sound server killed in the middle of a melody, and the window covered,
unmapped, resized while drawings are on it.

Timing without sound is read through the accessibility interface: the window
answers a request only when the melody player lets events in, before each
note, so the times of the answers mark where the notes begin.
"""

import time

import expect
import layout
from screen import RED
from x_input import RIGHT

# A note start is seen through one accessibility request: it is answered when
# the player lets events in, which with a sound device comes up to the tone
# engine's lead (some 10 ms) before the note's true start, and the answer
# reaches the runner one bus round trip later (a few ms, more on a busy
# machine). So a seen start may lie this far from the true one.
SEEN_START_MS = 15.0
# Answers closer than this belong to one pause of the player between notes
# (the shortest note is 280 ms, and on a busy machine one pause may answer
# several requests over some tens of ms); after the melody they come one
# after another and make one pause too.
SAME_PAUSE_MS = 100.0
CLOSING_WAIT_MS = 1000
# Known fault of the tone engine, mended since: when the sound server went
# away in the middle of a tone, the tone's Beep returned only once the stream
# had been silent for the engine's stall limit (250 ms), not at the tone's
# end, so the melody fell behind by up to that much once. With this True that
# one delay is printed as a known fault and let pass; while it is False it fails.
KNOWN_FAULT_LOSS_STALL = False
LOSS_STALL_MS = 250.0


def _cells(text, dur):
    """(help-line text, length in ms) of every cell of the melody."""
    cells = []
    for i in range(int(len(text) / 3 + 1)):
        letter, length = text[3 * i: 3 * i + 1], text[3 * i + 1: 3 * i + 2]
        eighths = int(length) if length.isdigit() else 0
        cells.append((letter + " " + expect.number_text(eighths), eighths * dur))
    return cells


class MelodyWatch:
    """Asks the program for the help line again and again while a melody
    plays and notes when each answer came; a pointer move over the output
    area can be made between two notes, whose readout is then looked for."""

    def __init__(self, case):
        self.case = case
        self.answers = []  # (ms since the click, field, text)
        self.began = None

    def click_and_follow(self, seconds, move_at_note=None, move_to=None, on_note=None):
        fields, case = self.case.fields, self.case
        fields.text("txtHilfe")  # the tree walked before the clock starts
        case.input.click("cmdAbspielen")
        self.began = time.monotonic()
        readout_wanted, moved_at = None, None
        while time.monotonic() - self.began < seconds:
            field = "Text3" if readout_wanted and moved_at is not None else "txtHilfe"
            text = fields.text(field)
            now = (time.monotonic() - self.began) * 1000
            self.answers.append((now, field, text))
            notes = len(self.pauses())
            if on_note and notes in on_note:
                on_note.pop(notes)()
            if move_at_note is not None and moved_at is None and notes >= move_at_note:
                case.input.move(*move_to)
                readout_wanted, moved_at = self._readouts(move_to[0]), notes
            if field == "Text3" and text in readout_wanted:
                self.readout_seen = (moved_at, notes)
                readout_wanted = None
        return self

    @staticmethod
    def _readouts(px):
        ratios = [expect.single(0.9 + (px + d - layout.AREA_LEFT) / layout.AREA_WIDTH * 1.2) for d in (-1, 0, 1)]
        return {expect.readout_single(r, 360) for r in ratios}

    def pauses(self):
        """The start time of each pause of the player and the help line then,
        up to the end of the closing wait (the only wait of a second or more:
        no note of the melody is that long). What comes after it is the idle
        program answering, however the runner's polls are spread."""
        found, last = [], None
        for t, field, text in self.answers:
            if last is None or t - last > SAME_PAUSE_MS:
                if len(found) > 1 and found[-1][0] - found[-2][0] >= CLOSING_WAIT_MS:
                    break
                found.append([t, None])
            if field == "txtHilfe" and found[-1][1] is None:
                found[-1][1] = text
            last = t
        return found


def check_melody_timing(case, watch, label, lost_at_ms=None):
    """From one pause of the player to the next, one note has sounded (or its
    time passed in silence): its length within 5 ms, then at most
    the gap the melody cases allow before the next note (the player's event
    handling), both seen give or take SEEN_START_MS at either end. Each pause
    shows the help line of the note before it; the last one comes when the
    closing wait is over."""
    cells = _cells(expect.INITIAL_MELODY, 140)
    pauses = watch.pauses()
    if not pauses:
        case.check(False, f"{label}: the program never answered during the melody")
        return
    # The pause before cell c shows cell c - 1's text, the one before the
    # first cell the number of cells; the runner's first request may come in
    # time for that pause or only for the next.
    c0 = 0 if pauses[0][1] == expect.number_text(len(cells)) else 1
    print(f"{label}: pauses seen (ms after the click, help line):",
          " ".join(f"{t:.0f}:{text!r}" for t, text in pauses))
    wanted = len(cells) - c0 + 1
    case.equal(len(pauses), wanted, f"{label}: pauses of the player from cell {c0 + 1} on, and its end")
    late, early, wrong_text, stall = [], [], [], None
    for k in range(1, min(len(pauses), wanted)):
        c = c0 + k  # the pause before cell c (0-based), or the end when c is the number of cells
        length = cells[c - 1][1] + (CLOSING_WAIT_MS if c == len(cells) else 0)
        took = pauses[k][0] - pauses[k - 1][0]
        over = took - length
        most = expect.DURATION_TOLERANCE_MS + expect.MELODY_GAP_MS + 2 * SEEN_START_MS
        least = -expect.DURATION_TOLERANCE_MS - 2 * SEEN_START_MS
        if (KNOWN_FAULT_LOSS_STALL and lost_at_ms is not None and stall is None
                and pauses[k][0] > lost_at_ms and most < over <= most + LOSS_STALL_MS):
            stall = over
        elif over > most:
            late.append(f"note {c} took {took:.1f} ms, {length} ms wanted")
        elif over < least:
            early.append(f"note {c} took {took:.1f} ms, {length} ms wanted")
    for k, (t, text) in enumerate(pauses[:min(len(pauses), wanted)]):
        c = c0 + k
        want_text = cells[c - 1][0] if c > 0 else expect.number_text(len(cells))
        if text is not None and text != want_text:
            wrong_text.append((k, text, want_text))
    if stall is not None:
        print(f"LET PASS: {label}: known fault: one note took {stall:.0f} ms more when the sound server "
              f"went away (the engine waits for its stall limit)")
        case.known.append("loss stall")
    spent = pauses[-1][0] - pauses[0][0]
    length = sum(ms for _t, ms in cells[c0:]) + CLOSING_WAIT_MS
    case.check(not late and not early, f"{label}: every note took its time (the whole melody {spent:.0f} ms "
                                       f"from the first pause seen, {length} ms of notes and closing wait)"
               + "".join(f"\n    {p}" for p in (late + early)[:8]))
    case.check(not wrong_text, f"{label}: the help line showed each note in turn" +
               "".join(f"\n    pause {k}: {got!r}, expected {want!r}" for k, got, want in wrong_text[:5]))


def check_answers_between_notes(case, watch, label):
    seen = getattr(watch, "readout_seen", None)
    # The move may come in just after the player's pause has answered the
    # runner's request, so the readout may need one note more to be seen.
    case.check(seen is not None and seen[1] - seen[0] <= 2,
               f"{label}: a pointer move over the output area is answered between two notes "
               f"(readout seen at pause {seen[1] if seen else None} after the move at pause "
               f"{seen[0] if seen else None})")


def _area_pixel(ratio):
    return layout.area_point(ratio, 4.0)


def melody_without_sound_device(case):
    app = case.start(sound=False)
    watch = MelodyWatch(case).click_and_follow(16.5, move_at_note=10, move_to=_area_pixel(1.5))
    check_melody_timing(case, watch, "no sound device")
    check_answers_between_notes(case, watch, "no sound device")
    case.equal(case.all_tones(), [], "nothing reached the sound server")
    case.input.click("cmdEnde")
    case.equal(app.wait_for_end(5), 0, "exit status after \"Programm beenden\" without a sound device")


def sound_server_killed(case):
    app = case.start()
    killed = []
    watch = MelodyWatch(case)

    def kill():
        killed.append(case.mark())
        watch.killed_at = (time.monotonic() - watch.began) * 1000
        case.session.kill_sound_server()

    watch.click_and_follow(16.8, move_at_note=20, move_to=_area_pixel(1.25),
                                               on_note={8: kill})
    case.check(bool(killed), "the sound server was killed at the eighth note")
    check_melody_timing(case, watch, "sound server killed", lost_at_ms=watch.killed_at)
    check_answers_between_notes(case, watch, "sound server killed")
    tones = case.all_tones()
    case.check(len(tones) >= 6, f"the first notes sounded before the kill ({len(tones)} tones captured)")
    case.input.click("cmdEnde")
    case.equal(app.wait_for_end(5), 0, "exit status after \"Programm beenden\" without its sound server")


def window_covered(case):
    app = case.start()
    session = case.session
    case.input.click("cmdComplett")  # the construction by fifths: ticks, fractions, axis
    case.input.click("Picture1", 0)  # red dots
    y = layout.area_point(1.0, 5.0)[1]
    path = [(x, y) for x in range(layout.area_point(1.05, 0)[0], layout.area_point(1.95, 0)[0], 6)]
    case.input.drag(path, button=RIGHT, step_pause=0.02)
    case.input.park()
    before = case.steady_shot("drawn")
    case.check(before.count(path[0][0], y - 3, path[-1][0] - path[0][0], 6, RED) > 50,
               "red dots on the drawing before it is covered")
    x, top, w, h = layout.AREA_LEFT, layout.AREA_TOP, layout.AREA_WIDTH, layout.AREA_HEIGHT

    def area(shot):
        return [shot.at(px, py) for py in range(top, top + h) for px in range(x, x + w)]

    drawn = area(before)

    def unchanged(label):
        shot = case.steady_shot(label)
        now = area(shot)
        differing = sum(1 for a, b in zip(drawn, now) if a != b)
        case.check(differing == 0, f"{label}: the output area is as it was ({differing} pixels differ)")

    cover = session.spawn_helper("cover", ["xmessage", "-geometry", "1280x720+0+0", "-center",
                                           "Ein Fenster darüber"])
    time.sleep(1.0)
    covered = case.steady_shot("covered")
    case.check(sum(1 for a, b in zip(drawn, area(covered)) if a != b) > 1000, "another window covers the drawing")
    session.end_helper("cover", cover)
    unchanged("uncovered")

    # Without a window manager, minimising is what it does to the window: unmap it.
    session.run(["xdotool", "windowunmap", "--sync", app.window])
    time.sleep(0.5)
    session.run(["xdotool", "windowmap", "--sync", app.window])
    unchanged("restored")

    session.run(["xdotool", "windowsize", "--sync", app.window, "1270", "710"])
    unchanged("enlarged")
    session.run(["xdotool", "windowsize", "--sync", app.window, "1119", "576"])
    unchanged("back to its size")
    session.run(["xdotool", "windowsize", "--sync", app.window, "700", "400"])
    session.run(["xdotool", "windowsize", "--sync", app.window, "1119", "576"])
    unchanged("shrunk and enlarged again")
