#include "workbench/solvent_slots.h"

namespace tarnwell {

SolventSlot& solventSlot(AppState& state, int k) { return state.solventSlots.at(static_cast<std::size_t>(k)); }

}  // namespace tarnwell
