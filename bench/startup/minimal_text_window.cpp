// SPDX-License-Identifier: GPL-3.0-or-later
// The minimal Qt window with one line of text in Times New Roman (16 px): what
// any window that shows text pays for the font machinery (fontconfig,
// FreeType, HarfBuzz) beside the empty minimal window.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal with text"));
    window.resize(1119, 576);
    QLabel label(QStringLiteral("Pythagoreische Stimmung und andere"), &window);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    label.setFont(font);
    label.move(100, 100);
    window.show();
    return app.exec();
}
