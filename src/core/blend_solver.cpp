#include "core/blend_solver.h"

#include "core/messages.h"
#include "core/numbers.h"
#include "core/solver_limits.h"

#include <cmath>
#include <cstddef>

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

namespace {

// N, D, W may be any 16-bit value, so 3 x 32767^2 needs 64 bits; the sums are
// exact integers and stay exact as doubles.
double dot(TeasPoint x, TeasPoint y) {
    const std::int64_t sum = std::int64_t{x.n} * y.n + std::int64_t{x.d} * y.d + std::int64_t{x.w} * y.w;
    return static_cast<double>(sum);
}

struct PassResult {
    BlendMessage message = BlendMessage::Solved;
    double k1 = 0.0, k2 = 0.0, k3 = 0.0;
};

// The matrix of the normal equations with the row of ones ("+ 1") and its
// pivots, which do not depend on the target. The operations keep the order in
// which they are written, so results match to the last bit of double precision.
struct Elimination {
    double m11 = 0, m12 = 0, m13 = 0, m22 = 0, m23 = 0, m33 = 0;
    double m = 0, gamma = 0, denominator = 0;
    BlendMessage message = BlendMessage::Solved;
};

Elimination eliminate(TeasPoint a, TeasPoint b, TeasPoint c, bool solveK3) {
    Elimination e;
    e.m11 = dot(a, a) + 1, e.m12 = dot(a, b) + 1, e.m13 = dot(a, c) + 1;
    e.m22 = dot(b, b) + 1, e.m23 = dot(b, c) + 1, e.m33 = dot(c, c) + 1;
    const double m11 = e.m11, m12 = e.m12, m13 = e.m13, m21 = e.m12, m31 = e.m13, m32 = e.m23;
    e.m = m21 * m13 / m11 - e.m23;
    e.gamma = e.m22 - m21 * m12 / m11;
    if (std::fabs(e.gamma) < kPivotLimit) {
        e.message = BlendMessage::GammaZero;
        return e;
    }
    if (solveK3) {
        const double m = e.m, gamma = e.gamma;
        e.denominator = e.m33 + m * m32 / gamma - m * m12 * m31 / (m11 * gamma) - m13 * m31 / m11;
        if (std::fabs(e.denominator) < kPivotLimit) e.message = BlendMessage::DenominatorZero;
    }
    return e;
}

// One pass: the elimination, then the concentrations for the target.
PassResult solvePass(TeasPoint a, TeasPoint b, TeasPoint c, TeasPoint t, bool solveK3) {
    PassResult out;
    const Elimination e = eliminate(a, b, c, solveK3);
    if (e.message != BlendMessage::Solved) {
        out.message = e.message;
        return out;
    }
    const double m11 = e.m11, m12 = e.m12, m21 = e.m12, m31 = e.m13, m32 = e.m23;
    const double m = e.m, gamma = e.gamma;
    const double r1 = dot(a, t) + 1, r2 = dot(b, t) + 1, r3 = dot(c, t) + 1;

    const double r2p = r2 - m21 * r1 / m11;
    if (solveK3) {
        const double r3p = r3 - r1 * m31 / m11;
        const double numerator = r3p + (r2p / gamma) * (m12 * m31 / m11 - m32);
        out.k3 = numerator / e.denominator;
    }
    out.k2 = (r2p + m * out.k3) / gamma;
    // Not back-substituted: K1 is what makes the three add up to exactly 1.
    out.k1 = 1 - out.k2 - out.k3;
    return out;
}

}  // namespace

bool withinTolerance(double mixture, std::int16_t target) { return std::fabs(mixture - target) <= kMatchTolerance; }

BlendMessage firstPassRefusal(const std::array<TeasPoint, 3>& slots, bool twoSolventMode) {
    const TeasPoint zero{};
    return eliminate(slots[0], slots[1], twoSolventMode ? zero : slots[2], !twoSolventMode).message;
}

SolveResult solveConcentrations(const std::array<TeasPoint, 3>& slots, TeasPoint target, bool twoSolventMode) {
    SolveResult result;
    const TeasPoint zero{};
    const TeasPoint s1 = slots[0], s2 = slots[1], s3 = twoSolventMode ? zero : slots[2];

    PassResult pass = solvePass(s1, s2, s3, target, !twoSolventMode);
    if (pass.message != BlendMessage::Solved) {
        result.message = pass.message;
        return result;
    }
    result.firstPassK = {pass.k1, pass.k2, pass.k3};
    int leftOut = -1;
    if (pass.k1 < kNegativeLimit || pass.k2 < kNegativeLimit || pass.k3 < kNegativeLimit) {
        leftOut = pass.k1 < kNegativeLimit ? 0 : pass.k2 < kNegativeLimit ? 1 : 2;
        const TeasPoint a = leftOut == 0 ? s3 : s1;
        const TeasPoint b = leftOut == 1 ? s3 : s2;
        pass = solvePass(a, b, zero, target, false);
        if (pass.message != BlendMessage::Solved) {
            result.message = pass.message;
            result.leftOutSlot = leftOut;
            return result;
        }
        if (pass.k1 < kNegativeLimit || pass.k2 < kNegativeLimit || pass.k3 < kNegativeLimit) {
            result.message = BlendMessage::Negative;
            result.leftOutSlot = leftOut;
            return result;
        }
    }
    result.leftOutSlot = leftOut;
    if (pass.k1 > kUpperLimit || pass.k2 > kUpperLimit || pass.k3 > kUpperLimit) {
        result.message = BlendMessage::AboveOne;
        return result;
    }

    // Concentrations by slot, and the mixture over the slots that took part.
    switch (leftOut) {
    case 0: result.concentration = {0.0, pass.k2, pass.k1}; break;
    case 1: result.concentration = {pass.k1, 0.0, pass.k2}; break;
    case 2: result.concentration = {pass.k1, pass.k2, 0.0}; break;
    default: result.concentration = {pass.k1, pass.k2, pass.k3}; break;
    }
    auto mix = [&](std::int16_t TeasPoint::*p) {
        switch (leftOut) {
        case 0: return pass.k2 * (s2.*p) + pass.k1 * (s3.*p);
        case 1: return pass.k1 * (s1.*p) + pass.k2 * (s3.*p);
        case 2: return pass.k1 * (s1.*p) + pass.k2 * (s2.*p);
        default: return pass.k1 * (s1.*p) + pass.k2 * (s2.*p) + pass.k3 * (s3.*p);
        }
    };
    result.mixN = mix(&TeasPoint::n);
    result.mixD = mix(&TeasPoint::d);
    result.mixW = mix(&TeasPoint::w);
    result.passesEnded = true;

    if (!withinTolerance(result.mixN, target.n) || !withinTolerance(result.mixD, target.d) ||
        !withinTolerance(result.mixW, target.w))
        result.message = BlendMessage::OutsideTolerance;
    return result;
}

namespace {

bool slotMissing(const AppState& state, const CalculateRequest& request, std::size_t k) {
    const int row = request.selectedRow[k];
    // A row the table does not have counts as no selection rather than a crash.
    const bool rowValid = row >= 0 && static_cast<std::size_t>(row) < state.table.records.size();
    return !rowValid || !request.nFieldFilled[k];
}

void copyHazardTexts(BlendSlotResult& out, const SolventRecord& record) {
    out.twaText = record.twaText;
    out.vhrText = record.vhrText;
    out.reference = parseWholeNumber(record.reference).value_or(0);
    out.twaMgText = record.twaMgText;
}

}  // namespace

BlendMessage calculateBlend(AppState& state, const CalculateRequest& request) {
    const TargetPoint& target = state.target;
    if (!target.addsTo100()) return BlendMessage::TargetNot100;
    if (slotMissing(state, request, 0)) return BlendMessage::Slot1Missing;
    if (slotMissing(state, request, 1)) return BlendMessage::Slot2Missing;
    const bool two = request.useOnlyTwoSolvents;
    if (!two && slotMissing(state, request, 2)) return BlendMessage::Slot3Missing;

    BlendResult& blend = state.blendResult;
    const auto& records = state.table.records;
    for (std::size_t k = 0; k < 2; ++k)
        copyHazardTexts(blend.slotResults[k], records[static_cast<std::size_t>(request.selectedRow[k])]);
    if (!two) {
        copyHazardTexts(blend.slotResults[2], records[static_cast<std::size_t>(request.selectedRow[2])]);
    } else {
        // Slot 3's reference and mg/m3 text stay as they were.
        blend.slotResults[2].twaText.clear();
        blend.slotResults[2].vhrText.clear();
        SolventSlot& s3 = state.solventSlots[2];
        s3.molarVolume = 0.0;
        s3.n = s3.d = s3.w = 0;
    }

    const std::array<TeasPoint, 3> points{state.solventSlots[0], state.solventSlots[1], state.solventSlots[2]};
    const SolveResult solved = solveConcentrations(points, target, two);
    if (solved.passesEnded) {
        blend.mixN = solved.mixN;
        blend.mixD = solved.mixD;
        blend.mixW = solved.mixW;
        for (std::size_t k = 0; k < 3; ++k) blend.slotResults[k].concentration = solved.concentration[k];
    }
    return solved.message;
}

}  // namespace tarnwell
