// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio_bindings.h"

#include "keyboard.h"
#include "melody_player.h"
#include "scale_players.h"
#include "tone_fields.h"

namespace stimmung::audio {

namespace {

// One binding a line.
// clang-format off
const EventBinding kAudio[] = {
    {"cmdPlusF", Event::Click, cmdPlusF_Click},
    {"cmdMinusF", Event::Click, cmdMinusF_Click},
    {"cmdPlusT", Event::Click, cmdPlusT_Click},
    {"cmdMinusT", Event::Click, cmdMinusT_Click},
    {"cmdPythagoras", Event::Click, cmdPythagoras_Click},
    {"cmdrein", Event::Click, cmdrein_Click},
    {"cmdtemperiert", Event::Click, cmdtemperiert_Click},
    {"cmdalle", Event::Click, cmdalle_Click},
    {"cmdTaste", Event::Click, cmdTaste_Click},
    {"cmdHandlauf", Event::Click, cmdHandlauf_Click},
    {"cmdAbspielen", Event::Click, cmdAbspielen_Click},
};
// clang-format on

} // namespace

std::span<const EventBinding> Bindings() { return kAudio; }

} // namespace stimmung::audio
