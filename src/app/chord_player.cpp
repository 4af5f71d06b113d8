// SPDX-License-Identifier: GPL-3.0-or-later
#include "chord_player.h"

#include "program_end.h"

namespace stimmung::app {

ChordPlayer::~ChordPlayer() {
    if (thread_.joinable()) thread_.join();
}

void ChordPlayer::play(std::vector<ChordRequest> chords, std::int32_t durationMs) {
    if (playing_) return;
    if (thread_.joinable()) thread_.join();
    playing_ = true;
    thread_ = std::thread([this, chords = std::move(chords), durationMs] {
        for (const ChordRequest& chord : chords) {
            if (EndRequested()) break;
            Chord(chord, durationMs);
        }
        playing_ = false;
        QMetaObject::invokeMethod(this, &ChordPlayer::finished, Qt::QueuedConnection);
    });
}

} // namespace stimmung::app
