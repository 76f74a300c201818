#pragma once
// AppState's slot arrays for test code that also includes Qt, whose `slots`
// keyword would otherwise swallow the member name.

#include "core/state.h"

namespace tarnwell::testing {
SolventSlot& slotOf(AppState& state, int k);
BlendSlotResult& blendSlotOf(AppState& state, int k);
}  // namespace tarnwell::testing
