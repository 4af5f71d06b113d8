// SPDX-License-Identifier: GPL-3.0-or-later
// The listening window's notes: a tuning and an interval up to the upper
// note's frequency and the figures of the pair; which note of a tuning
// stands for a degree; and what keeps a chord from sounding.
#include <QtTest>

#include "listening_notes.h"

using namespace stimmung;

namespace {

NamedTuning TuningNamed(const QString& name) {
    if (name == "Pythagoreisch") return PythagoreanTuning();
    if (name == "Rein") return JustTuning();
    if (name == "Tabelle") return TemperedTableTuning();
    if (name == "Temperament") {
        NamedTuning twelve{"zwölf", {}, {}};
        for (int k = 0; k < 12; ++k) twelve.ratios.push_back(std::exp2(k / 12.0) * (k == 4 ? 1.001 : 1.0));
        return twelve;
    }
    const std::array<float, 6> markers{1.1f, 1.2f, 1.3f, 1.4f, 1.5f, 1.6f};
    if (name == "Marken") return HandPlacedTuning(markers);
    return EqualStepsTuning(name.toInt());
}

int ChoiceNamed(const QString& name) {
    const auto choices = ChordChoices();
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (QString::fromUtf8(choices[i].name.data(), choices[i].name.size()) == name) return int(i);
    return -1;
}

} // namespace

class TestListeningNotes : public QObject {
    Q_OBJECT

private slots:
    // At 360 Hz with "Obertöne": the upper note, the interval, its deviation
    // from the nearest just interval and the beat.
    void figuresOfAnInterval_data() {
        QTest::addColumn<QString>("tuning");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("upperHz");
        QTest::addColumn<QString>("cents");
        QTest::addColumn<QString>("deviation");
        QTest::addColumn<QString>("beat");
        QTest::newRow("c–e just") << "Rein" << "große Terz c–e" << "450.0000" << "386.31" << "0.00" << "0.00";
        QTest::newRow("c–e 12 steps") << "12" << "große Terz c–e" << "453.5716" << "400.00" << "+13.69" << "14.29";
        QTest::newRow("c–e Pythagorean") << "Pythagoreisch" << "große Terz c–e" << "455.6250" << "407.82" << "+21.51" << "22.50";
        QTest::newRow("c–g 12 steps") << "12" << "Quinte c–g" << "539.3905" << "700.00" << "−1.96" << "1.22";
        QTest::newRow("c–f 12 steps") << "12" << "Quarte c–f" << "480.5423" << "500.00" << "+1.96" << "1.63";
    }
    void figuresOfAnInterval() {
        QFETCH(QString, tuning);
        QFETCH(QString, choice);
        QFETCH(QString, upperHz);
        QFETCH(QString, cents);
        QFETCH(QString, deviation);
        QFETCH(QString, beat);
        const int index = ChoiceNamed(choice);
        QVERIFY(index >= 0);
        const auto ratios = ChordRatios(TuningNamed(tuning), ChordChoices()[index]);
        const SoundedNotes notes = NotesOver(ratios, 360);
        QVERIFY(notes.problem.empty());
        QCOMPARE(QString::fromStdString(HertzText(notes.frequenciesHz[1])), upperHz);
        const NotePair pair = PairsOf(notes.frequenciesHz, TimbreAt(*TimbreIndex("Obertöne")).amplitudes)[0];
        QCOMPARE(QString::fromStdString(CentsText(pair.cents)), cents);
        QCOMPARE(QString::fromStdString(DeviationText(pair.just.deviationCents)), deviation);
        QVERIFY(pair.beat);
        QCOMPARE(QString::fromStdString(BeatText(pair.beat->hz)), beat);
    }

    // The ratio that stands for a degree, by the kind of tuning.
    void noteOfADegree_data() {
        QTest::addColumn<QString>("tuning");
        QTest::addColumn<int>("degree");
        QTest::addColumn<double>("ratio");
        QTest::newRow("eight notes: h itself") << "Tabelle" << 6 << 1.887;
        QTest::newRow("markers: marker 3 is f") << "Marken" << 3 << double(1.3f);
        QTest::newRow("d' an octave up") << "Rein" << 8 << 9 / 4.0;
        QTest::newRow("twelve notes: e is note 4") << "Temperament" << 2 << std::exp2(4 / 12.0) * 1.001;
        QTest::newRow("31 steps: e is step 10") << "31" << 2 << std::exp2(10 / 31.0);
        QTest::newRow("5 steps: h nearest the octave") << "5" << 6 << 2.0;
        QTest::newRow("2 steps: e nearest the tritone") << "2" << 2 << std::sqrt(2.0);
    }
    void noteOfADegree() {
        QFETCH(QString, tuning);
        QFETCH(int, degree);
        QFETCH(double, ratio);
        QCOMPARE(DegreeRatio(TuningNamed(tuning), degree), ratio);
    }

    void whatKeepsNotesSilent_data() {
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<bool>("sounds");
        QTest::newRow("360 Hz") << 360.0 << 2.0 << true;
        QTest::newRow("base 0") << 0.0 << 1.0 << false;
        QTest::newRow("base negative") << -360.0 << 1.0 << false;
        QTest::newRow("note above 20 kHz") << 15000.0 << 1.5 << false;
    }
    void whatKeepsNotesSilent() {
        QFETCH(double, base);
        QFETCH(double, ratio);
        QFETCH(bool, sounds);
        const double ratios[] = {1.0, ratio};
        const SoundedNotes notes = NotesOver(ratios, base);
        QCOMPARE(notes.problem.empty(), sounds);
        QCOMPARE(notes.frequenciesHz.size(), std::size_t{notes.problem.empty() ? 2u : 0u});
    }
};

QTEST_APPLESS_MAIN(TestListeningNotes)
#include "test_listening_notes.moc"
