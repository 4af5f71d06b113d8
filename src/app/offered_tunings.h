// SPDX-License-Identifier: GPL-3.0-or-later
// The tunings that the menus offer to the listening window beside the
// window's own: the temperament chosen last and the Scala file opened last.
// Each slot holds one tuning; a new offer replaces the old one.
#pragma once

#include "named_tuning.h"

#include <QObject>

#include <vector>

namespace stimmung::app {

enum class OfferSlot { Temperament, ScalaFile };

class OfferedTunings : public QObject {
    Q_OBJECT
public:
    static OfferedTunings& instance();
    void offer(OfferSlot slot, NamedTuning tuning);
    // The offered tunings in slot order, those not offered left out.
    std::vector<NamedTuning> all() const;

signals:
    void changed();

private:
    std::vector<std::pair<OfferSlot, NamedTuning>> slots_;
};

} // namespace stimmung::app
