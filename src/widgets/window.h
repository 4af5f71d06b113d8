// SPDX-License-Identifier: GPL-3.0-or-later
// The top-level window: its client area is the container of the controls
// that lie directly on the form, in twips. It owns every control, finds them
// by name and index, and ends the program when it is closed.
#pragma once

#include "controls.h"

#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace stimmung {

class Window : public Container {
public:
    Window();
    ~Window() override;

    QWidget* surface() const override;
    QWidget* widget() const { return surface(); }

    // Shows every control `zoom` times its layout size (1 = 100 %), placed
    // again from its layout position; fonts are the builder's to scale.
    double zoom() const override { return zoom_; }
    void setZoom(double zoom);

    // The window as a control of its own ("Form1"), for its mouse events.
    Control& form() { return *formControl_; }

    // Takes ownership; the control is then found by name and index.
    template <class T, class... Args>
    T& add(Args&&... args) {
        auto control = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *control;
        adopt(std::move(control));
        return ref;
    }
    Control* find(const std::string& name, int index = -1) const;
    template <class T>
    T* get(const std::string& name, int index = -1) const {
        return dynamic_cast<T*>(find(name, index));
    }
    // Every control with this name (all members of an array, in index order).
    std::vector<Control*> all(const std::string& name) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

private:
    void adopt(std::unique_ptr<Control> control);
    class View;
    View* view_;
    std::unique_ptr<Control> formControl_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<std::string, int>, Control*> byName_;
    double zoom_ = 1.0;
};

// Dispatches every event that is already waiting, each handler to its end,
// then returns (repaints included).
void ProcessPendingEvents();
// Repaints the widget now, without handling any input.
void RepaintNow(QWidget* widget);

} // namespace stimmung
