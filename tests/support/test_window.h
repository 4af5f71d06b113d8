// SPDX-License-Identifier: GPL-3.0-or-later
// A window for widget tests: the real Form1, built from the layout table
// with every handler bound, its output area tracing every drawing from the
// start, and the sound device replaced by a recorder that notes each tone
// and returns at once.
#pragma once

#include "main_window.h"
#include "program_end.h"
#include "recording_sound_output.h"
#include "sound_output.h"

#include <memory>

namespace stimmung::test {

struct TestWindow {
    RecordingSoundOutput sound;
    SoundOutput* previous = nullptr;
    std::unique_ptr<MainWindow> main;

    TestWindow() {
        ResetEndRequest();
        previous = InstallSoundOutput(&sound);
        main = std::make_unique<MainWindow>(true);
    }
    ~TestWindow() {
        main.reset();
        InstallSoundOutput(previous);
        ResetEndRequest();
    }
    Form1& form() { return main->form(); }
    Form1* operator->() { return &main->form(); }
};

} // namespace stimmung::test
