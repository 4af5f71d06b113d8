// SPDX-License-Identifier: GPL-3.0-or-later
#include "picture_export.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>
#include <QSvgGenerator>

#include <algorithm>

namespace stimmung::app {

QImage PictureImage(const Picture& picture, int zoomPercent, qreal devicePixelRatio) {
    const double zoom = zoomPercent / 100.0;
    QImage image((picture.size * zoom * devicePixelRatio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter p(&image);
    p.scale(zoom, zoom);
    picture.paint(p);
    return image;
}

bool SavePicture(const Picture& picture, const QString& path, int zoomPercent, qreal devicePixelRatio) {
    if (!path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return PictureImage(picture, zoomPercent, devicePixelRatio).save(path, "PNG");
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(picture.size.toSize());
    svg.setViewBox(QRectF(QPointF(0, 0), picture.size));
    svg.setTitle(picture.title);
    QPainter p;
    if (!p.begin(&svg)) return false;
    picture.paint(p);
    return p.end();
}

void PrintPicture(const Picture& picture, QPrinter& printer) {
    QPainter p;
    if (!p.begin(&printer)) return;
    // The painter's origin is the top-left corner of the printable area.
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const double scale = std::min(page.width() / picture.size.width(), page.height() / picture.size.height());
    p.translate((page.width() - picture.size.width() * scale) / 2, 0);
    p.scale(scale, scale);
    picture.paint(p);
    p.end();
}

QString SuggestedPath(const QString& fileName) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty()) dir = QDir::homePath();
    return QDir(dir).filePath(fileName);
}

void SavePictureAs(QWidget* parent, const QString& dialogTitle, const QString& fileName,
                   const std::function<bool(const QString&)>& save) {
    const QString png = QStringLiteral("PNG-Bild (*.png)"), svg = QStringLiteral("SVG-Grafik (*.svg)");
    QString filter = png;
    QString path =
        QFileDialog::getSaveFileName(parent, dialogTitle, SuggestedPath(fileName), png + ";;" + svg, &filter);
    if (path.isEmpty()) return;
    // The name as typed, with the suffix of the chosen file type when it has none.
    if (QFileInfo(path).suffix().isEmpty()) path += filter == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
    if (!save(path)) WriteFailed(parent, dialogTitle, path);
}

void WriteFailed(QWidget* parent, const QString& dialogTitle, const QString& path) {
    QMessageBox::warning(parent, dialogTitle, QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden.").arg(path));
}

} // namespace stimmung::app
