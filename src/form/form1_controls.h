// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the window Form1 as the handlers reach them: kind, name
// and, for a control array, its size. The layout table places a control of
// each name; Form1's members and their binding to the window's controls are
// generated from this list, and the window checks at start-up that every
// name resolves to a control of its kind.
#pragma once

// One row a control: CONTROL(kind, name, count), where count is the number
// of members of a control array and 0 stands for a single control.
#define STIMMUNG_FORM1_CONTROLS(CONTROL)             \
    /* Top strip and left column */                  \
    CONTROL(Label, Label5, 0)                        \
    CONTROL(CommandButton, cmdComplett, 0)           \
    CONTROL(CommandButton, cmd2, 0)                  \
    CONTROL(CommandButton, cmd3, 0)                  \
    CONTROL(CommandButton, cmd4, 0)                  \
    CONTROL(CommandButton, cmd5, 0)                  \
    CONTROL(CommandButton, cmd6, 0)                  \
    CONTROL(CommandButton, cmd7, 0)                  \
    CONTROL(CommandButton, cmdNamen, 0)              \
    CONTROL(CommandButton, cmdDia, 0)                \
    CONTROL(TextBox, Text4, 0)                       \
    CONTROL(TextBox, Text3, 0)                       \
    CONTROL(CommandButton, cmdEnde, 0)               \
    CONTROL(OptionButton, optZeichne, 0)             \
    CONTROL(PictureBox, Picture1, 5)                 \
    /* Output area and the scroll bar below */       \
    CONTROL(OutputArea, picAusgabe, 0)               \
    CONTROL(CommandButton, cmdClear, 0)              \
    CONTROL(Label, lblNote, 6)                       \
    CONTROL(LineShape, Line2, 6)                     \
    CONTROL(ScrollBar, hscNote, 0)                   \
    /* Lower panel */                                \
    CONTROL(Label, Label7, 0)                        \
    CONTROL(CommandButton, cmdPythagoras, 0)         \
    CONTROL(CommandButton, cmdrein, 0)               \
    CONTROL(CommandButton, cmdtemperiert, 0)         \
    CONTROL(CommandButton, cmdHandlauf, 0)           \
    CONTROL(Label, Label8, 0)                        \
    CONTROL(TextBox, txtWurzel, 0)                   \
    CONTROL(Label, Label2, 0)                        \
    CONTROL(ScrollBar, HScroll1, 0)                  \
    CONTROL(CommandButton, cmdalle, 0)               \
    CONTROL(Label, Label9, 0)                        \
    CONTROL(Label, Label3, 4)                        \
    CONTROL(TextBox, Text1, 0)                       \
    CONTROL(CommandButton, cmdMinusF, 0)             \
    CONTROL(CommandButton, cmdPlusF, 0)              \
    CONTROL(TextBox, Text2, 0)                       \
    CONTROL(CommandButton, cmdMinusT, 0)             \
    CONTROL(CommandButton, cmdPlusT, 0)              \
    CONTROL(Label, Label6, 0)                        \
    CONTROL(CommandButton, cmdRausnehmen, 0)         \
    CONTROL(OptionButton, optNote, 6)                \
    CONTROL(PictureBox, Picture2, 0)                 \
    CONTROL(CommandButton, cmdTaste, 8)              \
    CONTROL(PictureBox, Picture3, 5)                 \
    CONTROL(CommandButton, cmdPythagorasstimmung, 0) \
    CONTROL(CommandButton, cmdLinear, 0)             \
    CONTROL(CommandButton, cmdGeometrisch, 0)        \
    CONTROL(CommandButton, cmdDiff, 0)               \
    CONTROL(CommandButton, cmdDidymos, 0)            \
    CONTROL(Label, Label4, 6)                        \
    CONTROL(TextBox, txtTerz, 0)                     \
    CONTROL(TextBox, txtQuinte, 0)                   \
    CONTROL(TextBox, txtQuarte, 0)                   \
    CONTROL(TextBox, txtGesamtfehler, 0)             \
    /* Bottom strip */                               \
    CONTROL(TextBox, txtMelodie, 0)                  \
    CONTROL(CommandButton, cmdAbspielen, 0)          \
    CONTROL(TextBox, txtHilfe, 0)
