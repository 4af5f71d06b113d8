// SPDX-License-Identifier: GPL-3.0-or-later
// The markers handlers, bound to their controls by name.
#pragma once

#include "form1.h"

#include <span>

namespace stimmung::markers {

std::span<const EventBinding> Bindings();

} // namespace stimmung::markers
