#include "audio_bindings.h"

#include "keyboard.h"
#include "melody_player.h"
#include "scale_players.h"
#include "tone_fields.h"

namespace stimmung::audio {

namespace {

// Each row forwards to the handler named after control and event.
template <void (*Handler)(Form1&)>
void Forward(Form1& f, const EventArgs&) {
    Handler(f);
}

template <void (*Handler)(Form1&, int)>
void ForwardIndex(Form1& f, const EventArgs& args) {
    Handler(f, args.Index);
}

const EventBinding kAudio[] = {
    {"cmdPlusF", Event::Click, Forward<cmdPlusF_Click>},
    {"cmdMinusF", Event::Click, Forward<cmdMinusF_Click>},
    {"cmdPlusT", Event::Click, Forward<cmdPlusT_Click>},
    {"cmdMinusT", Event::Click, Forward<cmdMinusT_Click>},
    {"cmdPythagoras", Event::Click, Forward<cmdPythagoras_Click>},
    {"cmdrein", Event::Click, Forward<cmdrein_Click>},
    {"cmdtemperiert", Event::Click, Forward<cmdtemperiert_Click>},
    {"cmdalle", Event::Click, Forward<cmdalle_Click>},
    {"cmdTaste", Event::Click, ForwardIndex<cmdTaste_Click>},
    {"cmdHandlauf", Event::Click, Forward<cmdHandlauf_Click>},
    {"cmdAbspielen", Event::Click, Forward<cmdAbspielen_Click>},
};

} // namespace

std::span<const EventBinding> Bindings() { return kAudio; }

} // namespace stimmung::audio
