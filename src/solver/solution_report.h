#pragma once
// The solution report that the blend solver opens when it found a blend.

#include "core/state.h"

class QWidget;

namespace tarnwell {
namespace ui { class Platform; class Navigator; }

// Builds a fresh report from the shared state, titles it "Solver found a
// solution", shows it modally over `mainScreen` and discards it afterwards.
void showSolutionReport(AppState& state, ui::Platform& platform, ui::Navigator& navigator, QWidget* mainScreen);

}  // namespace tarnwell
