// SPDX-License-Identifier: GPL-3.0-or-later
// The menu "Hören": its place in the menu bar, "Klang" setting and keeping
// the timbre of the main window's tones; the window "Intervalle und
// Schwebungen" showing its figures, sounding A and B in turn, and refusing
// input it cannot sound.
#include "chord_player.h"
#include "interval_window.h"
#include "listening_menu.h"
#include "menu_bar.h"
#include "test_window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace stimmung;

namespace {

QAction* TimbreItem(app::MenuFrame& frame, const QString& name) {
    for (QAction* m : frame.menuBar()->actions())
        for (QAction* a : m->menu()->actions())
            if (a->menu() && a->text() == "&Klang")
                for (QAction* t : a->menu()->actions())
                    if (t->text() == name) return t;
    return nullptr;
}

QPushButton* Button(QWidget& window, const QString& name) {
    for (auto* b : window.findChildren<QPushButton*>())
        if (b->accessibleName() == name) return b;
    return nullptr;
}

} // namespace

class ListeningWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); } // settings apart from the user's
    void cleanup() {
        app::SaveTimbre(kDefaultTimbre);
        SetBeepTimbre(TimbreAt(kDefaultTimbre).amplitudes);
    }

    void menus_in_order() {
        test::TestWindow tw;
        app::MenuFrame frame(*tw.main);
        QStringList menus;
        for (QAction* m : frame.menuBar()->actions()) menus << m->text();
        QCOMPARE(menus, QStringList({"&Datei", "&Ansicht", "&Hören", "&Stimmungen", "&Hilfe"}));
        QCOMPARE(BeepTimbre(), TimbreAt(kDefaultTimbre).amplitudes);
    }

    void timbre_is_set_and_kept_data() {
        QTest::addColumn<QString>("name");
        for (const Timbre& t : Timbres()) QTest::newRow(t.name.data()) << QString::fromUtf8(t.name.data());
    }
    void timbre_is_set_and_kept() {
        QFETCH(QString, name);
        const PartialAmplitudes& chosen = TimbreAt(*TimbreIndex(name.toStdString())).amplitudes;
        test::TestWindow tw;
        {
            app::MenuFrame frame(*tw.main);
            QAction* item = TimbreItem(frame, name);
            QVERIFY(item);
            item->trigger();
            QVERIFY(item->isChecked());
            QCOMPARE(BeepTimbre(), chosen);
        }
        SetBeepTimbre(TimbreAt(kDefaultTimbre).amplitudes);
        app::MenuFrame next(*tw.main);
        QVERIFY(TimbreItem(next, name)->isChecked());
        QCOMPARE(BeepTimbre(), chosen);
    }

    void figures_and_turns() {
        test::TestWindow tw;
        app::MenuFrame frame(*tw.main);
        tw->Text1->setText(" 360");
        auto* window = &app::IntervalWindow::Open(frame);
        QCOMPARE(&app::IntervalWindow::Open(frame), window);
        QVERIFY(window->figures(0).text().contains("450.0000 Hz"));
        QVERIFY(window->figures(1).text().contains("453.5716 Hz"));
        QVERIFY(window->figures(1).text().contains("14.29 Hz"));
        Button(*window, "A und B im Wechsel")->click();
        delete window; // the turns go on: the player is the main window's
        QTRY_VERIFY(!frame.findChild<app::ChordPlayer*>()->isPlaying());
        const auto& played = tw.sound.requests();
        QCOMPARE(played.size(), std::size_t{4});
        QCOMPARE(played[2].chord.frequenciesHz[1], 450.0);
        QCOMPARE(played[3].chord.timbre, TimbreAt(*TimbreIndex("Obertöne")).amplitudes);
    }

    void bad_input_plays_nothing_data() {
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("steps");
        QTest::newRow("base not a number") << "abc" << "12";
        QTest::newRow("base negative") << "-360" << "12";
        QTest::newRow("N too small") << "360" << "1";
        QTest::newRow("N too large") << "360" << "101";
        QTest::newRow("a note above 20 kHz") << "19000" << "12";
    }
    void bad_input_plays_nothing() {
        test::TestWindow tw;
        app::MenuFrame frame(*tw.main);
        QFETCH(QString, base);
        QFETCH(QString, steps);
        tw->Text1->setText(base.toStdString());
        tw->txtWurzel->setText(steps.toStdString());
        auto* window = &app::IntervalWindow::Open(frame);
        QVERIFY(!window->problemLine().text().isEmpty());
        Button(*window, "B spielen")->click();
        delete window;
        QVERIFY(tw.sound.requests().empty());
    }
};

QTEST_MAIN(ListeningWindowTest)
#include "test_listening_window.moc"
