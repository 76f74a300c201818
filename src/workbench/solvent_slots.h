#pragma once
// Access to the main screen's solvent slots by column. Kept out of the Qt
// sources because Qt defines `slots` as a keyword macro, which hides
// AppState's member of that name in any file that includes a Qt header.

#include "core/state.h"

namespace tarnwell {

// Column k = 0, 1, 2 (solvent #1, #2, #3).
SolventSlot& solventSlot(AppState& state, int k);

}  // namespace tarnwell
