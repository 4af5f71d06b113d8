// SPDX-License-Identifier: GPL-3.0-or-later
#include "help_line.h"

#include "app_bindings.h"

#include <QString>

namespace stimmung::app {

namespace {

// Writes the fixed text of `control` over the whole help line (the empty
// text for the bare window surface, "Form1").
void FixedHelp_MouseMove(Form1& f, const char* control) {
    if (const char* text = FixedHelpText(control)) f.txtHilfe->setText(text);
}

// The controls whose help text is fixed, one row each: ROW(handler,
// control) defines the named handler, which writes the control's text, and
// binds it to the control's mouse moves in the table below.
#define STIMMUNG_FIXED_HELP_HANDLERS(ROW)                         \
    ROW(cmd2_MouseMove, "cmd2")                                   \
    ROW(cmd3_MouseMove, "cmd3")                                   \
    ROW(cmd4_MouseMove, "cmd4")                                   \
    ROW(cmd5_MouseMove, "cmd5")                                   \
    ROW(cmd6_MouseMove, "cmd6")                                   \
    ROW(cmd7_MouseMove, "cmd7")                                   \
    ROW(cmdComplett_MouseMove, "cmdComplett")                     \
    ROW(cmdNamen_MouseMove, "cmdNamen")                           \
    ROW(cmdDia_MouseMove, "cmdDia")                               \
    ROW(cmdDiff_MouseMove, "cmdDiff")                             \
    ROW(cmdDidymos_MouseMove, "cmdDidymos")                       \
    ROW(cmdClear_MouseMove, "cmdClear")                           \
    ROW(cmdPythagoras_MouseMove, "cmdPythagoras")                 \
    ROW(cmdrein_MouseMove, "cmdrein")                             \
    ROW(cmdtemperiert_MouseMove, "cmdtemperiert")                 \
    ROW(cmdHandlauf_MouseMove, "cmdHandlauf")                     \
    ROW(cmdalle_MouseMove, "cmdalle")                             \
    ROW(Label2_MouseMove, "Label2")                               \
    ROW(Label4_MouseMove, "Label4")                               \
    ROW(Label6_MouseMove, "Label6")                               \
    ROW(cmdPythagorasstimmung_MouseMove, "cmdPythagorasstimmung") \
    ROW(cmdLinear_MouseMove, "cmdLinear")                         \
    ROW(cmdGeometrisch_MouseMove, "cmdGeometrisch")               \
    ROW(cmdRausnehmen_MouseMove, "cmdRausnehmen")                 \
    ROW(Picture2_MouseMove, "Picture2")                           \
    ROW(Picture1_MouseMove, "Picture1")                           \
    ROW(txtMelodie_MouseMove, "txtMelodie")                       \
    ROW(cmdAbspielen_MouseMove, "cmdAbspielen")                   \
    ROW(txtHilfe_MouseMove, "txtHilfe")                           \
    ROW(Form_MouseMove, "Form1")

#define STIMMUNG_DEFINE(handler, control) \
    void handler(Form1& f) { FixedHelp_MouseMove(f, control); }
STIMMUNG_FIXED_HELP_HANDLERS(STIMMUNG_DEFINE)
#undef STIMMUNG_DEFINE

} // namespace

void cmdTaste_MouseMove(Form1& f, int Index) { f.txtHilfe->setText(KeyHelpText(Index)); }

void optNote_MouseMove(Form1& f, int Index) { f.txtHilfe->setText(MarkerSelectorHelpText(Index)); }

void Label3_MouseMove(Form1& f, int Index) {
    if (const char* text = Label3HelpText(Index)) f.txtHilfe->setText(text);
}

void DescribeControls(Window& window) {
    for (const auto& control : window.controls()) {
        std::optional<std::string> text = HelpTextFor(control->Name(), control->Index());
        if (text && !text->empty()) control->widget()->setAccessibleDescription(QString::fromStdString(*text));
    }
}

namespace {

// A table whose rows a macro adds: laid out by hand, one row a line.
// clang-format off
const EventBinding kHelpLine[] = {
    {"cmdTaste", Event::MouseMove, cmdTaste_MouseMove},
    {"optNote", Event::MouseMove, optNote_MouseMove},
    {"Label3", Event::MouseMove, Label3_MouseMove},
#define STIMMUNG_BIND(handler, control) {control, Event::MouseMove, handler},
    STIMMUNG_FIXED_HELP_HANDLERS(STIMMUNG_BIND)
#undef STIMMUNG_BIND
};
// clang-format on

} // namespace

std::span<const EventBinding> HelpLineBindings() { return kHelpLine; }

} // namespace stimmung::app
