// SPDX-License-Identifier: GPL-3.0-or-later
// "Stimmung exportieren": each scale's .scl read back by a reader that follows
// the Scala rules (lines beginning with "!" are comments; then a description,
// the count, and one pitch a line whose first token is cents when it holds a
// ".", else a ratio "n/d" or a whole number), and the keyboard mapping's
// fields in their order. No window.
#include "scala_export.h"
#include "tuning_export.h"

#include <QTest>

#include <sstream>

using namespace stimmung;

namespace {

struct ReadScale {
    std::string description;
    std::vector<std::string> pitches;
    bool valid = false;
};

std::string Trimmed(const std::string& s) {
    const auto a = s.find_first_not_of(" \t\r"), b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

bool IsPitch(const std::string& t) {
    if (t.find('.') != std::string::npos) return t.find_first_not_of("-0123456789.") == std::string::npos;
    const auto slash = t.find('/');
    const std::string n = t.substr(0, slash), d = slash == std::string::npos ? "1" : t.substr(slash + 1);
    return !n.empty() && !d.empty() && (n + d).find_first_not_of("0123456789") == std::string::npos && std::stoll(d) > 0;
}

// Non-comment lines in order; comments only where the format allows them.
std::vector<std::string> DataLines(const std::string& text, bool& startsWithComment) {
    std::istringstream in(text);
    std::vector<std::string> lines;
    std::string line;
    startsWithComment = text.rfind("!", 0) == 0; // the first line is a comment
    while (std::getline(in, line))
        if (line.rfind("!", 0) != 0) lines.push_back(line);
    return lines;
}

ReadScale ReadScl(const std::string& text) {
    ReadScale r;
    bool comment = false;
    std::vector<std::string> lines = DataLines(text, comment);
    if (!comment || lines.size() < 2) return r;
    r.description = lines[0];
    const std::string count = Trimmed(lines[1]);
    if (count.empty() || count.find_first_not_of("0123456789") != std::string::npos) return r;
    if (lines.size() != 2 + std::stoul(count)) return r;
    for (size_t i = 2; i < lines.size(); ++i) {
        std::istringstream tokens(lines[i]);
        std::string first;
        tokens >> first;
        if (!IsPitch(first)) return r;
        r.pitches.push_back(first);
    }
    r.valid = true;
    return r;
}

constexpr std::array<float, 6> kParked{0.92f, 0.93f, 0.94f, 0.95f, 0.96f, 0.97f};
constexpr std::array<float, 6> kPlaced{1.125f, 1.25f, 1.5f, 1.3333334f, 1.6666666f, 1.875f};

} // namespace

class TuningExport : public QObject {
    Q_OBJECT
private slots:
    void scl_lines_read_back_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("parked");
        QTest::addColumn<QStringList>("expected");
        using E = app::ExportedScale;
        QTest::newRow("Pythagorean") << int(E::Pythagorean) << "12" << true
                                     << QStringList{"9/8", "81/64", "4/3", "3/2", "27/16", "243/128", "2/1"};
        QTest::newRow("just") << int(E::Just) << "12" << true
                              << QStringList{"9/8", "5/4", "4/3", "3/2", "5/3", "15/8", "2/1"};
        QTest::newRow("tempered table") << int(E::Tempered) << "12" << true
                                        << QStringList{"199.287211", "398.733940", "498.910400", "698.489066",
                                                       "899.183669", "1099.313308", "2/1"};
        QTest::newRow("12 equal steps") << int(E::EqualSteps) << "12" << true
                                        << QStringList{"100.000000", "200.000000", "300.000000", "400.000000",
                                                       "500.000000", "600.000000", "700.000000", "800.000000",
                                                       "900.000000", "1000.000000", "1100.000000", "2/1"};
        QTest::newRow("parked markers, below the base tone")
            << int(E::HandPlaced) << "12" << true
            << QStringList{"-144.353049", "-125.636841", "-107.120810", "-88.800719", "-70.672466", "-52.731966", "2/1"};
        QTest::newRow("placed markers, in their order")
            << int(E::HandPlaced) << "12" << false
            << QStringList{"203.910002", "386.313714", "701.955001", "498.045051", "884.358672", "1088.268715", "2/1"};
    }
    void scl_lines_read_back() {
        QFETCH(int, scale);
        QFETCH(QString, steps);
        QFETCH(bool, parked);
        QFETCH(QStringList, expected);
        auto tuning = app::TuningToExport(app::ExportedScale(scale), parked ? kParked : kPlaced, steps.toStdString());
        QVERIFY(tuning);
        const ReadScale read = ReadScl(tuning::ScalaScaleText("x.scl", tuning->description, tuning->pitches));
        QVERIFY(read.valid);
        QStringList got;
        for (const auto& p : read.pitches) got << QString::fromStdString(p);
        QCOMPARE(got, expected);
    }
    void keyboard_mapping_puts_the_base_frequency_on_middle_c() {
        bool comment = false;
        const auto lines = DataLines(tuning::ScalaKeyboardMappingText("x.kbm", 12, 360), comment);
        QVERIFY(comment);
        QCOMPARE(lines.size(), size_t(7 + 12));
        QCOMPARE(lines[3], std::string("60"));
        QCOMPARE(lines[4], std::string("60"));
        QCOMPARE(std::stod(lines[5]), 360.0);
        QCOMPARE(lines[6], std::string("12"));
    }
};

QTEST_GUILESS_MAIN(TuningExport)
#include "test_tuning_export.moc"
