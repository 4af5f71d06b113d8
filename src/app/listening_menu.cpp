// SPDX-License-Identifier: GPL-3.0-or-later
#include "listening_menu.h"

#include "menu_bar.h"
#include "sound_output.h"
#include "timbres.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QSettings>

namespace stimmung::app {

namespace {
const QString kTimbreKey = QStringLiteral("sound/timbre");

QString NameOf(const Timbre& t) { return QString::fromUtf8(t.name.data(), static_cast<qsizetype>(t.name.size())); }
} // namespace

int SavedTimbre() {
    const QString name = ProgramSettings().value(kTimbreKey).toString();
    return static_cast<int>(TimbreIndex(name.toStdString()).value_or(kDefaultTimbre));
}

void SaveTimbre(int index) { ProgramSettings().setValue(kTimbreKey, NameOf(TimbreAt(index))); }

void mnuKlang_Click(MenuFrame& frame, int Index) {
    SetBeepTimbre(TimbreAt(Index).amplitudes);
    SaveTimbre(Index);
    if (auto* group = frame.findChild<QActionGroup*>(QStringLiteral("timbres")))
        if (QAction* item = group->actions().value(Index)) item->setChecked(true);
}

void AddTimbreItems(MenuFrame& frame, QMenu& menu) {
    auto* timbres = new QMenu(QStringLiteral("&Klang"), &menu);
    auto* group = new QActionGroup(&frame);
    group->setObjectName(QStringLiteral("timbres"));
    group->setExclusive(true);
    const int saved = SavedTimbre();
    for (int i = 0; i < static_cast<int>(Timbres().size()); ++i) {
        QAction* item = timbres->addAction(NameOf(TimbreAt(i)));
        item->setCheckable(true);
        item->setChecked(i == saved);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, &frame, [&frame, i] { mnuKlang_Click(frame, i); });
    }
    SetBeepTimbre(TimbreAt(saved).amplitudes);
    QAction* first = menu.actions().value(0);
    menu.insertMenu(first, timbres);
    if (first) menu.insertSeparator(first);
}

} // namespace stimmung::app
