// SPDX-License-Identifier: GPL-3.0-or-later
// Small helpers for the audio widget tests: the recorder's requests as a
// readable text ("360/140 405/140 sleep 1000"), and clicks posted to a
// widget so that they wait, as a user's would, for the next
// ProcessPendingEvents.
#pragma once

#include "recording_sound_output.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace stimmung::test {

inline QString RequestsText(const RecordingSoundOutput& sound) {
    QStringList parts;
    for (const SoundRequest& r : sound.requests()) {
        if (r.kind == SoundRequest::Kind::Sleep)
            parts << QStringLiteral("sleep %1").arg(r.durationMs);
        else
            parts << QStringLiteral("%1/%2").arg(r.frequencyHz).arg(r.durationMs);
    }
    return parts.join(' ');
}

inline QString FrequenciesText(const RecordingSoundOutput& sound) {
    QStringList parts;
    for (const auto& [frequency, duration] : sound.beeps()) parts << QString::number(frequency);
    return parts.join(' ');
}

// A left press and release in the widget's centre, queued behind whatever
// is waiting; the release is what makes a button click.
inline void PostClick(QWidget* widget, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at = QRectF(widget->rect()).center();
    const QPointF global = widget->mapToGlobal(at);
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, at, global, button, button, {}));
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, at, global, button, {}, {}));
}

} // namespace stimmung::test
