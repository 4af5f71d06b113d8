#include "app_bindings.h"

namespace stimmung::app {

std::span<const EventBinding> HelpLineBindings() { return {}; }

} // namespace stimmung::app
