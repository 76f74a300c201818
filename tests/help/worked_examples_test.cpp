// Every figure the pages quote is worked out here with the program's own core
// and the shipped database, and looked for in the page text, so a change of
// data or arithmetic can never leave the help telling something else.
#include "core/blend_solver.h"
#include "core/database.h"
#include "core/mixture.h"
#include "core/numbers.h"
#include "core/report_figures.h"
#include "help/help_text.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
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

std::int16_t whole(std::string_view text) { return static_cast<std::int16_t>(std::stoi(std::string(text))); }
double real(std::string_view text) { return std::stod(std::string(text)); }
QString q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

Blend solve(const TargetPoint& target, const std::vector<int>& solventRows) {
    Blend b;
    b.state.table = shippedTable();
    b.state.target = target;
    for (std::size_t k = 0; k < solventRows.size(); ++k) {
        const SolventRecord& r = record(solventRows[k]);
        b.state.solventSlots[k] = {{whole(r.n), whole(r.d), whole(r.w)}, std::string(r.label), real(r.molarVolume),
                                   real(r.molecularWeight), std::string(r.effects)};
        b.request.selectedRow[k] = solventRows[k];
        b.request.nFieldFilled[k] = true;
    }
    b.request.useOnlyTwoSolvents = solventRows.size() == 2;
    b.state.twoSolventMode = solventRows.size() == 2 ? -1 : 0;
    b.message = calculateBlend(b.state, b.request);
    return b;
}

Blend solve(int targetRow, const std::vector<int>& solventRows) {
    const SolventRecord& t = record(targetRow);
    return solve(TargetPoint{whole(t.n), whole(t.d), whole(t.w), whole(t.reference), std::string(t.label),
                             std::string(t.twaText), std::string(t.vhrText), std::string(t.effects)},
                 solventRows);
}

QString n(double v) { return QString::number(static_cast<long>(std::lround(v))); }

TEST(HelpWorkedExamples, TheShippedDatabaseHoldsTheExampleSolvents) {
    ASSERT_FALSE(shippedTable().records.empty());
    const SolventRecord& thf = record(row("Tetrahydrofuran"));
    const QString ndw = QString("N = %1, D = %2 and W = %3").arg(q(thf.n), q(thf.d), q(thf.w));
    EXPECT_PAGE_SAYS("frmHelp1", "Tetrahydrofuran has " + ndw);
    EXPECT_PAGE_SAYS("frmHelp1A", ndw);
    EXPECT_PAGE_SAYS("frmHelp1A", QString("a TWA of %1 ppm and a VHR of %2").arg(q(thf.twaText), q(thf.vhrText)));
    EXPECT_PAGE_SAYS("frmHelp5a", QString("a TWA of %1 ppm and a VHR of %2").arg(q(thf.twaText), q(thf.vhrText)));
    EXPECT_PAGE_SAYS("frmHelp5a", QString("whose own VHR is only %1").arg(q(record(row("Ethanol")).vhrText)));
    bool anyReferenceOne = false;
    for (const SolventRecord& r : shippedTable().records) anyReferenceOne |= r.reference == "1";
    EXPECT_FALSE(anyReferenceOne) << "page 1 and the references say the database holds no reference 1 values";
}

// Pages 1, 4, 7 and 8 name solvents as examples of the data's rules; each must
// still be such an example.
TEST(HelpWorkedExamples, TheSolventsNamedForTheDataRulesStillShowThem) {
    const SolventRecord& dioxane = record(row("1,4-Dioxane"));
    EXPECT_PAGE_SAYS("frmHelp4", QString("for 1,4-dioxane, whose TWA is %1 ppm").arg(q(dioxane.twaText)));
    EXPECT_NE(dioxane.effects.find("; NIOSH ceiling used as TWA"), std::string_view::npos);
    EXPECT_PAGE_SAYS("frmHelp4", "\"NIOSH ceiling used as TWA\"");
    for (const char* name : {"Benzene", "Dichloromethane", "Chloroform", "1,4-Dioxane"}) {
        EXPECT_EQ(record(row(name)).effects.substr(0, 13), "[carcinogen] ") << name;
        EXPECT_TRUE(prose("frmHelp4a").contains(QString(name).toLower())) << name;
    }
    // Page 8's solvents whose guide vapour pressures were replaced, not dropped: each keeps a VHR.
    for (const char* name : {"n-Butanol", "Isoamyl alcohol", "Cyclohexanone", "n-Butyl acetate", "Cumene", "o-Xylene",
                             "m-Xylene", "p-Xylene", "2-Butoxyethanol", "Mesityl oxide"}) {
        EXPECT_NE(record(row(name)).vhrText, "none") << name;
        const QString plain = QString(name).toLower().remove(QRegularExpression("^[omp]-"));
        EXPECT_TRUE(prose("frmHelp5").contains(plain == "xylene" ? "three xylenes" : plain)) << name;
    }
    // Page 1's example of two references far apart.
    const SolventRecord& two = record(row("Tetrachloroethylene", 2));
    const SolventRecord& three = record(row("Tetrachloroethylene", 3));
    const int gap = std::max({std::abs(whole(two.n) - whole(three.n)), std::abs(whole(two.d) - whole(three.d)),
                              std::abs(whole(two.w) - whole(three.w))});
    EXPECT_GE(gap, 5);
    EXPECT_PAGE_SAYS("frmHelp1", "differ by 5 points or more in N, D or W, as for tetrachloroethylene");
}

// Page 1: a blend of a reference 4 product with a table solvent shows the warning about references.
// White spirit (98/1/1) and acetone (47/32/21) alone cannot reach toluene (84/7/9): on their line,
// N = 84 falls at D 9.5 and W 6.5, beyond the tolerance of 2; ethanol as a third solvent brings W up.
TEST(HelpWorkedExamples, WhiteSpiritAndAcetoneForTolueneWarnOfTheirReferences) {
    const int whiteSpirit = row("White spirit (mineral spirits, 15\u2013" "20 % aromatic)", 4);
    const Blend two = solve(row("Toluene"), {whiteSpirit, row("Acetone")});
    EXPECT_EQ(two.message, BlendMessage::OutsideTolerance);
    Blend b = solve(row("Toluene"), {whiteSpirit, row("Acetone"), row("Ethanol")});
    ASSERT_EQ(b.message, BlendMessage::Solved);
    const ReportFigures f = computeReportFigures(b.state);
    EXPECT_TRUE(f.showReferenceWarning);
    EXPECT_TRUE(prose("frmHelp1").contains("a blend of such a product with a table solvent shows the warning"));
    const SolventRecord& toluene = record(row("Toluene"));
    for (const auto& [mixture, target] :
         {std::pair{f.mixtureN, toluene.n}, {f.mixtureD, toluene.d}, {f.mixtureW, toluene.w}})
        EXPECT_LE(std::abs(std::stoi(mixture) - whole(target)), 2) << mixture << " for " << target;
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

TEST(HelpWorkedExamples, OnePointDecidesWhetherDimethylacetamideIsMatched) {
    const int listed = row("N,N-Dimethylacetamide");
    auto ndw = [](const SolventRecord& s) { return QString("%1, %2, %3").arg(q(s.n), q(s.d), q(s.w)); };
    EXPECT_PAGE_SAYS("frmHelp2addedMore", QString("N,N-dimethylacetamide has the values %1 in the list").arg(ndw(record(listed))));
    EXPECT_PAGE_SAYS("frmHelp2addedMore", "the revised Hansen table would give it 45, 30, 25");
    const std::vector<int> solvents = {row("Acetone"), row("Ethanol"), row("n-Heptane")};
    Blend matched = solve(TargetPoint{45, 30, 25, 0, "", "", "", ""}, solvents);
    EXPECT_EQ(matched.message, BlendMessage::Solved);
    EXPECT_EQ(matched.state.blendResult.slotResults[2].concentration, 0.0) << "acetone and ethanol alone";
    Blend missed = solve(listed, solvents);
    ASSERT_EQ(missed.message, BlendMessage::OutsideTolerance);
    const double miss = std::abs(missed.state.blendResult.mixN - missed.state.target.n);
    EXPECT_GT(miss, 0.5);
    EXPECT_PAGE_SAYS("frmHelp2addedMore", QString("missed by %1 in N").arg(miss, 0, 'f', 2));
}

// The calculator as the example fills it: the solvents double-clicked and the
// concentrations typed, then Calculate.
struct Calculator {
    std::array<MixSlot, 3> slots;
    MixtureCalculation calc;
    MixtureInputs inputs;
    MixtureOutcome out;
};

Calculator calculate(const std::vector<int>& rows, const std::vector<const char*>& typed, bool twoSolvents = false) {
    Calculator c;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_TRUE(loadMixSlot(record(rows[k]), c.slots[k]));
        const ConcentrationEntry entry = readConcentration(typed[k]);
        EXPECT_EQ(entry.kind, ConcentrationKind::Accepted) << typed[k];
        c.slots[k].volumeFraction = entry.value;
        c.inputs.selectedRow[k] = rows[k];
        c.inputs.loaded[k] = c.inputs.concentrationEntered[k] = true;
        c.inputs.twaText[k] = record(rows[k]).twaText;
        c.inputs.vhrText[k] = record(rows[k]).vhrText;
    }
    c.inputs.twoSolventMode = twoSolvents;
    c.calc.total = concentrationTotal(c.slots[0].volumeFraction, c.slots[1].volumeFraction, c.slots[2].volumeFraction);
    c.out = calculateMixture(c.slots, c.calc, c.inputs);
    return c;
}

const char* const kTyped[3] = {"0.5", "0.3", "0.2"};

Calculator calculatorExample() {
    return calculate({row("Acetone"), row("Ethanol"), row("n-Heptane")}, {kTyped[0], kTyped[1], kTyped[2]});
}

// Every number a page shows, in reading order.
QStringList numbersOn(const char* page) {
    QStringList found;
    const QRegularExpression number(QStringLiteral(R"(\d+(\.\d+)?)"));
    for (const QRegularExpressionMatch& m : number.globalMatch(prose(page))) found << m.captured();
    return found;
}

QString percent(const char* typed) { return QString::number(std::lround(std::stod(typed) * 100)); }

// The position of a page in the main help's chain, as its "Page n" title says.
QString mainHelpPageNumber(const char* page) {
    const QStringList chain = {"frmHelp1", "frmHelp1A", "frmHelp2", "frmHelp2added", "frmHelp2addedMore",
                               "frmHelp4", "frmHelp4a", "frmHelp5", "frmHelp5a", "frmHelp6"};
    return QString::number(chain.indexOf(QLatin1String(page)) + 1);
}

TEST(HelpWorkedExamples, TheCalculatorExampleOfFiftyThirtyAndTwentyPercent) {
    const Calculator c = calculatorExample();
    const MixtureOutcome& out = c.out;
    ASSERT_EQ(out.check, MixCheck::Passed);
    ASSERT_TRUE(out.ndwAvailable);
    ASSERT_TRUE(out.twa.available);
    ASSERT_TRUE(out.vhr.available);
    EXPECT_PAGE_SAYS("frmHelpConcentration", QString("%1 % acetone, %2 % ethanol and %3 % heptane by volume")
                                                 .arg(percent(kTyped[0]), percent(kTyped[1]), percent(kTyped[2])));
    EXPECT_PAGE_SAYS("frmHelpConcentration", QString("entered as %1, %2 and %3").arg(kTyped[0], kTyped[1], kTyped[2]));
    EXPECT_PAGE_SAYS("frmHelpConcentration", QString("%1 for %2 %").arg(kTyped[0], percent(kTyped[0])));
    ASSERT_TRUE(totalIsOne(c.calc.total));
    EXPECT_PAGE_SAYS("frmHelpConcentration",
                     QString("it turns green when it is exactly %1").arg(formatTwoDecimals(c.calc.total).c_str()));
    EXPECT_EQ(readConcentration("0.333").text, "0.33") << "page 11: a value is rounded to two decimals";

    EXPECT_PAGE_SAYS("frmHelpConcentration2", QString("%1 acetone, %2 ethanol and %3 heptane").arg(kTyped[0], kTyped[1], kTyped[2]));
    EXPECT_PAGE_SAYS("frmHelpConcentration2",
                     QString("N = %1, D = %2 and W = %3, an estimated TWA of %4 ppm and an estimated VHR of %5")
                         .arg(out.ndwText[0].c_str(), out.ndwText[1].c_str(), out.ndwText[2].c_str(),
                              out.twa.text.c_str(), out.vhr.text.c_str()));
    const int sum = std::stoi(out.ndwText[0]) + std::stoi(out.ndwText[1]) + std::stoi(out.ndwText[2]);
    EXPECT_PAGE_SAYS("frmHelpConcentration2", QString("whole numbers that add up to %1").arg(sum));
    // The pages it points to are those that explain a blend's TWA and VHR.
    EXPECT_PAGE_SAYS("frmHelpConcentration2", QString("described on pages %1 and %2 of the main help")
                                                  .arg(mainHelpPageNumber("frmHelp4a"), mainHelpPageNumber("frmHelp5")));
    EXPECT_PAGE_SAYS("frmHelp4a", "For a blend the program estimates one TWA");
    EXPECT_PAGE_SAYS("frmHelp5", "For a blend the program adds up the hazards of its solvents");
    EXPECT_FALSE(out.warning) << "page 12 shows the example without the warning";
}

// Each number on the calculator's two pages is one of the example's figures
// or a caption of the screen; a number added or changed without its source
// fails here.
TEST(HelpWorkedExamples, EveryNumberOnTheCalculatorPagesIsAccountedFor) {
    const Calculator c = calculatorExample();
    ASSERT_EQ(c.out.check, MixCheck::Passed);
    const QString one = QString::fromStdString(formatTwoDecimals(c.calc.total));
    const QString p[3] = {percent(kTyped[0]), percent(kTyped[1]), percent(kTyped[2])};
    const QStringList lists = {"1", "2", "3"};        // "Solvent #1" .. "Solvent #3"
    const QString twoSolvents = QStringLiteral("2");  // "Use only 2 solvents"
    EXPECT_EQ(numbersOn("frmHelpConcentration"),
              (lists + QStringList{kTyped[0], p[0], one, p[0], p[1], p[2], kTyped[0], kTyped[1], kTyped[2],
                                   twoSolvents, one}));

    const MixtureOutcome& out = c.out;
    const int sum = std::stoi(out.ndwText[0]) + std::stoi(out.ndwText[1]) + std::stoi(out.ndwText[2]);
    EXPECT_EQ(numbersOn("frmHelpConcentration2"),
              (QStringList{kTyped[0], kTyped[1], kTyped[2], out.ndwText[0].c_str(), out.ndwText[1].c_str(),
                           out.ndwText[2].c_str(), out.twa.text.c_str(), out.vhr.text.c_str(), QString::number(sum),
                           mainHelpPageNumber("frmHelp4a"), mainHelpPageNumber("frmHelp5"), twoSolvents}));
}

// Page 12: two solvents are weighted as three are, so the calculator and the
// results page agree on the same mixture.
TEST(HelpWorkedExamples, TwoSolventsGetTheFiguresOfTheResultsPage) {
    const int acetone = row("Acetone"), ethanol = row("Ethanol"), heptane = row("n-Heptane");
    for (const auto& typed : std::vector<std::array<const char*, 2>>{{"0.5", "0.5"}, {"0.8", "0.2"}, {"0.3", "0.7"}}) {
        SCOPED_TRACE(typed[0]);
        const Calculator two = calculate({acetone, ethanol}, {typed[0], typed[1]}, true);
        ASSERT_EQ(two.out.check, MixCheck::Passed);
        ASSERT_TRUE(two.out.twa.available && two.out.vhr.available);
        // The same two with a third solvent at nothing, in three-solvent mode.
        const Calculator three = calculate({acetone, ethanol, heptane}, {typed[0], typed[1], "0"});
        ASSERT_EQ(three.out.check, MixCheck::Passed);
        EXPECT_EQ(two.out.twa.text, three.out.twa.text);
        EXPECT_EQ(two.out.vhr.text, three.out.vhr.text);

        AppState report;
        report.twoSolventMode = -1;
        for (int k = 0; k < 2; ++k) {
            const SolventRecord& r = record(k == 0 ? acetone : ethanol);
            report.solventSlots[k].molarVolume = real(r.molarVolume);
            report.solventSlots[k].molecularWeight = real(r.molecularWeight);
            report.blendResult.slotResults[k].concentration = two.calc.moleFraction[k];
            report.blendResult.slotResults[k].twaText = r.twaText;
            report.blendResult.slotResults[k].twaMgText = r.twaMgText;
            report.blendResult.slotResults[k].vhrText = r.vhrText;
        }
        const ReportFigures f = computeReportFigures(report);
        EXPECT_EQ(two.out.twa.text, f.mixtureTwaText);
        EXPECT_EQ(two.out.vhr.text, f.mixtureVhrText);
    }
    EXPECT_PAGE_SAYS("frmHelpConcentration2", "same figures here as on the results page");
    EXPECT_FALSE(prose("frmHelpConcentration2").contains("volume concentrations"));
}

}  // namespace
