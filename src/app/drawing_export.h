// SPDX-License-Identifier: GPL-3.0-or-later
// The output area's drawing outside the program: everything drawn since the
// last clearing, replayed from its list of operations onto an image (PNG,
// the clipboard), an SVG file (vectors, its texts as text) or a printer
// (fitted to the page, landscape, vectors).
#pragma once

#include <QImage>
#include <QString>

class QPrinter;

namespace stimmung {
class OutputArea;
}

namespace stimmung::app {

// At the size on screen times the display scale: pixel for pixel what the
// output area's interior shows.
QImage DrawingImage(const OutputArea& area);
// By the file's suffix: ".svg" writes vectors, anything else a PNG image.
bool SaveDrawing(const OutputArea& area, const QString& path);
void CopyDrawing(const OutputArea& area);
// The drawing as large as the page allows with its proportions.
void PrintDrawing(const OutputArea& area, QPrinter& printer);

} // namespace stimmung::app
