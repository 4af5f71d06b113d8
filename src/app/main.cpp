// SPDX-License-Identifier: GPL-3.0-or-later
// Stimmung: one window about the tuning of musical scales.
// The program takes no arguments; the one setting it keeps is the zoom.
#include "first_frame.h"
#include "main_window.h"
#include "menu_bar.h"
#include "sdl_sound_output.h"
#include "sound_output.h"
#include "sound_server.h"

#include <QApplication>

int main(int argc, char** argv) {
    // Before any thread starts: the sound libraries read it when the device
    // opens.
    stimmung::PrepareSoundEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stimmung"));
    QApplication::setDesktopFileName(QStringLiteral("stimmung"));

    stimmung::SdlSoundOutput sound;
    stimmung::InstallSoundOutput(&sound);

    stimmung::MainWindow window;
    // The menu bar sits above the window's client area.
    stimmung::app::MenuFrame frame(window);
    frame.show();
    // The sound device opens in the background once the first frame is on
    // the screen, so loading the sound libraries does not hold up the window.
    // That is long before anyone can click; a tone asked for while it is
    // still opening waits for it.
    stimmung::AfterFirstFrame(window.window().widget(), [&sound] { sound.start(); });
    int status = app.exec();
    stimmung::InstallSoundOutput(nullptr);
    return status;
}
