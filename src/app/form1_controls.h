// The controls of the window Form1 as the handlers reach them: kind, name
// and, for a control array, its size. The layout table places a control of
// each name; Form1's members and their binding to the window's controls are
// generated from this list, and the window checks at start-up that every
// name resolves to a control of its kind.
#pragma once

// ONE(kind, name): a single control; MANY(kind, name, count): an array.
#define STIMMUNG_FORM1_CONTROLS(ONE, MANY)   \
    /* Top strip and left column */          \
    ONE(Label, Label5)                       \
    ONE(CommandButton, cmdComplett)          \
    ONE(CommandButton, cmd2)                 \
    ONE(CommandButton, cmd3)                 \
    ONE(CommandButton, cmd4)                 \
    ONE(CommandButton, cmd5)                 \
    ONE(CommandButton, cmd6)                 \
    ONE(CommandButton, cmd7)                 \
    ONE(CommandButton, cmdNamen)             \
    ONE(CommandButton, cmdDia)               \
    ONE(TextBox, Text4)                      \
    ONE(TextBox, Text3)                      \
    ONE(CommandButton, cmdEnde)              \
    ONE(OptionButton, optZeichne)            \
    MANY(PictureBox, Picture1, 5)            \
    /* Output area and the scroll bar below */ \
    ONE(OutputArea, picAusgabe)              \
    ONE(CommandButton, cmdClear)             \
    MANY(Label, lblNote, 6)                  \
    MANY(LineShape, Line2, 6)                \
    ONE(ScrollBar, hscNote)                  \
    /* Lower panel */                        \
    ONE(Label, Label7)                       \
    ONE(CommandButton, cmdPythagoras)        \
    ONE(CommandButton, cmdrein)              \
    ONE(CommandButton, cmdtemperiert)        \
    ONE(CommandButton, cmdHandlauf)          \
    ONE(Label, Label8)                       \
    ONE(TextBox, txtWurzel)                  \
    ONE(Label, Label2)                       \
    ONE(ScrollBar, HScroll1)                 \
    ONE(CommandButton, cmdalle)              \
    ONE(Label, Label9)                       \
    MANY(Label, Label3, 4)                   \
    ONE(TextBox, Text1)                      \
    ONE(CommandButton, cmdMinusF)            \
    ONE(CommandButton, cmdPlusF)             \
    ONE(TextBox, Text2)                      \
    ONE(CommandButton, cmdMinusT)            \
    ONE(CommandButton, cmdPlusT)             \
    ONE(Label, Label6)                       \
    ONE(CommandButton, cmdRausnehmen)        \
    MANY(OptionButton, optNote, 6)           \
    ONE(PictureBox, Picture2)                \
    MANY(CommandButton, cmdTaste, 8)         \
    MANY(PictureBox, Picture3, 5)            \
    ONE(CommandButton, cmdPythagorasstimmung) \
    ONE(CommandButton, cmdLinear)            \
    ONE(CommandButton, cmdGeometrisch)       \
    ONE(CommandButton, cmdDiff)              \
    ONE(CommandButton, cmdDidymos)           \
    MANY(Label, Label4, 6)                   \
    ONE(TextBox, txtTerz)                    \
    ONE(TextBox, txtQuinte)                  \
    ONE(TextBox, txtQuarte)                  \
    ONE(TextBox, txtGesamtfehler)            \
    /* Bottom strip */                       \
    ONE(TextBox, txtMelodie)                 \
    ONE(CommandButton, cmdAbspielen)         \
    ONE(TextBox, txtHilfe)
