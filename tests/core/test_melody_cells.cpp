// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a melody text into three-character cells, without a window: the
// cell count rule, letters and lengths at their fixed places, characters as
// code points, and the help-line text of a cell.
#include "melody_cells.h"

#include <QtTest>

#include <numeric>

using namespace stimmung::audio;

namespace {

const char* const kInitialMelody =
    "c2 d2 c2 f2 e2 d4 c2 e2 e2 e2 a2 g2 f4 e2 e2 e2 e2 f2 e2 d6 c2 d2 c2 f2 e2 d4 c2 e2 e2 e2 a2 g2 f4 e2 "
    "e2 e2 e2 f2 e2 d2 d2 c2";

// A cell list as text, one "letter:eighths" per cell, "-" for no letter, the
// letter as its UTF-8 or, beyond ASCII, as U+XXXX.
QString Show(const std::vector<MelodyCell>& cells) {
    QStringList parts;
    for (const MelodyCell& c : cells) {
        QString letter = QStringLiteral("-");
        if (c.letter) {
            letter = *c.letter < 0x80 ? QString(QChar(char16_t(*c.letter)))
                                      : QStringLiteral("U+%1").arg(uint(*c.letter), 4, 16, QChar('0')).toUpper();
        }
        parts << letter + ':' + QString::number(c.eighths);
    }
    return parts.join(' ');
}

} // namespace

class MelodyCellsTest : public QObject {
    Q_OBJECT

private slots:
    void cellCountIsOneMoreThanTheWholeGroups_data() {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("cells");
        QTest::newRow("empty text") << 0 << 1;
        QTest::newRow("one character") << 1 << 1;
        QTest::newRow("3k - 1 characters") << 2 << 1;
        QTest::newRow("3k characters") << 3 << 2;
        QTest::newRow("3k + 1 characters") << 4 << 2;
        QTest::newRow("initial melody, 125") << 125 << 42;
        QTest::newRow("126 characters") << 126 << 43;
    }
    void cellCountIsOneMoreThanTheWholeGroups() {
        QFETCH(int, length);
        QFETCH(int, cells);
        QCOMPARE(int(MelodyCellCount(std::size_t(length))), cells);
        QCOMPARE(int(ReadMelodyCells(std::string(std::size_t(length), 'x')).size()), cells);
    }

    void cellsAtTheirFixedPlaces_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("cells");
        QTest::newRow("c2, no separator") << QByteArray("c2") << "c:2";
        QTest::newRow("c2 with a trailing blank") << QByteArray("c2 ") << "c:2 -:0";
        QTest::newRow("c2 d4") << QByteArray("c2 d4") << "c:2 d:4";
        QTest::newRow("empty melody") << QByteArray("") << "-:0";
        QTest::newRow("letter only") << QByteArray("c") << "c:0";
        QTest::newRow("capital C is kept as it is") << QByteArray("C2 e2") << "C:2 e:2";
        QTest::newRow("non-digit lengths read 0") << QByteArray("cx d. e- f ") << "c:0 d:0 e:0 f:0";
        QTest::newRow("any separator, never read") << QByteArray("c2xd3") << "c:2 d:3";
        QTest::newRow("two-digit length shifts the cells") << QByteArray("c12 d2") << "c:1  :0 -:0";
        QTest::newRow("digit 0 and 9") << QByteArray("c0 d9") << "c:0 d:9";
        QTest::newRow("umlaut is one character") << QByteArray("\xc3\xa4" "2 c2") << "U+00E4:2 c:2";
        QTest::newRow("emoji is one character") << QByteArray("\xf0\x9f\x8e\xb5" "2 c2") << "U+1F3B5:2 c:2";
        QTest::newRow("invalid byte is one character") << QByteArray("\xff" "2 c2") << "U+FFFD:2 c:2";
        QTest::newRow("truncated sequence at the end") << QByteArray("c2 \xe2\x82") << "c:2 U+FFFD:0";
        QTest::newRow("length character beyond ASCII reads 0") << QByteArray("c\xc2\xb2 d2") << "c:0 d:2";
    }
    void cellsAtTheirFixedPlaces() {
        QFETCH(QByteArray, text);
        QFETCH(QString, cells);
        QCOMPARE(Show(ReadMelodyCells(std::string_view(text.constData(), std::size_t(text.size())))), cells);
    }

    void initialMelodyHas42NotesOf96Eighths() {
        const auto cells = ReadMelodyCells(std::string_view(kInitialMelody));
        QCOMPARE(int(std::string_view(kInitialMelody).size()), 125);
        QCOMPARE(int(cells.size()), 42);
        const double eighths =
            std::accumulate(cells.begin(), cells.end(), 0.0, [](double s, const MelodyCell& c) { return s + c.eighths; });
        QCOMPARE(eighths, 96.0);
        for (const MelodyCell& c : cells) QVERIFY(MelodyKey(c.letter) >= 0);
    }

    void lettersMarkTheirKeys_data() {
        QTest::addColumn<uint>("letter");
        QTest::addColumn<int>("key");
        const struct { const char* name; char32_t letter; int key; } rows[] = {
            {"c", U'c', 0}, {"d", U'd', 1}, {"e", U'e', 2}, {"f", U'f', 3}, {"g", U'g', 4},
            {"a", U'a', 5}, {"h", U'h', 6}, {"capital C", U'C', -1}, {"b", U'b', -1},
            {"blank", U' ', -1}, {"NUL", U'\0', -1}, {"umlaut", U'\u00e4', -1},
        };
        for (const auto& r : rows) QTest::newRow(r.name) << uint(r.letter) << r.key;
    }
    void lettersMarkTheirKeys() {
        QFETCH(uint, letter);
        QFETCH(int, key);
        QCOMPARE(MelodyKey(char32_t(letter)), key);
    }

    void noLetterMarksNoKey() { QCOMPARE(MelodyKey(std::nullopt), -1); }

    void helpTextOfACell_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("cell");
        QTest::addColumn<QByteArray>("help");
        QTest::newRow("c2: letter, two blanks, digit") << QByteArray("c2") << 0 << QByteArray("c  2");
        QTest::newRow("cell beyond the end") << QByteArray("c2 ") << 1 << QByteArray("  0");
        QTest::newRow("empty melody") << QByteArray("") << 0 << QByteArray("  0");
        QTest::newRow("capital C") << QByteArray("C2") << 0 << QByteArray("C  2");
        QTest::newRow("non-digit length") << QByteArray("dx") << 0 << QByteArray("d  0");
        QTest::newRow("umlaut kept") << QByteArray("\xc3\xa4" "6") << 0 << QByteArray("\xc3\xa4  6");
    }
    void helpTextOfACell() {
        QFETCH(QByteArray, text);
        QFETCH(int, cell);
        QFETCH(QByteArray, help);
        const auto cells = ReadMelodyCells(std::string_view(text.constData(), std::size_t(text.size())));
        QCOMPARE(QByteArray::fromStdString(MelodyHelpText(cells.at(std::size_t(cell)))), help);
    }

    void utf8RoundTrip_data() {
        QTest::addColumn<uint>("codePoint");
        for (char32_t c : {U'\0', U'c', U'\x7f', U'\x80', U'\u00e4', U'\u07ff', U'\u0800', U'\uffff', U'\U00010000',
                           U'\U0001f3b5', U'\U0010ffff'})
            QTest::newRow(qPrintable(QStringLiteral("U+%1").arg(uint(c), 4, 16, QChar('0')))) << uint(c);
    }
    void utf8RoundTrip() {
        QFETCH(uint, codePoint);
        const std::string bytes = EncodeUtf8(char32_t(codePoint));
        QCOMPARE(DecodeUtf8(bytes), std::u32string(1, char32_t(codePoint)));
        // The same bytes as Qt writes them.
        const char32_t one[] = {char32_t(codePoint)};
        QCOMPARE(QByteArray::fromStdString(bytes), QString::fromUcs4(one, 1).toUtf8());
    }

    void malformedUtf8GivesOneReplacementPerBadByte_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("codePoints");
        QTest::newRow("lone continuation byte") << QByteArray("\x80") << 1;
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << 2;
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << 3;
        QTest::newRow("above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << 4;
        QTest::newRow("lead byte then ASCII") << QByteArray("\xe2" "c2") << 3;
    }
    void malformedUtf8GivesOneReplacementPerBadByte() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, codePoints);
        const std::u32string decoded = DecodeUtf8(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        QCOMPARE(int(decoded.size()), codePoints);
        QCOMPARE(decoded[0], char32_t(0xFFFD));
    }
};

QTEST_MAIN(MelodyCellsTest)
#include "test_melody_cells.moc"
