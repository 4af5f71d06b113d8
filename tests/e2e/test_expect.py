#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The harness's own computations, without a session: the expected tones
against the figures the description lists, the field texts, the joining of
tones split by breaks, the output area's pixel mapping, the screenshot
decoding and the melody's timing as seen through the program's answers."""

import os
import sys
import unittest
from unittest import mock

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import expect  # noqa: E402
import layout  # noqa: E402
from screen import Shot  # noqa: E402
from sound_capture import Tone  # noqa: E402
import fault_cases  # noqa: E402


def freqs(tones):
    return [t.frequency_hz for t in tones]


class ExpectedTones(unittest.TestCase):
    def test_players_at_the_initial_fields(self):
        rows = {
            "Pythagoras": (expect.scale(360, 140, expect.PYTHAGORAS), [360, 405, 456, 480, 540, 608, 683, 720]),
            "Didymos": (expect.scale(360, 140, expect.DIDYMOS), [360, 405, 450, 480, 540, 600, 675, 720]),
            "temperiert": (expect.scale(360, 140, expect.TEMPERED), [360, 404, 453, 480, 539, 605, 679, 720]),
            "alle N=12": (expect.equal_division(360, 140, 12),
                          [360, 381, 404, 428, 454, 481, 509, 539, 571, 605, 641, 680, 720]),
            "alle N=2": (expect.equal_division(360, 140, 2), [360, 509, 720]),
            "keys, parked markers": (expect.keys(360, 140, expect.PARKED_MARKERS),
                                     [360, 331, 335, 338, 342, 346, 349, 720]),
        }
        for name, (tones, listed) in rows.items():
            with self.subTest(name):
                self.assertEqual(freqs(tones), listed)
                self.assertFalse(tones[0].back_to_back)
                self.assertTrue(all(t.back_to_back for t in tones[1:]))

    def test_halves_go_to_the_even_integer(self):
        for value, rounded in ((742.5, 742), (607.5, 608), (455.625, 456), (0.5, 0), (1.5, 2)):
            with self.subTest(value):
                self.assertEqual(expect.nearest_integer(value), rounded)
        self.assertEqual(freqs(expect.scale(440, 100, expect.PYTHAGORAS))[5], 742)

    def test_melody_cells(self):
        rows = {
            "initial melody": (expect.INITIAL_MELODY, 42, 96 * 140),
            "c2": ("c2", 1, 280),
            "c2 and a blank": ("c2 ", 2, 280),
            "empty": ("", 1, 0),
        }
        for name, (text, cells, total_ms) in rows.items():
            with self.subTest(name):
                tones = expect.melody(text, 360, 140, expect.PYTHAGORAS_PRESET)
                self.assertEqual(len(tones), cells)
                self.assertEqual(sum(t.duration_ms for t in tones), total_ms)
        first = expect.melody("c2 d4", 360, 140, [9 / 8] + expect.PARKED_MARKERS[1:])
        self.assertEqual([(t.frequency_hz, t.duration_ms) for t in first], [(360, 280), (405, 560)])
        capital = expect.melody("C2 e2", 360, 140, expect.PARKED_MARKERS)
        self.assertEqual([(t.frequency_hz, t.duration_ms) for t in capital], [(0, 280), (335, 280)])

    def test_field_texts(self):
        rows = {
            "ratio below one": (expect.number_text(0.92), " .92"),
            "whole number": (expect.number_text(370.0), " 370"),
            "negative": (expect.number_text(-2.5), "-2.5"),
            "single precision": (expect.number_text(expect.single(1.9), 7), " 1.9"),
            "readout at 439": (expect.readout(439 / 1200 + 0.9, 360), " 1.265  entspricht   455 Hz"),
            "readout of optNote(0)": (expect.readout(24 / 1200 + 0.9, 360), " .92  entspricht   331 Hz"),
            "pointer at 0.875": (expect.readout_single(expect.single(0.875), 360), " .875  entspricht   315 Hz"),
            "pointer just below .95": (expect.readout_single(expect.single(0.95), 360), " .949  entspricht   341 Hz"),
        }
        for name, (got, want) in rows.items():
            with self.subTest(name):
                self.assertEqual(got, want)


class ToneComparison(unittest.TestCase):
    def row(self, *spans):
        return [Tone(a, b, f, 0.3) for a, b, f in spans]

    def test_fitting_capture_has_no_problems(self):
        found = self.row((0, 137, 360), (140, 277, 405))
        problems, notes = expect.compare_tones(found, [expect.Expected(360, 140, False), expect.Expected(405, 140)])
        self.assertEqual((problems, notes), ([], []))

    def test_faults_are_named(self):
        want = [expect.Expected(360, 140, False), expect.Expected(405, 140)]
        rows = {
            "wrong pitch": (self.row((0, 137, 360), (140, 277, 407)), "frequency"),
            "too short": (self.row((0, 137, 360), (140, 260, 405)), "duration"),
            "a pause": (self.row((0, 137, 360), (160, 297, 405)), "gap of 23.0 ms"),
            "a tone missing": (self.row((0, 137, 360)), "1 tones captured, 2 expected"),
        }
        for name, (found, words) in rows.items():
            with self.subTest(name):
                problems, _ = expect.compare_tones(found, want)
                self.assertTrue(any(words in p for p in problems), problems)

    def test_breaks_inside_a_tone_are_joined_and_noted(self):
        # Split inside; a break at a tone's start that left a few ms of no
        # readable pitch; the same before a tone's last ms; two breaks a
        # cycle or two long around such a piece, or around a longer one whose
        # pitch reads a little off.
        for found, broke in ((self.row((0, 60, 360), (62, 137, 360), (140, 277, 405)), [(60, 2)]),
                             (self.row((0, 137, 360), (140, 146, 510), (149, 277, 405)), [(146, 3)]),
                             (self.row((0, 125, 360), (131, 137, 440), (140, 277, 405)), [(125, 6)]),
                             (self.row((0, 40, 360), (48, 53, 581), (61, 137, 360), (140, 277, 405)),
                              [(40, 8), (53, 8)]),
                             (self.row((0, 40, 360), (45, 75, 363.5), (80, 137, 360), (140, 277, 405)),
                              [(40, 5), (75, 5)])):
            joined, breaks = expect.join_interruptions(found, [expect.Expected(360, 140, False), expect.Expected(405, 140)])
            self.assertEqual([(t.start_ms, t.end_ms) for t in joined], [(0, 137), (140, 277)])
            self.assertEqual(breaks, broke)
        found = self.row((0, 60, 360), (62, 137, 360), (140, 277, 405))
        want = [expect.Expected(360, 140, False), expect.Expected(405, 140)]
        for stalls, broke in (((), True), (((40, 45),), False), (((300, 305),), True)):
            problems, notes = expect.compare_tones(found, want, stalls=stalls)
            self.assertEqual(any("broke off" in p for p in problems), broke, stalls)
        # A stall moves a tone's edge by about its length, not by half a tone;
        # a tone broken twice is as long as what sounded of it.
        for found, stalls, fails in ((self.row((0, 122, 360), (140, 277, 405)), ((110, 115),), False),
                                     (self.row((0, 70, 360), (140, 277, 405)), ((110, 115),), True),
                                     (self.row((0, 119, 360), (140, 277, 405)), ((110, 114), (110.5, 114.5)), True),
                                     (self.row((0, 40, 360), (51, 90, 360), (101, 161, 360), (164, 301, 405)),
                                      ((45, 49), (95, 99)), False)):
            problems, _ = expect.compare_tones(found, want, stalls=stalls)
            self.assertEqual(bool(problems), fails, found)

    def test_repeated_notes_stay_apart(self):
        # e2 e2: two tones of one pitch, each as long as asked, are not joined.
        # So are they when a stall has cut the first one short.
        for first_end in (277, 266):
            found = self.row((0, first_end, 335), (first_end, first_end + 280, 335))
            joined, breaks = expect.join_interruptions(found, [expect.Expected(335, 280, False), expect.Expected(335, 280)])
            self.assertEqual((len(joined), breaks), (2, []))

    def test_gap_during_a_screenshot_is_let_pass(self):
        found = self.row((0, 277, 360), (350, 627, 405))
        want = [expect.Expected(360, 280, False), expect.Expected(405, 280, True, expect.MELODY_GAP_MS)]
        problems, notes = expect.compare_tones(found, want, screenshots=[(200, 260)])
        self.assertEqual(problems, [])
        self.assertTrue(notes)
        problems, _ = expect.compare_tones(found, want)
        self.assertTrue(problems)


class Pictures(unittest.TestCase):
    def test_output_area_mapping(self):
        rows = {
            "left edge": ((0.9, 0), (50, 42)),
            "base tone on the axis": ((1.0, 3), (137, 156)),
            "octave": ((2.0, 3), (1007, 156)),
            "bottom right corner": ((2.1, 6), (1094, 270)),
        }
        for name, (user, pixel) in rows.items():
            with self.subTest(name):
                self.assertEqual(layout.area_point(*user), pixel)

    def test_control_places(self):
        rows = {
            "Text1 on the window": (layout.rect("Text1"), (392, 352, 81, 33)),
            "X inside the output area": (layout.rect("cmdClear")[:2], (1074, 42)),
            "key 1 inside the keyboard panel": (layout.rect("cmdTaste", 0)[:2], (545, 353)),
            "selector of marker 2": (layout.rect("optNote", 2)[:2], (608, 320)),
        }
        for name, (got, want) in rows.items():
            with self.subTest(name):
                self.assertEqual(got, want)

    def test_ppm_round_trip(self):
        pixels = bytes([255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30])
        shot = Shot.from_ppm(b"P6\n# comment\n2 2\n255\n" + pixels, origin=(1, 0))
        self.assertEqual(shot.at(-1, 0), (255, 0, 0))
        self.assertEqual(shot.at(0, 1), (10, 20, 30))
        self.assertTrue(shot.has_near(0, 0, (0, 0, 255), radius=1))
        with self.assertRaises(IndexError):
            shot.at(5, 5)


class Checks:
    """Collects what a case's checks would report."""

    def __init__(self):
        self.failures, self.known = [], []

    def check(self, ok, message):
        if not ok:
            self.failures.append(message)
        return ok

    def equal(self, got, want, message):
        return self.check(got == want, f"{message}: {got!r}, expected {want!r}")


def answers_on_time(extra_ms_per_note=0.0, from_note=None, jump_ms=0.0, start=145.0):
    """Answers as the program gives them: two in each pause, from the pause
    before cell 2 on, with the help line of the cell before, then the end."""
    cells = fault_cases._cells(expect.INITIAL_MELODY, 140)
    t, answers = start, []
    for c in range(1, len(cells)):  # the pause before cell c + 1 (counted from 1)
        answers += [(t, "txtHilfe", cells[c - 1][0]), (t + 40, "txtHilfe", cells[c - 1][0])]
        t += cells[c][1] + extra_ms_per_note + (jump_ms if from_note == c else 0)
    t += fault_cases.CLOSING_WAIT_MS
    watch = fault_cases.MelodyWatch(None)
    # After the melody the idle program answers at once, but the runner's
    # polls may still be spread by a busy machine.
    watch.answers = answers + [(t, "txtHilfe", cells[-1][0]), (t + 5, "txtHilfe", cells[-1][0]),
                               (t + 600, "txtHilfe", cells[-1][0])]
    return watch


class MelodyTiming(unittest.TestCase):
    def test_cells_of_the_initial_melody(self):
        cells = fault_cases._cells(expect.INITIAL_MELODY, 140)
        self.assertEqual(len(cells), 42)
        self.assertEqual(sum(ms for _text, ms in cells), 13440)
        self.assertEqual(cells[0], ("c  2", 280))
        self.assertEqual(cells[19], ("d  6", 840))

    def test_judging_the_pauses(self):
        rows = {
            # name: (answers, lost at, whether it fails, known faults let pass)
            "on time": (answers_on_time(), None, 0, 0),
            "2.5 ms of handling per note": (answers_on_time(2.5), None, 0, 0),
            "6 ms of handling per note": (answers_on_time(6.0), None, 0, 0),
            "a note 100 ms late": (answers_on_time(from_note=20, jump_ms=100), None, 1, 0),
            "a note that returns at once": (answers_on_time(from_note=10, jump_ms=-280), None, 1, 0),
            "stalled at the loss": (answers_on_time(from_note=8, jump_ms=200), 2500.0, 0, 1),
            "stalled without a loss": (answers_on_time(from_note=8, jump_ms=200), None, 1, 0),
            "stalled far longer than the limit": (answers_on_time(from_note=8, jump_ms=600), 2500.0, 1, 0),
        }
        for name, (watch, lost, failures, known) in rows.items():
            with self.subTest(name), mock.patch.object(fault_cases, "KNOWN_FAULT_LOSS_STALL", True):
                checks = Checks()
                fault_cases.check_melody_timing(checks, watch, name, lost_at_ms=lost)
                self.assertEqual(bool(checks.failures), bool(failures), checks.failures)
                self.assertEqual(len(checks.known), known)
        with self.subTest("stalled at the loss, the fault mended"), \
                mock.patch.object(fault_cases, "KNOWN_FAULT_LOSS_STALL", False):
            checks = Checks()
            fault_cases.check_melody_timing(checks, answers_on_time(from_note=8, jump_ms=200), "mended",
                                            lost_at_ms=2500.0)
            self.assertTrue(checks.failures)


if __name__ == "__main__":
    unittest.main()
