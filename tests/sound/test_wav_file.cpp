// SPDX-License-Identifier: GPL-3.0-or-later
// Chords saved as a WAV file and read back: the rate, the length of both
// chords and the pause, a level that stays within a single tone's peak.
#include <QtTest>

#include "sample_rate.h"
#include "tone_synthesis.h"
#include "wav_file.h"

#include <sndfile.h>

#include <algorithm>

using namespace stimmung;

class TestWavFile : public QObject {
    Q_OBJECT

private slots:
    void writtenAndReadBack_data() {
        QTest::addColumn<QString>("timbre");
        QTest::addColumn<double>("upperHz");
        QTest::newRow("tempered third, Obertöne") << "Obertöne" << 453.5716;
        QTest::newRow("just third, Sägezahn") << "Sägezahn" << 450.0;
        QTest::newRow("note above the device's limit") << "Sinus" << 30000.0;
    }
    void writtenAndReadBack() {
        QFETCH(QString, timbre);
        QFETCH(double, upperHz);
        const PartialAmplitudes& amplitudes = TimbreAt(*TimbreIndex(timbre.toStdString())).amplitudes;
        const ChordRequest chords[] = {ChordOf({360.0, 450.0}, amplitudes),
                                       ChordOf({360.0, upperHz}, amplitudes)};
        QTemporaryDir dir;
        const std::string path = dir.filePath("ab.wav").toStdString();
        QVERIFY(WriteWav(path, RenderChords(chords, 500, 1000)));

        SF_INFO info{};
        SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
        QVERIFY(file);
        std::vector<float> samples(static_cast<std::size_t>(info.frames));
        QCOMPARE(sf_readf_float(file, samples.data(), info.frames), info.frames);
        sf_close(file);
        QCOMPARE(info.samplerate, kSampleRate);
        QCOMPARE(info.channels, 1);
        QCOMPARE(info.frames, sf_count_t{kSampleRate / 2 * 2 + kSampleRate});
        float peak = 0;
        for (float s : samples) peak = std::max(peak, std::abs(s));
        QVERIFY(peak > 0.01f); // it sounds
        QVERIFY(peak <= kTonePeak + 1.0f / 32768);
    }

    void unwritableFileIsReported() {
        QTemporaryDir dir;
        QVERIFY(!WriteWav(dir.filePath("missing/x.wav").toStdString(), std::vector<float>(10)));
    }
};

QTEST_APPLESS_MAIN(TestWavFile)
#include "test_wav_file.moc"
