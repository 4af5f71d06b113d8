// SPDX-License-Identifier: GPL-3.0-or-later
// The program's top-level window: the menu bar (Datei, Ansicht, Hören,
// Stimmungen, Hilfe) above the client area of Form1, which keeps its size
// and places at 100 %. It holds the zoom (remembered between runs) and full
// screen, where the menu bar is hidden and the client area is centred at the
// largest zoom that fits.
#pragma once

#include <QWidget>

class QMenuBar;
class QSettings;

namespace stimmung {
class MainWindow;
}

namespace stimmung::app {

class MenuFrame : public QWidget {
    Q_OBJECT
public:
    explicit MenuFrame(MainWindow& main);
    ~MenuFrame() override;

    MainWindow& main() { return main_; }
    QMenuBar* menuBar() const { return menuBar_; }

    int zoomPercent() const { return zoom_; }
    // The zoom outside full screen: applied, kept for the next run.
    void setZoomPercent(int percent);
    bool isFullScreenShown() const { return fullScreen_; }
    void setFullScreenShown(bool on);

signals:
    // The chosen zoom changed; the windows beside this one follow it.
    void zoomChanged(int percent);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void applyZoom(int percent);
    void placeClientArea();
    QSize clientSize100() const;

    MainWindow& main_;
    QWidget* client_;
    QMenuBar* menuBar_;
    int zoom_ = 100;      // chosen by the user
    int shownZoom_ = 100; // in force (full screen has its own)
    bool fullScreen_ = false;
    QRect normalGeometry_;
};

// Where the program keeps its settings (the zoom, the timbre).
QSettings ProgramSettings();
int SavedZoomPercent();
void SaveZoomPercent(int percent);

} // namespace stimmung::app
