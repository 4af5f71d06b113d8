// SPDX-License-Identifier: GPL-3.0-or-later
// The temperaments computed from their circles of fifths: each stated
// narrowing found again between the notes, the circle closing in seven
// octaves, every third following from its four fifths, and known figures.
#include <QTest>

#include "cents.h"
#include "scale_tables.h"
#include "temperaments.h"

using namespace stimmung;
using namespace stimmung::tuning;

constexpr double kTolerance = 1e-9; // cents

class TestTemperaments : public QObject {
    Q_OBJECT
private slots:
    void circle_data() {
        // The wolf's place on the circle (-1: none), the pure major thirds, the notes at k × 100 cents.
        QTest::addColumn<int>("index"); QTest::addColumn<int>("wolf"); QTest::addColumn<int>("pureThirds"); QTest::addColumn<int>("onEqual");
        const int rows[][3] = {{8, 0, 1}, {8, 8, 1}, {-1, 0, 1}, {-1, 1, 1}, {-1, 0, 2}, {-1, 0, 1}, {-1, 0, 12}};
        for (int i = 0; i < int(Temperaments().size()); ++i)
            QTest::newRow(Temperaments()[i].name.data()) << i << rows[i][0] << rows[i][1] << rows[i][2];
    }

    void circle() {
        QFETCH(int, index); QFETCH(int, wolf); QFETCH(int, pureThirds); QFETCH(int, onEqual);
        const Temperament& t = Temperaments()[index];
        const auto notes = NoteRatios(t);
        for (int k = 0; k < kNotesPerOctave; ++k) QVERIFY(k == 0 ? notes[0] == 1 : notes[k - 1] < notes[k] && notes[k] < 2);
        const auto fifths = Fifths(t);
        double sum = 0;
        for (int k = 0; k < kNotesPerOctave; ++k) {
            const Fifth& f = fifths[k];
            const double share = f.stated.comma == Comma::None ? 0 : double(f.stated.numerator) / f.stated.denominator;
            QVERIFY(f.stated.closesCircle || std::abs(f.narrowedCents - share * CommaCents(f.stated.comma)) < kTolerance);
            QCOMPARE(f.wolf, k == wolf);
            sum += f.cents;
        }
        QVERIFY(std::abs(sum - 7 * kCentsPerOctave) < kTolerance);
        int pure = 0; // the third over the p-th note of the circle spans its fifths p to p + 3
        for (int p = 0; p < kNotesPerOctave; ++p) {
            double narrowed = 0;
            for (int k = p; k < p + 4; ++k) narrowed += fifths[k % kNotesPerOctave].narrowedCents;
            const double deviation = MajorThirds(t)[NoteOfCircle(p)].deviationCents;
            QVERIFY(std::abs(deviation - (CommaCents(Comma::Syntonic) - narrowed)) < kTolerance);
            pure += std::abs(deviation) < kTolerance;
        }
        QCOMPARE(pure, pureThirds);
        int equal = 0;
        for (double deviation : EqualTemperamentDeviations(t)) equal += std::abs(deviation) < kTolerance;
        QCOMPARE(equal, onEqual);
    }

    void pythagoreanNotesAreTheScaleTable() {
        const auto notes = NoteRatios(Temperaments()[0]);
        const int cdefgah[] = {0, 2, 4, 5, 7, 9, 11};
        for (int i = 0; i < 7; ++i) QVERIFY(notes[cdefgah[i]] == kPythagoreanScale[i].value());
    }

    void texts_data() {
        QTest::addColumn<QString>("text"); QTest::addColumn<QString>("expected");
        const auto& all = Temperaments();
        const auto cents = [](double c) { return QString::number(c, 'f', 3); };
        QTest::newRow("Werckmeister III e") << cents(Cents(NoteRatios(all[2])[4])) << "390.225";
        QTest::newRow("meantone wolf gis-es") << cents(Fifths(all[1])[8].cents) << "737.637";
        QTest::newRow("Pythagorean wolf gis-es") << cents(Fifths(all[0])[8].cents) << "678.495";
        QTest::newRow("Kirnberger III a") << cents(Cents(NoteRatios(all[3])[9])) << "889.735";
        QTest::newRow("Vallotti f-c") << cents(Fifths(all[4])[11].cents) << "698.045";
        const auto stated = [&](int t, int k) { return QString::fromStdString(NarrowingText(all[t].fifths[k])); };
        QTest::newRow("pure") << stated(0, 0) << "rein";
        QTest::newRow("rest") << stated(0, 8) << "Rest";
        QTest::newRow("1/4 PK") << stated(2, 0) << "1/4 PK";
        QTest::newRow("1/4 SK") << stated(3, 0) << "1/4 SK";
        QTest::newRow("schisma") << stated(3, 6) << "Schisma";
        QTest::newRow("1/6 PK") << stated(5, 5) << "1/6 PK";
        const auto deviation = [](double c) { return QString::fromStdString(DeviationText(c)); };
        QTest::newRow("positive") << deviation(3.94) << "+3.9";
        QTest::newRow("negative") << deviation(-5.86) << "\u22125.9";
        QTest::newRow("zero") << deviation(0.0) << "0.0";
        QTest::newRow("negative zero") << deviation(-0.0) << "0.0";
        QTest::newRow("rounds to negative zero") << deviation(-0.049) << "0.0";
        QTest::newRow("wolf") << deviation(-35.68) << "\u221235.7";
    }

    void texts() { QFETCH(QString, text); QTEST(text, "expected"); }
};

QTEST_APPLESS_MAIN(TestTemperaments)
#include "test_temperaments.moc"
