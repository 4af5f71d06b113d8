// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window.h"

#include "app_bindings.h"
#include "audio_bindings.h"
#include "form_frame.h"
#include "help_line.h"
#include "layout_table.h"
#include "markers_bindings.h"
#include "tuning_bindings.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <stdexcept>

// The icons are compiled into the app library; a static library's resources
// must be registered by name before the first use.
static void RegisterIconResources() { Q_INIT_RESOURCE(icons); }

namespace stimmung {

namespace {

using layout::Kind;

QFont MakeFont(const layout::Font& wanted) {
    QFont font;
    if (wanted.family) {
        font.setFamily(QString::fromUtf8(wanted.family));
        font.setStyleHint(std::string_view(wanted.family) == kCourier ? QFont::TypeWriter : QFont::Serif);
    } else {
        font.setFamily(QStringLiteral("Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
    }
    font.setPixelSize(FontPixels(wanted.points));
    font.setBold(wanted.bold);
    return font;
}

void SetTextColours(QWidget* w, std::optional<Rgb> back, std::optional<Rgb> fore) {
    QPalette p = w->palette();
    if (back) p.setColor(QPalette::Base, ToQColor(*back));
    if (fore) p.setColor(QPalette::Text, ToQColor(*fore));
    w->setPalette(p);
}

QString Caption(const char* text) { return text ? QString::fromUtf8(text) : QString(); }

} // namespace

MainWindow::MainWindow(bool traceDrawing) : window_(std::make_unique<Window>()) {
    // One look on every desktop: buttons then show their background colours.
    if (qApp && qApp->style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    QWidget* view = window_->widget();
    const auto& w = layout::Window();
    view->setWindowTitle(QString::fromUtf8(w.title));
    view->resize(w.clientWidthTwips / kTwipsPerPixel, w.clientHeightTwips / kTwipsPerPixel);
    RegisterIconResources();
    QIcon icon;
    for (int size : {STIMMUNG_ICON_SIZES})
        icon.addFile(QStringLiteral(":/icons/stimmung-%1.png").arg(size), QSize(size, size));
    view->setWindowIcon(icon);

    createControls(traceDrawing);
    createDecorations();
    setInitialValues();
    setTabOrder();
    bindForm1();
    bindHandlers();
#ifndef NDEBUG
    // A debug build stops at a control list or binding table that does not
    // fit the layout; tests check the same in every build.
    if (!faults_.empty()) throw std::logic_error(faults_.front());
#endif
    app::DescribeControls(*window_); // the help texts, also for screen readers
    app::Form_Load(form_);
}

MainWindow::~MainWindow() = default;

void MainWindow::show() { window_->widget()->show(); }

void MainWindow::createControls(bool traceDrawing) {
    std::map<std::string, OptionGroup*> groupByContainer;
    for (const layout::ControlRow& row : layout::Controls()) {
        Container* container = window_.get();
        if (row.container) {
            container = window_->get<PictureBox>(row.container);
            if (!container) throw std::logic_error("layout: unknown container");
        }
        Control* control = nullptr;
        switch (row.kind) {
        case Kind::Button: {
            auto& b = window_->add<CommandButton>(row.name, row.index, container);
            b.button()->setText(Caption(row.caption));
            if (row.back) b.setBackColor(*row.back);
            control = &b;
            break;
        }
        case Kind::TextBox: {
            auto& t = window_->add<TextBox>(row.name, row.index, container);
            t.setText(row.caption ? row.caption : "");
            SetTextColours(t.edit(), row.back, row.fore);
            if (row.align == layout::Align::Center) t.edit()->setAlignment(Qt::AlignCenter);
            control = &t;
            break;
        }
        case Kind::Label: {
            auto& l = window_->add<Label>(row.name, row.index, container);
            l.label()->setText(Caption(row.caption));
            if (row.back) l.setBackColor(*row.back);
            l.label()->setAlignment((row.align == layout::Align::Center ? Qt::AlignHCenter : Qt::AlignLeft) |
                                    Qt::AlignTop);
            control = &l;
            break;
        }
        case Kind::Option: {
            auto& o = window_->add<OptionButton>(row.name, row.index, container);
            o.radio()->setText(Caption(row.caption));
            std::string key = row.container ? row.container : "";
            if (!groupByContainer.count(key)) {
                groups_.push_back(std::make_unique<OptionGroup>());
                groupByContainer[key] = groups_.back().get();
            }
            groupByContainer[key]->add(&o);
            control = &o;
            break;
        }
        case Kind::ScrollBar: control = &window_->add<ScrollBar>(row.name, row.index, container); break;
        case Kind::Picture: {
            // Picture boxes on the window get a thin frame; the black keys are plain bars.
            auto& p = window_->add<PictureBox>(row.name, row.index, container, row.container ? 0 : 1);
            if (row.back) p.setBackColor(*row.back);
            control = &p;
            break;
        }
        case Kind::OutputArea: {
            auto& p = window_->add<OutputArea>(row.name, container, 2);
            if (row.back) p.setBackColor(*row.back);
            p.FontSize = row.font.points;
            p.setTracing(traceDrawing);
            control = &p;
            break;
        }
        }
        control->placeTwips(row.left, row.top, row.width, row.height);
        control->widget()->setFont(MakeFont(row.font));
        control->widget()->setProperty("stimmungTab", row.tab);
        control->widget()->setAccessibleName(QString::fromStdString(layout::AccessibleName(row.name, row.index)));
        if (row.container && row.kind == Kind::Label) {
            if (auto* scaled = dynamic_cast<PictureBox*>(container))
                scaled->addScaledChild(static_cast<Label*>(control));
        }
    }
}

void MainWindow::createDecorations() {
    for (const layout::LineRow& row : layout::Lines()) {
        Container* container = row.container ? static_cast<Container*>(window_->get<PictureBox>(row.container))
                                             : static_cast<Container*>(window_.get());
        auto& line = window_->add<LineShape>(row.name, row.index, container);
        line.placeLine(row.x1, row.y1, row.x2, row.y2, row.widthPx);
        line.setBorderColor(row.colour);
        if (auto* box = window_->get<PictureBox>(row.container ? row.container : "")) {
            box->addScaledChild(&line);
            line.widget()->raise();
        } else {
            line.widget()->lower(); // drawn on the window's surface, beneath the controls
        }
    }
    for (const layout::OvalRow& row : layout::Ovals()) {
        auto& oval = window_->add<OvalShape>(row.name, row.index, window_.get());
        oval.placeTwips(row.left, row.top, row.width, row.height);
        oval.widget()->lower();
    }
}

void MainWindow::setInitialValues() {
    for (const layout::ScrollRange& r : layout::ScrollRanges()) {
        auto* bar = window_->get<ScrollBar>(r.name);
        bar->setRange(r.min, r.max, r.smallChange, r.largeChange);
        QSignalBlocker quiet(bar->bar());
        bar->setValue(r.value);
    }
    int index = 0;
    const char* name = layout::InitialOption(index);
    window_->get<OptionButton>(name, index)->setValue(true);
    // The step count is written by the equal division only.
    window_->get<TextBox>("txtWurzel")->edit()->setReadOnly(true);
}

void MainWindow::setTabOrder() {
    std::vector<QWidget*> order;
    for (const auto& c : window_->controls()) {
        QWidget* w = c->widget();
        if (w->property("stimmungTab").isValid() && w->focusPolicy() != Qt::NoFocus) order.push_back(w);
    }
    std::stable_sort(order.begin(), order.end(), [](QWidget* a, QWidget* b) {
        return a->property("stimmungTab").toInt() < b->property("stimmungTab").toInt();
    });
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    // The window opens with the focus on the first control of the tab order,
    // not on whichever the chain's rearranging left next to the window.
    if (!order.empty()) order.front()->setFocus(Qt::OtherFocusReason);
}

void MainWindow::bindForm1() {
    Window& w = *window_;
    form_.window = &w;
    auto resolve = [&](auto*& control, const char* name, int index) {
        using T = std::remove_pointer_t<std::remove_reference_t<decltype(control)>>;
        control = w.get<T>(name, index);
        if (!control) faults_.push_back(std::string("Form1 names no control of its kind: ") + name);
    };
    auto bind = [&](auto& member, const char* name) {
        if constexpr (std::is_pointer_v<std::remove_reference_t<decltype(member)>>) {
            resolve(member, name, -1);
        } else {
            for (std::size_t i = 0; i < member.size(); ++i) resolve(member[i], name, static_cast<int>(i));
        }
    };
    std::set<std::string_view> members;
#define STIMMUNG_CONTROL(Kind, name, count) \
    bind(form_.name, #name);                \
    members.insert(#name);
    STIMMUNG_FORM1_CONTROLS(STIMMUNG_CONTROL)
#undef STIMMUNG_CONTROL

    // And the other way round: every control of the layout is a member.
    for (const layout::ControlRow& row : layout::Controls())
        if (!members.count(row.name)) faults_.push_back(std::string("layout control missing in Form1: ") + row.name);
}

namespace {

void RunHandler(const EventBinding& binding, Form1& form, const EventArgs& args) {
    struct Call {
        Form1& f;
        const EventArgs& a;
        void operator()(PlainHandler h) const { h(f); }
        void operator()(IndexHandler h) const { h(f, a.Index); }
        void operator()(PointerHandler h) const { h(f, a.Button, a.X, a.Y); }
    };
    std::visit(Call{form, args}, binding.handler);
}

} // namespace

void MainWindow::bindHandlers() {
    // Every control reports its mouse events; one without a handler still
    // keeps them from reaching its container.
    window_->form().watchMouse();
    for (const auto& c : window_->controls()) {
        if (dynamic_cast<LineShape*>(c.get()) || dynamic_cast<OvalShape*>(c.get())) continue;
        c->watchMouse();
    }
    const std::span<const EventBinding> tables[] = {
        app::FrameBindings(), app::HelpLineBindings(), app::FreehandBindings(),
        audio::Bindings(),    tuning::Bindings(),      markers::Bindings(),
    };
    for (const auto& table : tables) {
        for (const EventBinding& b : table) {
            std::vector<Control*> targets = std::string_view(b.control) == "Form1"
                                                ? std::vector<Control*>{&window_->form()}
                                                : window_->all(b.control);
            if (targets.empty()) faults_.push_back(std::string("handler for unknown control ") + b.control);
            for (Control* c : targets) {
                if (c->hasHandler(b.event)) {
                    faults_.push_back(std::string("one event of ") + b.control + " bound twice");
                    continue;
                }
                c->setHandler(b.event, [binding = &b, form = &form_](const EventArgs& args) {
                    RunHandler(*binding, *form, args);
                });
            }
        }
    }
}

} // namespace stimmung
