// SPDX-License-Identifier: GPL-3.0-or-later
// Reading .scl files: what the export writes comes back pitch for pitch; the
// good inputs of the format's rules are read; each file of scala_bad/ holds
// one fault and, in its first line, the message expected for it.
#include <QDir>
#include <QTest>

#include "scala_reader.h"
#include "scale_tables.h"

using namespace stimmung;
using namespace stimmung::tuning;

namespace {

QString Pitches(const ScalaReading& reading) {
    QStringList texts;
    for (const ScalaPitch& pitch : reading.scale.pitches) texts << QString::fromStdString(PitchText(pitch));
    return texts.join(' ');
}

} // namespace

class TestScalaReader : public QObject {
    Q_OBJECT
private slots:
    void roundTrip() {
        std::vector<std::vector<ScalaPitch>> scales(2);
        for (size_t i = 1; i < kJustScale.size(); ++i) {
            scales[0].push_back(ExactPitch(kPythagoreanScale[i].numerator, kPythagoreanScale[i].denominator));
            scales[1].push_back(ExactPitch(kJustScale[i].numerator, kJustScale[i].denominator));
        }
        for (int n = 2; n <= 100; ++n) {
            scales.emplace_back();
            for (int k = 1; k <= n; ++k) scales.back().push_back(CentsPitch(1200.0 * k / n));
        }
        for (const auto& written : scales) {
            const ScalaReading read = ReadScalaText(ScalaScaleText("x.scl", "Stimmung für Orgel", written));
            QVERIFY2(read.ok(), read.error.c_str());
            QVERIFY(read.scale.description == "Stimmung für Orgel");
            QCOMPARE(read.scale.pitches.size(), written.size());
            for (size_t i = 0; i < written.size(); ++i) {
                const ScalaPitch &w = written[i], &r = read.scale.pitches[i];
                QVERIFY(r.numerator == w.numerator && r.denominator == w.denominator);
                QVERIFY(w.numerator != 0 || r.cents == std::stod(PitchText(w))); // the C locale reads "."
                QVERIFY(std::abs(PitchRatio(r) / PitchRatio(w) - 1) < 1e-8);
            }
        }
    }

    void good_data() {
        QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QString>("description"); QTest::addColumn<QString>("pitches");
        QTest::newRow("comments") << QByteArray("! a\n!\nD\n! b\n 2\n! c\n3/2\n!\n2/1\n") << "D" << "3/2 2/1";
        QTest::newRow("CR LF") << QByteArray("D \t\r\n2\r\n9/8\r\n1200.0\r\n") << "D" << "9/8 1200.000000";
        QTest::newRow("Latin-1") << QByteArray("f\xfcr \xc4gypten\n0\n") << "für Ägypten" << "";
        QTest::newRow("UTF-8") << QByteArray("für\n0\n") << "für" << "";
        QTest::newRow("byte order mark") << QByteArray("\xef\xbb\xbf! a\nD\n0\n") << "D" << "";
        QTest::newRow("whole number") << QByteArray("D\n1\n2\n") << "D" << "2/1";
        QTest::newRow("text after") << QByteArray("D\n 2 Töne\n  100.0 text after\n\t5/4\tTerz\n") << "D" << "100.000000 5/4";
        QTest::newRow("empty description") << QByteArray("!\n\n1\n2/1\n") << "" << "2/1";
        QTest::newRow("count 0, lines after") << QByteArray("D\n0\nabc\n") << "D" << "";
        QTest::newRow("signs and points") << QByteArray("D\n5\n-50.0\n+.5\n5.\n+3/+2\n-1200000.0\n") << "D" << "-50.000000 0.500000 5.000000 3/2 -1200000.000000";
        QTest::newRow("below a double") << QByteArray("D\n1\n-0." + QByteArray(400, '0') + "1\n") << "D" << "0.000000";
        QTest::newRow("largest ratio") << QByteArray("D\n1\n9223372036854775807/0009223372036854775807\n") << "D" << "9223372036854775807/9223372036854775807";
    }

    void good() {
        QFETCH(QByteArray, bytes);
        const ScalaReading read = ReadScalaText({bytes.constData(), size_t(bytes.size())});
        QVERIFY2(read.ok(), read.error.c_str());
        QTEST(QString::fromStdString(read.scale.description), "description");
        QTEST(Pitches(read), "pitches");
    }

    void bad_data() {
        QTest::addColumn<QByteArray>("bytes"); QTest::addColumn<QString>("expected");
        const QDir folder(QFINDTESTDATA("scala_bad"));
        for (const QString& name : folder.entryList({"*.scl"}, QDir::Files)) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            QTest::newRow(name.toUtf8()) << bytes << QString::fromUtf8(bytes.left(bytes.indexOf('\n')).mid(2));
        }
        QVERIFY(folder.entryList({"*.scl"}).size() >= 20);
        QTest::newRow("above 1 MiB") << QByteArray("D\n0\n").leftJustified(kScalaMaxBytes + 1, '!') << "Die Datei ist größer als 1 MiB.";
    }

    void bad() {
        QFETCH(QByteArray, bytes);
        const ScalaReading read = ReadScalaText({bytes.constData(), size_t(bytes.size())});
        QTEST(QString::fromStdString(read.error), "expected");
        QVERIFY(read.scale.pitches.empty());
    }
};

QTEST_APPLESS_MAIN(TestScalaReader)
#include "test_scala_reader.moc"
