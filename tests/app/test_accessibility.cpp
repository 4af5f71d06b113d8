// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology sees of the window: every control announced under
// a name of its own that says what it is, the captions left as they are, and
// the keyboard's Tab key visiting the controls in the layout's tab order.
#include "layout_table.h"
#include "test_window.h"
#include "window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLineEdit>
#include <QtTest>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace stimmung;

namespace {

std::string Key(const std::string& name, int index) {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

// The controls that take the keyboard focus, in the order Tab visits them
// (the layout's tab positions 1 to 88; labels and picture boxes take no focus).
const char* const kTabOrder[] = {
    "txtWurzel", "HScroll1", "Text1", "Text2", "cmdPythagoras", "cmdrein", "cmdtemperiert", "cmdalle",
    "txtQuinte", "txtQuarte", "txtTerz", "txtGesamtfehler", "cmd2", "cmdComplett", "cmd3", "cmd4", "cmd5",
    "cmd6", "cmd7", "cmdNamen", "cmdDia", "cmdClear", "optZeichne", "cmdDiff", "cmdDidymos", "cmdEnde",
    "txtHilfe", "hscNote", "optNote(0)", "optNote(1)", "optNote(2)", "optNote(3)", "optNote(4)", "optNote(5)",
    "cmdHandlauf", "cmdTaste(0)", "cmdTaste(1)", "cmdTaste(2)", "cmdTaste(3)", "cmdTaste(4)", "cmdTaste(5)",
    "cmdTaste(6)", "cmdTaste(7)", "cmdPythagorasstimmung", "cmdLinear", "cmdGeometrisch", "cmdRausnehmen",
    "Text3", "txtMelodie", "cmdAbspielen", "cmdPlusT", "cmdPlusF", "cmdMinusF", "cmdMinusT", "Text4",
};

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasADistinctName() {
        test::TestWindow w;
        std::map<QString, std::string> owner;
        for (const auto& row : layout::Controls()) {
            Control* c = w->window->find(row.name, row.index);
            QVERIFY2(c, row.name);
            const QString name = c->widget()->accessibleName();
            const std::string key = Key(row.name, row.index);
            QVERIFY2(!name.trimmed().isEmpty(), key.c_str());
            QVERIFY2(name == name.trimmed(), key.c_str());
            auto [it, fresh] = owner.emplace(name, key);
            QVERIFY2(fresh, (key + " is announced as " + name.toStdString() + " like " + it->second).c_str());
        }
    }

    void textBoxesAreNamedAfterWhatTheyHold() {
        test::TestWindow w;
        for (const auto& row : layout::Controls()) {
            if (row.kind != layout::Kind::TextBox) continue;
            auto* box = w->window->get<TextBox>(row.name, row.index);
            QVERIFY2(box, row.name);
            // The initial text is the field's content, which changes; it is no name.
            QVERIFY2(box->edit()->accessibleName() != QString::fromUtf8(row.caption), row.name);
            QCOMPARE(box->edit()->text(), QString::fromUtf8(row.caption));
        }
        QCOMPARE(w->Text1->edit()->accessibleName(), QStringLiteral("Frequenz Grundton in Hz"));
        QCOMPARE(w->txtHilfe->edit()->accessibleName(), QStringLiteral("Hilfezeile"));
    }

    void thePythagorasButtonsAreToldApart_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("name");
        QTest::newRow("player") << "cmdPythagoras" << " Pythagoras" << "Tonlauf Pythagoras";
        QTest::newRow("preset") << "cmdPythagorasstimmung" << "Pythagoras" << "Noten setzen: Pythagoras";
        QTest::newRow("just player") << "cmdrein" << "Didymos" << "Tonlauf Didymos";
        QTest::newRow("just step ratios") << "cmdDidymos" << "Didymos" << "Didymos Quotienten";
        QTest::newRow("frequency up") << "cmdPlusF" << "+10" << "Frequenz +10";
        QTest::newRow("duration up") << "cmdPlusT" << "+10" << "Dauer +10";
    }
    void thePythagorasButtonsAreToldApart() {
        QFETCH(QString, control);
        QFETCH(QString, caption);
        QFETCH(QString, name);
        test::TestWindow w;
        auto* button = w->window->get<CommandButton>(control.toStdString());
        QVERIFY(button);
        QCOMPARE(button->button()->text(), caption); // the caption is kept, leading blank included
        QCOMPARE(button->button()->accessibleName(), name);
    }

    void everyNameRowBelongsToAControl() {
        std::set<std::pair<std::string, int>> controls;
        for (const auto& row : layout::Controls()) controls.insert({row.name, row.index});
        for (const auto& row : layout::AccessibleNames())
            QVERIFY2(controls.count({row.name, row.index}), Key(row.name, row.index).c_str());
    }

    void tabVisitsTheControlsInTheLayoutsOrder() {
        test::TestWindow w;
        QWidget* first = w->txtWurzel->widget();
        std::vector<std::string> visited;
        std::map<QWidget*, std::string> names;
        for (const auto& c : w->window->controls()) names[c->widget()] = Key(c->Name(), c->Index());
        QWidget* at = first;
        do {
            if (names.count(at) && (at->focusPolicy() & Qt::TabFocus)) visited.push_back(names[at]);
            at = at->nextInFocusChain();
        } while (at != first && visited.size() < 200);
        std::vector<std::string> expected(std::begin(kTabOrder), std::end(kTabOrder));
        QCOMPARE(visited, expected);
    }

    // Right raises a horizontal scroll bar and Left lowers it, through its
    // change handler; in the option group they move the selection, and the
    // marker scroll bar stays where it was. `expected`: the bar's value, or
    // the index of the option button that is on (6: optZeichne).
    void arrowKeysAsOnTheDesktop_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("HScroll1 Right") << "HScroll1" << -1 << int(Qt::Key_Right) << 13;
        QTest::newRow("HScroll1 Left") << "HScroll1" << -1 << int(Qt::Key_Left) << 11;
        QTest::newRow("hscNote Right") << "hscNote" << -1 << int(Qt::Key_Right) << 1;
        QTest::newRow("hscNote Left at 0 stays") << "hscNote" << -1 << int(Qt::Key_Left) << 0;
        QTest::newRow("optNote(0) Right") << "optNote" << 0 << int(Qt::Key_Right) << 1;
        QTest::newRow("optNote(2) Left") << "optNote" << 2 << int(Qt::Key_Left) << 1;
        QTest::newRow("optNote(5) Right, round to optZeichne") << "optNote" << 5 << int(Qt::Key_Right) << 6;
    }
    void arrowKeysAsOnTheDesktop() {
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(int, key);
        QFETCH(int, expected);
        test::TestWindow w;
        w.main->show();
        QVERIFY(QTest::qWaitForWindowActive(w->window->widget()));
        Control* c = w->window->find(control.toStdString(), index);
        if (auto* option = dynamic_cast<OptionButton*>(c)) option->setValue(true);
        c->widget()->setFocus();
        QTest::keyClick(c->widget(), Qt::Key(key));
        if (auto* bar = dynamic_cast<ScrollBar*>(c)) {
            QCOMPARE(bar->Value(), expected);
            if (bar == w->HScroll1) QCOMPARE(w->txtWurzel->Text(), std::to_string(expected));
            if (bar == w->hscNote && expected > 0) QCOMPARE(w->Line2[0]->X1(), float(expected / 1200.0 + 0.9));
            return;
        }
        int on = -1;
        for (int i = 0; i < 6; ++i)
            if (w->optNote[i]->Value()) on = on < 0 ? i : 99;
        if (w->optZeichne->Value()) on = on < 0 ? 6 : 99;
        QCOMPARE(on, expected);
        QCOMPARE(w->hscNote->Value(), 0);
        QCOMPARE(QAccessible::queryAccessibleInterface(c->widget())->role(), QAccessible::RadioButton);
    }

    void theWindowOpensWithTheFocusOnTheFirstControl() {
        test::TestWindow w;
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w->window->widget()));
        QCOMPARE(w->window->widget()->focusWidget(), w->txtWurzel->widget());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
