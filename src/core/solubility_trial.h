#pragma once
// A solubility test: a material and the liquids it was tried with, each with
// its place on the Teas chart and what it did to the material. A liquid is a
// listed solvent, or a mixture of two or three listed solvents by volume whose
// N, D, W the mixture calculator works out (mole fractions, then whole numbers
// adding to 100), so a test liquid sits exactly where the calculator puts it.

#include "core/database.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarnwell {

enum class TestResult { Dissolves, Partly, NoEffect, NotTried };

// "Dissolves", "Partly", "No effect", "Not tried": the words the table and the
// file use.
const char* testResultText(TestResult result);

// One solvent of a mixed liquid: its list label and its volume fraction in
// hundredths (70 for 0.70), as the calculator takes fractions to two decimals.
struct LiquidComponent {
    std::string label;
    int hundredths = 0;
    bool operator==(const LiquidComponent&) const = default;
};

struct TestLiquid {
    std::string name;            // a solvent's list label, or the mixture's name
    double n = 0.0, d = 0.0, w = 0.0;
    TestResult result = TestResult::NotTried;
    std::vector<LiquidComponent> components;  // empty for a single solvent; else 2 or 3
    bool operator==(const TestLiquid&) const = default;
};

struct SolubilityTest {
    std::string material;
    std::vector<TestLiquid> liquids;
    bool operator==(const SolubilityTest&) const = default;
};

// A liquid's N, D or W as the table and the file show it: the shortest text
// that reads back as the same number, without an exponent ("47", "33.5").
std::string liquidValueText(double value);

// A liquid has a place on the chart when each of N, D, W is a number from 0 to
// 100 and they do not add up to 0. The zone and the file reader hold every
// liquid to this.
bool hasChartPlace(double n, double d, double w);

// Why a liquid could not be made. `part` (1..3) names the mixture's part.
enum class LiquidProblem {
    NoSolvent,          // a part without a solvent (no row, or a row the table lacks)
    CustomRow,          // the "Enter N, D, W" row is no solvent of the list
    UnreadableRecord,   // the record's numbers do not read, or give no place on the chart
    UnreadableFraction, // the fraction's text is not a number from 0 to 1
    FractionsNotOne,    // the fractions do not add up to 1.00 (the calculator's check)
    TooFewParts,        // a mixture needs two or three parts
    NoMixturePoint,     // the molar volumes give no mixture (a molar volume of 0)
    StepOutOfRange,     // a series step outside 1 to 50 percent
};

struct LiquidFailure {
    LiquidProblem problem = LiquidProblem::NoSolvent;
    int part = 0;  // 1..3 for a problem of one part; 0 otherwise
};

// The sentence the window shows for a failure.
std::string liquidFailureText(const LiquidFailure& failure);

using LiquidOutcome = std::variant<TestLiquid, LiquidFailure>;

// A listed solvent as a test liquid: its label, its whole-number N, D, W; the
// result is Not tried.
LiquidOutcome liquidFromRecord(const SolventTable& table, int row);

// One part of a mixture as the window has it: the chosen row (-1 none) and the
// fraction as typed (read as the calculator reads it: 0 to 1, two decimals).
struct MixturePart {
    int row = -1;
    std::string fractionText;
};

// A mixture of two or three listed solvents. Checked part by part in order
// (solvent chosen, not the custom row, its numbers readable, fraction
// readable), then the total. N, D, W are the calculator's: mole fractions from
// the molar volumes, then the rounding to whole numbers adding to 100.
LiquidOutcome liquidFromMixture(const SolventTable& table, const std::vector<MixturePart>& parts);

// The name of a solvent without its reference prefix ("2:   Acetone" gives
// "Acetone"); the label itself when it has no such prefix.
std::string solventShortName(const SolventRecord& record);

// A series between two listed solvents in volume steps of `stepPercent` (1 to
// 50): 100/0, 90/10, ... 0/100 for 10. The steps run from the first solvent
// pure to the second pure; a step that does not divide 100 still ends at
// 0/100. With `includeEnds` the two pure solvents come first and last as
// single-solvent liquids (conservators test them too); without, only the
// mixtures. Fails as liquidFromMixture would, on the first failing step.
using SeriesOutcome = std::variant<std::vector<TestLiquid>, LiquidFailure>;
SeriesOutcome liquidSeries(const SolventTable& table, int firstRow, int secondRow, int stepPercent = 10,
                           bool includeEnds = true);

}  // namespace tarnwell
