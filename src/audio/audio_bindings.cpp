#include "audio_bindings.h"

namespace stimmung::audio {

std::span<const EventBinding> Bindings() { return {}; }

} // namespace stimmung::audio
