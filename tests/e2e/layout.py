# SPDX-License-Identifier: GPL-3.0-or-later
"""Where the controls that the cases use lie in the window, as the layout of
the window gives them: twips (15 per pixel) inside their container, and the
output area's user coordinates (x the frequency ratio 0.9 to 2.1, y 0 at the
top to 6 at the bottom) on its 1045 x 229 pixel interior.
All pixel positions here are relative to the window's client area.
"""

import math

TWIPS_PER_PIXEL = 15

# Containers: position on the window (twips) and border width (px).
CONTAINERS = {
    None: ((0, 0), 0),
    "picAusgabe": ((720, 600), 2),
    "Picture2": ((7920, 5160), 1),
}

# name -> (left, top, width, height) in twips, container
CONTROLS = {
    "cmdPythagoras": ((720, 4920, 1995, 372), None),
    "cmdrein": ((720, 5400, 1995, 375), None),
    "cmdtemperiert": ((720, 5880, 1995, 375), None),
    "cmdHandlauf": ((720, 6600, 2055, 375), None),
    "cmdalle": ((3000, 6600, 2535, 372), None),
    "HScroll1": ((3000, 6240, 2535, 252), None),
    "hscNote": ((720, 4080, 15735, 255), None),
    "cmdEnde": ((14520, 120, 2115, 375), None),
    "optZeichne": ((16200, 120, 252, 252), None),
    "cmdClear": ((15360, 0, 372, 252), "picAusgabe"),
    "cmdComplett": ((120, 720, 492, 2775), None),
    "cmdPlusF": ((6600, 5760, 495, 255), None),
    "cmdPythagorasstimmung": ((7920, 6960, 1215, 375), None),
    "cmdAbspielen": ((15360, 7440, 1095, 375), None),
    "Text1": ((5880, 5280, 1212, 492), None),
    "Text2": ((5880, 6480, 1212, 492), None),
    "Text3": ((7200, 240, 2532, 405), None),
    "Text4": ((3840, 120, 1215, 495), None),
    "txtWurzel": ((3360, 5040, 612, 432), None),
    "txtTerz": ((11760, 5820, 1212, 372), None),
    "txtQuinte": ((13800, 5820, 1212, 372), None),
    "txtQuarte": ((11760, 6660, 1212, 372), None),
    "txtGesamtfehler": ((13860, 6660, 1212, 372), None),
    "txtMelodie": ((120, 7440, 15255, 375), None),
    "txtHilfe": ((120, 8040, 16335, 495), None),
}

# Control arrays: name -> function of the index giving the same tuple.
ARRAYS = {
    "optNote": lambda i: ((7920 + 600 * i, 4800, 375, 255), None),
    "cmdTaste": lambda i: ((240 + 360 * i, 120, 375, 1455), "Picture2"),
    "Picture1": lambda i: ((16440, 600 + 240 * i, 252, 252), None),
}

# The controls that take the keyboard focus, in the order the Tab key visits
# them (the layout's tab positions; labels and picture boxes take no focus),
# with the name a screen reader announces and the role it reports.
TAB_ORDER = [
    ("txtWurzel", None, "Anzahl der Stufen N", "text"),
    ("HScroll1", None, "Anzahl der Stufen N einstellen", "scroll bar"),
    ("Text1", None, "Frequenz Grundton in Hz", "text"),
    ("Text2", None, "Dauer in ms", "text"),
    ("cmdPythagoras", None, "Tonlauf Pythagoras", "push button"),
    ("cmdrein", None, "Tonlauf Didymos", "push button"),
    ("cmdtemperiert", None, "Tonlauf temperiert", "push button"),
    ("cmdalle", None, "alle abspielen", "push button"),
    ("txtQuinte", None, "Fehler der Quinte", "text"),
    ("txtQuarte", None, "Fehler der Quarte", "text"),
    ("txtTerz", None, "Fehler der Terz", "text"),
    ("txtGesamtfehler", None, "Gesamtfehler", "text"),
    ("cmd2", None, "Ton 2 eintragen", "push button"),
    ("cmdComplett", None, "alle Töne eintragen", "push button"),
    ("cmd3", None, "Ton 3 eintragen", "push button"),
    ("cmd4", None, "Ton 4 eintragen", "push button"),
    ("cmd5", None, "Ton 5 eintragen", "push button"),
    ("cmd6", None, "Ton 6 eintragen", "push button"),
    ("cmd7", None, "Ton 7 eintragen", "push button"),
    ("cmdNamen", None, "cdefg: Notennamen eintragen", "push button"),
    ("cmdDia", None, "Rein: Töne nach Didymos eintragen", "push button"),
    ("cmdClear", None, "X: Zeichnung löschen", "push button"),
    ("optZeichne", None, "Markieren", "radio button"),
    ("cmdDiff", None, "Pythagoras Quotienten", "push button"),
    ("cmdDidymos", None, "Didymos Quotienten", "push button"),
    ("cmdEnde", None, "Programm beenden", "push button"),
    ("txtHilfe", None, "Hilfezeile", "text"),
    ("hscNote", None, "gewählte Note verschieben", "scroll bar"),
    *[("optNote", i, f"Note {i + 2} wählen", "radio button") for i in range(6)],
    ("cmdHandlauf", None, "Tonlauf per Hand definiert", "push button"),
    *[("cmdTaste", i, f"Taste {i + 1}", "push button") for i in range(8)],
    ("cmdPythagorasstimmung", None, "Noten setzen: Pythagoras", "push button"),
    ("cmdLinear", None, "Noten setzen: linear", "push button"),
    ("cmdGeometrisch", None, "Noten setzen: geometrisch", "push button"),
    ("cmdRausnehmen", None, "x: Noten zurücksetzen", "push button"),
    ("Text3", None, "Verhältnis und Frequenz", "text"),
    ("txtMelodie", None, "Melodie", "text"),
    ("cmdAbspielen", None, "Melodie abspielen", "push button"),
    ("cmdPlusT", None, "Dauer +10", "push button"),
    ("cmdPlusF", None, "Frequenz +10", "push button"),
    ("cmdMinusF", None, "Frequenz -10", "push button"),
    ("cmdMinusT", None, "Dauer -10", "push button"),
    ("Text4", None, "Feld 1000 ohne Funktion", "text"),
]
# What the text boxes and scroll bars are announced as: the harness finds them by it.
ACCESSIBLE_NAMES = {name: spoken for name, index, spoken, role in TAB_ORDER
                    if index is None and role in ("text", "scroll bar")}

TEXT_BOXES = ["Text1", "Text2", "Text3", "Text4", "txtWurzel", "txtTerz", "txtQuinte", "txtQuarte",
              "txtGesamtfehler", "txtMelodie", "txtHilfe"]

# The output area's interior.
AREA_LEFT = 720 // TWIPS_PER_PIXEL + 2
AREA_TOP = 600 // TWIPS_PER_PIXEL + 2
AREA_WIDTH = 1045
AREA_HEIGHT = 229


def rect(name, index=None):
    """(left, top, width, height) in client pixels."""
    (left, top, width, height), container = ARRAYS[name](index) if index is not None else CONTROLS[name]
    (cl, ct), border = CONTAINERS[container]
    x = cl / TWIPS_PER_PIXEL + border + left / TWIPS_PER_PIXEL
    y = ct / TWIPS_PER_PIXEL + border + top / TWIPS_PER_PIXEL
    return (round(x), round(y), round(width / TWIPS_PER_PIXEL), round(height / TWIPS_PER_PIXEL))


def point(name, index=None, fx=0.5, fy=0.5):
    """A point inside a control, at fractions fx, fy of its width and height."""
    x, y, w, h = rect(name, index)
    return (round(x + fx * w), round(y + fy * h))


def area_point(ratio, y):
    """The client pixel that holds a point of the output area in user
    coordinates (the pixel the point falls in, kept inside the interior)."""
    px = math.floor(AREA_LEFT + (ratio - 0.9) / 1.2 * AREA_WIDTH)
    py = math.floor(AREA_TOP + y / 6.0 * AREA_HEIGHT)
    return (min(max(px, AREA_LEFT), AREA_LEFT + AREA_WIDTH - 1),
            min(max(py, AREA_TOP), AREA_TOP + AREA_HEIGHT - 1))
