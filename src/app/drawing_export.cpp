// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawing_export.h"

#include "output_area.h"
#include "picture_export.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>

namespace stimmung::app {

QImage DrawingImage(const OutputArea& area) {
    const QSizeF logical = area.interiorSize();
    const qreal dpr = area.image().isNull() ? qApp->devicePixelRatio() : area.image().devicePixelRatio();
    QImage image((logical * dpr).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    area.replay(p, QRectF(QPointF(0, 0), logical), false);
    return image;
}

bool SaveDrawing(const OutputArea& area, const QString& path) {
    if (!path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return DrawingImage(area).save(path, "PNG");
    const QSizeF size = area.baseInteriorSize();
    const Picture vectors{size, QStringLiteral("Stimmung"),
                          [&area, size](QPainter& p) { area.replay(p, QRectF(QPointF(0, 0), size), true); }};
    return SavePicture(vectors, path, 100, 1);
}

void CopyDrawing(const OutputArea& area) { QGuiApplication::clipboard()->setImage(DrawingImage(area)); }

void PrintDrawing(const OutputArea& area, QPrinter& printer) {
    QPainter p;
    if (!p.begin(&printer)) return;
    // The painter's origin is the top-left corner of the printable area.
    const QRectF page(QPointF(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const QSizeF fitted = area.baseInteriorSize().scaled(page.size(), Qt::KeepAspectRatio);
    const QRectF target(page.topLeft() + QPointF((page.width() - fitted.width()) / 2, 0), fitted);
    area.replay(p, target, true);
    // A thin frame, as the area has on the screen.
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(target);
    p.end();
}

} // namespace stimmung::app
