// Test liquids: a listed solvent or a mixture made by the calculator's own
// arithmetic, the failures the window reports, and series between two solvents.

#include "core/mixture.h"
#include "core/solubility_trial.h"
#include "test_database.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarnwell {
namespace {

using testing::TestSolvent;

// A (90, 5, 5) of molar volume 100, B (60, 30, 10) of 50, C (20, 20, 60) of 80.
SolventTable abcTable() {
    return testing::tableOf({
        {"A", 2, 90, 5, 5, "100", "100", "100"},
        {"B", 2, 60, 30, 10, "100", "100", "50"},
        {"C", 3, 20, 20, 60, "100", "100", "80"},
    });
}

constexpr int kA = 0, kB = 1, kC = 2, kCustom = 3;

TEST(TestLiquid, FromRecordKeepsLabelAndWholeNumbers) {
    const SolventTable t = abcTable();
    const LiquidOutcome made = liquidFromRecord(t, kC);
    ASSERT_TRUE(std::holds_alternative<TestLiquid>(made));
    const TestLiquid& c = std::get<TestLiquid>(made);
    EXPECT_EQ(c.name, "3:   C");
    EXPECT_EQ(c.n, 20);
    EXPECT_EQ(c.d, 20);
    EXPECT_EQ(c.w, 60);
    EXPECT_EQ(c.result, TestResult::NotTried);
    EXPECT_TRUE(c.components.empty());
    EXPECT_EQ(solventShortName(t.records[kC]), "C");
}

TEST(TestLiquid, MixturesTakeTheCalculatorsNumbers) {
    const SolventTable t = abcTable();
    struct Case {
        std::vector<MixturePart> parts;
        double n, d, w;
        const char* name;
    } cases[] = {
        // Moles .005 and .01: x = 1/3, 2/3. N = 30 + 40 = 70, D = 5/3 + 20 = 21.67,
        // W = 5/3 + 20/3 = 8.33; the nearest whole numbers already add to 100.
        {{{kA, "0.50"}, {kB, "0.5"}}, 70, 22, 8, "A 50 % + B 50 %"},
        // Moles .001, .005, .008125: x = .0708, .3540, .5752. N = 39.115,
        // D = 22.478, W = 38.407 round to 99; all parts below .5, so the
        // smallest (N's .115) is raised: 40, 22, 38.
        {{{kA, "0.10"}, {kB, "0.25"}, {kC, "0.65"}}, 40, 22, 38, "A 10 % + B 25 % + C 65 %"},
        // N = 38.803, D = 23.590, W = 37.607 round to 101; all parts .5 or
        // more, so the largest (N's .803) gives way: 38, 24, 38.
        {{{kA, ".05"}, {kB, "0.3"}, {kC, "0.65"}}, 38, 24, 38, "A 5 % + B 30 % + C 65 %"},
        // A fraction of 0 is a part of the mixture all the same.
        {{{kA, "1"}, {kB, "0"}}, 90, 5, 5, "A 100 % + B 0 %"},
    };
    for (const Case& c : cases) {
        const LiquidOutcome made = liquidFromMixture(t, c.parts);
        ASSERT_TRUE(std::holds_alternative<TestLiquid>(made)) << c.name;
        const TestLiquid& l = std::get<TestLiquid>(made);
        EXPECT_EQ(l.name, c.name);
        EXPECT_EQ(l.n, c.n) << c.name;
        EXPECT_EQ(l.d, c.d) << c.name;
        EXPECT_EQ(l.w, c.w) << c.name;
        ASSERT_EQ(l.components.size(), c.parts.size());
        EXPECT_EQ(l.components[0].label, "2:   A");
    }
    const TestLiquid three = std::get<TestLiquid>(liquidFromMixture(t, cases[1].parts));
    EXPECT_EQ(three.components[2], (LiquidComponent{"3:   C", 65}));
}

TEST(TestLiquid, BadInputSaysWhyAndMakesNothing) {
    SolventTable t = abcTable();
    // A record whose numbers no longer read, as a damaged table would give.
    t.records.push_back(t.records[kA]);
    t.records.back().n = t.own("x");
    const int unreadable = static_cast<int>(t.records.size()) - 1;
    t.records.push_back(t.records[kB]);
    t.records.back().molarVolume = t.own("0");
    const int noVolume = static_cast<int>(t.records.size()) - 1;

    struct Case {
        std::vector<MixturePart> parts;
        LiquidProblem problem;
        int part;
    } cases[] = {
        {{{kA, "0.5"}, {kB, "0.4"}}, LiquidProblem::FractionsNotOne, 0},
        {{{kA, "0.30"}, {kB, "0.30"}, {kC, "0.30"}}, LiquidProblem::FractionsNotOne, 0},
        {{{kA, "0.5"}, {-1, "0.5"}}, LiquidProblem::NoSolvent, 2},
        {{{kA, "0.5"}, {99, "0.5"}}, LiquidProblem::NoSolvent, 2},
        {{{kCustom, "0.5"}, {kB, "0.5"}}, LiquidProblem::CustomRow, 1},
        {{{kA, "0.5"}, {kB, "half"}}, LiquidProblem::UnreadableFraction, 2},
        {{{kA, "1.5"}, {kB, "-0.5"}}, LiquidProblem::UnreadableFraction, 1},
        {{{kA, "0.5"}, {unreadable, "0.5"}}, LiquidProblem::UnreadableRecord, 2},
        {{{kA, "0.5"}, {noVolume, "0.5"}}, LiquidProblem::NoMixturePoint, 0},
        {{{kA, "1"}}, LiquidProblem::TooFewParts, 0},
        // Parts are checked before the total.
        {{{kA, "0.9"}, {kCustom, "0.9"}}, LiquidProblem::CustomRow, 2},
    };
    for (const Case& c : cases) {
        const LiquidOutcome made = liquidFromMixture(t, c.parts);
        ASSERT_TRUE(std::holds_alternative<LiquidFailure>(made)) << static_cast<int>(c.problem);
        EXPECT_EQ(std::get<LiquidFailure>(made).problem, c.problem);
        EXPECT_EQ(std::get<LiquidFailure>(made).part, c.part) << static_cast<int>(c.problem);
    }
    EXPECT_EQ(std::get<LiquidFailure>(liquidFromRecord(t, kCustom)).problem, LiquidProblem::CustomRow);
    EXPECT_EQ(std::get<LiquidFailure>(liquidFromRecord(t, -1)).problem, LiquidProblem::NoSolvent);
    EXPECT_EQ(std::get<LiquidFailure>(liquidFromRecord(t, unreadable)).problem, LiquidProblem::UnreadableRecord);

    EXPECT_EQ(liquidFailureText({LiquidProblem::FractionsNotOne, 0}),
              "The volume fractions must add up to 1.00.  Please enter different values.");
    EXPECT_EQ(liquidFailureText({LiquidProblem::NoSolvent, 2}), "Please choose a solvent for part 2 of the mixture.");
    EXPECT_EQ(liquidFailureText({LiquidProblem::UnreadableFraction, 3}),
              "The volume fraction of part 3 must be a number between 0.00 and 1.00.");
}

TEST(TestLiquid, ChartPlaceNeedsEachValueFrom0To100) {
    EXPECT_TRUE(hasChartPlace(100, 0, 0));
    EXPECT_TRUE(hasChartPlace(33.5, 33.5, 33));
    EXPECT_TRUE(hasChartPlace(40, 30, 29));  // not 100: the chart takes the proportions
    EXPECT_FALSE(hasChartPlace(0, 0, 0));
    EXPECT_FALSE(hasChartPlace(101, 0, 0));
    EXPECT_FALSE(hasChartPlace(-1, 50, 51));
    EXPECT_FALSE(hasChartPlace(std::nan(""), 50, 50));
}

TEST(TestLiquid, SeriesRunsFromTheFirstSolventToTheSecond) {
    const SolventTable t = abcTable();
    const SeriesOutcome made = liquidSeries(t, kA, kB);
    ASSERT_TRUE(std::holds_alternative<std::vector<TestLiquid>>(made));
    const auto& series = std::get<std::vector<TestLiquid>>(made);
    ASSERT_EQ(series.size(), 11u);  // 100/0, 90/10, ... 0/100
    EXPECT_EQ(series.front().name, "2:   A");
    EXPECT_TRUE(series.front().components.empty());
    EXPECT_EQ(series[1].name, "A 90 % + B 10 %");
    EXPECT_EQ(series[9].name, "A 10 % + B 90 %");
    EXPECT_EQ(series.back().name, "2:   B");
    // Each step the calculator's mixture of those fractions; N falls from A's 90 to B's 60.
    for (std::size_t i = 1; i + 1 < series.size(); ++i) {
        const int second = static_cast<int>(i) * 10;
        const TestLiquid expected = std::get<TestLiquid>(
            liquidFromMixture(t, {{kA, std::to_string(100 - second) + "e-2"}, {kB, std::to_string(second) + "e-2"}}));
        EXPECT_EQ(series[i], expected) << i;
        EXPECT_LE(series[i].n, series[i - 1].n);
        EXPECT_EQ(series[i].n + series[i].d + series[i].w, 100);
    }

    const auto uneven = std::get<std::vector<TestLiquid>>(liquidSeries(t, kA, kC, 30, false));
    ASSERT_EQ(uneven.size(), 3u);  // 70/30, 40/60, 10/90; the pure ends left out
    EXPECT_EQ(uneven[0].name, "A 70 % + C 30 %");
    EXPECT_EQ(uneven[2].name, "A 10 % + C 90 %");

    for (int step : {0, 51, -10})
        EXPECT_EQ(std::get<LiquidFailure>(liquidSeries(t, kA, kB, step)).problem, LiquidProblem::StepOutOfRange);
    const LiquidFailure custom = std::get<LiquidFailure>(liquidSeries(t, kA, kCustom));
    EXPECT_EQ(custom.problem, LiquidProblem::CustomRow);
    EXPECT_EQ(custom.part, 2);
}

}  // namespace
}  // namespace tarnwell
