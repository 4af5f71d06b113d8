// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar above the client area: its items with their texts and keys,
// the client area at its layout size and place beneath it, "Beenden" ending a
// melody as "Programm beenden" does, and the zoom kept between runs.
#include "menu_bar.h"
#include "test_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QTest>

using namespace stimmung;

namespace {

QAction* Item(app::MenuFrame& frame, const QString& menu, const QString& text) {
    for (QAction* m : frame.menuBar()->actions()) {
        if (m->text() != menu) continue;
        for (QAction* a : m->menu()->actions())
            if (a->text() == text) return a;
    }
    return nullptr;
}

} // namespace

class MenuBarTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); } // settings apart from the user's
    void cleanup() { app::SaveZoomPercent(100); }

    void items_and_keys_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("save") << "&Datei" << "Zeichnung &speichern …" << "Ctrl+S";
        QTest::newRow("copy") << "&Datei" << "Zeichnung &kopieren" << "Ctrl+C";
        QTest::newRow("print") << "&Datei" << "&Drucken …" << "Ctrl+P";
        QTest::newRow("open Scala file") << "&Datei" << "Scala-Datei ö&ffnen …" << "Ctrl+O";
        QTest::newRow("export") << "&Datei" << "Stimmung &exportieren …" << "";
        QTest::newRow("quit") << "&Datei" << "&Beenden" << "Ctrl+Q";
        QTest::newRow("zoom in") << "&Ansicht" << "&Vergrößern" << "Ctrl++";
        QTest::newRow("zoom out") << "&Ansicht" << "Ver&kleinern" << "Ctrl+-";
        QTest::newRow("original size") << "&Ansicht" << "&Originalgröße" << "Ctrl+0";
        QTest::newRow("full screen") << "&Ansicht" << "Voll&bild" << "F11";
        QTest::newRow("intervals and beats") << "&Hören" << "&Intervalle und Schwebungen …" << "";
        QTest::newRow("a temperament") << "&Stimmungen" << "Werckmeister III" << "";
        QTest::newRow("circle of fifths") << "&Stimmungen" << "&Quintenzirkel …" << "";
        QTest::newRow("about") << "&Hilfe" << "Ü&ber Stimmung" << "";
    }
    void items_and_keys() {
        QFETCH(QString, menu);
        QFETCH(QString, text);
        QFETCH(QString, key);
        test::TestWindow tw;
        app::MenuFrame frame(*tw.main);
        QAction* item = Item(frame, menu, text);
        QVERIFY(item);
        QCOMPARE(item->shortcuts().isEmpty(), key.isEmpty());
        if (!key.isEmpty()) QVERIFY(item->shortcuts().contains(QKeySequence(key)));
    }

    void client_area_keeps_its_size_below_the_menu_bar() {
        test::TestWindow tw;
        app::MenuFrame frame(*tw.main);
        frame.show();
        QWidget* client = tw.main->window().widget();
        QCOMPARE(client->geometry(), QRect(0, frame.menuBar()->height(), 1119, 576));
        QCOMPARE(frame.size(), QSize(1119, 576 + frame.menuBar()->height()));
    }

    void quit_key_ends_a_melody_between_two_notes() {
        test::TestWindow tw;
        app::MenuFrame frame(*tw.main);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        tw->txtMelodie->setText("c1 d1 e1 f1 g1");
        int tones = 0;
        tw.sound.onBeep([&](int, int) {
            if (++tones == 2)
                QCoreApplication::postEvent(QApplication::focusWidget(),
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier));
        });
        tw->cmdAbspielen->button()->click();
        QVERIFY(EndRequested());
        QCOMPARE(tw.sound.beeps().size(), size_t(2));
    }

    void zoom_is_kept_for_the_next_run() {
        test::TestWindow tw;
        app::MenuFrame(*tw.main).setZoomPercent(150);
        test::TestWindow next;
        app::MenuFrame frame(*next.main);
        QCOMPARE(frame.zoomPercent(), 150);
        QCOMPARE(next->picAusgabe->widget()->size(), QSize(1574, 350)); // 1049 x 233, times 1.5, rounded
    }
};

QTEST_MAIN(MenuBarTest)
#include "test_menu_bar.moc"
