#pragma once
// The blend solver: the concentrations of two or three solvents whose mixture
// reproduces a target N, D, W within +/- 0.5. A pure function, cheap enough to
// be called for every pair and triple of a database.

#include "core/state.h"
#include "core/teas_point.h"

#include <array>
#include <cstdint>
#include <string>

namespace tarnwell {

// The outcome of a click on Calculate: Solved, or the message to show.
enum class BlendMessage {
    Solved,
    TargetNot100,      // M1
    Slot1Missing,      // M2
    Slot2Missing,      // M3
    Slot3Missing,      // M4
    GammaZero,         // M5
    DenominatorZero,   // M6
    Negative,          // M7
    AboveOne,          // M8
    OutsideTolerance,  // M9
};

struct MessageText {
    std::string title;
    std::string text;
};
MessageText blendMessageText(BlendMessage message);

struct SolveResult {
    BlendMessage message = BlendMessage::Solved;  // never M1..M4 here
    bool passesEnded = false;                     // concentrations and mixture are set
    std::array<double, 3> concentration{};        // by slot; 0 for a slot left out
    double mixN = 0.0, mixD = 0.0, mixW = 0.0;
    int leftOutSlot = -1;                         // 0..2 when the second pass ran
    std::array<double, 3> firstPassK{};           // K1, K2, K3 of the first pass, once solved
};

// The tolerance test of one parameter: a difference of exactly 0.5 passes.
bool withinTolerance(double mixture, std::int16_t target);

// Whether the first pass refuses these solvents for every target: GammaZero
// (M5) or DenominatorZero (M6), worked out exactly as the solve does (the
// pivots do not depend on the target); Solved when it does not refuse them.
// Points that coincide or lie on one line are refused this way.
BlendMessage firstPassRefusal(const std::array<TeasPoint, 3>& slots, bool twoSolventMode);

// Solves for slots 1..3 (slot 3 ignored and K3 = 0 in two-solvent mode),
// both passes, the sign and upper tests and the tolerance test.
SolveResult solveConcentrations(const std::array<TeasPoint, 3>& slots, TeasPoint target, bool twoSolventMode);

// What the main screen shows when Calculate is pressed.
struct CalculateRequest {
    std::array<int, 3> selectedRow{-1, -1, -1};       // of lstSolvent1..3; -1 none
    std::array<bool, 3> nFieldFilled{false, false, false};  // txtSolventK_N not empty
    bool useOnlyTwoSolvents = false;                  // CheckBox1 ticked
};

// The whole Calculate action on the shared state: validation, the copy of the
// records' hazard texts into the BlendResult (and, with two solvents, zeroing
// slot 3), the solve, and the BlendResult's mixture and concentrations.
BlendMessage calculateBlend(AppState& state, const CalculateRequest& request);

}  // namespace tarnwell
