#include "core/blend_solver.h"

#include "core/messages.h"

namespace tarnwell {

MessageText blendMessageText(BlendMessage message) {
    using namespace messages;
    switch (message) {
    case BlendMessage::Solved: return {kSolutionTitle, ""};
    case BlendMessage::TargetNot100: return {kErrorTitle, kM1};
    case BlendMessage::Slot1Missing: return {kErrorTitle, kM2};
    case BlendMessage::Slot2Missing: return {kErrorTitle, kM3};
    case BlendMessage::Slot3Missing: return {kErrorTitle, kM4};
    case BlendMessage::GammaZero: return {kM5Title, kM5};
    case BlendMessage::DenominatorZero: return {kM6Title, kM6};
    case BlendMessage::Negative: return {kM7Title, m7()};
    case BlendMessage::AboveOne: return {kM8Title, m8()};
    case BlendMessage::OutsideTolerance: return {kM9Title, m9()};
    }
    return {kErrorTitle, ""};
}

// Placeholder until the solver lands: only the target check.
SolveResult solveConcentrations(const std::array<Triple, 3>&, Triple, bool) { return {}; }

BlendMessage calculateBlend(AppState& state, const CalculateRequest&) {
    if (state.target.n + state.target.d + state.target.w != 100) return BlendMessage::TargetNot100;
    return BlendMessage::OutsideTolerance;
}

}  // namespace tarnwell
