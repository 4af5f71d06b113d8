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
#include <stdexcept>

// The icons are compiled into the app library; a static library's resources
// must be registered by name before the first use.
static void RegisterIconResources() { Q_INIT_RESOURCE(resources); }

namespace stimmung {

namespace {

using layout::Kind;

QFont MakeFont(const layout::Font& wanted) {
    QFont font;
    if (wanted.family) {
        font.setFamily(QString::fromUtf8(wanted.family));
        font.setStyleHint(std::string_view(wanted.family) == layout::kCourier ? QFont::TypeWriter : QFont::Serif);
    } else {
        font.setFamily(QStringLiteral("Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
    }
    // Points at 96 dots per inch, snapped to whole pixels, so that the texts
    // fit the layout's pixel sizes on every screen.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(wanted.points * 96.0 / 72.0))));
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
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/stimmung-%1.png").arg(size), QSize(size, size));
    view->setWindowIcon(icon);

    createControls(traceDrawing);
    createDecorations();
    setInitialValues();
    setTabOrder();
    bindForm1();
    bindHandlers();
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
            l.label()->setAlignment((row.align == layout::Align::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
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
        case Kind::ScrollBar:
            control = &window_->add<ScrollBar>(row.name, row.index, container);
            break;
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
            if (auto* scaled = dynamic_cast<PictureBox*>(container)) scaled->addScaledChild(static_cast<Label*>(control));
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
    Form1& f = form_;
    f.window = &w;
    auto button = [&](const char* name, int i = -1) { return w.get<CommandButton>(name, i); };
    auto text = [&](const char* name) { return w.get<TextBox>(name); };
    auto label = [&](const char* name, int i = -1) { return w.get<Label>(name, i); };
    auto fill = [&](auto& array, const char* name) {
        using T = std::remove_pointer_t<typename std::decay_t<decltype(array)>::value_type>;
        for (size_t i = 0; i < array.size(); ++i) array[i] = w.get<T>(name, static_cast<int>(i));
    };

    f.Label5 = label("Label5");
    f.cmdComplett = button("cmdComplett");
    f.cmd2 = button("cmd2");
    f.cmd3 = button("cmd3");
    f.cmd4 = button("cmd4");
    f.cmd5 = button("cmd5");
    f.cmd6 = button("cmd6");
    f.cmd7 = button("cmd7");
    f.cmdNamen = button("cmdNamen");
    f.cmdDia = button("cmdDia");
    f.Text4 = text("Text4");
    f.Text3 = text("Text3");
    f.cmdEnde = button("cmdEnde");
    f.optZeichne = w.get<OptionButton>("optZeichne");
    fill(f.Picture1, "Picture1");

    f.picAusgabe = w.get<OutputArea>("picAusgabe");
    f.cmdClear = button("cmdClear");
    fill(f.lblNote, "lblNote");
    fill(f.Line2, "Line2");
    f.hscNote = w.get<ScrollBar>("hscNote");

    f.Label7 = label("Label7");
    f.cmdPythagoras = button("cmdPythagoras");
    f.cmdrein = button("cmdrein");
    f.cmdtemperiert = button("cmdtemperiert");
    f.cmdHandlauf = button("cmdHandlauf");
    f.Label8 = label("Label8");
    f.txtWurzel = text("txtWurzel");
    f.Label2 = label("Label2");
    f.HScroll1 = w.get<ScrollBar>("HScroll1");
    f.cmdalle = button("cmdalle");
    f.Label9 = label("Label9");
    fill(f.Label3, "Label3");
    f.Text1 = text("Text1");
    f.cmdMinusF = button("cmdMinusF");
    f.cmdPlusF = button("cmdPlusF");
    f.Text2 = text("Text2");
    f.cmdMinusT = button("cmdMinusT");
    f.cmdPlusT = button("cmdPlusT");
    f.Label6 = label("Label6");
    f.cmdRausnehmen = button("cmdRausnehmen");
    fill(f.optNote, "optNote");
    f.Picture2 = w.get<PictureBox>("Picture2");
    fill(f.cmdTaste, "cmdTaste");
    fill(f.Picture3, "Picture3");
    f.cmdPythagorasstimmung = button("cmdPythagorasstimmung");
    f.cmdLinear = button("cmdLinear");
    f.cmdGeometrisch = button("cmdGeometrisch");
    f.cmdDiff = button("cmdDiff");
    f.cmdDidymos = button("cmdDidymos");
    fill(f.Label4, "Label4");
    f.txtTerz = text("txtTerz");
    f.txtQuinte = text("txtQuinte");
    f.txtQuarte = text("txtQuarte");
    f.txtGesamtfehler = text("txtGesamtfehler");

    f.txtMelodie = text("txtMelodie");
    f.cmdAbspielen = button("cmdAbspielen");
    f.txtHilfe = text("txtHilfe");
}

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
            if (targets.empty()) throw std::logic_error(std::string("handler for unknown control ") + b.control);
            for (Control* c : targets) {
                auto handler = b.handler;
                Form1* form = &form_;
                c->setHandler(b.event, [handler, form](const EventArgs& args) { handler(*form, args); });
            }
        }
    }
}

} // namespace stimmung
