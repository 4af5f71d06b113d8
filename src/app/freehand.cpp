#include "app_bindings.h"

namespace stimmung::app {

std::span<const EventBinding> FreehandBindings() { return {}; }

} // namespace stimmung::app
