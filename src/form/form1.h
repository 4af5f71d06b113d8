// SPDX-License-Identifier: GPL-3.0-or-later
// The window Form1 as every handler reaches it: its controls by name (the
// list in form1_controls.h; arrays indexed from 0), filled in by the window
// builder, which owns the controls; the two fields every tone is computed
// from; and the shape of a binding table.
#pragma once

#include "controls.h"
#include "form1_controls.h"
#include "numbers.h"
#include "output_area.h"
#include "window.h"

#include <array>
#include <cstddef>
#include <type_traits>
#include <variant>

namespace stimmung {

// A member of Form1: one control, or the members of a control array.
template <class Kind, std::size_t Count>
using Form1Member = std::conditional_t<Count == 0, Kind*, std::array<Kind*, Count>>;

struct Form1 {
    Window* window = nullptr;
#define STIMMUNG_CONTROL(Kind, name, count) Form1Member<Kind, count> name{};
    STIMMUNG_FORM1_CONTROLS(STIMMUNG_CONTROL)
#undef STIMMUNG_CONTROL
};

// The base frequency in Hz, the number at the start of Text1 (0 if none),
// and the tone duration in ms (the length of an eighth in a melody), Text2:
// read anew at every use.
inline double BaseFrequency(const Form1& f) { return ReadNumber(f.Text1->Text()); }
inline double ToneDuration(const Form1& f) { return ReadNumber(f.Text2->Text()); }

// The three shapes of a handler: one that takes nothing from its event, one
// that takes the index of its control in a control array, and one that
// takes the mouse button and the pointer position (the container's units).
using PlainHandler = void (*)(Form1& f);
using IndexHandler = void (*)(Form1& f, int Index);
using PointerHandler = void (*)(Form1& f, int Button, float X, float Y);

// A named handler bound to an event of a control (or of every member of a
// control array) by name. Each subsystem lists its handlers in one such table.
struct EventBinding {
    const char* control; // "Form1": the bare window surface
    Event event;
    std::variant<PlainHandler, IndexHandler, PointerHandler> handler;
};

} // namespace stimmung
