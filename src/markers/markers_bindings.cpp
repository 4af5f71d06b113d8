#include "markers_bindings.h"

namespace stimmung::markers {

std::span<const EventBinding> Bindings() { return {}; }

} // namespace stimmung::markers
