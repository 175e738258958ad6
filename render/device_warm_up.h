#pragma once
#include "render/effect_device.h"

namespace qv {

// Draws once, out of sight, with every combination of states the effects
// draw with. A device turns such a combination into a program for the
// graphics hardware (or the software renderer) the first time it sees it,
// which under a software renderer takes long enough to delay the first effect
// of a session visibly; done at start-up, every effect starts at full speed.
void WarmUpDrawing(EffectDevice &device, TextureId texture);

} // namespace qv
