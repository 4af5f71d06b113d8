#include "tuning_bindings.h"

namespace stimmung::tuning {

std::span<const EventBinding> Bindings() { return {}; }

} // namespace stimmung::tuning
