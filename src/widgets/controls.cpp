// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

#include "hairline.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace stimmung {

namespace {

int ButtonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return kLeftButton;
    case Qt::RightButton: return kRightButton;
    case Qt::MiddleButton: return kMiddleButton;
    default: return 0;
    }
}

int ButtonState(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) code |= kLeftButton;
    if (buttons & Qt::RightButton) code |= kRightButton;
    if (buttons & Qt::MiddleButton) code |= kMiddleButton;
    return code;
}

int ShiftState(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) code |= kShiftMask;
    if (modifiers & Qt::ControlModifier) code |= kCtrlMask;
    if (modifiers & Qt::AltModifier) code |= kAltMask;
    return code;
}

int EventSlot(Event event) { return static_cast<int>(event); }

// Translates a widget's mouse events into the control's MouseDown, MouseMove
// and MouseUp (and Click for picture boxes). It never consumes the event, so
// the widget still behaves as usual (a scroll bar still drags).
class MouseRouter : public QObject {
public:
    MouseRouter(Control* control, bool clicks) : QObject(control->widget()), control_(control), clicks_(clicks) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != control_->widget()) return false;
        switch (event->type()) {
        case QEvent::MouseMove: {
            auto* e = static_cast<QMouseEvent*>(event);
            control_->raise(Event::MouseMove, args(e, ButtonState(e->buttons())));
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* e = static_cast<QMouseEvent*>(event);
            pressedInside_ = true;
            control_->raise(Event::MouseDown, args(e, ButtonCode(e->button())));
            break;
        }
        case QEvent::MouseButtonRelease: {
            auto* e = static_cast<QMouseEvent*>(event);
            control_->raise(Event::MouseUp, args(e, ButtonCode(e->button())));
            bool inside = control_->widget()->rect().contains(e->position().toPoint());
            if (clicks_ && pressedInside_ && inside && e->button() == Qt::LeftButton) control_->raise(Event::Click);
            pressedInside_ = false;
            break;
        }
        default: break;
        }
        return false;
    }

private:
    EventArgs args(QMouseEvent* e, int button) const {
        EventArgs a;
        a.Button = button;
        a.Shift = ShiftState(e->modifiers());
        QPointF p = e->position();
        if (auto* box = dynamic_cast<Container*>(control_)) {
            a.X = static_cast<float>(box->fromPixelX(p.x()));
            a.Y = static_cast<float>(box->fromPixelY(p.y()));
        } else {
            a.X = static_cast<float>(p.x() * kTwipsPerPixel / control_->containerZoom());
            a.Y = static_cast<float>(p.y() * kTwipsPerPixel / control_->containerZoom());
        }
        return a;
    }

    Control* control_;
    bool clicks_;
    bool pressedInside_ = false;
};

QWidget* ParentOf(Container* container) { return container ? container->surface() : nullptr; }

} // namespace

// ---- Control ---------------------------------------------------------------

void Control::placeTwips(int left, int top, int width, int height) {
    placed_ = {left, top, width, height};
    isPlaced_ = true;
    const int offset = container_ ? container_->interiorOffsetPx() : 0;
    const double z = containerZoom();
    auto px = [z](int twips) { return ZoomedPixels(qRound(double(twips) / kTwipsPerPixel), z); };
    widget()->setGeometry(offset + px(left), offset + px(top), px(width), px(height));
}

void Control::rezoom() {
    if (isPlaced_) Control::placeTwips(placed_[0], placed_[1], placed_[2], placed_[3]);
}

void Control::setHandler(Event event, EventHandler handler) { handlers_[EventSlot(event)] = std::move(handler); }

bool Control::hasHandler(Event event) const { return static_cast<bool>(handlers_[EventSlot(event)]); }

void Control::raise(Event event, EventArgs args) const {
    const EventHandler& handler = handlers_[EventSlot(event)];
    if (!handler) return;
    args.Index = index_;
    handler(args);
}

void Control::watchMouse() {
    QWidget* w = widget();
    w->setMouseTracking(true);
    // A control without a handler of its own must not pass the pointer on to
    // its container: the help line stays as it is over such a control.
    w->setAttribute(Qt::WA_NoMousePropagation, true);
    w->installEventFilter(new MouseRouter(this, dynamic_cast<PictureBox*>(this) != nullptr));
}

// ---- CommandButton ---------------------------------------------------------

CommandButton::CommandButton(std::string name, int index, Container* container)
        : Control(std::move(name), index, container), button_(new QPushButton(ParentOf(container))) {
    button_->setAutoDefault(false);
    button_->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(button_, &QPushButton::clicked, button_, [this] { raise(Event::Click); });
}

std::string CommandButton::Caption() const { return button_->text().toStdString(); }

void CommandButton::setBackColor(Rgb colour) {
    if (colour == back_ && button_->autoFillBackground()) return;
    back_ = colour;
    QPalette p = button_->palette();
    p.setColor(QPalette::Button, ToQColor(colour));
    p.setColor(QPalette::Window, ToQColor(colour));
    button_->setPalette(p);
    button_->setAutoFillBackground(true);
    button_->update();
}

// ---- TextBox ---------------------------------------------------------------

TextBox::TextBox(std::string name, int index, Container* container)
        : Control(std::move(name), index, container), edit_(new QLineEdit(ParentOf(container))) {
    // Any text the user types or pastes is kept, however long.
    edit_->setMaxLength(1 << 24);
}

std::string TextBox::Text() const { return edit_->text().toStdString(); }

void TextBox::setText(std::string_view text) {
    edit_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    edit_->setCursorPosition(0);
}

// ---- Label -----------------------------------------------------------------

Label::Label(std::string name, int index, Container* container)
        : Control(std::move(name), index, container), label_(new QLabel(ParentOf(container))) {}

std::string Label::Caption() const { return label_->text().toStdString(); }

void Label::placeTwips(int left, int top, int width, int height) {
    Control::placeTwips(left, top, width, height);
    left_ = static_cast<float>(left);
}

void Label::setLeft(float left) {
    left_ = left;
    leftSet_ = true;
    reposition();
}

void Label::rezoom() {
    Control::rezoom();
    if (leftSet_) reposition();
}

void Label::reposition() {
    if (!container()) return;
    QRect g = label_->geometry();
    g.moveLeft(static_cast<int>(std::lround(std::clamp(container()->toPixelX(left_), -1e6, 1e6))));
    label_->setGeometry(g);
}

void Label::setForeColor(Rgb colour) {
    fore_ = colour;
    QPalette p = label_->palette();
    p.setColor(QPalette::WindowText, ToQColor(colour));
    label_->setPalette(p);
}

void Label::setBackColor(Rgb colour) {
    QPalette p = label_->palette();
    p.setColor(QPalette::Window, ToQColor(colour));
    label_->setPalette(p);
    label_->setAutoFillBackground(true);
}

// ---- OptionButton and OptionGroup -------------------------------------------

namespace {
// A click always switches an option button on; only the group switches it
// off (so the buttons are not auto-exclusive, which would also make Tab skip
// every member but the one that is on). The arrow keys move the selection
// to the next or previous member of the group, round the end, as option
// buttons do on the desktop.
class Radio : public QRadioButton {
public:
    Radio(OptionButton* owner, QWidget* parent) : QRadioButton(parent), owner_(owner) {}
    OptionButton* owner() const { return owner_; }

protected:
    void nextCheckState() override { setChecked(true); }
    void keyPressEvent(QKeyEvent* e) override {
        const int step = e->key() == Qt::Key_Right || e->key() == Qt::Key_Down ? 1
                         : e->key() == Qt::Key_Left || e->key() == Qt::Key_Up  ? -1
                                                                               : 0;
        if (step != 0 && owner_->selectNeighbour(step)) {
            e->accept();
            return;
        }
        QRadioButton::keyPressEvent(e);
    }

private:
    OptionButton* owner_;
};

// What screen readers are told about an option button: a radio button (Qt
// calls a checkable button that is not auto-exclusive a check box), on or off.
class RadioAccessible : public QAccessibleWidget {
public:
    explicit RadioAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::RadioButton) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = static_cast<QRadioButton*>(widget())->isChecked();
        return s;
    }
    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<QRadioButton*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* RadioAccessibleFor(const QString&, QObject* object) {
    if (auto* radio = dynamic_cast<Radio*>(object)) return new RadioAccessible(radio);
    return nullptr;
}
} // namespace

OptionButton::OptionButton(std::string name, int index, Container* container)
        : Control(std::move(name), index, container), radio_(new Radio(this, ParentOf(container))) {
    static const bool accessibleAsRadio = (QAccessible::installFactory(RadioAccessibleFor), true);
    (void)accessibleAsRadio;
    radio_->setAutoExclusive(false);
    // A small indicator close to its caption, so that the caption fits the
    // narrow option buttons of the layout.
    radio_->setStyleSheet(QStringLiteral("QRadioButton { spacing: 2px; } "
                                         "QRadioButton::indicator { width: 11px; height: 11px; }"));
    radio_->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(radio_, &QRadioButton::toggled, radio_, [this](bool on) {
        if (on && group_) group_->switchedOn(this);
    });
}

void OptionButton::rezoom() {
    Control::rezoom();
    const double z = containerZoom();
    radio_->setStyleSheet(QStringLiteral("QRadioButton { spacing: %1px; } "
                                         "QRadioButton::indicator { width: %2px; height: %2px; }")
                              .arg(ZoomedPixels(2, z))
                              .arg(ZoomedPixels(11, z)));
}

bool OptionButton::Value() const { return radio_->isChecked(); }

void OptionButton::setValue(bool on) { radio_->setChecked(on); }

bool OptionButton::selectNeighbour(int step) {
    if (!group_) return false;
    const auto& members = group_->members();
    const auto at = std::find(members.begin(), members.end(), this) - members.begin();
    const auto count = static_cast<std::ptrdiff_t>(members.size());
    OptionButton* next = members[static_cast<std::size_t>(((at + step) % count + count) % count)];
    next->radio()->setFocus(Qt::OtherFocusReason);
    next->setValue(true);
    return true;
}

void OptionGroup::add(OptionButton* button) {
    members_.push_back(button);
    button->setGroup(this);
}

void OptionGroup::switchedOn(OptionButton* button) {
    for (OptionButton* other : members_)
        if (other != button && other->Value()) other->setValue(false);
}

// ---- ScrollBar -------------------------------------------------------------

namespace {
// QScrollBar inverts its arrow keys (right for a smaller value), which suits
// a vertical bar; on a horizontal one Right raises the value and Left lowers
// it, as the arrow buttons do. The change then takes the usual path.
class HorizontalBar : public QScrollBar {
public:
    explicit HorizontalBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        const bool rightToLeft = isRightToLeft();
        if (e->key() == Qt::Key_Right || e->key() == Qt::Key_Left) {
            const bool raise = (e->key() == Qt::Key_Right) != rightToLeft;
            triggerAction(raise ? SliderSingleStepAdd : SliderSingleStepSub);
            e->accept();
            return;
        }
        QScrollBar::keyPressEvent(e);
    }
};
} // namespace

ScrollBar::ScrollBar(std::string name, int index, Container* container)
        : Control(std::move(name), index, container), bar_(new HorizontalBar(ParentOf(container))) {
    bar_->setFocusPolicy(Qt::StrongFocus);
    bar_->setTracking(true);
    QObject::connect(bar_, &QScrollBar::valueChanged, bar_,
                     [this](int) { raise(bar_->isSliderDown() ? Event::Scroll : Event::Change); });
    QObject::connect(bar_, &QScrollBar::sliderPressed, bar_, [this] { valueAtPress_ = bar_->value(); });
    QObject::connect(bar_, &QScrollBar::sliderReleased, bar_, [this] {
        if (bar_->value() != valueAtPress_) raise(Event::Change);
    });
}

void ScrollBar::setValue(int value) { bar_->setValue(value); }

void ScrollBar::setRange(int min, int max, int smallChange, int largeChange) {
    QSignalBlocker quiet(bar_);
    bar_->setRange(min, max);
    bar_->setSingleStep(smallChange);
    bar_->setPageStep(largeChange);
}

// ---- LineShape -------------------------------------------------------------

class LineShape::View : public QWidget {
public:
    View(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    QPointF a, b; // endpoints in this widget's coordinates
    int width = 1;
    QColor colour;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (width == 1) {
            // Hairlines on the device pixel grid, so that they stay crisp.
            DrawHairline(p, colour, a, b, devicePixelRatioF());
        } else {
            p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
            p.setRenderHint(QPainter::Antialiasing);
            p.drawLine(a, b);
        }
    }
};

LineShape::LineShape(std::string name, int index, Container* container)
        : Control(std::move(name), index, container), view_(new View(ParentOf(container))) {}

QWidget* LineShape::widget() const { return view_; }

void LineShape::placeLine(int x1, int y1, int x2, int y2, int widthPx) {
    x1_ = static_cast<float>(x1);
    x2_ = static_cast<float>(x2);
    y1Twips_ = y1;
    y2Twips_ = y2;
    widthPx_ = widthPx;
    reposition();
}

void LineShape::setX1(float x) {
    x1_ = x;
    reposition();
}

void LineShape::setX2(float x) {
    x2_ = x;
    reposition();
}

void LineShape::setBorderColor(Rgb colour) {
    colour_ = colour;
    view_->colour = ToQColor(colour);
    view_->update();
}

void LineShape::reposition() {
    auto px = [this](float x) {
        double v = container() ? container()->toPixelX(x) : double(x) / kTwipsPerPixel;
        return std::clamp(std::round(v), -1e6, 1e6);
    };
    // The vertical extent stays where the layout put it, at the current zoom.
    const int offset = container() ? container()->interiorOffsetPx() : 0;
    const double z = containerZoom();
    auto py = [&](int twips) { return offset + std::round(double(twips) / kTwipsPerPixel * z); };
    const int width = std::max(1, ZoomedPixels(widthPx_, z));
    view_->width = width;
    QPointF a(px(x1_), py(y1Twips_)), b(px(x2_), py(y2Twips_));
    int pad = width;
    QRect box = QRectF(a, b).normalized().adjusted(-pad, -pad, pad + 1, pad + 1).toAlignedRect();
    view_->a = a - box.topLeft();
    view_->b = b - box.topLeft();
    view_->setGeometry(box);
    view_->update();
}

// ---- OvalShape -------------------------------------------------------------

class OvalShape::View : public QWidget {
public:
    View(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::black); // a note head
        p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    }
};

OvalShape::OvalShape(std::string name, int index, Container* container)
        : Control(std::move(name), index, container), view_(new View(ParentOf(container))) {}

QWidget* OvalShape::widget() const { return view_; }

// ---- PictureBox ------------------------------------------------------------

class PictureBox::View : public QWidget {
public:
    View(PictureBox* box, QWidget* parent) : QWidget(parent), box_(box) { setAttribute(Qt::WA_OpaquePaintEvent); }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        const QRect dirty = event->rect();
        p.fillRect(dirty, ToQColor(box_->back_));
        box_->paintInterior(p, dirty);
        const int b = box_->borderPx();
        if (b == 1) {
            // A thin flat frame, so that a white swatch stands out from the window.
            p.setPen(QColor(105, 105, 105));
            p.setBrush(Qt::NoBrush);
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        } else if (b > 1) {
            // A sunken border: dark at the top and left, light at the bottom and right.
            const QRect r = rect();
            for (int i = 0; i < b; ++i) {
                QColor dark = i == 0 ? QColor(160, 160, 160) : QColor(105, 105, 105);
                QColor light = i == 0 ? QColor(255, 255, 255) : QColor(227, 227, 227);
                p.setPen(dark);
                p.drawLine(r.left() + i, r.top() + i, r.right() - i, r.top() + i);
                p.drawLine(r.left() + i, r.top() + i, r.left() + i, r.bottom() - i);
                p.setPen(light);
                p.drawLine(r.left() + i, r.bottom() - i, r.right() - i, r.bottom() - i);
                p.drawLine(r.right() - i, r.top() + i, r.right() - i, r.bottom() - i);
            }
        }
    }
    void resizeEvent(QResizeEvent*) override { box_->interiorResized(); }

private:
    PictureBox* box_;
};

PictureBox::PictureBox(std::string name, int index, Container* container, int borderPx)
        : Control(std::move(name), index, container), view_(new View(this, ParentOf(container))), border_(borderPx) {}

QWidget* PictureBox::widget() const { return view_; }

void PictureBox::setBackColor(Rgb colour) {
    back_ = colour;
    view_->update();
}

void PictureBox::paintInterior(QPainter&, const QRect&) {}

void PictureBox::repositionScaledChildren() {
    for (LineShape* line : scaledLines_) line->reposition();
    for (Label* label : scaledLabels_) label->reposition();
}

} // namespace stimmung
