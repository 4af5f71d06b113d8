// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_handlers.h"

#include "picture_export.h"

#include "circle_of_fifths_window.h"
#include "drawing_export.h"
#include "form_frame.h"
#include "interval_window.h"
#include "main_window.h"
#include "menu_bar.h"
#include "scala_open.h"
#include "tuning_export.h"
#include "zoom.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace stimmung::app {

namespace {

// The name as typed, with the suffix of the chosen file type when it has none.
QString WithSuffix(QString path, const QString& suffix) {
    if (QFileInfo(path).suffix().isEmpty()) path += u'.' + suffix;
    return path;
}

const OutputArea& Drawing(MenuFrame& frame) { return *frame.main().form().picAusgabe; }

} // namespace

void mnuSpeichern_Click(MenuFrame& frame) {
    SavePictureAs(&frame, QStringLiteral("Zeichnung speichern"), QStringLiteral("stimmung.png"),
                  [&frame](const QString& path) { return SaveDrawing(Drawing(frame), path); });
}

void mnuKopieren_Click(MenuFrame& frame) {
    // A text box with the focus keeps its own copy.
    if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget()); edit && frame.isAncestorOf(edit)) {
        edit->copy();
        return;
    }
    CopyDrawing(Drawing(frame));
}

void mnuDrucken_Click(MenuFrame& frame) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Stimmung"));
    QPrintPreviewDialog preview(&printer, &frame);
    preview.setWindowTitle(QStringLiteral("Drucken"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &frame,
                     [&frame](QPrinter* p) { PrintDrawing(Drawing(frame), *p); });
    preview.exec();
}

void mnuExportieren_Click(MenuFrame& frame) {
    const Form1& f = frame.main().form();
    QStringList labels;
    for (const ExportChoice& c : ExportChoices()) labels << QString::fromUtf8(c.label);
    const std::optional<ExportedTuning> scala = OpenedScalaTuning();
    if (scala) labels << QStringLiteral("Geöffnete Scala-Datei: %1").arg(OpenedScalaName());
    bool ok = false;
    const QString picked = QInputDialog::getItem(&frame, QStringLiteral("Stimmung exportieren"),
                                                 QStringLiteral("Welche Tonleiter?"), labels, 0, false, &ok);
    if (!ok) return;
    const qsizetype pickedIndex = labels.indexOf(picked);
    const bool pickedScala = pickedIndex == static_cast<qsizetype>(ExportChoices().size());
    const ExportChoice& choice = ExportChoices()[pickedScala ? 0 : pickedIndex];
    // The keyboard mapping tunes middle C to the base frequency; 0 Hz tunes nothing.
    if (!(BaseFrequency(f) > 0)) {
        QMessageBox::information(&frame, QStringLiteral("Stimmung exportieren"),
                                 QStringLiteral("Die Frequenz des Grundtons ist keine positive Zahl."));
        return;
    }
    const std::optional<ExportedTuning> tuning = pickedScala ? scala : TuningToExport(f, choice.scale);
    if (!tuning) {
        QMessageBox::information(&frame, QStringLiteral("Stimmung exportieren"),
                                 QStringLiteral("„Temperiert mit“ zeigt keine Stufenzahl von 2 bis 100."));
        return;
    }
    const QString scl = QStringLiteral("Scala-Stimmung (*.scl)");
    QString path = QFileDialog::getSaveFileName(&frame, QStringLiteral("Stimmung exportieren"),
                                                SuggestedPath((pickedScala ? QStringLiteral("stimmung-scala")
                                                                          : QString::fromUtf8(choice.fileStem)) +
                                                              ".scl"),
                                                scl);
    if (path.isEmpty()) return;
    path = WithSuffix(path, QStringLiteral("scl"));
    if (!WriteTuningFiles(f, *tuning, QFile::encodeName(path).toStdString()))
        WriteFailed(&frame, QStringLiteral("Stimmung exportieren"), path);
}

void mnuBeenden_Click(MenuFrame& frame) { cmdEnde_Click(frame.main().form()); }

void mnuVergroessern_Click(MenuFrame& frame) { frame.setZoomPercent(NextZoomStep(frame.zoomPercent(), +1)); }
void mnuVerkleinern_Click(MenuFrame& frame) { frame.setZoomPercent(NextZoomStep(frame.zoomPercent(), -1)); }
void mnuOriginalgroesse_Click(MenuFrame& frame) { frame.setZoomPercent(100); }
void mnuVollbild_Click(MenuFrame& frame) { frame.setFullScreenShown(!frame.isFullScreenShown()); }

void mnuUeber_Click(MenuFrame& frame) {
    QMessageBox::about(&frame, QStringLiteral("Über Stimmung"),
                       QStringLiteral("<h3>Stimmung %1</h3>"
                                      "<p>Ein Lehrmittel zur Stimmung von Tonleitern: die pythagoreische Tonleiter aus "
                                      "Quinten bauen, die reinen Töne nach Didymos markieren, die Oktave in N gleiche "
                                      "Stufen teilen und die Fehler der temperierten Terz, Quarte und Quinte ablesen, "
                                      "sechs Töne von Hand setzen und alle Tonleitern anhören – so hört die Klasse den "
                                      "Unterschied, den sie sieht.</p>"
                                      "<p>Lizenz: GNU General Public License, Version 3 oder später.</p>")
                           .arg(QStringLiteral(STIMMUNG_VERSION)));
}

namespace {
using SK = QKeySequence::StandardKey;
const MenuItem kItems[] = {
    {"&Datei", "Zeichnung &speichern …", SK::Save, nullptr, mnuSpeichern_Click},
    {"&Datei", "Zeichnung &kopieren", SK::Copy, nullptr, mnuKopieren_Click},
    {"&Datei", "&Drucken …", SK::Print, nullptr, mnuDrucken_Click},
    {"&Datei", "Scala-Datei ö&ffnen …", SK::Open, "Ctrl+O", mnuScalaOeffnen_Click},
    {"&Datei", "Stimmung &exportieren …", SK::UnknownKey, nullptr, mnuExportieren_Click},
    {"&Datei", "&Beenden", SK::UnknownKey, "Ctrl+Q", mnuBeenden_Click},
    {"&Ansicht", "&Vergrößern", SK::ZoomIn, "Ctrl++;Ctrl+=", mnuVergroessern_Click},
    {"&Ansicht", "Ver&kleinern", SK::ZoomOut, "Ctrl+-", mnuVerkleinern_Click},
    {"&Ansicht", "&Originalgröße", SK::UnknownKey, "Ctrl+0", mnuOriginalgroesse_Click},
    {"&Ansicht", "Voll&bild", SK::UnknownKey, "F11", mnuVollbild_Click},
    {"&Hören", "&Intervalle und Schwebungen …", SK::UnknownKey, nullptr, mnuIntervalle_Click},
    {"&Stimmungen", "&Quintenzirkel …", SK::UnknownKey, nullptr, mnuQuintenzirkel_Click},
    {"&Hilfe", "Ü&ber Stimmung", SK::UnknownKey, nullptr, mnuUeber_Click},
};
} // namespace

std::span<const MenuItem> MenuItems() { return kItems; }

} // namespace stimmung::app
