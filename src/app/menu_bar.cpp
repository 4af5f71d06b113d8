// SPDX-License-Identifier: GPL-3.0-or-later
#include "menu_bar.h"

#include "form_frame.h"
#include "layout_table.h"
#include "listening_menu.h"
#include "main_window.h"
#include "menu_handlers.h"
#include "temperament_menu.h"
#include "zoom.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>

#include <map>
#include <string>

namespace stimmung::app {

namespace {

const QString kZoomKey = QStringLiteral("view/zoomPercent");

bool IsZoomItem(void (*handler)(MenuFrame&)) {
    return handler == mnuVergroessern_Click || handler == mnuVerkleinern_Click || handler == mnuOriginalgroesse_Click;
}

} // namespace

QSettings ProgramSettings() { return QSettings(QStringLiteral("Stimmung"), QStringLiteral("Stimmung")); }

int SavedZoomPercent() { return ValidZoomStep(ProgramSettings().value(kZoomKey, 100).toInt()); }
void SaveZoomPercent(int percent) { ProgramSettings().setValue(kZoomKey, percent); }

MenuFrame::MenuFrame(MainWindow& main) : main_(main), client_(main.window().widget()) {
    setWindowTitle(client_->windowTitle());
    setWindowIcon(client_->windowIcon());
    // The window opens with the focus where the builder put it.
    QWidget* focused = client_->focusWidget();
    client_->setParent(this);
    menuBar_ = new QMenuBar(this);
    std::map<std::string, QMenu*> menus;
    for (const MenuItem& item : MenuItems()) {
        QMenu*& menu = menus[item.menu];
        if (!menu) menu = menuBar_->addMenu(QString::fromUtf8(item.menu));
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        QList<QKeySequence> keys;
        if (item.standardKey != QKeySequence::UnknownKey) keys = QKeySequence::keyBindings(item.standardKey);
        if (item.keys) {
            for (const QString& k : QString::fromUtf8(item.keys).split(u';'))
                if (!keys.contains(QKeySequence(k))) keys.push_back(QKeySequence(k));
        }
        action->setShortcuts(keys);
        if (IsZoomItem(item.handler)) action->setProperty("stimmungZoomItem", true);
        // The window holds the action too, so its keys work with the menu bar hidden.
        addAction(action);
        auto handler = item.handler;
        connect(action, &QAction::triggered, this, [this, handler] { handler(*this); });
    }
    if (QMenu* listening = menus["&Hören"]) AddTimbreItems(*this, *listening);
    if (QMenu* temperaments = menus["&Stimmungen"]) AddTemperamentItems(*this, *temperaments);
    auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(leave, &QShortcut::activated, this, [this] {
        if (fullScreen_) setFullScreenShown(false);
    });
    zoom_ = SavedZoomPercent();
    applyZoom(zoom_);
    client_->show();
    if (focused) focused->setFocus(Qt::OtherFocusReason);
}

MenuFrame::~MenuFrame() {
    // The client area belongs to the main window, which outlives this frame.
    client_->setParent(nullptr);
}

QSize MenuFrame::clientSize100() const {
    const auto& w = layout::Window();
    return QSize(w.clientWidthTwips / kTwipsPerPixel, w.clientHeightTwips / kTwipsPerPixel);
}

void MenuFrame::applyZoom(int percent) {
    shownZoom_ = percent;
    ApplyZoom(main_.window(), percent);
    const QSize client(ZoomedPixels(clientSize100().width(), percent / 100.0),
                       ZoomedPixels(clientSize100().height(), percent / 100.0));
    if (fullScreen_) {
        client_->resize(client);
    } else if (!isMaximized()) {
        resize(client.width(), client.height() + menuBar_->sizeHint().height());
    }
    placeClientArea();
}

void MenuFrame::setZoomPercent(int percent) {
    percent = ValidZoomStep(percent);
    zoom_ = percent;
    SaveZoomPercent(percent);
    if (!fullScreen_) applyZoom(percent);
    emit zoomChanged(percent);
}

void MenuFrame::setFullScreenShown(bool on) {
    if (on == fullScreen_) return;
    fullScreen_ = on;
    for (QAction* action : actions())
        if (action->property("stimmungZoomItem").toBool()) action->setEnabled(!on);
    if (on) {
        normalGeometry_ = geometry();
        const QRect screenRect = screen() ? screen()->geometry() : geometry();
        menuBar_->hide();
        showFullScreen();
        // Without a window manager nothing else makes the window cover the screen.
        setGeometry(screenRect);
        applyZoom(FittingZoom(clientSize100(), screenRect.size()));
    } else {
        showNormal();
        menuBar_->show();
        setGeometry(normalGeometry_);
        applyZoom(zoom_);
    }
}

void MenuFrame::placeClientArea() {
    if (fullScreen_) {
        const QSize c = client_->size();
        client_->move((width() - c.width()) / 2, (height() - c.height()) / 2);
        return;
    }
    const int h = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), h);
    // The client area takes the rest: enlarging the window shows more of it.
    client_->setGeometry(0, h, width(), std::max(0, height() - h));
}

void MenuFrame::resizeEvent(QResizeEvent*) { placeClientArea(); }

void MenuFrame::closeEvent(QCloseEvent* event) {
    // Closing the window by its frame ends the program, as "Programm beenden" does.
    cmdEnde_Click(main_.form());
    event->accept();
}

} // namespace stimmung::app
