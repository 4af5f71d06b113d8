// SPDX-License-Identifier: GPL-3.0-or-later
// Sounds a row of chords, one after the other, on a thread of its own, so
// that the windows keep answering while they sound and "Programm beenden"
// (the end request) cuts them at once. One row at a time.
#pragma once

#include "sound_output.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace stimmung::app {

class ChordPlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // Waits for the row that sounds: the end request shortens it to a slice.
    ~ChordPlayer() override;

    bool isPlaying() const { return playing_; }
    // Each chord for `durationMs`; nothing when a row is still sounding.
    void play(std::vector<ChordRequest> chords, std::int32_t durationMs);

signals:
    void finished();

private:
    std::thread thread_;
    std::atomic<bool> playing_ = false;
};

} // namespace stimmung::app
