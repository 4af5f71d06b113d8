// What assistive technology sees of the window: every control announced under
// a name of its own that says what it is, the captions left as they are, and
// the keyboard's Tab key visiting the controls in the layout's tab order.
#include "layout_table.h"
#include "test_window.h"
#include "window.h"

#include <QAbstractButton>
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

    void theWindowOpensWithTheFocusOnTheFirstControl() {
        test::TestWindow w;
        w.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(w->window->widget()));
        QCOMPARE(w->window->widget()->focusWidget(), w->txtWurzel->widget());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
