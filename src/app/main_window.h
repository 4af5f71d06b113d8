// The program's window Form1, built from the layout table: every control
// created at its place with its initial value, every subsystem's handlers
// bound to their controls, and Form_Load run before the window is shown.
#pragma once

#include "form1.h"

#include <memory>
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
};

} // namespace stimmung
