#include "state_access.h"

namespace tarnwell::testing {
SolventSlot& slotOf(AppState& state, int k) { return state.solventSlots[static_cast<std::size_t>(k)]; }
BlendSlotResult& blendSlotOf(AppState& state, int k) { return state.blendResult.slotResults[static_cast<std::size_t>(k)]; }
}  // namespace tarnwell::testing
