// SPDX-License-Identifier: GPL-3.0-or-later
// The window built from its layout table: invariants over the whole table,
// and the controls a user looks at most checked against an independent list.
#include "layout_table.h"
#include "test_window.h"

#include <QtTest>

#include <map>
#include <set>

using namespace stimmung;

namespace {

struct Size {
    int width, height;
};

// Outer size (twips) of every container named in the table.
std::map<std::string, Size> ContainerSizes() {
    std::map<std::string, Size> sizes{{"", {layout::Window().clientWidthTwips, layout::Window().clientHeightTwips}}};
    for (const auto& row : layout::Controls())
        if (row.kind == layout::Kind::Picture || row.kind == layout::Kind::OutputArea)
            sizes[row.name] = {row.width, row.height};
    return sizes;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlLiesInsideItsContainer() {
        auto sizes = ContainerSizes();
        for (const auto& row : layout::Controls()) {
            std::string container = row.container ? row.container : "";
            QVERIFY2(sizes.count(container), row.name);
            const Size s = sizes[container];
            QVERIFY2(row.left >= 0 && row.top >= 0, row.name);
            QVERIFY2(row.left + row.width <= s.width, row.name);
            QVERIFY2(row.top + row.height <= s.height, row.name);
        }
    }

    void controlArraysAreComplete() {
        std::map<std::string, std::set<int>> indices;
        for (const auto& row : layout::Controls())
            if (row.index >= 0) indices[row.name].insert(row.index);
        const std::map<std::string, int> expected{{"Picture1", 5}, {"lblNote", 6}, {"Label3", 4},
                                                  {"optNote", 6},  {"cmdTaste", 8}, {"Picture3", 5},
                                                  {"Label4", 6}};
        QCOMPARE(indices.size(), expected.size());
        for (const auto& [name, count] : expected) {
            QCOMPARE(int(indices[name].size()), count);
            QCOMPARE(*indices[name].rbegin(), count - 1);
        }
    }

    void namesAndTabPositionsAreUnique() {
        std::set<std::pair<std::string, int>> names;
        std::set<int> tabs;
        for (const auto& row : layout::Controls()) {
            QVERIFY2(names.insert({row.name, row.index}).second, row.name);
            QVERIFY2(tabs.insert(row.tab).second, row.name);
        }
    }

    void theSevenOptionButtonsFormOneGroup() {
        test::TestWindow tw;
        Form1& f = tw.form();
        f.optZeichne->setValue(true);
        for (auto* o : f.optNote) QVERIFY(!o->Value());
        f.optNote[3]->setValue(true);
        QVERIFY(!f.optZeichne->Value());
        int on = 0;
        for (auto* o : f.optNote) on += o->Value();
        QCOMPARE(on, 1);
        // A handler may switch the one that is on off, leaving all seven off.
        f.optNote[3]->setValue(false);
        for (auto* o : f.optNote) QVERIFY(!o->Value());
        QVERIFY(!f.optZeichne->Value());
    }

    void everyForm1MemberIsBound() {
        test::TestWindow tw;
        Form1& f = tw.form();
        const void* members[] = {f.Label5, f.cmdComplett, f.cmd2, f.cmd3, f.cmd4, f.cmd5, f.cmd6, f.cmd7,
                                 f.cmdNamen, f.cmdDia, f.Text4, f.Text3, f.cmdEnde, f.optZeichne,
                                 f.picAusgabe, f.cmdClear, f.hscNote, f.Label7, f.cmdPythagoras, f.cmdrein,
                                 f.cmdtemperiert, f.cmdHandlauf, f.Label8, f.txtWurzel, f.Label2,
                                 f.HScroll1, f.cmdalle, f.Label9, f.Text1, f.cmdMinusF, f.cmdPlusF, f.Text2,
                                 f.cmdMinusT, f.cmdPlusT, f.Label6, f.cmdRausnehmen, f.Picture2,
                                 f.cmdPythagorasstimmung, f.cmdLinear, f.cmdGeometrisch, f.cmdDiff,
                                 f.cmdDidymos, f.txtTerz, f.txtQuinte, f.txtQuarte, f.txtGesamtfehler,
                                 f.txtMelodie, f.cmdAbspielen, f.txtHilfe};
        for (const void* m : members) QVERIFY(m);
        for (auto* c : f.Picture1) QVERIFY(c);
        for (auto* c : f.lblNote) QVERIFY(c);
        for (auto* c : f.Line2) QVERIFY(c);
        for (auto* c : f.Label3) QVERIFY(c);
        for (auto* c : f.optNote) QVERIFY(c);
        for (auto* c : f.cmdTaste) QVERIFY(c);
        for (auto* c : f.Picture3) QVERIFY(c);
        for (auto* c : f.Label4) QVERIFY(c);
    }

    // An independent list of what a user sees: geometry in pixels (inside the
    // container, borders included), caption, font and colours.
    void visibleControls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<QColor>("background");

        const QColor none;
        QTest::newRow("picAusgabe") << "picAusgabe" << -1 << QRect(48, 40, 1049, 233) << "" << "Times New Roman" << 24 << QColor(Qt::white);
        QTest::newRow("cmdClear") << "cmdClear" << -1 << QRect(1026, 2, 25, 17) << "X" << "Sans Serif" << 11 << none;
        QTest::newRow("cmdEnde") << "cmdEnde" << -1 << QRect(968, 8, 141, 25) << "Programm beenden" << "Times New Roman" << 15 << QColor(192, 255, 255);
        QTest::newRow("cmdPythagoras") << "cmdPythagoras" << -1 << QRect(48, 328, 133, 25) << " Pythagoras" << "Times New Roman" << 16 << none;
        QTest::newRow("cmd4") << "cmd4" << -1 << QRect(16, 104, 25, 17) << "4" << "Times New Roman" << 10 << none;
        QTest::newRow("cmdTaste(3)") << "cmdTaste" << 3 << QRect(89, 9, 25, 97) << "4" << "Sans Serif" << 11 << QColor(Qt::white);
        QTest::newRow("Text1") << "Text1" << -1 << QRect(392, 352, 81, 33) << "360" << "Times New Roman" << 22 << none;
        QTest::newRow("Text2") << "Text2" << -1 << QRect(392, 432, 81, 33) << "140" << "Times New Roman" << 22 << none;
        QTest::newRow("Text3") << "Text3" << -1 << QRect(480, 16, 169, 27) << "Text3" << "Times New Roman" << 16 << QColor(192, 255, 192);
        QTest::newRow("txtWurzel") << "txtWurzel" << -1 << QRect(224, 336, 41, 29) << "12" << "Times New Roman" << 22 << QColor(Qt::black);
        QTest::newRow("Label2") << "Label2" << -1 << QRect(296, 344, 41, 65) << "2" << "Times New Roman" << 64 << none;
        QTest::newRow("txtTerz") << "txtTerz" << -1 << QRect(784, 388, 81, 25) << "Text4" << "Times New Roman" << 16 << none;
        QTest::newRow("txtHilfe") << "txtHilfe" << -1 << QRect(8, 536, 1089, 33) << "Hilfe" << "Times New Roman" << 16 << QColor(255, 255, 192);
        QTest::newRow("cmdAbspielen") << "cmdAbspielen" << -1 << QRect(1024, 496, 73, 25) << "abspielen" << "Sans Serif" << 11 << QColor(192, 192, 192);
        QTest::newRow("txtMelodie") << "txtMelodie" << -1 << QRect(8, 496, 1017, 25) << "c2 d2 c2 f2 e2 d4 c2 e2 e2 e2 a2 g2 f4 e2 e2 e2 e2 f2 e2 d6 c2 d2 c2 f2 e2 d4 c2 e2 e2 e2 a2 g2 f4 e2 e2 e2 e2 f2 e2 d2 d2 c2" << "Courier New" << 13 << QColor(128, 128, 128);
        QTest::newRow("optNote(2)") << "optNote" << 2 << QRect(608, 320, 25, 17) << "4" << "Sans Serif" << 11 << none;
        QTest::newRow("Picture1(4)") << "Picture1" << 4 << QRect(1096, 104, 17, 17) << "" << "Sans Serif" << 11 << QColor(128, 128, 128);
        QTest::newRow("Picture3(2)") << "Picture3" << 2 << QRect(105, 9, 17, 41) << "" << "Sans Serif" << 11 << QColor(Qt::black);
        QTest::newRow("Label4(4)") << "Label4" << 4 << QRect(928, 424, 137, 17) << "Gesamtfehler = 1 +" << "Times New Roman" << 16 << none;
        QTest::newRow("hscNote") << "hscNote" << -1 << QRect(48, 272, 1049, 17) << "" << "Sans Serif" << 11 << none;
    }

    void visibleControls() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(QString, family);
        QFETCH(int, pixelSize);
        QFETCH(QColor, background);

        test::TestWindow tw;
        Control* c = tw.main->window().find(name.toStdString(), index);
        QVERIFY(c);
        QWidget* w = c->widget();
        QCOMPARE(w->geometry(), geometry);
        QCOMPARE(w->font().family(), family);
        QCOMPARE(w->font().pixelSize(), pixelSize);
        if (auto* b = dynamic_cast<CommandButton*>(c)) {
            QCOMPARE(QString::fromStdString(b->Caption()), caption);
            if (background.isValid()) QCOMPARE(ToQColor(b->BackColor()), background);
        } else if (auto* t = dynamic_cast<TextBox*>(c)) {
            QCOMPARE(QString::fromStdString(t->Text()), caption);
            if (background.isValid()) QCOMPARE(t->edit()->palette().color(QPalette::Base), background);
        } else if (auto* l = dynamic_cast<Label*>(c)) {
            QCOMPARE(QString::fromStdString(l->Caption()), caption);
        } else if (auto* o = dynamic_cast<OptionButton*>(c)) {
            QCOMPARE(o->radio()->text(), caption);
        } else if (auto* p = dynamic_cast<PictureBox*>(c)) {
            if (background.isValid()) QCOMPARE(ToQColor(p->BackColor()), background);
        }
    }

    void windowTitleSizeAndInitialValues() {
        test::TestWindow tw;
        Form1& f = tw.form();
        QWidget* view = tw.main->window().widget();
        QCOMPARE(view->windowTitle(), QString("Pythagoreische Stimmung und andere"));
        QCOMPARE(view->size(), QSize(1119, 576));
        QVERIFY(!view->windowIcon().isNull());
        QCOMPARE(f.HScroll1->bar()->minimum(), 2);
        QCOMPARE(f.HScroll1->bar()->maximum(), 100);
        QCOMPARE(f.HScroll1->Value(), 12);
        QCOMPARE(f.HScroll1->bar()->singleStep(), 1);
        QCOMPARE(f.HScroll1->bar()->pageStep(), 1);
        QCOMPARE(f.hscNote->bar()->minimum(), 0);
        QCOMPARE(f.hscNote->bar()->maximum(), 1500);
        QCOMPARE(f.hscNote->Value(), 0);
        QVERIFY(f.optNote[0]->Value());
        QVERIFY(!f.optZeichne->Value());
        for (auto* t : {f.txtTerz, f.txtQuarte, f.txtQuinte, f.txtGesamtfehler}) QCOMPARE(t->Text(), std::string("Text4"));
        QCOMPARE(f.Text4->Text(), std::string("1000"));
        QCOMPARE(f.txtMelodie->Text().size(), size_t(125));
        QVERIFY(f.txtWurzel->edit()->isReadOnly());
    }

    void resizingMovesNothing() {
        test::TestWindow tw;
        QWidget* view = tw.main->window().widget();
        const QRect before = tw->txtHilfe->widget()->geometry();
        view->resize(1600, 900);
        QCOMPARE(tw->txtHilfe->widget()->geometry(), before);
        QCOMPARE(tw->picAusgabe->widget()->size(), QSize(1049, 233));
    }

    void tabOrderFollowsTheTable() {
        test::TestWindow tw;
        Form1& f = tw.form();
        auto next = [](Control* c) {
            QWidget* w = c->widget()->nextInFocusChain();
            while (w->focusPolicy() == Qt::NoFocus) w = w->nextInFocusChain();
            return w;
        };
        // txtWurzel (1) -> HScroll1 (2) -> Text1 (4) -> Text2 (8) -> cmdPythagoras (10)
        QCOMPARE(next(f.txtWurzel), f.HScroll1->widget());
        QCOMPARE(next(f.HScroll1), f.Text1->widget());
        QCOMPARE(next(f.Text1), f.Text2->widget());
        QCOMPARE(next(f.Text2), f.cmdPythagoras->widget());
    }
};

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
