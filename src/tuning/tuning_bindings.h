// SPDX-License-Identifier: GPL-3.0-or-later
// The tuning handlers, bound to their controls by name.
#pragma once

#include "form1.h"

#include <span>

namespace stimmung::tuning {

std::span<const EventBinding> Bindings();

} // namespace stimmung::tuning
