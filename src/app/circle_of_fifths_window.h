// SPDX-License-Identifier: GPL-3.0-or-later
// "Quintenzirkel": a window beside the main one with the twelve fifths of a
// temperament around a circle, each with its narrowing, the wolf in red, and
// the major thirds' deviations from 5/4 inside; a second circle compares
// another temperament. It follows the main window's zoom and saves, copies
// and prints its picture as the main drawing does.
#pragma once

#include "picture_export.h"

#include <QWidget>

class QComboBox;
class QPainter;
class QPrinter;

namespace stimmung::app {

class MenuFrame;
class CirclePicture;

// The picture at 100 %, in logical pixels: one circle, or two side by side.
QSizeF CirclePictureSize(bool compared);
// Paints the circles of temperament `first` and, unless -1, `second`
// (indices into tuning::Temperaments()) at 100 % in the painter's coordinates.
void PaintCircles(QPainter& p, int first, int second);

class CircleOfFifthsWindow : public QWidget {
    Q_OBJECT
public:
    explicit CircleOfFifthsWindow(MenuFrame& frame);

    // Opens the one window, or raises it when it is open.
    static CircleOfFifthsWindow& Open(MenuFrame& frame);
    void showTemperament(int index);
    void setZoomPercent(int percent);

    int first() const;
    int second() const; // -1: no comparison
    // At the zoom shown times the display scale.
    QImage image() const;
    bool save(const QString& path) const; // ".svg" vectors, else PNG
    void print(QPrinter& printer) const;

private:
    Picture picture() const;
    void saveClicked();
    void copyClicked();
    void printClicked();
    void pictureChanged();

    MenuFrame& frame_;
    QComboBox* first_;
    QComboBox* second_;
    CirclePicture* picture_;
    int zoom_ = 100;
};

void mnuQuintenzirkel_Click(MenuFrame& frame);

} // namespace stimmung::app
