// SPDX-License-Identifier: GPL-3.0-or-later
// The window's layout as one table: every control with its kind, container,
// caption or initial text, position and size (twips, 15 per pixel), tab
// position, colours and font, and every decoration. The window builder reads
// it; nothing else creates controls.
#pragma once

#include "fonts.h"
#include "rgb.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace stimmung::layout {

enum class Kind { Button, TextBox, Label, Option, ScrollBar, Picture, OutputArea };

struct Font {
    const char* family = nullptr; // nullptr: the window's default font (sans-serif, 8 pt)
    double points = 8;
    bool bold = false;
};

enum class Align { Left, Center };

struct ControlRow {
    const char* name;
    int index; // -1 for a single control
    Kind kind;
    const char* container;        // nullptr: directly on the window
    const char* caption;          // caption of buttons, labels, option buttons; initial text of text boxes
    int left, top, width, height; // twips inside the container's interior
    int tab;                      // position in the keyboard tab order
    std::optional<Rgb> back;
    std::optional<Rgb> fore;
    Font font;
    Align align = Align::Left;
};

struct LineRow {
    const char* name;
    int index;
    const char* container;
    int x1, y1, x2, y2; // twips
    int widthPx;
    Rgb colour;
};

struct OvalRow {
    const char* name;
    int index;
    int left, top, width, height; // twips, on the window
};

struct ScrollRange {
    const char* name;
    int min, max, smallChange, largeChange, value;
};

struct WindowRow {
    const char* title;
    int clientWidthTwips, clientHeightTwips;
};

const WindowRow& Window();
std::span<const ControlRow> Controls();
std::span<const LineRow> Lines();
std::span<const OvalRow> Ovals();
std::span<const ScrollRange> ScrollRanges();
// The option button that is on at start.
const char* InitialOption(int& index);

// What a screen reader announces for a control whose caption does not say
// what it is (text boxes, whose caption is their changing content, scroll
// bars, swatches) or says the same as another control's caption (" Pythagoras"
// and "Pythagoras", the digits of the tone buttons, keys and selectors). The
// visible captions stay as they are.
struct AccessibleNameRow {
    const char* name;
    int index; // -1: a single control
    const char* accessible;
};
std::span<const AccessibleNameRow> AccessibleNames();
// The announced name of a control: its row above, else its caption without
// the surrounding blanks, else its control name.
std::string AccessibleName(std::string_view name, int index);

} // namespace stimmung::layout
