// SPDX-License-Identifier: GPL-3.0-or-later
// The control kinds of the window: thin classes over Qt widgets that offer the
// properties and events the handlers use (Text, Value, BackColor, X1/X2, Left,
// Click, MouseDown/Move/Up, Change, Scroll). Layout positions are twips
// (15 per pixel) inside the container's interior; inside a container with a
// user scale (the output area) X1, X2 and Left are in its user units.
#pragma once

#include "events.h"
#include "rgb.h"

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

namespace stimmung {

inline constexpr int kTwipsPerPixel = 15;
inline QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// What holds controls: the window's client area or a picture box. It maps its
// scale units to logical pixels of its widget (twips by default; the output
// area has a user scale once Scale has run). Pixels count from the widget's
// top-left corner, a border included.
class Container {
public:
    virtual ~Container() = default;
    virtual QWidget* surface() const = 0;
    virtual double toPixelX(double x) const { return x / kTwipsPerPixel * zoom(); }
    virtual double toPixelY(double y) const { return y / kTwipsPerPixel * zoom(); }
    virtual double fromPixelX(double px) const { return px * kTwipsPerPixel / zoom(); }
    virtual double fromPixelY(double py) const { return py * kTwipsPerPixel / zoom(); }
    // Offset of the interior (inside the border) from the widget's corner.
    virtual int interiorOffsetPx() const { return 0; }
    // How much larger than the layout everything is shown (1 = 100 %).
    virtual double zoom() const { return 1.0; }
};

// A layout size in logical pixels at `zoom`: the 100 % pixels, scaled and
// rounded, so that at 200 % every size is exactly twice its 100 % size.
inline int ZoomedPixels(double pixels100, double zoom) {
    const int base = static_cast<int>(std::lround(pixels100));
    return zoom == 1.0 ? base : static_cast<int>(std::lround(base * zoom));
}

// Common part of every control: its name, its index in a control array, its
// container, the widget that shows it and the handlers bound to its events.
class Control {
public:
    Control(std::string name, int index, Container* container)
            : name_(std::move(name)), index_(index), container_(container) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    Container* container() const { return container_; }
    virtual QWidget* widget() const = 0;

    // Places the widget: layout position and size in twips.
    virtual void placeTwips(int left, int top, int width, int height);
    // Places the widget again at its container's zoom.
    virtual void rezoom();

    void setHandler(Event event, EventHandler handler);
    bool hasHandler(Event event) const;
    // Runs the handler of `event`, if any; args.Index is filled in.
    void raise(Event event, EventArgs args = {}) const;

    // Routes the widget's mouse events to raise() (installed by the builder).
    void watchMouse();

    double containerZoom() const { return container_ ? container_->zoom() : 1.0; }

private:
    std::string name_;
    int index_;
    Container* container_;
    std::array<EventHandler, 6> handlers_;
    std::array<int, 4> placed_{};
    bool isPlaced_ = false;
};

class CommandButton : public Control {
public:
    CommandButton(std::string name, int index, Container* container);
    QWidget* widget() const override { return button_; }
    QPushButton* button() const { return button_; }
    std::string Caption() const;
    // A button with a background colour is drawn in that colour.
    Rgb BackColor() const { return back_; }
    void setBackColor(Rgb colour);

private:
    QPushButton* button_;
    Rgb back_{};
};

class TextBox : public Control {
public:
    TextBox(std::string name, int index, Container* container);
    QWidget* widget() const override { return edit_; }
    QLineEdit* edit() const { return edit_; }
    std::string Text() const;
    void setText(std::string_view text);

private:
    QLineEdit* edit_;
};

class Label : public Control {
public:
    Label(std::string name, int index, Container* container);
    QWidget* widget() const override { return label_; }
    QLabel* label() const { return label_; }
    std::string Caption() const;
    // Left edge in the container's scale units (a ratio inside the output area).
    float Left() const { return left_; }
    void setLeft(float left);
    Rgb ForeColor() const { return fore_; }
    void setForeColor(Rgb colour);
    void setBackColor(Rgb colour);
    void placeTwips(int left, int top, int width, int height) override;
    void rezoom() override;
    // Re-derives the widget's position from Left (after the container's scale changed).
    void reposition();

private:
    QLabel* label_;
    float left_ = 0;
    bool leftSet_ = false;
    Rgb fore_{};
};

class OptionGroup;

// Option button that handlers switch on and off; exclusivity within its
// container is kept by an OptionGroup, which can also leave every member off.
// The arrow keys move the selection within the container's buttons.
// A click always switches the button on (never off).
class OptionButton : public Control {
public:
    OptionButton(std::string name, int index, Container* container);
    QWidget* widget() const override { return radio_; }
    QRadioButton* radio() const { return radio_; }
    bool Value() const;
    // Switching one on switches the others of its group off.
    void setValue(bool on);
    // The arrow keys: focus and switch on the member `step` places on in the
    // group (round the end); false when the button has no group.
    bool selectNeighbour(int step);
    void setGroup(OptionGroup* group) { group_ = group; }
    void rezoom() override;

private:
    QRadioButton* radio_;
    OptionGroup* group_ = nullptr;
};

class OptionGroup {
public:
    void add(OptionButton* button);
    // `button` has been switched on: every other member goes off.
    void switchedOn(OptionButton* button);
    const std::vector<OptionButton*>& members() const { return members_; }

private:
    std::vector<OptionButton*> members_;
};

// Horizontal scroll bar with an integer value. Reports Change after every
// completed change (arrow or track click, keyboard, release of the dragged
// thumb, a value set by program that differs) and Scroll for every
// intermediate position while the thumb is dragged.
class ScrollBar : public Control {
public:
    ScrollBar(std::string name, int index, Container* container);
    QWidget* widget() const override { return bar_; }
    QScrollBar* bar() const { return bar_; }
    int Value() const { return bar_->value(); }
    void setValue(int value);
    void setRange(int min, int max, int smallChange, int largeChange);

private:
    QScrollBar* bar_;
    int valueAtPress_ = 0;
};

// A decoration line: no events, takes no mouse (the pointer reaches whatever
// lies beneath). X1 and X2 are in the container's scale units and can be
// moved at run time; the vertical extent stays where the layout put it.
class LineShape : public Control {
public:
    LineShape(std::string name, int index, Container* container);
    QWidget* widget() const override;
    float X1() const { return x1_; }
    float X2() const { return x2_; }
    void setX1(float x);
    void setX2(float x);
    Rgb BorderColor() const { return colour_; }
    void setBorderColor(Rgb colour);
    // Layout: endpoints in twips, pen width in pixels.
    void placeLine(int x1, int y1, int x2, int y2, int widthPx);
    void reposition();
    void rezoom() override { reposition(); }

private:
    class View;
    View* view_;
    float x1_ = 0, x2_ = 0;
    int y1Twips_ = 0, y2Twips_ = 0;
    int widthPx_ = 1;
    Rgb colour_{};
};

// A decoration oval: no events, takes no mouse.
class OvalShape : public Control {
public:
    OvalShape(std::string name, int index, Container* container);
    QWidget* widget() const override;

private:
    class View;
    View* view_;
};

// A rectangle with a background colour that can hold other controls and
// reports Click and mouse events.
class PictureBox : public Control, public Container {
public:
    PictureBox(std::string name, int index, Container* container, int borderPx = 0);
    QWidget* widget() const override;
    QWidget* surface() const override { return widget(); }
    int interiorOffsetPx() const override { return borderPx(); }
    double zoom() const override { return containerZoom(); }
    double toPixelX(double x) const override { return borderPx() + x / kTwipsPerPixel * zoom(); }
    double toPixelY(double y) const override { return borderPx() + y / kTwipsPerPixel * zoom(); }
    double fromPixelX(double px) const override { return (px - borderPx()) * kTwipsPerPixel / zoom(); }
    double fromPixelY(double py) const override { return (py - borderPx()) * kTwipsPerPixel / zoom(); }

    Rgb BackColor() const { return back_; }
    void setBackColor(Rgb colour);
    // The border in logical pixels at the current zoom.
    int borderPx() const { return border_ == 0 ? 0 : std::max(1, ZoomedPixels(border_, zoom())); }

    // Children whose positions follow the scale (marker lines and labels).
    void addScaledChild(LineShape* line) { scaledLines_.push_back(line); }
    void addScaledChild(Label* label) { scaledLabels_.push_back(label); }

protected:
    class View;
    View* view_;
    void repositionScaledChildren();
    // Paints the interior; the output area draws its persistent image here.
    virtual void paintInterior(class QPainter& painter, const class QRect& dirty);
    virtual void interiorResized() {}
    friend class View;

private:
    Rgb back_{255, 255, 255};
    int border_;
    std::vector<LineShape*> scaledLines_;
    std::vector<Label*> scaledLabels_;
};

} // namespace stimmung
