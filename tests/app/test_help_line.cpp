// SPDX-License-Identifier: GPL-3.0-or-later
// The help line: real mouse moves over the controls of the built window,
// their texts checked against a copy of the help table written out here
// anew, the composed texts, the bare surface, controls that leave the line
// alone, and which control the window hands the pointer to.
#include "help_line.h"
#include "test_window.h"

#include <QMouseEvent>
#include <QtTest>

using namespace stimmung;

namespace {

struct Row {
    const char* control;
    int index;
    const char* text;
};

// Written out from the help table, independently of the program's own.
const Row kExpected[] = {
    {"cmd2", -1, "Ton 2 eintragen"},
    {"cmd3", -1, "Ton 3 eintragen"},
    {"cmd4", -1, "Ton4 eintragen"},
    {"cmd5", -1, "Ton 5 eintragen"},
    {"cmd6", -1, "Ton 6 eintragen"},
    {"cmd7", -1, "Ton 7 eintragen: Quinte von 2 r\u00fcckw\u00e4rts!"},
    {"cmdComplett", -1, "alle T\u00f6ne eintragen"},
    {"cmdNamen", -1, "Benennungen eintragen, also c d e usw."},
    {"cmdDia", -1, "Stimmung nach Didymos"},
    {"cmdDiff", -1, "Abst\u00e4nde benachbarter T\u00f6ne zeigen"},
    {"cmdDidymos", -1, "Abst\u00e4nde benachbarter T\u00f6ne zeigen"},
    {"cmdClear", -1, "Bildschirm l\u00f6schen"},
    {"cmdPythagoras", -1, "Pythagoreisch gestimmte Tonleiter abspielen"},
    {"cmdrein", -1, "Pythagoreisch Tonleiter mit der Ver\u00e4nderung von Didymos abspielen"},
    {"cmdtemperiert", -1, "Temperierte Tonleiter abspielen"},
    {"cmdHandlauf", -1, "Die Tonleiter mit den frei gesetzten Noten abspielen"},
    {"cmdalle", -1, "Alle T\u00f6ne der \u00e4quidistanten Teilung der Oktave abspielen"},
    {"Label2", -1, "Andere \u00e4quidistante Stimmungen ausprobieren"},
    {"Label6", -1, "Noten per Hand platzieren (mit dem Scrollbalken unter dem Fenster)"},
    {"cmdPythagorasstimmung", -1, "Pythagoreische Stimmung setzen"},
    {"cmdLinear", -1, "Noten in arithmetischer Folge verteilen"},
    {"cmdGeometrisch", -1, "Noten in geometrischer Folge verteilen"},
    {"cmdRausnehmen", -1, "Noten zur\u00fccksetzen"},
    {"Picture2", -1, "Abspielen der definierten Noten."},
    {"txtMelodie", -1, "Abzuspielende Tonfolge. Der Buchstabe geht die Note an, die Zahl die Dauer in Achtelnoten"},
    {"cmdAbspielen", -1,
     "Die links stehenden Noten abspielen. Die Zahlen geben die Dauer in Achteln an. Eine 2 steht also z. B: "
     "f\u00fcr eine Viertelnote."},
    {"txtHilfe", -1, "Stimmung \u2013 ein Lehrprogramm des Stimmung-Projekts"},
    {"Label3", 0, "Frequenz des Grundtons einstellen (mit +/- Tasten oder reinschreiben)"},
    {"Label3", 1, "Schwingungen pro Sekunde"},
    {"Label3", 2, "Dauer des Tons in Millisekunden einstellen (mit +/- Tasten oder reinschreiben)"},
    {"Label3", 3, "Dauer in Millsekunden"},
};

const char* const kLabel4Text =
    "Die Fehler der temperierten Stimmung werden angegeben (immer die n\u00e4chstliegende Note, immer Quotient > 1)";
const char* const kSwatchText = "Schreibfarbe w\u00e4hlen (f\u00fcr Bildschirmmarkierungen mit der rechten Maustaste)";

// Every control and its help text, the array members one by one.
std::vector<Row> AllRows() {
    std::vector<Row> rows(std::begin(kExpected), std::end(kExpected));
    for (int i = 0; i < 6; ++i) rows.push_back({"Label4", i, kLabel4Text});
    for (int i = 0; i < 5; ++i) rows.push_back({"Picture1", i, kSwatchText});
    return rows;
}

QString RowName(const Row& row) {
    return row.index < 0 ? QString(row.control) : QStringLiteral("%1(%2)").arg(row.control).arg(row.index);
}

// A plain pointer movement, as the window system delivers it to the widget.
void MoveOver(QWidget* w, QPointF local) {
    QMouseEvent move(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

void MoveOver(QWidget* w) { MoveOver(w, QPointF(w->width() / 2.0, w->height() / 2.0)); }

// A movement handed to the window, which picks the control under the pointer.
void MoveInWindow(QWidget* view, QPoint pos) {
    QWindow* window = view->windowHandle();
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(window->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
}

QWidget* WidgetOf(test::TestWindow& tw, const char* name, int index) {
    Control* c = tw.main->window().find(name, index);
    return c ? c->widget() : nullptr;
}

QString HelpLine(test::TestWindow& tw) { return QString::fromStdString(tw->txtHilfe->Text()); }

// The centre of a control, in the window's coordinates.
QPoint CentreInWindow(test::TestWindow& tw, QWidget* w) {
    return w->mapTo(tw.main->window().widget(), w->rect().center());
}

} // namespace

class HelpLineTest : public QObject {
    Q_OBJECT

private slots:
    void everyFixedTextAsWritten_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        for (const Row& row : AllRows())
            QTest::newRow(qPrintable(RowName(row))) << QString(row.control) << row.index << QString::fromUtf8(row.text);
    }
    void everyFixedTextAsWritten() {
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(QString, expected);
        test::TestWindow tw;
        tw->txtHilfe->setText("vorher");
        QWidget* w = WidgetOf(tw, qPrintable(control), index);
        QVERIFY(w);
        MoveOver(w);
        QCOMPARE(HelpLine(tw), expected);
    }

    void composedFromTheIndex_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("expected");
        QTest::newRow("key 1") << "cmdTaste" << 0 << "Die Note 1 abspielen";
        QTest::newRow("key 4") << "cmdTaste" << 3 << "Die Note 4 abspielen";
        QTest::newRow("key 8") << "cmdTaste" << 7 << "Die Note 8 abspielen";
        QTest::newRow("selector 2") << "optNote" << 0 << "Note  1 mit Scrollbalken per Hand platzieren";
        QTest::newRow("selector 4") << "optNote" << 2 << "Note  3 mit Scrollbalken per Hand platzieren";
        QTest::newRow("selector 7") << "optNote" << 5 << "Note  6 mit Scrollbalken per Hand platzieren";
    }
    void composedFromTheIndex() {
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(QString, expected);
        test::TestWindow tw;
        MoveOver(WidgetOf(tw, qPrintable(control), index));
        QCOMPARE(HelpLine(tw), expected);
    }

    void label3BeyondItsFourMembersWritesNothing() {
        test::TestWindow tw;
        tw->txtHilfe->setText("vorher");
        for (int index : {-1, 4, 100}) {
            app::Label3_MouseMove(tw.form(), index);
            QCOMPARE(HelpLine(tw), QStringLiteral("vorher"));
        }
    }

    void controlsWithoutHandlerLeaveTheLine_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("index");
        for (const char* name : {"cmdEnde", "cmdPlusF", "cmdMinusF", "cmdPlusT", "cmdMinusT", "Text1", "Text2",
                                 "Text3", "Text4", "txtWurzel", "txtTerz", "txtQuarte", "txtQuinte",
                                 "txtGesamtfehler", "Label5", "Label7", "Label8", "Label9", "HScroll1", "hscNote",
                                 "optZeichne"})
            QTest::newRow(name) << QString(name) << -1;
        for (int i = 0; i < 6; ++i) QTest::newRow(qPrintable(QStringLiteral("lblNote(%1)").arg(i))) << "lblNote" << i;
        for (int i = 0; i < 5; ++i) QTest::newRow(qPrintable(QStringLiteral("Picture3(%1)").arg(i))) << "Picture3" << i;
    }
    void controlsWithoutHandlerLeaveTheLine() {
        QFETCH(QString, control);
        QFETCH(int, index);
        test::TestWindow tw;
        tw->txtHilfe->setText("vorher");
        tw->Text3->setText("Anzeige vorher");
        QWidget* w = WidgetOf(tw, qPrintable(control), index);
        QVERIFY(w);
        MoveOver(w);
        QCOMPARE(HelpLine(tw), QStringLiteral("vorher"));
        // Nor does the movement reach the container: a marker label does not
        // let the output area write its readout.
        QCOMPARE(tw->Text3->Text(), std::string("Anzeige vorher"));
    }

    void theBareSurfaceClearsTheLine() {
        test::TestWindow tw;
        MoveOver(tw->cmdDia->widget());
        QCOMPARE(HelpLine(tw), QStringLiteral("Stimmung nach Didymos"));
        MoveOver(tw.main->window().widget(), QPointF(3, 3));
        QCOMPARE(HelpLine(tw), QString());
    }

    void theCreditLineNamesTheProject() {
        test::TestWindow tw;
        MoveOver(tw->txtHilfe->widget());
        const QString credit = HelpLine(tw);
        QVERIFY(!credit.trimmed().isEmpty());
        QVERIFY(!credit.contains('\n') && !credit.contains('\r'));
        QVERIFY(credit.contains(QStringLiteral("Stimmung-Projekt")));
        // It fits the help line in one row.
        QVERIFY(tw->txtHilfe->edit()->fontMetrics().horizontalAdvance(credit) < tw->txtHilfe->widget()->width());
    }

    // The window decides which control is under the pointer: decorations let
    // it through to what lies beneath, every other control keeps it.
    void theWindowHandsThePointerOn() {
        test::TestWindow tw;
        tw.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(tw.main->window().widget()));
        QWidget* view = tw.main->window().widget();

        // Over a key, then over a black key lying on the keys: the key's text stays.
        MoveInWindow(view, CentreInWindow(tw, tw->cmdTaste[1]->widget()) + QPoint(0, 40));
        QCOMPARE(HelpLine(tw), QStringLiteral("Die Note 2 abspielen"));
        MoveInWindow(view, CentreInWindow(tw, tw->Picture3[0]->widget()));
        QCOMPARE(HelpLine(tw), QStringLiteral("Die Note 2 abspielen"));
        // The panel where no key lies.
        MoveInWindow(view, tw->Picture2->widget()->mapTo(view, QPoint(4, tw->Picture2->widget()->height() - 4)));
        QCOMPARE(HelpLine(tw), QStringLiteral("Abspielen der definierten Noten."));

        // A label without handler ("Tonlauf spielen") keeps the last text.
        MoveInWindow(view, CentreInWindow(tw, tw->Label7->widget()));
        QCOMPARE(HelpLine(tw), QStringLiteral("Abspielen der definierten Noten."));

        // A separator line of the lower panel is part of the bare surface.
        MoveInWindow(view, QPoint(5760 / 15, 6000 / 15));
        QCOMPARE(HelpLine(tw), QString());

        // A marker label inside the output area keeps the pointer from it ...
        tw->Text3->setText("Anzeige vorher");
        MoveInWindow(view, CentreInWindow(tw, tw->lblNote[2]->widget()));
        QCOMPARE(HelpLine(tw), QString());
        QCOMPARE(tw->Text3->Text(), std::string("Anzeige vorher"));
        // ... a marker line does not: the output area answers.
        QWidget* line = tw->Line2[3]->widget();
        MoveInWindow(view, line->mapTo(view, line->rect().center()));
        QVERIFY(HelpLine(tw).startsWith(QStringLiteral("Linksklick := ")));
        QVERIFY(tw->Text3->Text() != "Anzeige vorher");
    }

    void everyControlIsDescribedByItsHelpText_data() { everyFixedTextAsWritten_data(); }
    void everyControlIsDescribedByItsHelpText() {
        QFETCH(QString, control);
        QFETCH(int, index);
        QFETCH(QString, expected);
        test::TestWindow tw;
        QWidget* w = WidgetOf(tw, qPrintable(control), index);
        QVERIFY(!w->accessibleName().isEmpty());
        QCOMPARE(w->accessibleDescription(), expected);
    }

    void composedAndOutputAreaDescriptions() {
        test::TestWindow tw;
        QCOMPARE(tw->cmdTaste[4]->widget()->accessibleDescription(), QStringLiteral("Die Note 5 abspielen"));
        QCOMPARE(tw->optNote[1]->widget()->accessibleDescription(),
                 QStringLiteral("Note  2 mit Scrollbalken per Hand platzieren"));
        QVERIFY(tw->picAusgabe->widget()->accessibleDescription().startsWith(QStringLiteral("Linksklick")));
        // Controls without help text have a name only.
        QVERIFY(tw->cmdEnde->widget()->accessibleDescription().isEmpty());
        QCOMPARE(tw->cmdEnde->widget()->accessibleName(), QStringLiteral("Programm beenden"));
    }
};

QTEST_MAIN(HelpLineTest)
#include "test_help_line.moc"
