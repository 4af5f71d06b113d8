// Stimmung: one window about the tuning of musical scales.
// The program takes no arguments and reads no files or configuration.
#include "main_window.h"
#include "sound_output.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stimmung"));
    QApplication::setDesktopFileName(QStringLiteral("stimmung"));

    stimmung::MainWindow window;
    window.show();
    int status = app.exec();
    return status;
}
