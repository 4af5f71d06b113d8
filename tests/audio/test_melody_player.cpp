// SPDX-License-Identifier: GPL-3.0-or-later
// The melody player clicked as a user would, heard through the recorder: the
// tones of whole melodies, the help line and the key colours during each
// note, events let in before every note (a key, a preset, a second melody),
// and ending the program in the middle of a melody.
#include "recorded.h"
#include "test_window.h"

#include <QCloseEvent>
#include <QtTest>

using namespace stimmung;

namespace {

constexpr Rgb kGrey{150, 150, 150};

// What the window shows while each tone sounds, noted inside Beep.
struct Shown {
    QStringList help;
    QStringList keys; // index of the grey key, "-" for none, "?" for more than one
};

void NoteWhatIsShown(test::TestWindow& tw, Shown& shown) {
    tw.sound.onBeep([&tw, &shown](int, int) {
        shown.help << QString::fromStdString(tw->txtHilfe->Text());
        QString key = QStringLiteral("-");
        for (int k = 0; k < 8; ++k) {
            const Rgb c = tw->cmdTaste[k]->BackColor();
            if (c == kGrey) key = key == "-" ? QString::number(k) : QStringLiteral("?");
            else if (c != kWhite) key = QStringLiteral("?");
        }
        shown.keys << key;
    });
}

// Runs `action` once, at the tone with this number (counted from 1).
void AtTone(test::TestWindow& tw, int tone, std::function<void()> action) {
    auto count = std::make_shared<int>(0);
    tw.sound.onBeep([count, tone, action](int, int) {
        if (++*count == tone) action();
    });
}

bool AllKeysWhite(Form1& f) {
    for (CommandButton* key : f.cmdTaste)
        if (key->BackColor() != kWhite) return false;
    return true;
}

} // namespace

class MelodyPlayerTest : public QObject {
    Q_OBJECT

private slots:
    void initialMelody() {
        test::TestWindow tw;
        QStringList helpBeforeFirstNote;
        // Runs inside the first ProcessPendingEvents, before the first cell.
        QMetaObject::invokeMethod(
            qApp, [&] { helpBeforeFirstNote << QString::fromStdString(tw->txtHilfe->Text()); }, Qt::QueuedConnection);
        Shown shown;
        NoteWhatIsShown(tw, shown);
        tw->cmdAbspielen->button()->click();

        QCOMPARE(helpBeforeFirstNote, QStringList{" 42"});
        const auto& requests = tw.sound.requests();
        QCOMPARE(int(requests.size()), 43);
        int toneMs = 0;
        for (int i = 0; i < 42; ++i) {
            QCOMPARE(requests[i].kind, SoundRequest::Kind::Beep);
            QCOMPARE(requests[i].durationMs % 140, 0);
            toneMs += requests[i].durationMs;
        }
        QCOMPARE(toneMs, 13440); // 96 eighths of 140 ms
        QCOMPARE(requests.back(), (SoundRequest{SoundRequest::Kind::Sleep, 0, 1000}));
        QCOMPARE(requests[0], (SoundRequest{SoundRequest::Kind::Beep, 360, 280}));
        QCOMPARE(shown.help.first(), QStringLiteral("c  2"));
        QCOMPARE(shown.help.at(19), QStringLiteral("d  6"));
        QCOMPARE(shown.keys.mid(0, 6), (QStringList{"0", "1", "0", "3", "2", "1"}));
        // Every letter but c sounds below the base tone at the start-up places.
        for (int i = 0; i < 42; ++i) QVERIFY(requests[i].frequencyHz <= 360);
        QVERIFY(AllKeysWhite(tw.form()));
        QCOMPARE(tw->txtHilfe->Text(), std::string("c  2"));
    }

    void melodies_data() {
        QTest::addColumn<QString>("melody");
        QTest::addColumn<bool>("pythagorean"); // markers laid out by the preset first
        QTest::addColumn<QString>("requests");
        QTest::addColumn<QStringList>("help");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("c2 is one cell") << "c2" << false << "360/280 sleep 1000" << QStringList{"c  2"}
                                        << QStringList{"0"};
        QTest::newRow("c2 with a blank is two cells")
            << "c2 " << false << "360/280 360/0 sleep 1000" << QStringList{"c  2", "  0"} << QStringList{"0", "-"};
        QTest::newRow("c2 d4 at 9/8") << "c2 d4" << true << "360/280 405/560 sleep 1000"
                                      << QStringList{"c  2", "d  4"} << QStringList{"0", "1"};
        QTest::newRow("capital C starts at frequency 0")
            << "C2 e2" << false << "0/280 335/280 sleep 1000" << QStringList{"C  2", "e  2"} << QStringList{"-", "2"};
        QTest::newRow("empty melody") << "" << false << "0/0 sleep 1000" << QStringList{"  0"} << QStringList{"-"};
        QTest::newRow("non-digit lengths give 0 ms")
            << "cx d-" << false << "360/0 331/0 sleep 1000" << QStringList{"c  0", "d  0"} << QStringList{"0", "1"};
        QTest::newRow("unknown letter carries the last ratio")
            << "g2 x3 c1" << true << "540/280 540/420 360/140 sleep 1000" << QStringList{"g  2", "x  3", "c  1"}
            << QStringList{"4", "-", "0"};
        QTest::newRow("all six markers, octave key never marked")
            << "d1 e1 f1 g1 a1 h1" << true << "405/140 456/140 480/140 540/140 608/140 683/140 sleep 1000"
            << QStringList{"d  1", "e  1", "f  1", "g  1", "a  1", "h  1"} << QStringList{"1", "2", "3", "4", "5", "6"};
        QTest::newRow("two-digit length shifts the cells")
            << "c12 d2" << false << "360/140 360/0 360/0 sleep 1000" << QStringList{"c  1", "   0", "  0"}
            << QStringList{"0", "-", "-"};
        QTest::newRow("an emoji is one character")
            << QString::fromUtf8("\xf0\x9f\x8e\xb5" "2 c2") << false << "0/280 360/280 sleep 1000"
            << QStringList{QString::fromUtf8("\xf0\x9f\x8e\xb5  2"), "c  2"} << QStringList{"-", "0"};
    }
    void melodies() {
        QFETCH(QString, melody);
        QFETCH(bool, pythagorean);
        QFETCH(QString, requests);
        QFETCH(QStringList, help);
        QFETCH(QStringList, keys);
        test::TestWindow tw;
        if (pythagorean) tw->cmdPythagorasstimmung->button()->click();
        tw->txtMelodie->setText(melody.toStdString());
        Shown shown;
        NoteWhatIsShown(tw, shown);
        tw->cmdAbspielen->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), requests);
        QCOMPARE(shown.help, help);
        QCOMPARE(shown.keys, keys);
        QVERIFY(AllKeysWhite(tw.form()));
        // The help line keeps the last cell's text.
        QCOMPARE(QString::fromStdString(tw->txtHilfe->Text()), help.last());
    }

    void lastKeyStaysGreyThroughTheClosingWait() {
        test::TestWindow tw;
        tw->txtMelodie->setText("c1 e1");
        tw->cmdAbspielen->button()->click();
        // The key of the last note was grey when the wait began: the colour
        // was set before the tone and cleared only after the wait.
        tw.sound.clear();
        QStringList atSleep;
        struct : SoundOutput {
            test::TestWindow* tw;
            QStringList* at;
            void Beep(std::int32_t, std::int32_t) override {}
            void Sleep(std::int32_t) override {
                for (int k = 0; k < 8; ++k)
                    if ((*tw)->cmdTaste[k]->BackColor() != kWhite) *at << QString::number(k);
            }
        } probe;
        probe.tw = &tw;
        probe.at = &atSleep;
        SoundOutput* recorder = InstallSoundOutput(&probe);
        tw->cmdAbspielen->button()->click();
        InstallSoundOutput(recorder);
        QCOMPARE(atSleep, QStringList{"2"});
        QVERIFY(AllKeysWhite(tw.form()));
    }

    void textIsTakenOnce() {
        test::TestWindow tw;
        tw->txtMelodie->setText("c1 c1 c1");
        AtTone(tw, 1, [&] { tw->txtMelodie->setText("d1"); });
        tw->cmdAbspielen->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), QStringLiteral("360/140 360/140 360/140 sleep 1000"));
    }

    void fieldsAndMarkersAreReadForEveryCell() {
        test::TestWindow tw;
        tw->txtMelodie->setText("d1 d1 d1");
        AtTone(tw, 1, [&] {
            tw->Text1->setText("440");
            tw->Text2->setText("100");
            tw->cmdPythagorasstimmung->button()->click();
        });
        tw->cmdAbspielen->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), QStringLiteral("331/140 495/100 495/100 sleep 1000"));
    }

    // Clicks made while a note sounds are handled before the next note.
    void eventsBetweenTwoNotes_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("requests");
        QTest::newRow("key 8 sounds between the notes")
            << "cmdTaste" << "360/140 720/140 331/140 335/140 sleep 1000";
        QTest::newRow("Pythagoras preset changes the following notes")
            << "cmdPythagorasstimmung" << "360/140 405/140 456/140 sleep 1000";
        QTest::newRow("clearing changes no note") << "cmdClear" << "360/140 331/140 335/140 sleep 1000";
        QTest::newRow("a fixed scale plays whole between the notes")
            << "cmdrein" << "360/140 360/140 405/140 450/140 480/140 540/140 600/140 675/140 720/140 331/140 335/140 sleep 1000";
    }
    void eventsBetweenTwoNotes() {
        QFETCH(QString, control);
        QFETCH(QString, requests);
        test::TestWindow tw;
        tw.main->show();
        tw->txtMelodie->setText("c1 d1 e1");
        CommandButton* button = tw.main->window().get<CommandButton>(control.toStdString(), control == "cmdTaste" ? 7 : -1);
        AtTone(tw, 1, [&] { test::PostClick(button->button()); });
        tw->cmdAbspielen->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), requests);
    }

    void markerSelectedAndMovedBetweenTwoNotes() {
        test::TestWindow tw;
        tw.main->show();
        tw->cmdPythagorasstimmung->button()->click();
        tw->Text1->setText("10000");
        tw->txtMelodie->setText("e1 e1 e1");
        // Pressing on the selector of marker 1 snaps it from 81/64 to 439/1200 + 0.9.
        AtTone(tw, 1, [&] { test::PostClick(tw->optNote[1]->radio()); });
        tw->cmdAbspielen->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), QStringLiteral("12656/140 12658/140 12658/140 sleep 1000"));
        QCOMPARE(tw->hscNote->Value(), 439);
        QCOMPARE(tw->txtHilfe->Text(), std::string("e  1"));
    }

    // A second click on "abspielen" plays its own whole melody, with its own
    // text and its own current ratio from 0, before the first goes on.
    void secondMelodyNestedInTheFirst() {
        test::TestWindow tw;
        tw.main->show();
        tw->txtMelodie->setText("c1 d1 e1");
        AtTone(tw, 1, [&] {
            tw->txtMelodie->setText("x2 g2");
            test::PostClick(tw->cmdAbspielen->button());
        });
        Shown shown;
        tw->cmdAbspielen->button()->click();
        QCOMPARE(test::RequestsText(tw.sound),
                 QStringLiteral("360/140 0/280 342/280 sleep 1000 331/140 335/140 sleep 1000"));
        QVERIFY(AllKeysWhite(tw.form()));
        QCOMPARE(tw->txtHilfe->Text(), std::string("e  1"));
    }

    // "Programm beenden" or closing the window during a melody: no further
    // tone, no wait, no change to the window, also from a nested melody.
    void endingInTheMiddle_data() {
        QTest::addColumn<bool>("closeWindow");
        QTest::addColumn<bool>("nested");
        QTest::addColumn<QString>("requests");
        QTest::newRow("Programm beenden") << false << false << "360/140 331/140";
        QTest::newRow("window closed") << true << false << "360/140 331/140";
        QTest::newRow("Programm beenden in a nested melody") << false << true << "360/140 342/140";
        QTest::newRow("window closed in a nested melody") << true << true << "360/140 342/140";
    }
    void endingInTheMiddle() {
        QFETCH(bool, closeWindow);
        QFETCH(bool, nested);
        QFETCH(QString, requests);
        test::TestWindow tw;
        tw.main->show();
        tw->txtMelodie->setText("c1 d1 e1 f1");
        auto end = [&] {
            if (closeWindow)
                QCoreApplication::postEvent(tw.main->window().widget(), new QCloseEvent);
            else
                test::PostClick(tw->cmdEnde->button());
        };
        std::string helpAtEnd;
        auto tone = std::make_shared<int>(0);
        tw.sound.onBeep([&, tone](int, int) {
            ++*tone;
            if (nested && *tone == 1) {
                tw->txtMelodie->setText("g1 a1 h1");
                test::PostClick(tw->cmdAbspielen->button());
            }
            if (*tone == 2) {
                end();
                helpAtEnd = tw->txtHilfe->Text();
            }
        });
        tw->cmdAbspielen->button()->click();
        QVERIFY(EndRequested());
        QCOMPARE(test::RequestsText(tw.sound), requests);
        // Nothing touched the window after the end was handled.
        QCOMPARE(tw->txtHilfe->Text(), helpAtEnd);
        // A further melody started now sounds nothing either.
        tw->cmdAbspielen->button()->click();
        QCOMPARE(test::RequestsText(tw.sound), requests);
    }
};

QTEST_MAIN(MelodyPlayerTest)
#include "test_melody_player.moc"
