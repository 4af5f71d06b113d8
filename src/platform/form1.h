// The controls of the window Form1 by name, as every handler reaches them.
// The names are those of the window's control list; arrays are indexed from 0.
// Filled in by the window builder; the controls are owned by the Window.
#pragma once

#include "controls.h"
#include "numbers.h"
#include "output_area.h"
#include "window.h"

#include <array>

namespace stimmung {

struct Form1 {
    Window* window = nullptr;

    // Top strip and left column
    Label* Label5 = nullptr;
    CommandButton* cmdComplett = nullptr;
    CommandButton *cmd2 = nullptr, *cmd3 = nullptr, *cmd4 = nullptr, *cmd5 = nullptr,
                  *cmd6 = nullptr, *cmd7 = nullptr;
    CommandButton* cmdNamen = nullptr;
    CommandButton* cmdDia = nullptr;
    TextBox* Text4 = nullptr;
    TextBox* Text3 = nullptr;
    CommandButton* cmdEnde = nullptr;
    OptionButton* optZeichne = nullptr;
    std::array<PictureBox*, 5> Picture1{};

    // Output area and the scroll bar below it
    OutputArea* picAusgabe = nullptr;
    CommandButton* cmdClear = nullptr;
    std::array<Label*, 6> lblNote{};
    std::array<LineShape*, 6> Line2{};
    ScrollBar* hscNote = nullptr;

    // Lower panel
    Label* Label7 = nullptr;
    CommandButton* cmdPythagoras = nullptr;
    CommandButton* cmdrein = nullptr;
    CommandButton* cmdtemperiert = nullptr;
    CommandButton* cmdHandlauf = nullptr;
    Label* Label8 = nullptr;
    TextBox* txtWurzel = nullptr;
    Label* Label2 = nullptr;
    ScrollBar* HScroll1 = nullptr;
    CommandButton* cmdalle = nullptr;
    Label* Label9 = nullptr;
    std::array<Label*, 4> Label3{};
    TextBox* Text1 = nullptr;
    CommandButton* cmdMinusF = nullptr;
    CommandButton* cmdPlusF = nullptr;
    TextBox* Text2 = nullptr;
    CommandButton* cmdMinusT = nullptr;
    CommandButton* cmdPlusT = nullptr;
    Label* Label6 = nullptr;
    CommandButton* cmdRausnehmen = nullptr;
    std::array<OptionButton*, 6> optNote{};
    PictureBox* Picture2 = nullptr;
    std::array<CommandButton*, 8> cmdTaste{};
    std::array<PictureBox*, 5> Picture3{};
    CommandButton* cmdPythagorasstimmung = nullptr;
    CommandButton* cmdLinear = nullptr;
    CommandButton* cmdGeometrisch = nullptr;
    CommandButton* cmdDiff = nullptr;
    CommandButton* cmdDidymos = nullptr;
    std::array<Label*, 6> Label4{};
    TextBox* txtTerz = nullptr;
    TextBox* txtQuinte = nullptr;
    TextBox* txtQuarte = nullptr;
    TextBox* txtGesamtfehler = nullptr;

    // Bottom strip
    TextBox* txtMelodie = nullptr;
    CommandButton* cmdAbspielen = nullptr;
    TextBox* txtHilfe = nullptr;
};

// The two fields every tone and readout is computed from, read anew at every
// use: the base frequency in Hz, the number at the start of Text1 (0 if none),
// and the tone duration in ms (the length of an eighth in a melody), Text2.
inline double BaseFrequency(const Form1& f) { return ReadNumber(f.Text1->Text()); }
inline double ToneDuration(const Form1& f) { return ReadNumber(f.Text2->Text()); }

// A handler bound to an event of a control (or of every member of a control
// array) by name. Each subsystem lists its handlers in one such table.
struct EventBinding {
    const char* control;
    Event event;
    void (*handler)(Form1& form, const EventArgs& args);
};

} // namespace stimmung
