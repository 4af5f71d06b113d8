// SPDX-License-Identifier: GPL-3.0-or-later
// Long use: a seeded random user works the shown window for many thousand
// events - clicks on every kind of control, drags with every mouse button
// over the output area, scroll-bar steps, keys and thumb drags, typed and
// pasted texts (odd ones included), pointer moves for the help line, window
// resizes, and events queued so that they run nested inside a melody or a
// press on the output area. Tones go to the recorder, which returns at once.
// After every event the event loop still answers and the window's rules hold:
// each marker's X1 = X2 = its label's Left, at most one option button on,
// every field holds its initial text, the user's text or a text the system
// writes, nothing non-finite is drawn. Resident memory after the run stays
// within 10 % of what it was after the first 1000 events.
//
// STIMMUNG_LONG_USE_SEED and STIMMUNG_LONG_USE_EVENTS replay another run.
#include "field_rules.h"
#include "test_window.h"
#include "user_actions.h"

#include <QPixmapCache>
#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <malloc.h>
#include <unistd.h>

using namespace stimmung;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

constexpr std::uint64_t kDefaultSeed = 20261208;
constexpr long kDefaultEvents = 20000;
constexpr long kWarmUpEvents = 1000;

long EnvNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

constexpr int kPixmapCacheKiB = 1024;

// Resident set size in KiB, from /proc/self/statm (second field, in pages),
// taken with the window at its layout size (its backing store is as large as
// the window) and after the allocator has handed its free pages back, so
// that the figure is what the program holds and not where a resize left the
// heap's free space.
long ResidentKiB(test::TestWindow& tw) {
    const auto& w = layout::Window();
    tw.main->window().widget()->resize(w.clientWidthTwips / kTwipsPerPixel, w.clientHeightTwips / kTwipsPerPixel);
    QCoreApplication::processEvents();
    malloc_trim(0);
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Texts a user types or pastes: numbers sane and absurd, words, umlauts,
// melodies, control characters and invalid UTF-8 (which arrives replaced).
const char* const kOddTexts[] = {
    "360", "440", "140", "0", "", "-5", "1e308", "-1e308", "999999999999", "nan", "inf", "-inf", "1e-400",
    "1,5", "1.5.5", " 4 4 0 ", "+12", "-0", "E5", ".", "-", "12abc", "abc", "Töne", "äöüß€", "🎵🎶",
    "c2 d2 e2 f2 g2 a2 h2 c4", "C2 x9 h0 a", "c9c9c9c9", "g", "\t\n\r", "\x01\x02\x7f", "1\n2",
    "\xff\xfe\xc3", "\xed\xa0\x80", "1e309", "0x1p3", "1E+", "  ", "99999999999999999999999",
};

// "cmdTaste(3)", "cmdEnde": a control as messages name it.
std::string NameOf(const Control& c) {
    std::string name = c.Name();
    if (c.Index() >= 0) {
        name += '(';
        name += std::to_string(c.Index());
        name += ')';
    }
    return name;
}

class RandomUser {
public:
    RandomUser(test::TestWindow& tw, std::uint64_t seed) : tw_(tw), rng_(seed) {
        for (const auto& control : tw.main->window().controls()) {
            if (auto* b = dynamic_cast<CommandButton*>(control.get()); b && b->Name() != "cmdEnde") buttons_.push_back(b);
            if (dynamic_cast<LineShape*>(control.get()) || dynamic_cast<OvalShape*>(control.get())) continue;
            pointables_.push_back({control->widget(), NameOf(*control)});
        }
        pointables_.push_back({tw.main->window().widget(), "Form1"});
        for (const auto& [name, box] : test::TextFields(tw.form()))
            if (!box->edit()->isReadOnly()) editable_.push_back(box);
    }

    // One random event; returns what it did, for the failure message.
    std::string act() {
        std::uniform_int_distribution<int> pick(0, totalWeight() - 1);
        int at = pick(rng_);
        for (const Action& a : actions_) {
            if (at < a.weight) return (this->*a.run)();
            at -= a.weight;
        }
        return "nothing";
    }

    // The last text the user put into each field, as the field reported it.
    const std::map<const TextBox*, std::string>& typed() const { return typed_; }

private:
    struct Action {
        int weight;
        std::string (RandomUser::*run)();
    };

    int totalWeight() const {
        int sum = 0;
        for (const Action& a : actions_) sum += a.weight;
        return sum;
    }
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    template <class T>
    T& oneOf(std::vector<T>& v) {
        return v[std::size_t(uniform(0, int(v.size()) - 1))];
    }
    Qt::MouseButton anyButton() {
        const Qt::MouseButton b[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        return b[uniform(0, 2)];
    }
    // A point of the output area's widget; now and then far outside it, as
    // while a button is held and the pointer leaves the area.
    QPointF areaPoint() {
        QWidget* w = tw_->picAusgabe->widget();
        if (uniform(0, 9) == 0) return QPointF(uniform(-3000, 3000), uniform(-3000, 3000));
        return QPointF(uniform(0, w->width() * 10) / 10.0, uniform(0, w->height() * 10) / 10.0);
    }
    QScrollBar* anyBar() { return uniform(0, 2) == 0 ? tw_->HScroll1->bar() : tw_->hscNote->bar(); }

    std::string clickButton() {
        CommandButton* b = oneOf(buttons_);
        test::user::Click(b->widget());
        return "click " + NameOf(*b);
    }
    std::string pointAtControl() {
        const auto& [w, name] = oneOf(pointables_);
        test::user::Move(w, QPointF(uniform(0, std::max(0, w->width() - 1)), uniform(0, std::max(0, w->height() - 1))));
        return "point at " + name;
    }
    std::string clickOutputArea() {
        const Qt::MouseButton b = anyButton();
        const QPointF p = areaPoint();
        QWidget* w = tw_->picAusgabe->widget();
        test::user::Move(w, p);
        test::user::Click(w, b, p);
        return "click output area, button " + std::to_string(int(b));
    }
    std::string dragOutputArea() {
        const Qt::MouseButton b = anyButton();
        std::vector<QPointF> path;
        const int n = uniform(1, 12);
        for (int i = 0; i < n; ++i) path.push_back(areaPoint());
        test::user::Drag(tw_->picAusgabe->widget(), b, path);
        return "drag output area, button " + std::to_string(int(b)) + ", " + std::to_string(n) + " moves";
    }
    std::string pressOption() {
        const int k = uniform(0, 6);
        OptionButton* o = k == 6 ? tw_->optZeichne : tw_->optNote[std::size_t(k)];
        const Qt::MouseButton b = anyButton();
        test::user::Click(o->widget(), b);
        return "press " + NameOf(*o) + ", button " + std::to_string(int(b));
    }
    std::string keyOnOption() {
        const int k = uniform(0, 6);
        OptionButton* o = k == 6 ? tw_->optZeichne : tw_->optNote[std::size_t(k)];
        test::user::Key(o->widget(), Qt::Key_Space);
        return "space on " + NameOf(*o);
    }
    std::string clickSwatch() {
        const int k = uniform(0, 4);
        test::user::Click(tw_->Picture1[std::size_t(k)]->widget());
        return "swatch " + std::to_string(k);
    }
    std::string stepScrollBar() {
        QScrollBar* bar = anyBar();
        const QAbstractSlider::SliderAction steps[] = {
            QAbstractSlider::SliderSingleStepAdd, QAbstractSlider::SliderSingleStepSub,
            QAbstractSlider::SliderPageStepAdd,   QAbstractSlider::SliderPageStepSub,
            QAbstractSlider::SliderToMinimum,     QAbstractSlider::SliderToMaximum,
        };
        const int s = uniform(0, 5);
        bar->triggerAction(steps[s]);
        return "step " + bar->accessibleName().toStdString() + " action " + std::to_string(s);
    }
    std::string keyOnScrollBar() {
        QScrollBar* bar = anyBar();
        const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
        const int k = uniform(0, 5);
        test::user::Key(bar, keys[k]);
        return "key " + std::to_string(k) + " on " + bar->accessibleName().toStdString();
    }
    std::string dragScrollBar() {
        QScrollBar* bar = anyBar();
        std::vector<int> positions;
        const int n = uniform(1, 8);
        for (int i = 0; i < n; ++i) positions.push_back(uniform(bar->minimum() - 5, bar->maximum() + 5));
        test::user::DragThumb(bar, positions);
        return "drag thumb of " + bar->accessibleName().toStdString() + " to " + std::to_string(positions.back());
    }
    QString randomText() {
        if (uniform(0, 2) > 0) return QString::fromUtf8(kOddTexts[uniform(0, int(std::size(kOddTexts)) - 1)]);
        static const QString alphabet = QStringLiteral("0123456789 .,-+eEcdefgahCx\tä€🎵");
        QString text;
        const int n = uniform(0, uniform(0, 9) == 0 ? 300 : 30);
        for (int i = 0; i < n; ++i) {
            // 🎵 is two UTF-16 units: take both or neither.
            const int at = uniform(0, int(alphabet.size()) - 1);
            if (alphabet.at(at).isSurrogate()) text += alphabet.mid(at - (alphabet.at(at).isLowSurrogate() ? 1 : 0), 2);
            else text += alphabet.at(at);
        }
        return text;
    }
    std::string typeText() {
        TextBox* box = oneOf(editable_);
        const QString text = randomText();
        bool printable = true;
        for (QChar c : text) printable = printable && (c.isPrint() || c.isSurrogate());
        if (printable && uniform(0, 1) == 0)
            test::user::TypeOver(box->edit(), text);
        else
            test::user::PasteOver(box->edit(), text);
        typed_[box] = box->Text();
        entered_[box] = text.toStdString();
        return (printable ? "type into " : "paste into ") + box->Name() + ": \"" + text.toStdString() + "\"";
    }
    std::string resizeWindow() {
        QWidget* w = tw_.main->window().widget();
        w->resize(uniform(200, 1400), uniform(150, 800));
        return "resize window";
    }
    // An event that waits in the queue and runs inside the next
    // ProcessPendingEvents: a melody's next note, a press on the output
    // area, or the event loop after this event.
    std::string queueEvent() {
        std::uint64_t seed = rng_();
        QMetaObject::invokeMethod(
            &context_,
            [this, seed] {
                std::mt19937_64 saved = rng_;
                rng_.seed(seed);
                nestedLog_ = act();
                rng_ = saved;
            },
            Qt::QueuedConnection);
        return "queue an event";
    }

public:
    // Texts the user entered and what the field made of them must agree.
    std::string typingProblems() const {
        for (const auto& [box, entered] : entered_) {
            QString expected = QString::fromUtf8(entered.data(), qsizetype(entered.size()));
            if (typed_.at(box) != expected.toStdString())
                return box->Name() + " holds \"" + typed_.at(box) + "\" after the user entered \"" + entered + "\"";
        }
        return {};
    }
    std::string nestedLog_;

private:
    test::TestWindow& tw_;
    std::mt19937_64 rng_;
    std::vector<CommandButton*> buttons_;
    std::vector<std::pair<QWidget*, std::string>> pointables_;
    QObject context_; // queued events die with the user
    std::vector<TextBox*> editable_;
    std::map<const TextBox*, std::string> typed_;
    std::map<const TextBox*, std::string> entered_;

    const std::vector<Action> actions_ = {
        {14, &RandomUser::clickButton},    {14, &RandomUser::pointAtControl}, {8, &RandomUser::clickOutputArea},
        {8, &RandomUser::dragOutputArea},  {6, &RandomUser::pressOption},     {2, &RandomUser::keyOnOption},
        {4, &RandomUser::clickSwatch},     {8, &RandomUser::stepScrollBar},   {4, &RandomUser::keyOnScrollBar},
        {4, &RandomUser::dragScrollBar},   {10, &RandomUser::typeText},       {1, &RandomUser::resizeWindow},
        {4, &RandomUser::queueEvent},
    };
};

// The event loop answers: a call queued now runs in the next round.
bool EventLoopAnswers() {
    bool ran = false;
    QMetaObject::invokeMethod(qApp, [&ran] { ran = true; }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    return ran;
}

bool Finite(const DrawOp& op) {
    for (double v : {op.x1, op.y1, op.x2, op.y2, op.radius, op.fontSize})
        if (!std::isfinite(v)) return false;
    return true;
}

// The window's rules; an empty text when all hold.
std::string BrokenRule(test::TestWindow& tw, const RandomUser& user) {
    Form1& f = tw.form();
    for (int i = 0; i < 6; ++i) {
        const float x1 = f.Line2[i]->X1(), x2 = f.Line2[i]->X2(), left = f.lblNote[i]->Left();
        if (!(x1 == x2 && x2 == left) || !std::isfinite(x1))
            return "marker " + std::to_string(i) + ": X1 " + std::to_string(x1) + ", X2 " + std::to_string(x2) +
                   ", Left " + std::to_string(left);
    }
    int on = f.optZeichne->Value() ? 1 : 0;
    for (OptionButton* o : f.optNote) on += o->Value() ? 1 : 0;
    if (on > 1) return std::to_string(on) + " option buttons on";
    for (const auto& [name, box] : test::TextFields(f)) {
        const std::string text = box->Text();
        const auto typed = user.typed().find(box);
        if (typed != user.typed().end() && typed->second == text) continue;
        if (text == test::InitialText(*box)) continue;
        if (!test::SystemCouldWrite(f, box, text)) return name + " holds \"" + text + "\"";
    }
    for (const DrawOp& op : f.picAusgabe->trace())
        if (!Finite(op)) return "a drawing operation with a non-finite value";
    return user.typingProblems();
}

} // namespace

class LongUseTest : public QObject {
    Q_OBJECT

private slots:
    void randomUseKeepsTheWindowSound() {
        const auto seed = static_cast<std::uint64_t>(EnvNumber("STIMMUNG_LONG_USE_SEED", long(kDefaultSeed)));
        const long events = EnvNumber("STIMMUNG_LONG_USE_EVENTS", kDefaultEvents);
        qInfo("long use: seed %llu, %ld events", static_cast<unsigned long long>(seed), events);

        // Qt's style keeps every button face it renders in its pixmap cache
        // up to the cache's limit (10 MiB by default); a key changing colour
        // in a melody renders a new face each time, so here the cache fills
        // over some 100 000 events, and would show as growth that ends at
        // that limit. A limit of 1 MiB is full within the first 1000 events,
        // so the figures compare what the program itself holds.
        QPixmapCache::setCacheLimit(kPixmapCacheKiB);
        test::TestWindow tw;
        tw.main->show();
        QVERIFY(QTest::qWaitForWindowExposed(tw.main->window().widget()));
        RandomUser user(tw, seed);

        std::deque<std::string> recent;
        long warmKiB = 0;
        long tones = 0;
        for (long n = 1; n <= events; ++n) {
            recent.push_back(user.act());
            if (recent.size() > 12) recent.pop_front();
            const bool answers = EventLoopAnswers();
            std::string broken = answers ? BrokenRule(tw, user) : "the event loop does not answer";
            if (!broken.empty()) {
                std::string log;
                for (const std::string& line : recent) log += "\n  " + line;
                if (!user.nestedLog_.empty()) log += "\n  (last queued: " + user.nestedLog_ + ")";
                QFAIL(qPrintable(QStringLiteral("seed %1, event %2: %3; the last events:%4")
                                     .arg(seed)
                                     .arg(n)
                                     .arg(QString::fromStdString(broken), QString::fromStdString(log))));
            }
            // What the test itself records is no part of the program's memory.
            tones += long(tw.sound.requests().size());
            tw.sound.clear();
            tw->picAusgabe->clearTrace();
            if (n == kWarmUpEvents) warmKiB = ResidentKiB(tw);
        }
        const long finalKiB = ResidentKiB(tw);
        qInfo("long use: %ld events, %ld tone and wait requests; resident memory %ld KiB after %ld events, "
              "%ld KiB after all",
              events, tones, warmKiB, kWarmUpEvents, finalKiB);
        if (events < kWarmUpEvents) return;
        // The sanitizer holds freed memory back in its quarantine, so the
        // figure grows there whatever the program does; its leak check
        // speaks for memory in that build.
        if (kUnderAddressSanitizer) return;
        QVERIFY2(finalKiB <= warmKiB * 11 / 10,
                 qPrintable(QStringLiteral("resident memory grew from %1 to %2 KiB").arg(warmKiB).arg(finalKiB)));
    }
};

QTEST_MAIN(LongUseTest)
#include "test_long_use.moc"
