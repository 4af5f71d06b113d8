// SPDX-License-Identifier: GPL-3.0-or-later
// Bad input: every text field takes any text the user pastes - 100 000
// characters, control characters, invalid UTF-8, NUL - and keeps it; every
// button, the output area, the option buttons and both scroll bars then still
// work, and no field shows a NaN, an infinity or a text the system could not
// have written. Absurd base frequencies and durations ("1e308", "-5",
// "999999999999", "nan", "inf", "") go through every player the same way.
// A melody of 100 000 characters plays exactly the cells the reader yields
// and ends at once when the program is asked to end in its middle.
#include "field_rules.h"
#include "melody_cells.h"
#include "test_window.h"
#include "user_actions.h"

#include <QtTest>

#include <algorithm>
#include <cctype>
#include <string>

using namespace stimmung;

namespace {

constexpr std::size_t kLong = 100000;

std::string Repeat(std::string_view piece, std::size_t length) {
    std::string text;
    text.reserve(length + piece.size());
    while (text.size() < length) text += piece;
    text.resize(length);
    return text;
}

// Bytes 0x80 to 0xFF in turn: no valid UTF-8 sequence among them but the
// two-byte ones a lead byte happens to start.
std::string InvalidUtf8(std::size_t length) {
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(0x80 + i % 0x80);
    return text;
}

std::string ControlCharacters(std::size_t length) {
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(i % 0x20 == 0 ? 0x7f : i % 0x20);
    return text;
}

// The texts the user pastes, by name; each is tried in every field.
const std::vector<std::pair<const char*, std::string>>& OddTexts() {
    static const std::vector<std::pair<const char*, std::string>> texts = {
        {"100 000 digits", Repeat("9", kLong)},
        {"100 000 notes", Repeat("c2 d4 e1 f9 g0 a2 h3 ", kLong)},
        {"100 000 blanks", Repeat(" ", kLong)},
        {"100 000 umlauts and emoji", Repeat("äöü€🎵", kLong)},
        {"control characters", ControlCharacters(kLong)},
        {"invalid UTF-8", InvalidUtf8(kLong)},
        {"NUL inside a number", std::string("36\0" "0", 4)},
        {"surrogate halves", "\xed\xa0\x80\xed\xbf\xbf"},
        {"line breaks", "440\n\r\n12"},
    };
    return texts;
}

// What a field holds after a paste: the text as Qt decodes it.
std::string AsPasted(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size())).toStdString();
}

bool MentionsNonFinite(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

// Every field holds its initial text, what the user put in, or a text the
// system writes; an empty text when all do.
std::string FieldsProblem(test::TestWindow& tw, const std::map<const TextBox*, std::string>& entered) {
    for (const auto& [name, box] : test::TextFields(tw.form())) {
        const std::string text = box->Text();
        const auto typed = entered.find(box);
        if (typed != entered.end() && typed->second == text) continue;
        if (text == test::InitialText(*box)) continue;
        if (!test::SystemCouldWrite(tw.form(), box, text)) return name + " holds \"" + text.substr(0, 80) + "\"";
        if (MentionsNonFinite(text)) return name + " shows \"" + text + "\"";
    }
    return {};
}

// Everything the user can press, once: every button but "Programm beenden",
// the output area with each mouse button, the selectors, the swatches and
// both scroll bars.
void UseEveryControl(test::TestWindow& tw) {
    Form1& f = tw.form();
    for (const auto& control : tw.main->window().controls())
        if (auto* b = dynamic_cast<CommandButton*>(control.get()); b && b->Name() != "cmdEnde")
            test::user::Click(b->widget());
    QWidget* area = f.picAusgabe->widget();
    const QPointF middle = test::user::Centre(area);
    test::user::Move(area, middle);
    test::user::Click(area, Qt::LeftButton, middle);
    test::user::Drag(area, Qt::RightButton, {middle, middle + QPointF(30, 10), QPointF(-500, -500)});
    test::user::Drag(area, Qt::MiddleButton, {middle, QPointF(5000, 5000)});
    for (OptionButton* o : f.optNote) test::user::Click(o->widget());
    test::user::Click(f.optZeichne->widget());
    for (PictureBox* swatch : f.Picture1) test::user::Click(swatch->widget());
    for (QScrollBar* bar : {f.hscNote->bar(), f.HScroll1->bar()}) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        test::user::DragThumb(bar, {bar->minimum(), bar->maximum() / 2});
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    }
    QCoreApplication::processEvents();
}

// The tones a melody text sounds, worked out from the cells the reader
// yields and the markers' ratios, as "frequency/duration" words.
QStringList ExpectedMelody(test::TestWindow& tw, const std::string& text, double base, double eighth) {
    QStringList tones;
    double ratio = 0;
    for (const audio::MelodyCell& cell : audio::ReadMelodyCells(text)) {
        const int key = audio::MelodyKey(cell.letter);
        if (key == 0) ratio = 1;
        if (key > 0) ratio = double(tw->Line2[std::size_t(key - 1)]->X1());
        tones << QStringLiteral("%1/%2").arg(NearestInteger(base * ratio)).arg(NearestInteger(cell.eighths * eighth));
    }
    return tones;
}

QStringList Played(const RecordingSoundOutput& sound) {
    QStringList tones;
    for (const SoundRequest& r : sound.requests())
        tones << (r.kind == SoundRequest::Kind::Sleep ? QStringLiteral("sleep %1").arg(r.durationMs)
                                                      : QStringLiteral("%1/%2").arg(r.frequencyHz).arg(r.durationMs));
    return tones;
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

private slots:
    void everyFieldKeepsAnyPastedText_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("text");
        test::TestWindow tw;
        for (const auto& [name, box] : test::TextFields(tw.form())) {
            if (box->edit()->isReadOnly()) continue; // txtWurzel: written by the equal division only
            for (std::size_t t = 0; t < OddTexts().size(); ++t)
                QTest::addRow("%s, %s", name.c_str(), OddTexts()[t].first) << QString::fromStdString(name) << int(t);
        }
    }
    void everyFieldKeepsAnyPastedText() {
        QFETCH(QString, field);
        QFETCH(int, text);
        test::TestWindow tw;
        TextBox* box = test::TextFields(tw.form()).at(field.toStdString());
        const std::string& bytes = OddTexts()[std::size_t(text)].second;
        test::user::PasteOver(box->edit(), QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
        const std::string pasted = AsPasted(bytes);
        QCOMPARE(box->Text().size(), pasted.size());
        QVERIFY(box->Text() == pasted);

        UseEveryControl(tw);
        const std::map<const TextBox*, std::string> entered{{box, pasted}};
        const std::string problem = FieldsProblem(tw, entered);
        QVERIFY2(problem.empty(), problem.c_str());
    }

    void absurdNumbersGiveNoNonFiniteText_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("duration");
        const char* const absurd[] = {"1e308", "-1e308", "4e308", "-5", "999999999999", "nan", "inf", "-inf",
                                      "",      "0",      "-0",   "1e-320", "2147483647.5", "-2147483649"};
        for (const char* v : absurd) {
            QTest::addRow("base \"%s\"", v) << v << "140";
            QTest::addRow("duration \"%s\"", v) << "360" << v;
            QTest::addRow("both \"%s\"", v) << v << v;
        }
    }
    void absurdNumbersGiveNoNonFiniteText() {
        QFETCH(QString, base);
        QFETCH(QString, duration);
        test::TestWindow tw;
        test::user::PasteOver(tw->Text1->edit(), base);
        test::user::PasteOver(tw->Text2->edit(), duration);
        const std::map<const TextBox*, std::string> entered{{tw->Text1, base.toStdString()},
                                                            {tw->Text2, duration.toStdString()}};
        // Twice: the second round starts from what the adjusters wrote.
        for (int round = 0; round < 2; ++round) {
            UseEveryControl(tw);
            const std::string problem = FieldsProblem(tw, entered);
            QVERIFY2(problem.empty(), problem.c_str());
            for (const DrawOp& op : tw->picAusgabe->trace())
                QVERIFY(std::isfinite(op.x1) && std::isfinite(op.y1) && std::isfinite(op.x2) && std::isfinite(op.y2));
        }
    }

    void aLongMelodyPlaysTheCellsTheReaderYields_data() {
        QTest::addColumn<int>("text");
        for (std::size_t t = 0; t < OddTexts().size(); ++t)
            if (OddTexts()[t].second.size() >= kLong) QTest::addRow("%s", OddTexts()[t].first) << int(t);
    }
    void aLongMelodyPlaysTheCellsTheReaderYields() {
        QFETCH(int, text);
        const std::string& bytes = OddTexts()[std::size_t(text)].second;
        test::TestWindow tw;
        tw->cmdPythagorasstimmung->button()->click();
        test::user::PasteOver(tw->txtMelodie->edit(), QString::fromUtf8(bytes.data(), qsizetype(bytes.size())));
        const QStringList expected = ExpectedMelody(tw, tw->txtMelodie->Text(), 360, 140) << "sleep 1000";
        tw->cmdAbspielen->button()->click();
        const QStringList played = Played(tw.sound);
        QCOMPARE(played.size(), expected.size());
        QCOMPARE(played, expected);
        for (CommandButton* key : tw->cmdTaste) QCOMPARE(key->BackColor(), kWhite);
        QVERIFY(test::field_rules::IsMelodyHelp(tw->txtHilfe->Text()));
    }

    void endingInTheMiddleOfALongMelodyStopsIt() {
        test::TestWindow tw;
        tw->txtMelodie->setText(Repeat("c2 e4 g1 ", kLong));
        constexpr int kEndAt = 5000;
        int tones = 0;
        tw.sound.onBeep([&](int, int) {
            // Clicked while this tone sounds: handled before the next note.
            if (++tones == kEndAt)
                QMetaObject::invokeMethod(tw->cmdEnde->widget(), [&] { test::user::Click(tw->cmdEnde->widget()); },
                                          Qt::QueuedConnection);
        });
        tw->cmdAbspielen->button()->click();
        QVERIFY(EndRequested());
        QCOMPARE(int(tw.sound.requests().size()), kEndAt);
        QCOMPARE(tw.sound.requests().back().kind, SoundRequest::Kind::Beep);
    }

    void anOddStepCountNeitherHangsNorEnds_data() {
        QTest::addColumn<QString>("steps");
        for (const char* v : {"", "0", "1", "-12", "nan", "inf", "1e308", "12.5", "101", "100000", "abc"})
            QTest::addRow("\"%s\"", v) << v;
    }
    void anOddStepCountNeitherHangsNorEnds() {
        QFETCH(QString, steps);
        test::TestWindow tw;
        tw->txtWurzel->setText(steps.toStdString());
        test::user::Click(tw->cmdalle->widget());
        QVERIFY(!EndRequested());
        QVERIFY(tw.sound.requests().size() <= 101);
    }
};

QTEST_MAIN(BadInputTest)
#include "test_bad_input.moc"
