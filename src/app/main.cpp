// Stimmung: one window about the tuning of musical scales.
// The program takes no arguments and reads no files or configuration.
#include "main_window.h"
#include "sdl_sound_output.h"
#include "sound_output.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stimmung"));
    QApplication::setDesktopFileName(QStringLiteral("stimmung"));

    // The sound device opens in the background while the window comes up;
    // the first tone waits for it only if it is not open yet.
    stimmung::SdlSoundOutput sound;
    sound.start();
    stimmung::InstallSoundOutput(&sound);

    stimmung::MainWindow window;
    window.show();
    int status = app.exec();
    stimmung::InstallSoundOutput(nullptr);
    return status;
}
