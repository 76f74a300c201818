// The blend solver: the worked examples, the singular cases, the sign and
// upper tests, the tolerance edge, and the whole Calculate action on the state.
// Expected concentrations come from exact rational solutions of the normal
// equations (done by hand / with fractions outside the program), not from the
// code under test.

#include "core/blend_solver.h"
#include "core/messages.h"

#include <gtest/gtest.h>

namespace tarnwell {
namespace {

constexpr double k5 = 0.000005;  // five decimals

struct WorkedExample {
    const char* name;
    std::array<TeasPoint, 3> slots;
    TeasPoint target;
    bool two;
    int leftOut;
    std::array<double, 3> firstPass;  // only checked where given (non-zero)
    std::array<double, 3> concentration;
    std::array<double, 3> mix;
};

void PrintTo(const WorkedExample& e, std::ostream* os) { *os << e.name; }

class WorkedExamples : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, MatchToFiveDecimals) {
    const WorkedExample& e = GetParam();
    const SolveResult r = solveConcentrations(e.slots, e.target, e.two);
    EXPECT_EQ(r.message, BlendMessage::Solved);
    ASSERT_TRUE(r.passesEnded);
    EXPECT_EQ(r.leftOutSlot, e.leftOut);
    for (std::size_t k = 0; k < 3; ++k) {
        if (e.firstPass[k] != 0.0) {
            EXPECT_NEAR(r.firstPassK[k], e.firstPass[k], k5) << "first pass K" << k + 1;
        }
        EXPECT_NEAR(r.concentration[k], e.concentration[k], k5) << "slot " << k + 1;
    }
    EXPECT_NEAR(r.mixN, e.mix[0], 0.005);
    EXPECT_NEAR(r.mixD, e.mix[1], 0.005);
    EXPECT_NEAR(r.mixW, e.mix[2], 0.005);
    EXPECT_NEAR(r.concentration[0] + r.concentration[1] + r.concentration[2], 1.0, 1e-12);
}

// Exact solutions: 5/12, 1/4, 1/3. First pass of example 2: K3 = -0.0125858;
// without slot 3: 0.0603705, 0.9396295. Example 3: first-pass K1 = -0.0022883;
// slot 3 and slot 2 alone: 0.2815615 (slot 3), 0.7184385 (slot 2).
// Two solvents: K2 = r2'/gamma = (4191 - 4557*6661/8857) / (3835 - 4557^2/8857) = 0.5125252.
INSTANTIATE_TEST_SUITE_P(
    Blend, WorkedExamples,
    ::testing::Values(
        WorkedExample{"firstPass", {{{80, 10, 10}, {40, 10, 50}, {50, 40, 10}}}, {60, 20, 20}, false, -1,
                      {5.0 / 12, 0.25, 1.0 / 3}, {5.0 / 12, 0.25, 1.0 / 3}, {60, 20, 20}},
        WorkedExample{"withoutSlot3", {{{94, 4, 2}, {47, 16, 37}, {65, 30, 5}}}, {50, 15, 35}, false, 2,
                      {0.068650, 0.943936, -0.012586}, {0.06037, 0.93963, 0}, {49.84, 15.28, 34.89}},
        WorkedExample{"withoutSlot1", {{{94, 4, 2}, {47, 16, 37}, {65, 30, 5}}}, {52, 20, 28}, false, 0,
                      {-0.002288, 0.718535, 0.283753}, {0, 0.71844, 0.28156}, {52.07, 19.94, 27.99}},
        WorkedExample{"twoSolvents", {{{94, 4, 2}, {47, 16, 37}, {0, 0, 0}}}, {70, 10, 20}, true, -1,
                      {0.48747, 0.51253, 0}, {0.48747, 0.51253, 0}, {69.91, 10.15, 19.94}},
        // Slot 3 holds a solvent, but in two-solvent mode it takes no part.
        WorkedExample{"twoSolventsIgnoreSlot3", {{{94, 4, 2}, {47, 16, 37}, {65, 30, 5}}}, {70, 10, 20}, true, -1,
                      {0.48747, 0.51253, 0}, {0.48747, 0.51253, 0}, {69.91, 10.15, 19.94}},
        // The target is solvent 2 itself.
        WorkedExample{"targetIsSlot2", {{{80, 10, 10}, {40, 10, 50}, {50, 40, 10}}}, {40, 10, 50}, false, -1,
                      {0, 1, 0}, {0, 1, 0}, {40, 10, 50}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    std::array<TeasPoint, 3> slots;
    TeasPoint target;
    bool two;
    BlendMessage expected;
    bool passesEnded;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class SolveFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SolveFailures, GiveTheirMessage) {
    const FailureCase& c = GetParam();
    const SolveResult r = solveConcentrations(c.slots, c.target, c.two);
    EXPECT_EQ(r.message, c.expected);
    EXPECT_EQ(r.passesEnded, c.passesEnded);
}

INSTANTIATE_TEST_SUITE_P(
    Blend, SolveFailures,
    ::testing::Values(
        // Same solvent in slots 1 and 2: gamma is exactly 0, whatever the target.
        FailureCase{"sameSlots12", {{{47, 32, 21}, {47, 32, 21}, {80, 7, 13}}}, {60, 20, 20}, false,
                    BlendMessage::GammaZero, false},
        FailureCase{"sameSlots12TwoSolvents", {{{47, 32, 21}, {47, 32, 21}, {0, 0, 0}}}, {47, 32, 21}, true,
                    BlendMessage::GammaZero, false},
        // Same solvent in slots 1 and 3, or 2 and 3: the third pivot is 0.
        FailureCase{"sameSlots13", {{{47, 32, 21}, {80, 7, 13}, {47, 32, 21}}}, {60, 20, 20}, false,
                    BlendMessage::DenominatorZero, false},
        FailureCase{"sameSlots23", {{{47, 32, 21}, {80, 7, 13}, {80, 7, 13}}}, {60, 20, 20}, false,
                    BlendMessage::DenominatorZero, false},
        // Three points on one straight line.
        FailureCase{"collinear", {{{80, 10, 10}, {50, 40, 10}, {20, 70, 10}}}, {50, 40, 10}, false,
                    BlendMessage::DenominatorZero, false},
        // Exact first pass -1/7, -1/7, 9/7: slot 1 is left out; slot 3 and
        // slot 2 alone give 1.1721, -0.1721: still negative.
        FailureCase{"secondPassNegative", {{{80, 10, 10}, {10, 80, 10}, {10, 10, 80}}}, {0, 0, 100}, false,
                    BlendMessage::Negative, false},
        // First pass (exact) -3.0855e-6, 1.0000130, -9.9540e-6: nothing below
        // -0.00001, K2 above 1.00001. Sixteen-bit values make this reachable.
        FailureCase{"aboveOne", {{{-11820, 903, 7229}, {27, 24, 49}, {-19133, 9171, -27233}}}, {26, 24, 50}, false,
                    BlendMessage::AboveOne, false},
        // Two solvents far from the target: the mixture misses it.
        FailureCase{"outsideTolerance", {{{94, 4, 2}, {47, 16, 37}, {0, 0, 0}}}, {50, 40, 10}, true,
                    BlendMessage::OutsideTolerance, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BlendSolver, FirstNegativeInOrderIsLeftOut) {
    // Exact first pass -1/7, -1/7, 9/7: K1 and K2 both negative, only slot 1 goes.
    const SolveResult r = solveConcentrations({{{80, 10, 10}, {10, 80, 10}, {10, 10, 80}}}, {0, 0, 100}, false);
    EXPECT_NEAR(r.firstPassK[0], -1.0 / 7, k5);
    EXPECT_NEAR(r.firstPassK[1], -1.0 / 7, k5);
    EXPECT_NEAR(r.firstPassK[2], 9.0 / 7, k5);
    EXPECT_EQ(r.leftOutSlot, 0);
    EXPECT_EQ(r.message, BlendMessage::Negative);
}

TEST(BlendSolver, SixteenBitValuesDoNotOverflow) {
    // 3 x 32767^2 is beyond a 32-bit int. Exact first pass: -0.000230301,
    // -0.000688057, 1.000918358 (K1, K2 both negative: slot 1 goes).
    const SolveResult r =
        solveConcentrations({{{32767, 32767, 32767}, {-32768, -32768, 32767}, {0, 0, 100}}}, {10, 20, 70}, false);
    EXPECT_NEAR(r.firstPassK[0], -0.000230301, 1e-8);
    EXPECT_NEAR(r.firstPassK[1], -0.000688057, 1e-8);
    EXPECT_NEAR(r.firstPassK[2], 1.000918358, 1e-8);
    EXPECT_EQ(r.leftOutSlot, 0);
}

TEST(BlendSolver, ToleranceEdge) {
    struct Case { double mix; std::int16_t target; bool within; };
    for (const Case c : {Case{50.5, 50, true}, Case{49.5, 50, true}, Case{50.5000001, 50, false},
                         Case{49.4999999, 50, false}, Case{0.0, 0, true}})
        EXPECT_EQ(withinTolerance(c.mix, c.target), c.within) << c.mix << " vs " << c.target;

    // By symmetry N and D of the mixture are equal: with K2 = 1/4 exactly
    // (r2' = 500150/10001, gamma = 2000600/10001) the mixture is (2.5, 2.5, 95),
    // exactly 0.5 from N = 2 and D = 3: a solution.
    SolveResult edge = solveConcentrations({{{0, 0, 100}, {10, 10, 80}, {0, 0, 0}}}, {2, 3, 95}, true);
    EXPECT_EQ(edge.message, BlendMessage::Solved);
    EXPECT_DOUBLE_EQ(edge.mixN, 2.5);
    EXPECT_DOUBLE_EQ(edge.mixD, 2.5);
    // One step further (target D = 4): 1.5 away, not a solution.
    edge = solveConcentrations({{{0, 0, 100}, {10, 10, 80}, {0, 0, 0}}}, {1, 4, 95}, true);
    EXPECT_EQ(edge.message, BlendMessage::OutsideTolerance);
}

// --- The Calculate action on the shared state ------------------------------------

SolventRecord record(const char* name, const char* ref, const char* n, const char* d, const char* w,
                     const char* twa, const char* vhr, const char* twaMg) {
    SolventRecord r;
    r.label = std::string(ref) + ":   " + name;
    r.reference = ref;
    r.n = n, r.d = d, r.w = w;
    r.twaText = twa, r.vhrText = vhr, r.twaMgText = twaMg;
    r.molarVolume = "100", r.molecularWeight = "100";
    r.effects = "Eyes";
    return r;
}

AppState stateWithSlots() {
    AppState s;
    s.table.records = {record("A", "2", "94", "4", "2", "100", "289", "375"),
                       record("B", "3", "47", "16", "37", "1000", "58", "1900"),
                       record("C", "2", "65", "30", "5", "250", "1057", "590")};
    s.solventSlots[0].n = 94, s.solventSlots[0].d = 4, s.solventSlots[0].w = 2, s.solventSlots[0].molarVolume = 106;
    s.solventSlots[1].n = 47, s.solventSlots[1].d = 16, s.solventSlots[1].w = 37, s.solventSlots[1].molarVolume = 58;
    s.solventSlots[2].n = 65, s.solventSlots[2].d = 30, s.solventSlots[2].w = 5, s.solventSlots[2].molarVolume = 74;
    s.target.n = 50, s.target.d = 15, s.target.w = 35;
    return s;
}

CalculateRequest allFilled() {
    CalculateRequest r;
    r.selectedRow = {0, 1, 2};
    r.nFieldFilled = {true, true, true};
    return r;
}

TEST(CalculateBlend, ValidationInOrder) {
    struct Case { const char* name; int target; std::array<int, 3> rows; std::array<bool, 3> filled; bool two;
                  BlendMessage expected; };
    const Case cases[] = {
        {"target 99, nothing chosen", 99, {-1, -1, -1}, {false, false, false}, false, BlendMessage::TargetNot100},
        {"target 101", 101, {0, 1, 2}, {true, true, true}, false, BlendMessage::TargetNot100},
        {"slot 1 no row", 100, {-1, 1, 2}, {true, true, true}, false, BlendMessage::Slot1Missing},
        {"slot 1 empty field", 100, {0, 1, 2}, {false, true, true}, false, BlendMessage::Slot1Missing},
        {"slot 2 before 3", 100, {0, -1, -1}, {true, true, true}, false, BlendMessage::Slot2Missing},
        {"slot 2 empty field", 100, {0, 1, 2}, {true, false, true}, false, BlendMessage::Slot2Missing},
        {"slot 3 no row", 100, {0, 1, -1}, {true, true, true}, false, BlendMessage::Slot3Missing},
        {"slot 3 empty field", 100, {0, 1, 2}, {true, true, false}, false, BlendMessage::Slot3Missing},
        {"row beyond the table", 100, {0, 1, 7}, {true, true, true}, false, BlendMessage::Slot3Missing},
        {"two solvents, slot 3 empty", 100, {0, 1, -1}, {true, true, false}, true, BlendMessage::Solved},
    };
    for (const Case& c : cases) {
        AppState s = stateWithSlots();
        s.target.w = static_cast<std::int16_t>(c.target - 65);
        CalculateRequest r;
        r.selectedRow = c.rows;
        r.nFieldFilled = c.filled;
        r.useOnlyTwoSolvents = c.two;
        EXPECT_EQ(calculateBlend(s, r), c.expected) << c.name;
    }
}

TEST(CalculateBlend, CopiesHazardTextsAndWritesTheSolve) {
    AppState s = stateWithSlots();
    ASSERT_EQ(calculateBlend(s, allFilled()), BlendMessage::Solved);
    const BlendResult& b = s.blendResult;
    EXPECT_EQ(b.slotResults[0].twaText, "100");
    EXPECT_EQ(b.slotResults[1].vhrText, "58");
    EXPECT_EQ(b.slotResults[2].twaMgText, "590");
    EXPECT_EQ(b.slotResults[1].reference, 3);
    EXPECT_NEAR(b.slotResults[0].concentration, 0.06037, k5);
    EXPECT_NEAR(b.slotResults[1].concentration, 0.93963, k5);
    EXPECT_EQ(b.slotResults[2].concentration, 0.0);
    EXPECT_NEAR(b.mixN, 49.84, 0.005);
}

TEST(CalculateBlend, TwoSolventModeClearsSlot3ButKeepsItsReference) {
    AppState s = stateWithSlots();
    s.target = {70, 10, 20, 0, "", "", "", ""};
    s.blendResult.slotResults[2] = {0.7, 9, "old twa", "old mg", "old vhr"};
    CalculateRequest r = allFilled();
    r.useOnlyTwoSolvents = true;
    ASSERT_EQ(calculateBlend(s, r), BlendMessage::Solved);
    const BlendSlotResult& third = s.blendResult.slotResults[2];
    EXPECT_EQ(third.twaText, "");
    EXPECT_EQ(third.vhrText, "");
    EXPECT_EQ(third.reference, 9);
    EXPECT_EQ(third.twaMgText, "old mg");
    EXPECT_EQ(third.concentration, 0.0);
    EXPECT_EQ(s.solventSlots[2].n + s.solventSlots[2].d + s.solventSlots[2].w, 0);
    EXPECT_EQ(s.solventSlots[2].molarVolume, 0.0);
    EXPECT_NEAR(s.blendResult.slotResults[0].concentration, 0.48747, k5);
}

TEST(CalculateBlend, MixtureWrittenOnToleranceFailureOnly) {
    // Outside tolerance: the passes ended, so the figures are written.
    AppState s = stateWithSlots();
    s.target = {50, 40, 10, 0, "", "", "", ""};
    CalculateRequest r = allFilled();
    r.useOnlyTwoSolvents = true;
    EXPECT_EQ(calculateBlend(s, r), BlendMessage::OutsideTolerance);
    EXPECT_NE(s.blendResult.mixN, 0.0);

    // A singular system: the hazard texts are copied, the figures are not.
    AppState t = stateWithSlots();
    t.solventSlots[1] = t.solventSlots[0];
    t.blendResult.mixN = -7;
    EXPECT_EQ(calculateBlend(t, allFilled()), BlendMessage::GammaZero);
    EXPECT_EQ(t.blendResult.mixN, -7);
    EXPECT_EQ(t.blendResult.slotResults[2].twaText, "250");
}

TEST(BlendMessages, TitlesAndTextsExactly) {
    EXPECT_EQ(blendMessageText(BlendMessage::TargetNot100).text,
              "The target solubility parameters must add up to 100. \r\rPlease change your target values.");
    EXPECT_EQ(blendMessageText(BlendMessage::Slot3Missing).title, "Tarnwell Error");
    EXPECT_EQ(blendMessageText(BlendMessage::DenominatorZero).text,
              "Division by zero.  Solver cannot calculate a solution.\r\rPlease select a different combination of solvents");
    const std::string body =
        "The program could not match these solubility parameters using this combination of solvents.  \r"
        "Please try a different combination.\r\n\r\nThis program tries to match each solubility paramater within "
        "+/- 0.5. It may be possible to find \ra less accurate match (+/- 2) using the Excel version of Tarnwell.";
    EXPECT_EQ(blendMessageText(BlendMessage::Negative).text, body + "  See Help page 5.");
    EXPECT_EQ(blendMessageText(BlendMessage::AboveOne).text, body + " See Help page 5.");
    EXPECT_EQ(blendMessageText(BlendMessage::OutsideTolerance).title, "No solution: outside tolerance");
    EXPECT_EQ(blendMessageText(BlendMessage::GammaZero).title, "Tarnwell: gamma");
}

}  // namespace
}  // namespace tarnwell
