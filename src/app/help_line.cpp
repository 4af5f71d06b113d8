#include "help_line.h"

#include "app_bindings.h"

#include <QString>

#include <array>
#include <utility>

namespace stimmung::app {

void FixedHelp_MouseMove(Form1& f, const HelpText& row) { f.txtHilfe->setText(row.text); }

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

// A binding holds a plain function pointer, so each row of the text table
// gets a handler of its own that knows its row.
template <std::size_t Row>
void FixedRowMouseMove(Form1& f, const EventArgs&) {
    FixedHelp_MouseMove(f, kFixedHelpTexts[Row]);
}

template <std::size_t... Rows>
constexpr auto MakeBindings(std::index_sequence<Rows...>) {
    return std::array<EventBinding, 3 + sizeof...(Rows)>{{
        {"cmdTaste", Event::MouseMove, [](Form1& f, const EventArgs& a) { cmdTaste_MouseMove(f, a.Index); }},
        {"optNote", Event::MouseMove, [](Form1& f, const EventArgs& a) { optNote_MouseMove(f, a.Index); }},
        {"Label3", Event::MouseMove, [](Form1& f, const EventArgs& a) { Label3_MouseMove(f, a.Index); }},
        {kFixedHelpTexts[Rows].control, Event::MouseMove, &FixedRowMouseMove<Rows>}...,
    }};
}

constexpr auto kHelpLine = MakeBindings(std::make_index_sequence<std::size(kFixedHelpTexts)>{});

} // namespace

std::span<const EventBinding> HelpLineBindings() { return kHelpLine; }

} // namespace stimmung::app
