// The help line txtHilfe: the mouse-move handlers that write a control's
// help text (help_texts.h) into it. Every control of kFixedHelpTexts (cmd2
// ... cmdAbspielen, txtHilfe, and "Form1" for Form_MouseMove) has a handler
// of its own that writes its fixed text; the keys, the marker selectors and
// Label3 compose or choose their text from the index.
#pragma once

#include "form1.h"
#include "help_texts.h"

namespace stimmung::app {

// Writes the fixed text of `control` over the whole help line (the empty
// text for the bare window surface, "Form1").
void FixedHelp_MouseMove(Form1& f, const char* control);

void cmd2_MouseMove(Form1& f);
void cmd3_MouseMove(Form1& f);
void cmd4_MouseMove(Form1& f);
void cmd5_MouseMove(Form1& f);
void cmd6_MouseMove(Form1& f);
void cmd7_MouseMove(Form1& f);
void cmdComplett_MouseMove(Form1& f);
void cmdNamen_MouseMove(Form1& f);
void cmdDia_MouseMove(Form1& f);
void cmdDiff_MouseMove(Form1& f);
void cmdDidymos_MouseMove(Form1& f);
void cmdClear_MouseMove(Form1& f);
void cmdPythagoras_MouseMove(Form1& f);
void cmdrein_MouseMove(Form1& f);
void cmdtemperiert_MouseMove(Form1& f);
void cmdHandlauf_MouseMove(Form1& f);
void cmdalle_MouseMove(Form1& f);
void Label2_MouseMove(Form1& f);
void Label4_MouseMove(Form1& f);
void Label6_MouseMove(Form1& f);
void cmdPythagorasstimmung_MouseMove(Form1& f);
void cmdLinear_MouseMove(Form1& f);
void cmdGeometrisch_MouseMove(Form1& f);
void cmdRausnehmen_MouseMove(Form1& f);
void Picture2_MouseMove(Form1& f);
void Picture1_MouseMove(Form1& f);
void txtMelodie_MouseMove(Form1& f);
void cmdAbspielen_MouseMove(Form1& f);
void txtHilfe_MouseMove(Form1& f);
void Form_MouseMove(Form1& f);

void cmdTaste_MouseMove(Form1& f, int Index);
void optNote_MouseMove(Form1& f, int Index);
// Index 0 to 3; any other index leaves the help line as it is.
void Label3_MouseMove(Form1& f, int Index);

// Gives every control with a help text that text as its accessible
// description, so that screen readers explain the window as the help line does.
void DescribeControls(Window& window);

} // namespace stimmung::app
