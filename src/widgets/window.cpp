// SPDX-License-Identifier: GPL-3.0-or-later
#include "window.h"

#include "program_end.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace stimmung {

class Window::View : public QWidget {
public:
    View() : QWidget(nullptr) {}

protected:
    // Closing the window by its frame ends the program, as "Programm beenden" does.
    void closeEvent(QCloseEvent* event) override {
        RequestEnd();
        QCoreApplication::quit();
        event->accept();
    }
};

namespace {
// The window's own surface as a control, for Form_MouseMove.
class FormControl : public Control {
public:
    FormControl(QWidget* view, Container* window) : Control("Form1", -1, window), view_(view) {}
    QWidget* widget() const override { return view_; }

private:
    QWidget* view_;
};
} // namespace

Window::Window() : view_(new View) { formControl_ = std::make_unique<FormControl>(view_, this); }

void Window::setZoom(double zoom) {
    if (!(zoom > 0) || zoom == zoom_) return;
    zoom_ = zoom;
    // Containers come before what they hold, in the order they were added.
    for (const auto& control : controls_) control->rezoom();
}

Window::~Window() {
    // The widgets are children of the view and die with it; the controls
    // never touch their widgets when they are destroyed.
    delete view_;
    byName_.clear();
    controls_.clear();
    formControl_.reset();
}

QWidget* Window::surface() const { return view_; }

void Window::adopt(std::unique_ptr<Control> control) {
    byName_[{control->Name(), control->Index()}] = control.get();
    controls_.push_back(std::move(control));
}

Control* Window::find(const std::string& name, int index) const {
    auto it = byName_.find({name, index});
    return it == byName_.end() ? nullptr : it->second;
}

std::vector<Control*> Window::all(const std::string& name) const {
    std::vector<Control*> found;
    for (auto it = byName_.lower_bound({name, -1}); it != byName_.end() && it->first.first == name; ++it)
        found.push_back(it->second);
    return found;
}

void ProcessPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void RepaintNow(QWidget* widget) {
    if (widget) widget->repaint();
}

} // namespace stimmung
