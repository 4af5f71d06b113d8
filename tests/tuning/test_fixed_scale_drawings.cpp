// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed scales on the ratio axis, clicked as a user would: the notes of
// the chain of fifths and "cmdComplett", the just notes ("Rein"), the note
// names ("cdefg") and the step ratios, seen through the drawing trace, the
// image's pixels and the drawing state each routine leaves behind.
#include "drawing_probe.h"
#include "test_window.h"

#include <QtTest>

#include <string>

using namespace stimmung;
using test::ColourNear;
using test::OfKind;
using test::TintIn;

namespace {

constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kLightGrey{160, 160, 160};

CommandButton* ButtonByName(Form1& f, const QString& name) {
    CommandButton* const buttons[] = {f.cmd2, f.cmd3, f.cmd4, f.cmd5, f.cmd6, f.cmd7, f.cmdComplett,
                                      f.cmdDia, f.cmdNamen, f.cmdDiff, f.cmdDidymos};
    for (CommandButton* b : buttons)
        if (QString::fromStdString(b->Name()) == name) return b;
    return nullptr;
}

// A clean start for one case: the cleared axis and an empty trace.
void ClearedAxis(test::TestWindow& tw) {
    tw->cmdClear->button()->click();
    tw->picAusgabe->clearTrace();
}

// Pixels white before and not after: marks drawn at a new place. (Drawing
// the same marks again only deepens the antialiased edges of glyphs.)
int NewlyInked(const QImage& before, const QImage& after) {
    int count = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) == qRgb(255, 255, 255) && after.pixel(x, y) != qRgb(255, 255, 255)) ++count;
    return count;
}

} // namespace

class FixedScaleDrawingsTest : public QObject {
    Q_OBJECT

private slots:
    void noteButtonDrawsTickAndStackedFraction_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("textLeft");
        QTest::addColumn<QString>("numerator");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("denominator");
        QTest::newRow("2: fifth 3/2") << "cmd2" << 1.5 << 1.495 << "3" << "_" << "2";
        QTest::newRow("3: 9/8") << "cmd3" << 1.125 << 1.12 << "9" << "_" << "8";
        QTest::newRow("4: 27/16") << "cmd4" << 1.6875 << 1.6725 << "27" << "__" << "16";
        QTest::newRow("5: 81/64") << "cmd5" << 1.265625 << 1.250625 << "81" << "__" << "64";
        QTest::newRow("6: 243/128, fraction 0.02 left") << "cmd6" << 1.8984375 << 1.8784375 << "243" << "___" << "128";
        QTest::newRow("7: fourth 4/3") << "cmd7" << 4.0 / 3 << 4.0 / 3 - 0.005 << "4" << "_" << "3";
    }

    void noteButtonDrawsTickAndStackedFraction() {
        QFETCH(QString, button);
        QFETCH(double, ratio);
        QFETCH(double, textLeft);
        QFETCH(QString, numerator);
        QFETCH(QString, bar);
        QFETCH(QString, denominator);
        test::TestWindow tw;
        ClearedAxis(tw);
        OutputArea& pic = *tw->picAusgabe;
        ButtonByName(tw.form(), button)->button()->click();

        const auto& ops = pic.trace();
        QCOMPARE(int(ops.size()), 4);
        QCOMPARE(ops[0].kind, DrawKind::Line);
        QCOMPARE(ops[0].x1, ratio);
        QCOMPARE(ops[0].x2, ratio);
        QCOMPARE(ops[0].y1, 2.5);
        QCOMPARE(ops[0].y2, 3.0);
        QCOMPARE(ops[0].width, 3);
        const QString texts[] = {numerator, bar, denominator};
        const double rows[] = {1.4, 1.4, 1.8}; // the bar over the numerator
        for (int i = 0; i < 3; ++i) {
            const DrawOp& t = ops[1 + i];
            QCOMPARE(t.kind, DrawKind::Print);
            QCOMPARE(QString::fromStdString(t.text), texts[i]);
            QCOMPARE(t.x1, textLeft);
            QCOMPARE(t.y1, rows[i]);
            QCOMPARE(t.colour, kBlue);
            QCOMPARE(t.fontSize, 12.0);
        }
        QCOMPARE(bar.size(), numerator.size());
        // Drawn, not only traced: a black tick and a blue fraction.
        QVERIFY(ColourNear(pic, ratio, 2.7, kBlack));
        QVERIFY(TintIn(pic, textLeft, 1.4, 25, 16, kBlue));
        QVERIFY(TintIn(pic, textLeft, 1.8, 25, 16, kBlue));
    }

    void completeConstructionOnAnyPicture() {
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        // Something else in the picture and a colour left behind.
        tw->cmdDia->button()->click();
        tw->cmdDiff->button()->click();
        pic.ForeColor = kRed;
        pic.DrawWidth = 9;
        pic.clearTrace();
        tw->cmdComplett->button()->click();

        const auto& ops = pic.trace();
        QCOMPARE(ops.front().kind, DrawKind::Cls);
        QCOMPARE(ops[1].kind, DrawKind::Scale);
        QCOMPARE(ops[1].x1, 0.9);
        QCOMPARE(ops[1].y1, 0.0);
        QCOMPARE(ops[1].x2, 2.1);
        QCOMPARE(ops[1].y2, 6.0);
        const auto lines = OfKind(ops, DrawKind::Line);
        QCOMPARE(int(lines.size()), 3 + 6);
        struct Seg { double x1, y1, x2, y2; } axis[] = {{0.9, 3, 2.1, 3}, {1, 2, 1, 5}, {2, 2, 2, 5}};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(lines[i].x1, axis[i].x1);
            QCOMPARE(lines[i].y1, axis[i].y1);
            QCOMPARE(lines[i].x2, axis[i].x2);
            QCOMPARE(lines[i].y2, axis[i].y2);
            QCOMPARE(lines[i].colour, kBlack);
            QCOMPARE(lines[i].width, 3);
        }
        const double order[] = {3.0 / 2, 9.0 / 8, 27.0 / 16, 81.0 / 64, 243.0 / 128, 4.0 / 3};
        for (int i = 0; i < 6; ++i) {
            const DrawOp& tick = lines[3 + i];
            QCOMPARE(tick.x1, order[i]);
            QCOMPARE(tick.colour, kBlack);
            QCOMPARE(tick.width, 3);
            QVERIFY(ColourNear(pic, order[i], 2.7, kBlack));
        }
        const auto prints = OfKind(ops, DrawKind::Print);
        QCOMPARE(int(prints.size()), 2 + 6 * 3);
        QCOMPARE(prints[0].text, std::string("1"));
        QCOMPARE(prints[0].x1, 0.99);
        QCOMPARE(prints[0].y1, 1.0);
        QCOMPARE(prints[0].fontSize, 16.0);
        QCOMPARE(prints[0].colour, kBlack);
        QCOMPARE(prints[1].text, std::string("2"));
        QCOMPARE(prints[1].x1, 1.99);
        QCOMPARE(prints[1].fontSize, 16.0);
        // The earlier marks are gone: the just third and the step texts.
        QVERIFY(!ColourNear(pic, 1.25, 2.7, kRed, 2));
        QVERIFY(!TintIn(pic, 1.0625 - 0.021, 4.0, 20, 12, kLightGrey));
    }

    void noteAfterJustNotesHasRedTickBlueFraction() {
        test::TestWindow tw;
        ClearedAxis(tw);
        OutputArea& pic = *tw->picAusgabe;
        tw->cmdDia->button()->click();
        pic.clearTrace();
        tw->cmd5->button()->click();
        const auto& ops = pic.trace();
        QCOMPARE(ops[0].kind, DrawKind::Line);
        QCOMPARE(ops[0].colour, kRed);
        for (const DrawOp& t : OfKind(ops, DrawKind::Print)) QCOMPARE(t.colour, kBlue);
        QCOMPARE(pic.ForeColor, kBlack);
        QVERIFY(ColourNear(pic, 81.0 / 64, 2.7, kRed));
        QVERIFY(TintIn(pic, 81.0 / 64 - 0.015, 1.8, 25, 16, kBlue));
        // The next note is black again.
        pic.clearTrace();
        tw->cmd2->button()->click();
        QCOMPARE(pic.trace()[0].colour, kBlack);
    }

    void sameButtonTwiceDrawsTheSameMarks() {
        test::TestWindow tw;
        ClearedAxis(tw);
        OutputArea& pic = *tw->picAusgabe;
        tw->cmd6->button()->click();
        const QImage once = pic.image().copy();
        const std::vector<DrawOp> first = pic.trace();
        tw->cmd6->button()->click();
        QCOMPARE(int(pic.trace().size()), 2 * int(first.size()));
        for (std::size_t i = 0; i < first.size(); ++i) {
            QCOMPARE(pic.trace()[first.size() + i].x1, first[i].x1);
            QCOMPARE(pic.trace()[first.size() + i].text, first[i].text);
        }
        QCOMPARE(NewlyInked(once, pic.image()), 0);
    }

    void justNotesOnTheEmptyAxis() {
        test::TestWindow tw;
        ClearedAxis(tw);
        OutputArea& pic = *tw->picAusgabe;
        tw->cmdDia->button()->click();
        const auto& ops = pic.trace();
        QCOMPARE(int(ops.size()), 6);
        struct Mark { double r; const char* label; } marks[] = {{1.25, "5/4"}, {5.0 / 3, "5/3"}, {1.875, "15/8"}};
        for (int i = 0; i < 3; ++i) {
            const DrawOp& tick = ops[2 * i];
            const DrawOp& label = ops[2 * i + 1];
            QCOMPARE(tick.kind, DrawKind::Line);
            QCOMPARE(tick.x1, marks[i].r);
            QCOMPARE(tick.y1, 2.5);
            QCOMPARE(tick.y2, 3.0);
            QCOMPARE(tick.colour, kRed);
            QCOMPARE(tick.width, 2);
            QCOMPARE(label.kind, DrawKind::Print);
            QCOMPARE(label.text, std::string(marks[i].label));
            QCOMPARE(label.x1, marks[i].r - 0.03);
            QCOMPARE(label.y1, 2.4);
            QCOMPARE(label.fontSize, 11.0);
            QVERIFY(ColourNear(pic, marks[i].r, 2.7, kRed));
        }
        QCOMPARE(ops[3].x1, 1.6366666666666667);
        // Twice: the same marks over themselves.
        const QImage once = pic.image().copy();
        tw->cmdDia->button()->click();
        QCOMPARE(NewlyInked(once, pic.image()), 0);
    }

    void noteNamesAtPythagoreanPlaces() {
        test::TestWindow tw;
        ClearedAxis(tw);
        tw->cmdDia->button()->click(); // the just notes change nothing of the names
        OutputArea& pic = *tw->picAusgabe;
        pic.clearTrace();
        tw->cmdNamen->button()->click();
        const auto& ops = pic.trace();
        QCOMPARE(int(ops.size()), 8);
        struct Name { const char* text; double x; } names[] = {
            {"c", 0.99}, {"c", 1.99}, {"d", 1.115}, {"e", 1.255625},
            {"f", 4.0 / 3 - 0.01}, {"g", 1.49}, {"a", 1.6775}, {"h", 1.8884375},
        };
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(ops[i].kind, DrawKind::Print);
            QCOMPARE(ops[i].text, std::string(names[i].text));
            QCOMPARE(ops[i].x1, names[i].x);
            QCOMPARE(ops[i].y1, 0.3);
            QCOMPARE(ops[i].colour, kGrey);
            QCOMPARE(ops[i].fontSize, 16.0);
            QVERIFY2(TintIn(pic, names[i].x, 0.3, 14, 22, kGrey), names[i].text);
        }
        // "e" stands 0.005625 right of the just third 5/4.
        QVERIFY(std::abs(ops[3].x1 - 1.25 - 0.005625) < 1e-12);
    }

    void stepRatios_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("numerators");
        QTest::addColumn<QStringList>("denominators");
        QTest::newRow("Pythagoras Quotienten")
            << "cmdDiff" << QStringList{"9/", "9/", "256/", "9/", "9/", "9/", "256/"}
            << QStringList{"8", "8", "243", "8", "8", "8", "243"};
        QTest::newRow("Didymos") << "cmdDidymos" << QStringList{"9/", "10/", "16/", "9/", "10/", "9/", "16/"}
                                 << QStringList{"8", "9", "15", "8", "9", "8", "15"};
    }

    void stepRatios() {
        QFETCH(QString, button);
        QFETCH(QStringList, numerators);
        QFETCH(QStringList, denominators);
        test::TestWindow tw;
        ClearedAxis(tw);
        OutputArea& pic = *tw->picAusgabe;
        ButtonByName(tw.form(), button)->button()->click();
        const double midpoints[] = {1.0625, 1.1953125, (81.0 / 64 + 4.0 / 3) / 2, (4.0 / 3 + 1.5) / 2,
                                    1.59375, 1.79296875, 1.94921875};
        const auto& ops = pic.trace();
        QCOMPARE(int(ops.size()), 14);
        for (int i = 0; i < 7; ++i) {
            const DrawOp& num = ops[i]; // all numerators first
            const DrawOp& den = ops[7 + i];
            QCOMPARE(num.kind, DrawKind::Print);
            QCOMPARE(QString::fromStdString(num.text), numerators[i]);
            QCOMPARE(num.x1, midpoints[i] - 0.021);
            QCOMPARE(num.y1, 4.0);
            QCOMPARE(QString::fromStdString(den.text), denominators[i]);
            QCOMPARE(den.x1, midpoints[i]);
            QCOMPARE(den.y1, 4.3);
            for (const DrawOp* t : {&num, &den}) {
                QCOMPARE(t->colour, kLightGrey);
                QCOMPARE(t->fontSize, 10.0);
            }
            QVERIFY(TintIn(pic, midpoints[i], 4.3, 20, 14, kLightGrey));
        }
        // The just e-f step at the Pythagorean midpoint of 81/64 and 4/3.
        QCOMPARE(ops[9].x1, 1.2994791666666665);
        QVERIFY(ops[9].x1 != (1.25 + 4.0 / 3) / 2);
    }

    void stateLeftBehind_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("colour"); // 0xRRGGBB
        QTest::addColumn<int>("width");  // -1: not touched
        QTest::addColumn<double>("fontSize");
        for (const char* b : {"cmd2", "cmd3", "cmd4", "cmd5", "cmd6", "cmd7"})
            QTest::newRow(b) << b << 0x000000 << 4 << 12.0;
        QTest::newRow("cmdComplett") << "cmdComplett" << 0x000000 << 4 << 12.0;
        QTest::newRow("cmdDia") << "cmdDia" << 0xFF0000 << 2 << 11.0;
        QTest::newRow("cmdNamen") << "cmdNamen" << 0x808080 << 3 << 16.0;
        QTest::newRow("cmdDiff") << "cmdDiff" << 0xA0A0A0 << -1 << 10.0;
        QTest::newRow("cmdDidymos") << "cmdDidymos" << 0xA0A0A0 << -1 << 10.0;
    }

    void stateLeftBehind() {
        QFETCH(QString, button);
        QFETCH(int, colour);
        QFETCH(int, width);
        QFETCH(double, fontSize);
        test::TestWindow tw;
        OutputArea& pic = *tw->picAusgabe;
        pic.ForeColor = Rgb{10, 20, 30};
        pic.DrawWidth = 7;
        pic.FontSize = 30;
        ButtonByName(tw.form(), button)->button()->click();
        const Rgb expected{std::uint8_t(colour >> 16), std::uint8_t(colour >> 8), std::uint8_t(colour)};
        QCOMPARE(pic.ForeColor, expected);
        QCOMPARE(pic.DrawWidth, width < 0 ? 7 : width);
        QCOMPARE(pic.FontSize, fontSize);
    }
};

QTEST_MAIN(FixedScaleDrawingsTest)
#include "test_fixed_scale_drawings.moc"
