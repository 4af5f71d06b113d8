// SPDX-License-Identifier: GPL-3.0-or-later
#include "first_frame.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace stimmung {
namespace {

// Watches the window for its first paint event. The paint and the flush of
// the window's backing store finish before the event loop takes the next
// timer, so a zero timer queued at the paint fires after the frame is shown.
class FirstFrameWatcher : public QObject {
public:
    FirstFrameWatcher(QWidget* window, std::function<void()> task, std::chrono::milliseconds fallback)
            : QObject(window), task_(std::move(task)) {
        window->installEventFilter(this);
        QTimer::singleShot(fallback, this, [this] { fire(); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !queued_) {
            queued_ = true;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { fire(); });
        }
        return false;
    }

private:
    void fire() {
        if (done_) return;
        done_ = true;
        auto task = std::move(task_);
        deleteLater();
        task();
    }

    std::function<void()> task_;
    bool queued_ = false;
    bool done_ = false;
};

} // namespace

void AfterFirstFrame(QWidget* window, std::function<void()> task, std::chrono::milliseconds fallback) {
    new FirstFrameWatcher(window, std::move(task), fallback);
}

} // namespace stimmung
