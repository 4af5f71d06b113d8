// SPDX-License-Identifier: GPL-3.0-or-later
// The program's window Form1, built from the layout table: every control
// created at its place with its initial value, every subsystem's handlers
// bound to their controls, and Form_Load run before the window is shown.
#pragma once

#include "form1.h"

#include <memory>
#include <string>
#include <vector>

namespace stimmung {

class MainWindow {
public:
    // `traceDrawing`: the output area notes every drawing operation from the
    // start (for tests).
    explicit MainWindow(bool traceDrawing = false);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Form1& form() { return form_; }
    Window& window() { return *window_; }
    void show();
    // What did not fit when the window was built: a Form1 name without its
    // control, a layout control missing in Form1, a binding for an unknown
    // control, a control and event bound twice (the first binding stays).
    // Empty when everything fits.
    const std::vector<std::string>& wiringFaults() const { return faults_; }

private:
    void createControls(bool traceDrawing);
    void createDecorations();
    void setInitialValues();
    void setTabOrder();
    void bindForm1();
    void bindHandlers();

    std::unique_ptr<Window> window_;
    std::vector<std::unique_ptr<OptionGroup>> groups_;
    Form1 form_;
    std::vector<std::string> faults_;
};

} // namespace stimmung
