// SPDX-License-Identifier: GPL-3.0-or-later
// What a user does to the window, as real Qt input events sent to the
// widgets: clicks and presses, pointer moves (also outside a widget while a
// button is held), keys on scroll bars, typing and pasting into text boxes,
// and dragging a scroll bar's thumb. Each call returns when the widget has
// handled its event, handlers included.
#pragma once

#include <QAbstractSlider>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>
#include <QtTest>

#include <vector>

namespace stimmung::test::user {

inline void SendMouse(QWidget* w, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent e(type, at, w->mapToGlobal(at), button, held, modifiers);
    QCoreApplication::sendEvent(w, &e);
}

inline QPointF Centre(QWidget* w) { return QRectF(w->rect()).center(); }

inline void Press(QWidget* w, QPointF at, Qt::MouseButton b, Qt::KeyboardModifiers m = Qt::NoModifier) {
    SendMouse(w, QEvent::MouseButtonPress, at, b, b, m);
}
inline void Move(QWidget* w, QPointF at, Qt::MouseButtons held = Qt::NoButton) {
    SendMouse(w, QEvent::MouseMove, at, Qt::NoButton, held);
}
inline void Release(QWidget* w, QPointF at, Qt::MouseButton b) {
    SendMouse(w, QEvent::MouseButtonRelease, at, b, Qt::NoButton);
}

// Press and release at one point: a click for buttons, swatches and selectors.
inline void Click(QWidget* w, Qt::MouseButton b = Qt::LeftButton, QPointF at = QPointF(-1, -1)) {
    if (at.x() < 0) at = Centre(w);
    Press(w, at, b);
    Release(w, at, b);
}

// A press, moves along `path` with the button held, and the release at its end.
inline void Drag(QWidget* w, Qt::MouseButton b, const std::vector<QPointF>& path) {
    if (path.empty()) return;
    Press(w, path.front(), b);
    for (const QPointF& p : path) Move(w, p, b);
    Release(w, path.back(), b);
}

inline void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(w, key, m); }

// Types `text` key by key: one press and release per character (a
// surrogate pair is one character). Printable ASCII comes with its own key
// code, anything else as a key the keyboard layout composed.
inline void TypeText(QWidget* w, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype n = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, n);
        const char16_t c = text.at(i).unicode();
        const int key = c >= 0x20 && c < 0x7f ? QChar(c).toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, character);
        QCoreApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, character);
        QCoreApplication::sendEvent(w, &release);
        i += n - 1;
    }
}

// Selects the whole text, deletes it and types `text`, key by key.
inline void TypeOver(QLineEdit* edit, const QString& text) {
    Key(edit, Qt::Key_A, Qt::ControlModifier);
    Key(edit, Qt::Key_Delete);
    TypeText(edit, text);
}

// Selects the whole text and pastes `text` over it from the clipboard, as the
// user would paste any text, control characters included.
inline void PasteOver(QLineEdit* edit, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    Key(edit, Qt::Key_A, Qt::ControlModifier);
    Key(edit, Qt::Key_V, Qt::ControlModifier);
}

// The thumb taken, moved through `positions` and let go, as a mouse drag
// reports it: sliderPressed, a value per position, sliderReleased.
inline void DragThumb(QScrollBar* bar, const std::vector<int>& positions) {
    bar->setSliderDown(true);
    for (int p : positions) bar->setSliderPosition(p);
    bar->setSliderDown(false);
}

} // namespace stimmung::test::user
