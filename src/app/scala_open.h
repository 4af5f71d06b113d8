// SPDX-License-Identifier: GPL-3.0-or-later
// "Scala-Datei öffnen": a .scl file read by the core reader and shown: its
// notes drawn like a temperament's, a seven-note octave scale laid on the six
// markers, the scale offered to the listening window and to the export. A
// refused file changes nothing.
#pragma once

#include "tuning_export.h"

#include <QString>

#include <optional>
#include <string>

namespace stimmung::app {

class MenuFrame;

void mnuScalaOeffnen_Click(MenuFrame& frame);

// Reads and shows the file at `path`; the German message to show when it is
// refused, empty when it was read.
std::string OpenScalaFile(Form1& f, const QString& path);

// The scale opened last, as the export writes it; nothing before the first.
std::optional<ExportedTuning> OpenedScalaTuning();
// Its name in menus: the description, else the file name.
QString OpenedScalaName();

} // namespace stimmung::app
