#include "core/solubility_trial.h"

#include "core/mixture.h"
#include "core/numbers.h"
#include "core/messages.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>

namespace tarnwell {

const char* testResultText(TestResult result) {
    switch (result) {
    case TestResult::Dissolves: return "Dissolves";
    case TestResult::Partly: return "Partly";
    case TestResult::NoEffect: return "No effect";
    case TestResult::NotTried: return "Not tried";
    }
    return "Not tried";
}

std::string liquidValueText(double value) {
    if (value == 0.0) return "0";  // no "-0"
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

bool hasChartPlace(double n, double d, double w) {
    for (double v : {n, d, w})
        if (!(v >= 0.0 && v <= 100.0)) return false;  // also false for NaN
    return n + d + w > 0.0;
}

std::string liquidFailureText(const LiquidFailure& f) {
    using namespace messages;
    switch (f.problem) {
    case LiquidProblem::NoSolvent: return f.part > 0 ? liquidPartNoSolvent(f.part) : kLiquidNoSolvent;
    case LiquidProblem::CustomRow: return kLiquidCustomRow;
    case LiquidProblem::UnreadableRecord: return f.part > 0 ? liquidPartUnreadable(f.part) : kLiquidUnreadable;
    case LiquidProblem::UnreadableFraction: return liquidPartFraction(f.part);
    case LiquidProblem::FractionsNotOne: return kLiquidFractionsNotOne;
    case LiquidProblem::TooFewParts: return kLiquidTooFewParts;
    case LiquidProblem::NoMixturePoint: return kLiquidNoMixturePoint;
    case LiquidProblem::StepOutOfRange: return kSeriesStep;
    }
    return {};
}

namespace {

// The row's record when it is a solvent of the list, else why not.
std::optional<LiquidFailure> rowProblem(const SolventTable& table, int row, int part) {
    if (row < 0 || static_cast<std::size_t>(row) >= table.records.size()) return LiquidFailure{LiquidProblem::NoSolvent, part};
    if (row == table.lastIndex) return LiquidFailure{LiquidProblem::CustomRow, part};
    return std::nullopt;
}

std::string percentName(const SolventRecord& record, int hundredths) {
    return solventShortName(record) + " " + formatPlain(hundredths) + " %";
}

}  // namespace

std::string solventShortName(const SolventRecord& record) {
    std::string_view reference = record.reference;
    while (!reference.empty() && (reference.back() == ' ' || reference.back() == '\t')) reference.remove_suffix(1);
    const std::string prefix = std::string(reference) + ":   ";
    const std::string_view label = record.label;
    if (label.size() > prefix.size() && label.substr(0, prefix.size()) == prefix)
        return std::string(label.substr(prefix.size()));
    return std::string(label);
}

LiquidOutcome liquidFromRecord(const SolventTable& table, int row) {
    if (std::optional<LiquidFailure> problem = rowProblem(table, row, 0)) return *problem;
    const SolventRecord& record = table.records[static_cast<std::size_t>(row)];
    const std::optional<SolventNumbers> numbers = readSolventNumbers(record);
    if (!numbers) return LiquidFailure{LiquidProblem::UnreadableRecord, 0};
    const TeasPoint p = numbers->ndw;
    if (!hasChartPlace(p.n, p.d, p.w)) return LiquidFailure{LiquidProblem::UnreadableRecord, 0};
    TestLiquid liquid;
    liquid.name = std::string(record.label);
    liquid.n = p.n;
    liquid.d = p.d;
    liquid.w = p.w;
    return liquid;
}

LiquidOutcome liquidFromMixture(const SolventTable& table, const std::vector<MixturePart>& parts) {
    if (parts.size() < 2 || parts.size() > 3) return LiquidFailure{LiquidProblem::TooFewParts, 0};
    std::array<MixSlot, 3> slots;
    MixtureInputs inputs;
    std::array<float, 3> fraction{};
    std::array<int, 3> hundredths{};
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const int part = static_cast<int>(k) + 1;
        const int row = parts[k].row;
        if (std::optional<LiquidFailure> problem = rowProblem(table, row, part)) return *problem;
        const SolventRecord& record = table.records[static_cast<std::size_t>(row)];
        if (!loadMixSlot(record, slots[k]) || !hasChartPlace(slots[k].n, slots[k].d, slots[k].w))
            return LiquidFailure{LiquidProblem::UnreadableRecord, part};
        const ConcentrationEntry entry = readConcentration(parts[k].fractionText);
        if (entry.kind != ConcentrationKind::Accepted) return LiquidFailure{LiquidProblem::UnreadableFraction, part};
        fraction[k] = entry.value;
        hundredths[k] = static_cast<int>(std::lround(static_cast<double>(entry.value) * 100.0));
        slots[k].volumeFraction = entry.value;
        inputs.selectedRow[k] = row;
        inputs.loaded[k] = true;
        inputs.concentrationEntered[k] = true;
        inputs.twaText[k] = std::string(record.twaText);
        inputs.vhrText[k] = std::string(record.vhrText);
    }
    inputs.twoSolventMode = parts.size() == 2;

    // The calculator's own arithmetic and its own check of the total.
    MixtureCalculation calc;
    calc.total = concentrationTotal(fraction[0], fraction[1], fraction[2]);
    const MixtureOutcome outcome = calculateMixture(slots, calc, inputs);
    if (outcome.check == MixCheck::SumNotOne) return LiquidFailure{LiquidProblem::FractionsNotOne, 0};
    if (outcome.check != MixCheck::Passed || !outcome.ndwAvailable || !hasChartPlace(calc.mixN, calc.mixD, calc.mixW))
        return LiquidFailure{LiquidProblem::NoMixturePoint, 0};

    TestLiquid liquid;
    liquid.n = calc.mixN;
    liquid.d = calc.mixD;
    liquid.w = calc.mixW;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const SolventRecord& record = table.records[static_cast<std::size_t>(parts[k].row)];
        if (k > 0) liquid.name += " + ";
        liquid.name += percentName(record, hundredths[k]);
        liquid.components.push_back({std::string(record.label), hundredths[k]});
    }
    return liquid;
}

SeriesOutcome liquidSeries(const SolventTable& table, int firstRow, int secondRow, int stepPercent, bool includeEnds) {
    if (stepPercent < 1 || stepPercent > 50) return LiquidFailure{LiquidProblem::StepOutOfRange, 0};
    std::vector<TestLiquid> series;
    auto pure = [&](int row) -> std::optional<LiquidFailure> {
        LiquidOutcome one = liquidFromRecord(table, row);
        if (LiquidFailure* f = std::get_if<LiquidFailure>(&one)) {
            f->part = row == firstRow ? 1 : 2;
            return *f;
        }
        if (includeEnds) series.push_back(std::get<TestLiquid>(std::move(one)));
        return std::nullopt;
    };
    if (std::optional<LiquidFailure> f = pure(firstRow)) return *f;
    for (int second = stepPercent; second < 100; second += stepPercent) {
        const std::string a = formatTwoDecimals((100 - second) / 100.0);
        const std::string b = formatTwoDecimals(second / 100.0);
        LiquidOutcome step = liquidFromMixture(table, {{firstRow, a}, {secondRow, b}});
        if (LiquidFailure* f = std::get_if<LiquidFailure>(&step)) return *f;
        series.push_back(std::get<TestLiquid>(std::move(step)));
    }
    if (std::optional<LiquidFailure> f = pure(secondRow)) return *f;
    return series;
}

}  // namespace tarnwell
