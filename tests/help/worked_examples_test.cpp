// Every figure the pages quote is worked out here with the program's own core
// and the shipped database, and looked for in the page text, so a change of
// data or arithmetic can never leave the help telling something else.
#include "core/blend_solver.h"
#include "core/database.h"
#include "core/mixture.h"
#include "core/report_figures.h"
#include "help/help_text.h"

#include <QString>
#include <cmath>
#include <gtest/gtest.h>

// The core names a member "slots", which Qt keeps as a keyword.
#undef slots

using namespace tarnwell;

namespace {

const SolventTable& shippedTable() {
    static const SolventTable table = [] {
        LoadResult result = loadSolventDatabaseFile(TARNWELL_SOURCE_DIR "/resources/tarnwell database 1.0.txt");
        if (!std::holds_alternative<SolventTable>(result)) return SolventTable{};
        return std::get<SolventTable>(result);
    }();
    return table;
}

int row(const std::string& name, int reference = 2) {
    const SolventTable& table = shippedTable();
    const std::string label = std::to_string(reference) + ":   " + name;
    for (std::size_t i = 0; i < table.records.size(); ++i)
        if (table.records[i].label == label) return static_cast<int>(i);
    ADD_FAILURE() << "no record " << label;
    return -1;
}

const SolventRecord& record(int i) { return shippedTable().records.at(static_cast<std::size_t>(i)); }

// The page as a reader reads it, on one line.
QString prose(const char* page) { return help::plainProse(help::pageSource(page)).replace('\n', ' '); }

#define EXPECT_PAGE_SAYS(page, phrase) \
    EXPECT_TRUE(prose(page).contains(phrase)) << (page) << " should say: " << QString(phrase).toStdString()

// The main screen's state after the example's double-clicks.
struct Blend {
    AppState state;
    CalculateRequest request;
    BlendMessage message = BlendMessage::Solved;
};

Blend solve(int targetRow, const std::vector<int>& solventRows) {
    Blend b;
    b.state.table = shippedTable();
    const SolventRecord& t = record(targetRow);
    b.state.target = {static_cast<std::int16_t>(std::stoi(t.n)), static_cast<std::int16_t>(std::stoi(t.d)),
                      static_cast<std::int16_t>(std::stoi(t.w)), static_cast<std::int16_t>(std::stoi(t.reference)),
                      t.label, t.twaText, t.vhrText, t.effects};
    for (std::size_t k = 0; k < solventRows.size(); ++k) {
        const SolventRecord& r = record(solventRows[k]);
        b.state.slots[k] = {r.label, static_cast<std::int16_t>(std::stoi(r.n)), static_cast<std::int16_t>(std::stoi(r.d)),
                            static_cast<std::int16_t>(std::stoi(r.w)), std::stod(r.molarVolume),
                            std::stod(r.molecularWeight), r.effects};
        b.request.selectedRow[k] = solventRows[k];
        b.request.nFieldFilled[k] = true;
    }
    b.request.useOnlyTwoSolvents = solventRows.size() == 2;
    b.state.twoSolventMode = solventRows.size() == 2 ? -1 : 0;
    b.message = calculateBlend(b.state, b.request);
    return b;
}

QString n(double v) { return QString::number(static_cast<long>(std::lround(v))); }

TEST(HelpWorkedExamples, TheShippedDatabaseHoldsTheExampleSolvents) {
    ASSERT_FALSE(shippedTable().records.empty());
    const SolventRecord& thf = record(row("Tetrahydrofuran"));
    const QString ndw = QString("N = %1, D = %2 and W = %3").arg(thf.n.c_str(), thf.d.c_str(), thf.w.c_str());
    EXPECT_PAGE_SAYS("frmHelp1", "Tetrahydrofuran has " + ndw);
    EXPECT_PAGE_SAYS("frmHelp1A", ndw);
    EXPECT_PAGE_SAYS("frmHelp1A", QString("a TWA of %1 ppm and a VHR of %2").arg(thf.twaText.c_str(), thf.vhrText.c_str()));
    EXPECT_PAGE_SAYS("frmHelp5a", QString("a TWA of %1 ppm and a VHR of %2").arg(thf.twaText.c_str(), thf.vhrText.c_str()));
    EXPECT_PAGE_SAYS("frmHelp5a", QString("whose own VHR is only %1").arg(record(row("Ethanol")).vhrText.c_str()));
    bool anyReferenceOne = false;
    for (const SolventRecord& r : shippedTable().records) anyReferenceOne |= r.reference == "1";
    EXPECT_FALSE(anyReferenceOne) << "page 1 and the references say the database holds no reference 1 values";
    for (const char* name : {"Isoamyl alcohol", "n-Butanol"})
        for (int ref : {2, 3}) EXPECT_EQ(record(row(name, ref)).vhrText, "none") << name;
}

TEST(HelpWorkedExamples, TetrahydrofuranFromAcetoneEthanolAndHeptane) {
    Blend b = solve(row("Tetrahydrofuran"), {row("Acetone"), row("Ethanol"), row("n-Heptane")});
    ASSERT_EQ(b.message, BlendMessage::Solved);
    const ReportFigures f = computeReportFigures(b.state);
    // Volumes per 1000 ml as the report's fractions show them.
    int total = 0;
    QStringList ml, shown;
    for (int k = 0; k < 3; ++k) {
        const int v = static_cast<int>(std::lround(std::stod(f.volumeText[k]) * 1000));
        ml << QString::number(v);
        shown << QString::fromStdString(f.volumeText[k]);
        total += v;
    }
    EXPECT_PAGE_SAYS("frmHelp2added", QString("%1 ml of acetone, %2 ml of ethanol and %3 ml of heptane in every 1000 ml")
                                          .arg(ml[0], ml[1], ml[2]));
    EXPECT_PAGE_SAYS("frmHelp2added", QString("volume fractions %1, %2 and %3").arg(shown[0], shown[1], shown[2]));
    EXPECT_PAGE_SAYS("frmHelp2added", QString("add up to %1 ml").arg(total));
    EXPECT_PAGE_SAYS("frmHelp2added", QString("The blend has N = %1, D = %2 and W = %3")
                                          .arg(f.mixtureN.c_str(), f.mixtureD.c_str(), f.mixtureW.c_str()));
    EXPECT_EQ(f.mixtureN + f.mixtureD + f.mixtureW, f.targetN + f.targetD + f.targetW) << "the page says the same as the target";

    EXPECT_PAGE_SAYS("frmHelp5a", QString("an estimated TWA of %1 ppm and an estimated VHR of %2")
                                      .arg(f.mixtureTwaText.c_str(), f.mixtureVhrText.c_str()));
    EXPECT_EQ(f.mixtureTwaColour, ReportColour::Green) << "page 9: both of the blend's figures are green";
    EXPECT_EQ(f.mixtureVhrColour, ReportColour::Green);
    EXPECT_EQ(f.targetTwaColour, ReportColour::Red);
    EXPECT_GT(std::stod(f.mixtureTwaText), std::stod(f.targetTwa)) << "a little higher";
    EXPECT_FALSE(f.showReferenceWarning);
}

TEST(HelpWorkedExamples, AcetoneAndEthanolAloneCannotMatchTetrahydrofuran) {
    Blend b = solve(row("Tetrahydrofuran"), {row("Acetone"), row("Ethanol")});
    ASSERT_EQ(b.message, BlendMessage::OutsideTolerance);
    const BlendResult& r = b.state.blendResult;
    EXPECT_PAGE_SAYS("frmHelp2addedMore", QString("N, D and W of about %1, %2 and %3").arg(n(r.mixN), n(r.mixD), n(r.mixW)));
    EXPECT_PAGE_SAYS("frmHelp2addedMore", QString("The message reads \"%1\"")
                                              .arg(QString::fromStdString(blendMessageText(b.message).title)));
}

TEST(HelpWorkedExamples, OnlyOneOfTheTwoParameterSetsOfDimethylacetamideIsMatched) {
    const int ref2 = row("N,N-Dimethylacetamide", 2), ref3 = row("N,N-Dimethylacetamide", 3);
    auto ndw = [](const SolventRecord& s) { return QString("%1, %2, %3").arg(s.n.c_str(), s.d.c_str(), s.w.c_str()); };
    EXPECT_PAGE_SAYS("frmHelp2addedMore", QString("the values %1 (reference 2) and %2 (reference 3)")
                                              .arg(ndw(record(ref2)), ndw(record(ref3))));
    const std::vector<int> solvents = {row("Acetone"), row("Ethanol"), row("n-Heptane")};
    Blend matched = solve(ref2, solvents);
    EXPECT_EQ(matched.message, BlendMessage::Solved);
    EXPECT_EQ(matched.state.blendResult.slots[2].concentration, 0.0) << "acetone and ethanol alone";
    Blend missed = solve(ref3, solvents);
    ASSERT_EQ(missed.message, BlendMessage::OutsideTolerance);
    const double miss = std::abs(missed.state.blendResult.mixN - missed.state.target.n);
    EXPECT_GT(miss, 0.5);
    EXPECT_PAGE_SAYS("frmHelp2addedMore", QString("missed by %1 in N").arg(miss, 0, 'f', 2));
}

TEST(HelpWorkedExamples, TheCalculatorExampleOfFiftyThirtyAndTwentyPercent) {
    std::array<MixSlot, 3> slots;
    MixtureCalculation calc;
    MixtureInputs inputs;
    const int rows[3] = {row("Acetone"), row("Ethanol"), row("n-Heptane")};
    const char* typed[3] = {"0.5", "0.3", "0.2"};
    for (int k = 0; k < 3; ++k) {
        ASSERT_TRUE(loadMixSlot(record(rows[k]), slots[k]));
        const ConcentrationEntry entry = readConcentration(typed[k]);
        ASSERT_EQ(entry.kind, ConcentrationKind::Accepted);
        slots[k].volumeFraction = entry.value;
        inputs.selectedRow[k] = rows[k];
        inputs.loaded[k] = inputs.concentrationEntered[k] = true;
        inputs.twaText[k] = record(rows[k]).twaText;
        inputs.vhrText[k] = record(rows[k]).vhrText;
    }
    EXPECT_PAGE_SAYS("frmHelpConcentration", QString("entered as %1, %2 and %3").arg(typed[0], typed[1], typed[2]));
    calc.total = concentrationTotal(slots[0].volumeFraction, slots[1].volumeFraction, slots[2].volumeFraction);
    const MixtureOutcome out = calculateMixture(slots, calc, inputs);
    ASSERT_EQ(out.check, MixCheck::Passed);
    ASSERT_TRUE(out.twa.available);
    ASSERT_TRUE(out.vhr.available);
    EXPECT_PAGE_SAYS("frmHelpConcentration2",
                     QString("N = %1, D = %2 and W = %3, an estimated TWA of %4 ppm and an estimated VHR of %5")
                         .arg(out.ndwText[0].c_str(), out.ndwText[1].c_str(), out.ndwText[2].c_str(),
                              out.twa.text.c_str(), out.vhr.text.c_str()));
    EXPECT_FALSE(out.warning);
}

}  // namespace
