// SPDX-License-Identifier: GPL-3.0-or-later
#include "scala_open.h"

#include "main_window.h"
#include "menu_bar.h"
#include "note_markers.h"
#include "offered_tunings.h"
#include "scala_reader.h"
#include "temperament_drawing.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace stimmung::app {

namespace {

// A scale of this many notes ending on the octave fills the six markers.
constexpr std::size_t kMarkerScaleSize = markers::kMarkerCount + 1;

struct OpenedScala {
    tuning::ScalaScale scale;
    std::string name;
};
std::optional<OpenedScala> opened;

NamedTuning TuningOf(const OpenedScala& s) {
    NamedTuning named{"Scala: " + s.name, {"1"}, {1.0}};
    for (const tuning::ScalaPitch& pitch : s.scale.pitches) {
        named.noteNames.push_back(std::to_string(named.ratios.size() + 1));
        named.ratios.push_back(tuning::PitchRatio(pitch));
    }
    return named;
}

std::string LeftOutText(int count) {
    return count == 1 ? "1 Ton liegt außerhalb der Achse."
                      : std::to_string(count) + " Töne liegen außerhalb der Achse.";
}

} // namespace

std::string OpenScalaFile(Form1& f, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Die Datei „%1“ konnte nicht gelesen werden.").arg(path).toStdString();
    // One byte beyond the limit is enough for the reader to refuse the file.
    const QByteArray bytes = file.read(static_cast<qint64>(tuning::kScalaMaxBytes) + 1);
    tuning::ScalaReading reading = tuning::ReadScalaText(std::string_view(bytes.constData(), bytes.size()));
    if (!reading.ok()) return reading.error;

    const auto& pitches = reading.scale.pitches;
    if (pitches.size() == kMarkerScaleSize && tuning::PitchRatio(pitches.back()) == 2.0)
        for (int i = 0; i < markers::kMarkerCount; ++i)
            markers::SetMarker(f, i, static_cast<float>(tuning::PitchRatio(pitches[i])));
    const int leftOut = DrawScaleTicks(*f.picAusgabe, tuning::ScalaNotes(reading.scale));
    if (leftOut > 0) f.txtHilfe->setText(LeftOutText(leftOut));

    const std::string name = reading.scale.description.empty() ? QFileInfo(path).fileName().toStdString()
                                                               : reading.scale.description;
    opened = OpenedScala{std::move(reading.scale), name};
    OfferedTunings::instance().offer(OfferSlot::ScalaFile, TuningOf(*opened));
    return {};
}

void mnuScalaOeffnen_Click(MenuFrame& frame) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty()) dir = QDir::homePath();
    const QString path = QFileDialog::getOpenFileName(&frame, QStringLiteral("Scala-Datei öffnen"), dir,
                                                      QStringLiteral("Scala-Stimmung (*.scl)"));
    if (path.isEmpty()) return;
    const std::string message = OpenScalaFile(frame.main().form(), path);
    if (!message.empty())
        QMessageBox::warning(&frame, QStringLiteral("Scala-Datei öffnen"), QString::fromStdString(message));
}

std::optional<ExportedTuning> OpenedScalaTuning() {
    if (!opened) return std::nullopt;
    return ExportedTuning{"Scala: " + opened->name, opened->scale.pitches};
}

QString OpenedScalaName() { return opened ? QString::fromStdString(opened->name) : QString(); }

} // namespace stimmung::app
