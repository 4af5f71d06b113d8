// SPDX-License-Identifier: GPL-3.0-or-later
// How a picture leaves the program, for every window that paints one: PNG at
// the zoom shown times the display scale, SVG as vectors at 100 %, the
// clipboard, a printed page; and the file dialogs that ask where to.
#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace stimmung::app {

// A picture as a window paints it: its size at 100 % in logical pixels.
struct Picture {
    QSizeF size;
    QString title; // the SVG file's title
    std::function<void(QPainter&)> paint;
};

QImage PictureImage(const Picture& picture, int zoomPercent, qreal devicePixelRatio);
// By the file's suffix: ".svg" writes vectors, anything else a PNG image.
bool SavePicture(const Picture& picture, const QString& path, int zoomPercent, qreal devicePixelRatio);
// As large as the page allows with its proportions, centred across it.
void PrintPicture(const Picture& picture, QPrinter& printer);

// A name for a new file in the user's documents folder.
QString SuggestedPath(const QString& fileName);
// Asks where to save a picture (PNG or SVG, `fileName` suggested), saves it
// with `save` and says so when that fails.
void SavePictureAs(QWidget* parent, const QString& dialogTitle, const QString& fileName,
                   const std::function<bool(const QString&)>& save);
// Tells the user that `path` could not be written.
void WriteFailed(QWidget* parent, const QString& dialogTitle, const QString& path);

} // namespace stimmung::app
