// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_end.h"

#include <atomic>

namespace stimmung {

namespace {
std::atomic<bool> endRequested{false};
}

void RequestEnd() { endRequested.store(true); }
bool EndRequested() { return endRequested.load(); }
void ResetEndRequest() { endRequested.store(false); }

} // namespace stimmung
