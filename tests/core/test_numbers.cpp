// SPDX-License-Identifier: GPL-3.0-or-later
// The number conventions of the fields: reading, writing, reading back what
// was written, and the 32-bit rounding of tone requests.
#include <QtTest>

#include <cfenv>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <locale>
#include <random>
#include <sstream>
#include <string>

#include "numbers.h"

using stimmung::NearestInteger;
using stimmung::NumberText;
using stimmung::ReadNumber;

namespace {

// Exact comparison: the sign of zero and every bit count (QCOMPARE would
// compare doubles fuzzily).
bool Same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

QByteArray Show(double v) { return QByteArray::number(v, 'g', 17); }

// The value rounded to `digits` significant digits by the C library's
// formatting (exact, halves to even like the code under test, whatever comma
// the environment's locale may put in) and read back by Qt's own conversion;
// beyond DBL_MAX it is DBL_MAX, as ReadNumber gives.
double Rounded(double v, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*e", digits - 1, v);
  const double r = QByteArray(text).replace(',', '.').toDouble();
  if (std::isinf(r)) return std::copysign(DBL_MAX, v);
  return r;
}

// The shape every written number has: a blank or "-", then digits with at most
// one ".", no trailing zero after a point, no zero before a leading point,
// optionally "E", a sign and at least two digits.
bool WellShaped(const std::string &text) {
  if (text.size() < 2 || (text[0] != ' ' && text[0] != '-')) return false;
  const std::size_t e = text.find('E');
  const std::string mantissa = text.substr(1, e == std::string::npos ? std::string::npos : e - 1);
  if (mantissa.empty() || mantissa.find_first_not_of("0123456789.") != std::string::npos) return false;
  const std::size_t point = mantissa.find('.');
  if (point != std::string::npos) {
    if (mantissa.find('.', point + 1) != std::string::npos) return false;
    if (mantissa.back() == '0' || mantissa.back() == '.') return false;
    if (point == 1 && mantissa[0] == '0') return false;
  }
  if (mantissa.size() > 1 && mantissa[0] == '0') return false;
  if (e != std::string::npos) {
    const std::string exponent = text.substr(e + 1);
    if (exponent.size() < 3 || (exponent[0] != '+' && exponent[0] != '-')) return false;
    if (exponent.find_first_not_of("0123456789", 1) != std::string::npos) return false;
  }
  return true;
}

// A decimal point of ',' and grouping by '.', as a German locale has.
struct CommaPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

} // namespace

class TestNumbers : public QObject {
  Q_OBJECT

private slots:
  void readNumber_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");
    struct Row { const char *name; const char *text; double expected; };
    const Row rows[] = {
        {"integer", "370", 370},
        {"fraction", "0.92", 0.92},
        {"exactly 0.1", "0.1", 0.1},
        {"plus sign", "+7.25", 7.25},
        {"minus sign", "-7.25", -7.25},
        {"empty", "", 0},
        {"letters", "abc", 0},
        {"sign alone", "-", 0},
        {"plus alone", "+", 0},
        {"point alone", ".", 0},
        {"sign and point", "-.", 0},
        {"two signs", "+-5", 0},
        {"leading point", ".5", 0.5},
        {"negative leading point", "-.5", -0.5},
        {"trailing point", "5.", 5},
        {"second point ends", "3.4.5", 3.4},
        {"comma ends", "12,5", 12},
        {"comma ends early", "1,5", 1},
        {"letters end", "42Hz", 42},
        {"exponent", "2E3", 2000},
        {"small e", "2e3", 2000},
        {"exponent plus", "2.5e+2", 250},
        {"exponent minus", "25e-1", 2.5},
        {"e without digits", "1e", 1},
        {"e with sign only", "1e+", 1},
        {"e with minus only", "7E-", 7},
        {"e then letter", "3ex", 3},
        {"e alone", "e5", 0},
        {"point then e", ".e5", 0},
        {"trailing point and exponent", "5.e1", 50},
        {"blanks between digits", "3 6 0", 360},
        {"blanks around sign", " - 5", -5},
        {"blanks in fraction", "1 . 2 5", 1.25},
        {"blanks in exponent", "1 e - 2", 0.01},
        {"tab and line feed", "\t1\n2\r3", 123},
        {"leading zeros", "000042", 42},
        {"zeros after point", "0.000125", 0.000125},
        {"negative zero reads plus zero", "-0", 0},
        {"negative zero fraction", "-0.000", 0},
        {"zero with huge exponent", "0e999999", 0},
        {"overflow", "1e999", DBL_MAX},
        {"negative overflow", "-1e999", -DBL_MAX},
        {"just above largest", "1.797693134862316e308", DBL_MAX},
        {"largest double", "1.7976931348623157e308", DBL_MAX},
        {"underflow", "1e-999", 0},
        {"negative underflow", "-1e-999", 0},
        {"smallest normal", "2.2250738585072014e-308", DBL_MIN},
        {"smallest denormal", "4.9406564584124654e-324", std::numeric_limits<double>::denorm_min()},
        {"below half the smallest denormal", "2e-324", 0},
        {"exponent with many digits", "1e00000000000000000000003", 1000},
        {"exponent beyond int range", "1e99999999999999999999", DBL_MAX},
        {"negative exponent beyond int range", "5e-99999999999999999999", 0},
        {"17 significant digits", "3.1415926535897932", 3.141592653589793},
        // 1 + 2^-53 exactly lies halfway between 1 and the next double; ties go
        // to the even neighbour 1, anything above it to 1 + 2^-52.
        {"halfway ties to even", "1.00000000000000011102230246251565404236316680908203125", 1.0},
        {"just above halfway", "1.00000000000000011102230246251565404236316680908203126",
         1.0 + DBL_EPSILON},
    };
    for (const Row &row : rows)
      QTest::newRow(row.name) << QByteArray(row.text) << row.expected;
    QTest::newRow("nul ends") << QByteArray("12\0" "34", 5) << 12.0;
  }

  void readNumber() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    const double actual = ReadNumber(std::string_view(text.constData(), text.size()));
    QVERIFY2(Same(actual, expected), Show(actual) + " instead of " + Show(expected));
  }

  void readNumberLongTexts_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");
    const int n = 100000;
    const QByteArray zeros(n, '0');
    QTest::newRow("many digits overflow") << QByteArray(n, '9') << DBL_MAX;
    QTest::newRow("400 nines") << QByteArray(400, '9') << DBL_MAX;
    QTest::newRow("many negative digits") << "-" + QByteArray(n, '1') << -DBL_MAX;
    QTest::newRow("many blanks first") << QByteArray(n, ' ') + "7" << 7.0;
    QTest::newRow("blanks only") << QByteArray(n, ' ') << 0.0;
    QTest::newRow("many leading zeros") << zeros + "5" << 5.0;
    QTest::newRow("many zeros after point") << "0." + zeros + "1" << 0.0;
    QTest::newRow("zeros after point and exponent") << "0." + zeros + "1e100001" << 1.0;
    QTest::newRow("trailing zeros and exponent") << "1" + zeros + "e-100000" << 1.0;
    QTest::newRow("many fraction zeros") << "2.5" + zeros << 2.5;
    QTest::newRow("long exponent") << "1e" + zeros + "5" << 1e5;
    QTest::newRow("long huge exponent") << "1e" + QByteArray(n, '9') << DBL_MAX;
    QTest::newRow("long tiny exponent") << "1e-" + QByteArray(n, '9') << 0.0;
    QTest::newRow("many points") << QByteArray(n, '.') << 0.0;
    QTest::newRow("digits and blanks") << QByteArray("1 ").repeated(n / 2) << DBL_MAX;
    // Whether the value is above the halfway point shows only in the last digit.
    const QByteArray halfway = "1.00000000000000011102230246251565404236316680908203125";
    QTest::newRow("halfway with far zeros") << halfway + zeros << 1.0;
    QTest::newRow("halfway with a far one") << halfway + zeros + "1" << 1.0 + DBL_EPSILON;
  }

  void readNumberLongTexts() { readNumber(); }

  void readNumberNeverInfinite() {
    // Every combination of awkward pieces, up to three of them.
    const char *pieces[] = {"9", "1e308", "1e309", "e", "E", "-", "+", ".", ",", " ", "\t",
                            "0", "e-", "999999999999999999999", "e999", "e-999", "\n", "x"};
    int checked = 0;
    for (const char *a : pieces)
      for (const char *b : pieces)
        for (const char *c : pieces) {
          const std::string text = std::string(a) + b + c;
          const double v = ReadNumber(text);
          QVERIFY2(std::isfinite(v), text.c_str());
          ++checked;
        }
    QCOMPARE(checked, 18 * 18 * 18);
    std::mt19937 random(20240607);
    const std::string alphabet = "0123456789.eE+- \t,";
    for (int i = 0; i < 20000; ++i) {
      std::string text(random() % 40, ' ');
      for (char &ch : text) ch = alphabet[random() % alphabet.size()];
      QVERIFY2(std::isfinite(ReadNumber(text)), text.c_str());
    }
  }

  void numberTextDouble_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("expected");
    struct Row { const char *name; double value; const char *expected; };
    const Row rows[] = {
        {"fraction below one", 0.92, " .92"},
        {"whole", 370, " 370"},
        {"one and a half", 1.5, " 1.5"},
        {"one", 1, " 1"},
        {"negative half", -0.5, "-.5"},
        {"zero", 0.0, " 0"},
        {"negative zero", -0.0, " 0"},
        {"negative whole", -742, "-742"},
        {"no grouping", 1234567.25, " 1234567.25"},
        {"fifteen digits kept", 123456789012345.0, " 123456789012345"},
        {"rounded to fifteen digits", 0.1 + 0.2, " .3"},
        {"third", 1.0 / 3.0, " .333333333333333"},
        {"two thirds rounds up", 2.0 / 3.0, " .666666666666667"},
        {"rounding carries into units", 9.999999999999999, " 10"},
        {"largest plain", 999999999999999.0, " 999999999999999"},
        {"rounds up into exponent form", 999999999999999.9, " 1E+15"},
        {"exponent form starts", 1e15, " 1E+15"},
        {"exact half goes down to even", 1000000000000005.0, " 1E+15"},
        {"exact half goes up to even", 1000000000000015.0, " 1.00000000000002E+15"},
        {"exponent with fraction", 1.5e15, " 1.5E+15"},
        {"negative three digit exponent", -2.5e300, "-2.5E+300"},
        {"largest double", DBL_MAX, " 1.79769313486232E+308"},
        {"lowest double", -DBL_MAX, "-1.79769313486232E+308"},
        {"smallest plain", 1e-15, " .000000000000001"},
        {"small plain with digits", 1.25e-15, " .00000000000000125"},
        {"small exponent form", 1e-20, " 1E-20"},
        {"just below plain range", 9.9e-16, " 9.9E-16"},
        {"rounds up into plain range", 9.99999999999999999e-16, " .000000000000001"},
        {"small negative", -3.5e-100, "-3.5E-100"},
        {"smallest normal", DBL_MIN, " 2.2250738585072E-308"},
        {"smallest denormal", std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-324"},
        {"nan", std::numeric_limits<double>::quiet_NaN(), " 0"},
        {"infinity", std::numeric_limits<double>::infinity(), " 1.79769313486232E+308"},
        {"negative infinity", -std::numeric_limits<double>::infinity(), "-1.79769313486232E+308"},
    };
    for (const Row &row : rows) QTest::newRow(row.name) << row.value << QByteArray(row.expected);
  }

  void numberTextDouble() {
    QFETCH(double, value);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(NumberText(value)), expected);
  }

  void numberTextFloat_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QByteArray>("expected");
    struct Row { const char *name; float value; const char *expected; };
    const Row rows[] = {
        {"fraction below one", 0.92f, " .92"},
        {"four thirds", 1.3333334f, " 1.333333"},
        {"seven digits", 0.9008333f, " .9008333"},
        {"whole", 370.0f, " 370"},
        {"negative half", -0.5f, "-.5"},
        {"zero", 0.0f, " 0"},
        {"negative zero", -0.0f, " 0"},
        {"largest plain", 9999999.0f, " 9999999"},
        {"hundred million", 99999999.0f, " 1E+08"},
        {"rounding carries into units", 1.9999999f, " 2"},
        {"rounds up into plain range", 9.9999999e-8f, " .0000001"},
        {"exponent form starts", 1e7f, " 1E+07"},
        {"exact half goes down to even", 10000005.0f, " 1E+07"},
        {"exact half goes up to even", 10000015.0f, " 1.000002E+07"},
        {"exponent with fraction", 1.5e7f, " 1.5E+07"},
        {"smallest plain", 1e-7f, " .0000001"},
        {"small exponent form", 1e-8f, " 1E-08"},
        {"largest float", FLT_MAX, " 3.402823E+38"},
        {"nan", std::numeric_limits<float>::quiet_NaN(), " 0"},
        {"negative infinity", -std::numeric_limits<float>::infinity(), "-3.402823E+38"},
    };
    for (const Row &row : rows) QTest::newRow(row.name) << row.value << QByteArray(row.expected);
  }

  void numberTextFloat() {
    QFETCH(float, value);
    QFETCH(QByteArray, expected);
    QCOMPARE(QByteArray::fromStdString(NumberText(value)), expected);
  }

  void commaLocaleChangesNothing() {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const std::locale savedGlobal;
    bool named = false;
    for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
      if (std::setlocale(LC_ALL, name)) {
        named = true;
        break;
      }
    if (!named) std::locale::global(std::locale(std::locale::classic(), new CommaPunct));

    // Prove the surroundings really write a comma, then check the helpers.
    char c[32];
    std::snprintf(c, sizeof c, "%.1f", 1.5);
    std::ostringstream stream;
    stream << 1.5;
    const bool hostile = std::string(c) == "1,5" || stream.str() == "1,5";
    const std::string half = NumberText(1.5);
    const std::string big = NumberText(1234567.25);
    const std::string floatText = NumberText(0.92f);
    const std::string exponent = NumberText(1.5e15);
    const double read = ReadNumber("12.75");
    const double commaRead = ReadNumber("12,75");

    std::setlocale(LC_ALL, saved.c_str());
    std::locale::global(savedGlobal);
    QVERIFY2(hostile, named ? "named locale writes no comma" : "comma facet not in force");
    QCOMPARE(half, std::string(" 1.5"));
    QCOMPARE(big, std::string(" 1234567.25"));
    QCOMPARE(floatText, std::string(" .92"));
    QCOMPARE(exponent, std::string(" 1.5E+15"));
    QVERIFY(Same(read, 12.75));
    QVERIFY(Same(commaRead, 12.0));
  }

  void roundTrip() {
    std::mt19937_64 random(0x5717'4d55'4e47ULL);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 308);
    for (int i = 0; i < 30000; ++i) {
      double x;
      if (i % 3 == 0) {
        // Any finite bit pattern, denormals included.
        const std::uint64_t bits = random();
        std::memcpy(&x, &bits, sizeof x);
        if (!std::isfinite(x)) continue;
      } else {
        x = mantissa(random) * std::pow(10.0, exponent(random));
        if (!std::isfinite(x) || x == 0) continue;
        if (i % 2) x = -x;
      }
      const std::string text = NumberText(x);
      QVERIFY2(WellShaped(text), text.c_str());
      const double back = ReadNumber(text);
      const double expected = Rounded(x, 15);
      QVERIFY2(Same(back, expected == 0 ? 0.0 : expected),
               QByteArray(text.c_str()) + " read " + Show(back) + " for " + Show(x));

      const float f = static_cast<float>(x);
      if (!std::isfinite(f)) continue;
      const std::string floatText = NumberText(f);
      QVERIFY2(WellShaped(floatText), floatText.c_str());
      const double floatExpected = Rounded(f, 7);
      QVERIFY2(Same(ReadNumber(floatText), floatExpected == 0 ? 0.0 : floatExpected),
               floatText.c_str());
    }
  }

  void nearestInteger_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    constexpr int kMax = std::numeric_limits<std::int32_t>::max();
    constexpr int kMin = std::numeric_limits<std::int32_t>::min();
    struct Row { const char *name; double value; int expected; };
    const Row rows[] = {
        {"half down to even", 742.5, 742},
        {"half up to even", 607.5, 608},
        {"two and a half", 2.5, 2},
        {"below half", 742.4999, 742},
        {"above half", 742.5001, 743},
        {"largest below a half", 0.49999999999999994, 0},
        {"negative half", -0.5, 0},
        {"negative one and a half", -1.5, -2},
        {"negative two and a half", -2.5, -2},
        {"negative above half", -3.6, -4},
        {"zero", 0.0, 0},
        {"negative zero", -0.0, 0},
        {"largest", 2147483647.0, kMax},
        {"largest plus fraction", 2147483647.4, kMax},
        {"half above largest", 2147483647.5, kMax},
        {"beyond largest", 3e9, kMax},
        {"far beyond", 1e300, kMax},
        {"infinity", std::numeric_limits<double>::infinity(), kMax},
        {"lowest", -2147483648.0, kMin},
        {"half below lowest goes to even lowest", -2147483648.5, kMin},
        {"beyond lowest", -2147483649.7, kMin},
        {"far below", -1e300, kMin},
        {"negative infinity", -std::numeric_limits<double>::infinity(), kMin},
        {"nan", std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const Row &row : rows) QTest::newRow(row.name) << row.value << row.expected;
  }

  void nearestInteger() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(NearestInteger(value), expected);
  }

  void nearestIntegerIgnoresRoundingMode() {
    const int saved = std::fegetround();
    std::fesetround(FE_UPWARD);
    const int up = NearestInteger(742.5);
    const int negative = NearestInteger(-1.5);
    std::fesetround(FE_TOWARDZERO);
    const int zero = NearestInteger(607.5);
    std::fesetround(saved);
    QCOMPARE(up, 742);
    QCOMPARE(negative, -2);
    QCOMPARE(zero, 608);
  }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
