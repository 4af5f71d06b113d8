// SPDX-License-Identifier: GPL-3.0-or-later
// The help line txtHilfe: the mouse-move handlers that write a control's
// help text (help_texts.h) into it. Every control of kFixedHelpTexts (cmd2
// ... cmdAbspielen, txtHilfe, and "Form1" for Form_MouseMove) has a handler
// of its own that writes its fixed text, defined and bound from one list in
// help_line.cpp; the keys, the marker selectors and Label3 compose or
// choose their text from the index.
#pragma once

#include "form1.h"
#include "help_texts.h"

namespace stimmung::app {

void cmdTaste_MouseMove(Form1& f, int Index);
void optNote_MouseMove(Form1& f, int Index);
// Index 0 to 3; any other index leaves the help line as it is.
void Label3_MouseMove(Form1& f, int Index);

// Gives every control with a help text that text as its accessible
// description, so that screen readers explain the window as the help line does.
void DescribeControls(Window& window);

} // namespace stimmung::app
