// SPDX-License-Identifier: GPL-3.0-or-later
// The routing of every tone and wait: the silent default, installing and
// restoring an output, the free Beep/Sleep forwarding unchanged, the end of the
// program silencing everything, and the recorder that tests rely on.
#include <QtTest>

#include "program_end.h"
#include "recording_sound_output.h"
#include "sound_output.h"

#include <atomic>
#include <chrono>
#include <climits>
#include <thread>

using namespace stimmung;
using Kind = SoundRequest::Kind;
using Clock = std::chrono::steady_clock;

namespace {

qint64 MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

bool IsRecorder(SoundOutput& output) { return dynamic_cast<RecordingSoundOutput*>(&output) != nullptr; }

} // namespace

class TestSoundOutput : public QObject {
    Q_OBJECT

private slots:
    void init() {
        ResetEndRequest();
        InstallSoundOutput(nullptr);
    }
    void cleanup() {
        ResetEndRequest();
        InstallSoundOutput(nullptr);
    }

    void silentDefaultWaitsTheDuration_data() {
        QTest::addColumn<bool>("beep");
        QTest::addColumn<int>("frequency");
        QTest::addColumn<int>("durationMs");
        QTest::newRow("beep 440 Hz") << true << 440 << 60;
        QTest::newRow("beep unsoundable 0 Hz") << true << 0 << 60;
        QTest::newRow("beep negative frequency") << true << -300 << 45;
        QTest::newRow("sleep") << false << 0 << 60;
        QTest::newRow("short sleep") << false << 0 << 3;
    }
    void silentDefaultWaitsTheDuration() {
        QFETCH(bool, beep);
        QFETCH(int, frequency);
        QFETCH(int, durationMs);
        QVERIFY(!IsRecorder(CurrentSoundOutput()));
        const auto start = Clock::now();
        if (beep)
            Beep(frequency, durationMs);
        else
            Sleep(durationMs);
        // The steady clock cannot go back: the wait is never shorter.
        QVERIFY2(MillisecondsSince(start) >= durationMs, "returned before the duration had passed");
    }

    void silentDefaultIgnoresDurationsBelowOne_data() {
        QTest::addColumn<int>("durationMs");
        QTest::newRow("zero") << 0;
        QTest::newRow("minus one") << -1;
        QTest::newRow("most negative") << INT_MIN;
    }
    void silentDefaultIgnoresDurationsBelowOne() {
        QFETCH(int, durationMs);
        // A negative duration converted naively to an unsigned wait would
        // block for weeks.
        const auto start = Clock::now();
        Beep(440, durationMs);
        Sleep(durationMs);
        QVERIFY(MillisecondsSince(start) < 60'000);
    }

    void installReturnsThePreviousOutput() {
        RecordingSoundOutput first;
        RecordingSoundOutput second;
        QCOMPARE(InstallSoundOutput(&first), nullptr); // the default was active
        QCOMPARE(&CurrentSoundOutput(), static_cast<SoundOutput*>(&first));
        QCOMPARE(InstallSoundOutput(&second), static_cast<SoundOutput*>(&first));
        QCOMPARE(&CurrentSoundOutput(), static_cast<SoundOutput*>(&second));
        // Restoring with the returned values, innermost first.
        Beep(200, 1);
        QCOMPARE(InstallSoundOutput(&first), static_cast<SoundOutput*>(&second));
        Beep(100, 1);
        QCOMPARE(InstallSoundOutput(nullptr), static_cast<SoundOutput*>(&first));
        QVERIFY(!IsRecorder(CurrentSoundOutput()));
        QCOMPARE(first.beeps(), (std::vector<std::pair<std::int32_t, std::int32_t>>{{100, 1}}));
        QCOMPARE(second.beeps(), (std::vector<std::pair<std::int32_t, std::int32_t>>{{200, 1}}));
    }

    void installingTheDefaultItselfCountsAsTheDefault() {
        SoundOutput& silent = CurrentSoundOutput();
        RecordingSoundOutput recorder;
        InstallSoundOutput(&recorder);
        QCOMPARE(InstallSoundOutput(&silent), static_cast<SoundOutput*>(&recorder));
        QCOMPARE(&CurrentSoundOutput(), &silent);
        // Handing back nullptr keeps "restore what was there" working for a
        // caller that installed the default by its address.
        QCOMPARE(InstallSoundOutput(nullptr), nullptr);
    }

    void freeFunctionsForwardValuesUnchanged_data() {
        QTest::addColumn<bool>("beep");
        QTest::addColumn<int>("frequency");
        QTest::addColumn<int>("durationMs");
        QTest::newRow("ordinary tone") << true << 440 << 140;
        QTest::newRow("zero frequency") << true << 0 << 100;
        QTest::newRow("above hearing") << true << 30000 << 100;
        QTest::newRow("negative frequency") << true << -1 << 100;
        QTest::newRow("zero duration") << true << 440 << 0;
        QTest::newRow("negative duration") << true << 440 << -20;
        QTest::newRow("largest values") << true << INT_MAX << INT_MAX;
        QTest::newRow("smallest values") << true << INT_MIN << INT_MIN;
        QTest::newRow("sleep") << false << 0 << 250;
        QTest::newRow("sleep zero") << false << 0 << 0;
        QTest::newRow("sleep most negative") << false << 0 << INT_MIN;
    }
    void freeFunctionsForwardValuesUnchanged() {
        QFETCH(bool, beep);
        QFETCH(int, frequency);
        QFETCH(int, durationMs);
        RecordingSoundOutput recorder;
        InstallSoundOutput(&recorder);
        if (beep)
            Beep(frequency, durationMs);
        else
            Sleep(durationMs);
        const SoundRequest expected{beep ? Kind::Beep : Kind::Sleep, frequency, durationMs};
        QCOMPARE(recorder.requests().size(), std::size_t{1});
        QVERIFY(recorder.requests().front() == expected);
    }

    void endRequestedReturnsAtOnceOnTheDefault() {
        RequestEnd();
        // Each would block for a day if it were sounded.
        const auto start = Clock::now();
        Beep(440, 86'400'000);
        Sleep(86'400'000);
        QVERIFY(MillisecondsSince(start) < 60'000);
    }

    void endRequestedDuringAWaitEndsIt_data() {
        QTest::addColumn<bool>("beep");
        QTest::newRow("beep") << true;
        QTest::newRow("sleep") << false;
    }
    void endRequestedDuringAWaitEndsIt() {
        QFETCH(bool, beep);
        std::thread ender([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            RequestEnd();
        });
        const auto start = Clock::now();
        if (beep)
            Beep(440, 600'000);
        else
            Sleep(600'000);
        ender.join();
        // Ten minutes requested: returning within a minute can only mean the
        // end request was seen during the wait.
        QVERIFY(MillisecondsSince(start) < 60'000);
    }

    void recorderNotesTheExactSequence() {
        RecordingSoundOutput recorder;
        InstallSoundOutput(&recorder);
        Beep(262, 140);
        Beep(294, 140);
        Sleep(50);
        Beep(0, 70);
        Beep(330, 0);
        Sleep(-5);
        Beep(262, 140);
        const ChordRequest chord = ChordOf({360, 453.5716}, TimbreAt(1).amplitudes);
        Chord(chord, 500);
        const std::vector<SoundRequest> expected{
            {Kind::Beep, 262, 140}, {Kind::Beep, 294, 140}, {Kind::Sleep, 0, 50}, {Kind::Beep, 0, 70},
            {Kind::Beep, 330, 0},   {Kind::Sleep, 0, -5},   {Kind::Beep, 262, 140}, {Kind::Chord, 0, 500, chord},
        };
        QVERIFY(recorder.requests() == expected);
        const std::vector<std::pair<std::int32_t, std::int32_t>> tones{
            {262, 140}, {294, 140}, {0, 70}, {330, 0}, {262, 140}};
        QCOMPARE(recorder.beeps(), tones);
        recorder.clear();
        QVERIFY(recorder.requests().empty());
        QVERIFY(recorder.beeps().empty());
        Sleep(10);
        QCOMPARE(recorder.requests().size(), std::size_t{1});
    }

    void recorderDoesNotWait() {
        RecordingSoundOutput recorder;
        InstallSoundOutput(&recorder);
        // A day of tones; the test finishes only because nothing waits.
        for (int i = 0; i < 1000; ++i) Beep(440, 86'400);
        Sleep(86'400'000);
        QCOMPARE(recorder.requests().size(), std::size_t{1001});
    }

    void hookRunsInsideEachBeepAfterItIsNoted() {
        RecordingSoundOutput recorder;
        InstallSoundOutput(&recorder);
        std::vector<std::pair<int, int>> seen;
        std::vector<std::size_t> notedWhenCalled;
        recorder.onBeep([&](std::int32_t f, std::int32_t d) {
            seen.emplace_back(f, d);
            notedWhenCalled.push_back(recorder.requests().size());
        });
        Beep(440, 100);
        Sleep(20);
        Beep(0, 0);
        QCOMPARE(seen, (std::vector<std::pair<int, int>>{{440, 100}, {0, 0}}));
        QCOMPARE(notedWhenCalled, (std::vector<std::size_t>{1, 3}));
        recorder.onBeep({});
        Beep(500, 10);
        QCOMPARE(seen.size(), std::size_t{2});
    }

    void hookMayRemoveItselfOrBeepAgain() {
        RecordingSoundOutput recorder;
        InstallSoundOutput(&recorder);
        int calls = 0;
        recorder.onBeep([&](std::int32_t f, std::int32_t) {
            ++calls;
            if (f == 440) Beep(880, 5); // a tone started "during" a tone
            if (f == 880) recorder.onBeep({});
        });
        Beep(440, 100);
        Beep(220, 100);
        QCOMPARE(calls, 2);
        QCOMPARE(recorder.beeps(),
                 (std::vector<std::pair<std::int32_t, std::int32_t>>{{440, 100}, {880, 5}, {220, 100}}));
    }

    void hookSeesEndRequestedLikeAClickWould() {
        // A click on "end" during a melody: the tones after it are not sounded.
        RecordingSoundOutput recorder;
        InstallSoundOutput(&recorder);
        recorder.onBeep([](std::int32_t f, std::int32_t) {
            if (f == 330) RequestEnd();
        });
        for (int f : {262, 294, 330, 349, 392}) Beep(f, 140);
        Sleep(100);
        QCOMPARE(recorder.beeps(),
                 (std::vector<std::pair<std::int32_t, std::int32_t>>{{262, 140}, {294, 140}, {330, 140}}));
        QCOMPARE(recorder.requests().size(), std::size_t{3});
        // A new start (tests run several windows in one process) sounds again.
        ResetEndRequest();
        Beep(600, 100);
        QCOMPARE(recorder.requests().size(), std::size_t{4});
    }
};

QTEST_GUILESS_MAIN(TestSoundOutput)
#include "test_sound_output.moc"
