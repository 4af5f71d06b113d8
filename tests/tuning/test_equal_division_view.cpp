// SPDX-License-Identifier: GPL-3.0-or-later
// The equal division in the window: HScroll1 redraws the fixed scales with
// the tempered ticks, their numbers and the three circles, and fills the
// error fields in the user's locale; dragging the scroll box only moves the
// number in txtWurzel until the box is released.
#include "drawing_probe.h"
#include "test_window.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

#include <cmath>

using namespace stimmung;
using test::ColourNear;
using test::OfKind;
using test::TintIn;

namespace {

// Moves HScroll1 to N as a completed change, with an empty trace before the
// redraw of N (a bar already at N is moved away first).
void ChangeTo(test::TestWindow& tw, int N) {
    QScrollBar* bar = tw->HScroll1->bar();
    if (bar->value() == N) bar->setValue(N == 2 ? 3 : 2);
    tw->picAusgabe->clearTrace();
    bar->setValue(N);
}

// Each redraw draws exactly three circles.
int Redraws(const OutputArea& pic) { return int(OfKind(pic.trace(), DrawKind::Circle).size()) / 3; }

// Blue tick lines hanging below the axis.
std::vector<DrawOp> TemperedTicks(const OutputArea& pic) {
    std::vector<DrawOp> ticks;
    for (const DrawOp& op : OfKind(pic.trace(), DrawKind::Line))
        if (op.y1 == 3 && op.y2 == 3.5) ticks.push_back(op);
    return ticks;
}

QStringList Fields(Form1& f) {
    QStringList out;
    for (TextBox* t : {f.txtTerz, f.txtQuarte, f.txtQuinte, f.txtGesamtfehler}) out << QString::fromStdString(t->Text());
    return out;
}

QRect ThumbRect(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = Qt::Horizontal;
    opt.state |= QStyle::State_Horizontal;
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar);
}

} // namespace

class EqualDivisionViewTest : public QObject {
    Q_OBJECT

    QLocale initialLocale_;

private slots:
    void initTestCase() { initialLocale_ = QLocale(); }
    void cleanup() { QLocale::setDefault(initialLocale_); }

    void errorFieldsInTheUsersLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("N");
        QTest::addColumn<QStringList>("fields"); // Terz, Quarte, Quinte, Gesamtfehler
        struct Row { int N; const char* terz; const char* quarte; const char* quinte; const char* total; };
        const Row rows[] = {
            {12, "1.0079", "1.0011", "1.0011", "101"}, {2, "1.1313", "1.0606", "1.0606", "2725"},
            {3, "1.0079", "1.0582", "1.0582", "1286"}, {19, "1.0042", "1.0041", "1.0041", "124"},
            {53, "1.0008", "1", "1", "8"},
        };
        for (const char* locale : {"de_DE", "en_US"}) {
            for (const Row& r : rows) {
                QStringList fields{r.terz, r.quarte, r.quinte, r.total};
                if (QString(locale) == "de_DE") fields.replaceInStrings(".", ",");
                QTest::addRow("N=%d %s", r.N, locale) << QString(locale) << r.N << fields;
            }
        }
    }

    void errorFieldsInTheUsersLocale() {
        QFETCH(QString, locale);
        QFETCH(int, N);
        QFETCH(QStringList, fields);
        QLocale::setDefault(QLocale(locale));
        test::TestWindow tw;
        ChangeTo(tw, N);
        QCOMPARE(tw->txtWurzel->Text(), std::to_string(N));
        QCOMPARE(Fields(tw.form()), fields);
        QCOMPARE(Redraws(*tw->picAusgabe), 1);
    }

    void fieldsStayUntilTheNextChange() {
        test::TestWindow tw;
        QCOMPARE(Fields(tw.form()), (QStringList{"Text4", "Text4", "Text4", "Text4"}));
        ChangeTo(tw, 19);
        const QStringList filled = Fields(tw.form());
        tw->cmdClear->button()->click();
        tw->cmdComplett->button()->click();
        tw->cmdDia->button()->click();
        QCOMPARE(Fields(tw.form()), filled);
    }

    void fourthAndFifthFieldsAgreeForEveryN() {
        test::TestWindow tw;
        for (int N = 2; N <= 100; ++N) {
            ChangeTo(tw, N);
            QVERIFY2(tw->txtQuarte->Text() == tw->txtQuinte->Text(), qPrintable(QString::number(N)));
        }
    }

    void temperedTicksAndNumbers_data() {
        QTest::addColumn<int>("N");
        for (int N : {2, 12, 53, 100}) QTest::addRow("N=%d", N) << N;
    }

    void temperedTicksAndNumbers() {
        QFETCH(int, N);
        test::TestWindow tw;
        ChangeTo(tw, N);
        OutputArea& pic = *tw->picAusgabe;
        const auto ticks = TemperedTicks(pic);
        QCOMPARE(int(ticks.size()), N - 1);
        std::vector<DrawOp> numbers;
        for (const DrawOp& op : OfKind(pic.trace(), DrawKind::Print))
            if (op.y1 == 4.1) numbers.push_back(op);
        QCOMPARE(int(numbers.size()), N - 1);
        for (int i = 0; i < N - 1; ++i) {
            const double r = std::exp2((i + 1.0) / N);
            QVERIFY(std::abs(ticks[i].x1 - r) < 1e-12);
            QCOMPARE(ticks[i].x2, ticks[i].x1);
            QCOMPARE(ticks[i].colour, kBlue);
            QCOMPARE(ticks[i].width, 2); // the pen width "Rein" left
            QCOMPARE(QString::fromStdString(numbers[i].text), " " + QString::number(i + 1));
            QCOMPARE(numbers[i].x1, ticks[i].x1 - 0.01);
            QCOMPARE(numbers[i].colour, kBlue);
            QCOMPARE(numbers[i].fontSize, 10.0);
        }
        // Drawn, not only traced: the hanging ticks are blue in the image.
        for (int i : {0, (N - 1) / 2, N - 2}) QVERIFY(ColourNear(pic, ticks[i].x1, 3.3, kBlue));
        QCOMPARE(pic.ForeColor, kBlue);
        QCOMPARE(pic.DrawWidth, 2);
        QCOMPARE(pic.FontSize, 10.0);
    }

    void circlesAtTheNearestSteps_data() {
        QTest::addColumn<int>("N");
        QTest::addColumn<QList<double>>("centres"); // third, fourth, fifth
        QTest::newRow("N=12") << 12 << QList<double>{1.259921, 1.334840, 1.498307};
        QTest::newRow("N=2 all on the square root") << 2 << QList<double>{1.414214, 1.414214, 1.414214};
        QTest::newRow("N=3 third and fourth coincide") << 3 << QList<double>{1.259921, 1.259921, 1.587401};
        QTest::newRow("N=19") << 19 << QList<double>{std::exp2(6 / 19.0), std::exp2(8 / 19.0), std::exp2(11 / 19.0)};
    }

    void circlesAtTheNearestSteps() {
        QFETCH(int, N);
        QFETCH(QList<double>, centres);
        test::TestWindow tw;
        ChangeTo(tw, N);
        OutputArea& pic = *tw->picAusgabe;
        const auto circles = OfKind(pic.trace(), DrawKind::Circle);
        QCOMPARE(int(circles.size()), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(std::abs(circles[i].x1 - centres[i]) < 5e-7, qPrintable(QString::number(circles[i].x1, 'f', 9)));
            QCOMPARE(circles[i].y1, 3.7);
            QCOMPARE(circles[i].radius, 0.01);
            QCOMPARE(circles[i].colour, kBlue);
            QCOMPARE(circles[i].width, 2);
            // An outline about 8.7 pixels round the centre, which stays white.
            QVERIFY(TintIn(pic, centres[i] - 0.0115, 3.65, 5, 5, kBlue));
            QVERIFY(TintIn(pic, centres[i] + 0.0085, 3.65, 5, 5, kBlue));
            QCOMPARE(pic.pixelAt(test::Px(centres[i]), test::Py(3.7)), kWhite);
        }
    }

    void redrawStartsFromTheFixedScales() {
        test::TestWindow tw;
        tw->cmdDiff->button()->click(); // gone after the redraw
        ChangeTo(tw, 12);
        OutputArea& pic = *tw->picAusgabe;
        const auto& ops = pic.trace();
        QCOMPARE(ops[0].kind, DrawKind::Cls);
        QCOMPARE(ops[1].kind, DrawKind::Cls); // cmdComplett clears again
        const auto lines = OfKind(ops, DrawKind::Line);
        // Axis 3, Pythagorean 6 black, just 3 red, tempered 11 blue.
        QCOMPARE(int(lines.size()), 3 + 6 + 3 + 11);
        for (int i = 3; i < 9; ++i) QCOMPARE(lines[i].colour, kBlack);
        for (int i = 9; i < 12; ++i) QCOMPARE(lines[i].colour, kRed);
        int names = 0;
        for (const DrawOp& op : OfKind(ops, DrawKind::Print)) names += op.y1 == 0.3;
        QCOMPARE(names, 8);
        QVERIFY(ColourNear(pic, 1.25, 2.7, kRed));
        QVERIFY(ColourNear(pic, 1.5, 2.7, kBlack));
        QVERIFY(!TintIn(pic, 1.0625 - 0.021, 4.0, 20, 5, Rgb{160, 160, 160}));
    }

    void scrollOnlyWritesTheNumber() {
        test::TestWindow tw;
        QScrollBar* bar = tw->HScroll1->bar();
        tw->picAusgabe->clearTrace();
        bar->setSliderDown(true);
        bar->setValue(20);
        QCOMPARE(tw->txtWurzel->Text(), std::string("20"));
        QVERIFY(tw->picAusgabe->trace().empty());
        QCOMPARE(tw->txtTerz->Text(), std::string("Text4"));
        bar->setSliderDown(false);
        QCOMPARE(Redraws(*tw->picAusgabe), 1);
        QCOMPARE(tw->txtWurzel->Text(), std::string("20"));
    }

    void dragFrom12To30DrawsOnceOnRelease() {
        test::TestWindow tw;
        QScrollBar* bar = tw->HScroll1->bar();
        QCOMPARE(bar->value(), 12);
        QStringList shown;
        QObject::connect(tw->txtWurzel->edit(), &QLineEdit::textChanged, [&](const QString& t) { shown << t; });
        tw->picAusgabe->clearTrace();
        bar->setSliderDown(true);
        for (int v = 13; v <= 30; ++v) {
            bar->setSliderPosition(v);
            QCOMPARE(Redraws(*tw->picAusgabe), 0);
        }
        QCOMPARE(shown.size(), 18);
        QCOMPARE(shown.front(), QString("13"));
        QCOMPARE(shown.back(), QString("30"));
        bar->setSliderDown(false);
        QCOMPARE(Redraws(*tw->picAusgabe), 1);
        QCOMPARE(int(TemperedTicks(*tw->picAusgabe).size()), 29);
        QCOMPARE(tw->txtWurzel->Text(), std::string("30"));
    }

    void dragWithTheMouse() {
        test::TestWindow tw;
        tw.main->show();
        QScrollBar* bar = tw->HScroll1->bar();
        QVERIFY(QTest::qWaitForWindowExposed(bar->window()));
        QStringList shown;
        QObject::connect(tw->txtWurzel->edit(), &QLineEdit::textChanged, [&](const QString& t) { shown << t; });
        const QRect thumb = ThumbRect(bar, QStyle::SC_ScrollBarSlider);
        tw->picAusgabe->clearTrace();
        QPoint at = thumb.center();
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, at);
        // A pixel to the right at a time until the box stands at 30.
        while (bar->sliderPosition() < 30 && at.x() < bar->width()) {
            at.rx() += 1;
            QTest::mouseMove(bar, at);
        }
        QCOMPARE(Redraws(*tw->picAusgabe), 0);
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, at);
        QVERIFY(shown.size() > 1);
        QCOMPARE(bar->value(), 30);
        QCOMPARE(Redraws(*tw->picAusgabe), 1);
        QCOMPARE(int(TemperedTicks(*tw->picAusgabe).size()), 29);
    }

    void arrowClickRedrawsAtOnce() {
        test::TestWindow tw;
        tw.main->show();
        QScrollBar* bar = tw->HScroll1->bar();
        QVERIFY(QTest::qWaitForWindowExposed(bar->window()));
        const QRect right = ThumbRect(bar, QStyle::SC_ScrollBarAddLine);
        tw->picAusgabe->clearTrace();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, right.center());
        QCOMPARE(bar->value(), 13);
        QCOMPARE(tw->txtWurzel->Text(), std::string("13"));
        QCOMPARE(Redraws(*tw->picAusgabe), 1);
        QCOMPARE(int(TemperedTicks(*tw->picAusgabe).size()), 12);
    }
};

QTEST_MAIN(EqualDivisionViewTest)
#include "test_equal_division_view.moc"
