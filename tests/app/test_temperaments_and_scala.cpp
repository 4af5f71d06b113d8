// SPDX-License-Identifier: GPL-3.0-or-later
// The menu "Stimmungen" and "Scala-Datei öffnen": what a temperament or a
// file does to the markers (read back through the export), to the drawing
// (ticks in the temperament colour, the drawing state kept) and what a
// refused file leaves unchanged.
#include "../tuning/drawing_probe.h"
#include "menu_bar.h"
#include "note_markers.h"
#include "scala_open.h"
#include "scala_reader.h"
#include "temperament_drawing.h"
#include "temperament_menu.h"
#include "temperaments.h"
#include "test_window.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace stimmung;

namespace {

std::vector<double> TickRatios(const OutputArea& pic) {
    std::vector<double> ratios;
    for (const DrawOp& op : test::OfKind(pic.trace(), DrawKind::Line))
        if (op.colour == app::kTemperamentColour && op.x1 == op.x2) ratios.push_back(op.x1);
    return ratios;
}

std::array<float, 6> Markers(const Form1& f) {
    std::array<float, 6> ratios{};
    for (int i = 0; i < 6; ++i) ratios[i] = f.Line2[i]->X1();
    return ratios;
}

} // namespace

class TemperamentsAndScala : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void temperament_sets_markers_and_draws_its_notes_data() {
        QTest::addColumn<int>("index");
        const auto table = tuning::Temperaments();
        for (int i = 0; i < static_cast<int>(table.size()); ++i)
            QTest::newRow(std::string(table[i].name).c_str()) << i;
    }
    void temperament_sets_markers_and_draws_its_notes() {
        QFETCH(int, index);
        test::TestWindow tw;
        app::MenuFrame frame(*tw.main);
        OutputArea& pic = *tw->picAusgabe;
        const Rgb colour = pic.ForeColor;
        const int width = pic.DrawWidth;
        pic.clearTrace();
        app::mnuTemperament_Click(frame, index);

        const auto ratios = tuning::NoteRatios(tuning::Temperaments()[index]);
        const auto exported = app::TuningToExport(tw.form(), app::ExportedScale::HandPlaced);
        const auto read = tuning::ReadScalaText(tuning::ScalaScaleText("x.scl", exported->description, exported->pitches));
        QVERIFY(read.ok());
        const int notes[] = {2, 4, 5, 7, 9, 11};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(static_cast<float>(tuning::PitchRatio(read.scale.pitches[i])), static_cast<float>(ratios[notes[i]]));

        QCOMPARE(TickRatios(pic), std::vector<double>(ratios.begin(), ratios.end()));
        QCOMPARE(test::OfKind(pic.trace(), DrawKind::Print).size(), size_t(12));
        QCOMPARE(pic.ForeColor, colour);
        QCOMPARE(pic.DrawWidth, width);
    }

    void opening_a_scala_file_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<bool>("setsMarkers");
        QTest::addColumn<QString>("message"); // the start of it
        QTest::addColumn<QString>("helpLine");
        QTest::newRow("seven notes to the octave")
            << QByteArray("! just.scl\nRein\n7\n9/8\n5/4\n4/3\n3/2\n5/3\n15/8\n2/1\n") << 7 << true << "" << "";
        QTest::newRow("notes outside the axis") << QByteArray("Weit\n4\n1/2\n386.3\n3\n2/1\n") << 2 << false << ""
                                                << "2 Töne liegen außerhalb der Achse.";
        QTest::newRow("a bad pitch") << QByteArray("Kaputt\n2\n9/8\nabc\n") << 0 << false << "Zeile 4" << "";
        QTest::newRow("larger than 1 MiB") << QByteArray(1024 * 1024 + 10, '!') << 0 << false << "?" << "";
    }
    void opening_a_scala_file() {
        QFETCH(QByteArray, text);
        QFETCH(int, ticks);
        QFETCH(bool, setsMarkers);
        QFETCH(QString, message);
        QFETCH(QString, helpLine);
        QTemporaryDir dir;
        QFile file(dir.filePath("x.scl"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        test::TestWindow tw;
        tw->picAusgabe->clearTrace();
        const auto before = Markers(tw.form());
        tw->txtHilfe->setText("");

        const QString got = QString::fromStdString(app::OpenScalaFile(tw.form(), file.fileName()));
        QCOMPARE(got.isEmpty(), message.isEmpty());
        if (message != "?") QVERIFY2(got.startsWith(message), qPrintable(got));
        QCOMPARE(int(TickRatios(*tw->picAusgabe).size()), ticks);
        QCOMPARE(Markers(tw.form()) != before, setsMarkers);
        if (setsMarkers) QCOMPARE(Markers(tw.form())[1], 1.25f);
        QCOMPARE(QString::fromStdString(tw->txtHilfe->Text()), helpLine);
    }
};

QTEST_MAIN(TemperamentsAndScala)
#include "test_temperaments_and_scala.moc"
