// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a window of Stimmung's client size (1119 x 576 px), empty.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.resize(1119, 576);
    window.show();
    return app.exec();
}
