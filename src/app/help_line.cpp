#include "help_line.h"

#include "app_bindings.h"

#include <QString>

namespace stimmung::app {

void FixedHelp_MouseMove(Form1& f, const char* control) {
    if (const char* text = FixedHelpText(control)) f.txtHilfe->setText(text);
}

void cmd2_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmd2"); }
void cmd3_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmd3"); }
void cmd4_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmd4"); }
void cmd5_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmd5"); }
void cmd6_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmd6"); }
void cmd7_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmd7"); }
void cmdComplett_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdComplett"); }
void cmdNamen_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdNamen"); }
void cmdDia_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdDia"); }
void cmdDiff_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdDiff"); }
void cmdDidymos_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdDidymos"); }
void cmdClear_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdClear"); }
void cmdPythagoras_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdPythagoras"); }
void cmdrein_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdrein"); }
void cmdtemperiert_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdtemperiert"); }
void cmdHandlauf_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdHandlauf"); }
void cmdalle_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdalle"); }
void Label2_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "Label2"); }
void Label4_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "Label4"); }
void Label6_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "Label6"); }
void cmdPythagorasstimmung_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdPythagorasstimmung"); }
void cmdLinear_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdLinear"); }
void cmdGeometrisch_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdGeometrisch"); }
void cmdRausnehmen_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdRausnehmen"); }
void Picture2_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "Picture2"); }
void Picture1_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "Picture1"); }
void txtMelodie_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "txtMelodie"); }
void cmdAbspielen_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "cmdAbspielen"); }
void txtHilfe_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "txtHilfe"); }
void Form_MouseMove(Form1& f) { FixedHelp_MouseMove(f, "Form1"); }

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

const EventBinding kHelpLine[] = {
    {"cmdTaste", Event::MouseMove, cmdTaste_MouseMove},
    {"optNote", Event::MouseMove, optNote_MouseMove},
    {"Label3", Event::MouseMove, Label3_MouseMove},
    {"cmd2", Event::MouseMove, cmd2_MouseMove},
    {"cmd3", Event::MouseMove, cmd3_MouseMove},
    {"cmd4", Event::MouseMove, cmd4_MouseMove},
    {"cmd5", Event::MouseMove, cmd5_MouseMove},
    {"cmd6", Event::MouseMove, cmd6_MouseMove},
    {"cmd7", Event::MouseMove, cmd7_MouseMove},
    {"cmdComplett", Event::MouseMove, cmdComplett_MouseMove},
    {"cmdNamen", Event::MouseMove, cmdNamen_MouseMove},
    {"cmdDia", Event::MouseMove, cmdDia_MouseMove},
    {"cmdDiff", Event::MouseMove, cmdDiff_MouseMove},
    {"cmdDidymos", Event::MouseMove, cmdDidymos_MouseMove},
    {"cmdClear", Event::MouseMove, cmdClear_MouseMove},
    {"cmdPythagoras", Event::MouseMove, cmdPythagoras_MouseMove},
    {"cmdrein", Event::MouseMove, cmdrein_MouseMove},
    {"cmdtemperiert", Event::MouseMove, cmdtemperiert_MouseMove},
    {"cmdHandlauf", Event::MouseMove, cmdHandlauf_MouseMove},
    {"cmdalle", Event::MouseMove, cmdalle_MouseMove},
    {"Label2", Event::MouseMove, Label2_MouseMove},
    {"Label4", Event::MouseMove, Label4_MouseMove},
    {"Label6", Event::MouseMove, Label6_MouseMove},
    {"cmdPythagorasstimmung", Event::MouseMove, cmdPythagorasstimmung_MouseMove},
    {"cmdLinear", Event::MouseMove, cmdLinear_MouseMove},
    {"cmdGeometrisch", Event::MouseMove, cmdGeometrisch_MouseMove},
    {"cmdRausnehmen", Event::MouseMove, cmdRausnehmen_MouseMove},
    {"Picture2", Event::MouseMove, Picture2_MouseMove},
    {"Picture1", Event::MouseMove, Picture1_MouseMove},
    {"txtMelodie", Event::MouseMove, txtMelodie_MouseMove},
    {"cmdAbspielen", Event::MouseMove, cmdAbspielen_MouseMove},
    {"txtHilfe", Event::MouseMove, txtHilfe_MouseMove},
    {"Form1", Event::MouseMove, Form_MouseMove},
};

} // namespace

std::span<const EventBinding> HelpLineBindings() { return kHelpLine; }

} // namespace stimmung::app
