// The solution report's figures and texts, from a prepared state. Expected
// values are worked out by hand in the comments from the shipped database
// figures, not with the code under test.

#include "core/report_figures.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarnwell {
namespace {

struct Solvent {
    const char* label;
    std::int16_t n, d, w, reference;
    double mv, mw;
    const char* twa;
    const char* twaMg;
    const char* vhr;
    const char* effects;
};

// From the shipped database (reference 2 rows).
const Solvent kAcetone{"2:   Acetone", 47, 32, 21, 2, 73.54, 58.1, "250", "590", "947", "Eyes, skin"};
const Solvent kEthanol{"2:   Ethanol", 36, 20, 44, 2, 58.35, 46.1, "1000", "1900", "58", "Eyes, liver"};
const Solvent kToluene{"2:   Toluene", 84, 7, 9, 2, 105.86, 92.1, "100", "375", "276", "Eyes, kidneys"};

void put(AppState& s, std::size_t k, const Solvent& v, double concentration) {
    s.solventSlots[k] = {{v.n, v.d, v.w}, v.label, v.mv, v.mw, v.effects};
    s.blendResult.slotResults[k] = {concentration, v.reference, v.twa, v.twaMg, v.vhr};
}

AppState twoSolventState() {
    AppState s;
    s.twoSolventMode = -1;
    put(s, 0, kAcetone, 0.5);
    put(s, 1, kEthanol, 0.5);
    s.blendResult.slotResults[2] = {0.0, 0, "", "", ""};
    s.target = {42, 26, 32, 2, "2:   Target", "250", "100", "Eyes"};
    s.blendResult.mixN = 41.5, s.blendResult.mixD = 26, s.blendResult.mixW = 32.5;
    return s;
}

AppState threeSolventState() {
    AppState s;
    s.twoSolventMode = 1;
    put(s, 0, kToluene, 0.2);
    put(s, 1, kAcetone, 0.3);
    put(s, 2, kEthanol, 0.5);
    s.target = {49, 21, 30, 0, "by hand", "300", "368", ""};
    return s;
}

TEST(ReportFigures, TwoShippedSolvents) {
    // Molar volume 0.5*73.54 + 0.5*58.35 = 65.945; volume fractions
    // 36.77/65.945 = 0.55759, 29.175/65.945 = 0.44241.
    // Molecular weight 0.5*58.1 + 0.5*46.1 = 52.1; weight fractions
    // 29.05/52.1 = 0.557582, 23.05/52.1 = 0.442418.
    // TWA mg: 1/(0.557582/590 + 0.442418/1900) = 1/(0.00094505 + 0.00023285) = 848.965.
    // TWA ppm: (250/590)*0.557582*848.965 + (1000/1900)*0.442418*848.965
    //        = 200.575 + 197.687 = 398.262 -> "398".
    // VHR by mole fraction: 0.5*947 + 0.5*58 = 502.5 -> 502 (half to even).
    const ReportFigures f = computeReportFigures(twoSolventState());
    EXPECT_NEAR(f.mixtureMolarVolume, 65.945, 1e-9);
    EXPECT_NEAR(f.volumeFraction[0], 0.557586, 1e-6);
    EXPECT_NEAR(f.weightFraction[1], 0.442418, 1e-6);
    EXPECT_EQ(f.volumeText[0], ".558");
    EXPECT_EQ(f.volumeText[1], ".442");
    EXPECT_EQ(f.volumeText[2], "");
    ASSERT_TRUE(f.mixtureTwaMg && f.mixtureTwaPpm && f.mixtureVhr);
    EXPECT_NEAR(*f.mixtureTwaMg, 848.965, 0.001);
    EXPECT_NEAR(*f.mixtureTwaPpm, 398.262, 0.001);
    EXPECT_EQ(f.mixtureTwaText, "398");
    EXPECT_EQ(*f.mixtureVhr, 502.0);
    EXPECT_EQ(f.mixtureVhrText, "502");
    // Target 250 < 398: the mixture is safer by TWA; target VHR 100 <= 502: the target is.
    EXPECT_EQ(f.mixtureTwaColour, ReportColour::Green);
    EXPECT_EQ(f.targetTwaColour, ReportColour::Red);
    EXPECT_EQ(f.targetVhrColour, ReportColour::Green);
    EXPECT_EQ(f.mixtureVhrColour, ReportColour::Red);
    // The third row is empty with two solvents.
    EXPECT_EQ(f.solventLabel[2], "");
    EXPECT_EQ(f.ndwText[2], "");
    EXPECT_EQ(f.ndwCaption3, "");
    EXPECT_EQ(f.ndwText[0], "47  32  21");
    EXPECT_EQ(f.mixtureN, "42");  // 41.5 rounds away from zero
    EXPECT_EQ(f.mixtureW, "33");
    EXPECT_FALSE(f.showReferenceWarning);
}

TEST(ReportFigures, ThreeShippedSolvents) {
    // Molar volume 0.2*105.86 + 0.3*73.54 + 0.5*58.35 = 21.172 + 22.062 + 29.175 = 72.409;
    // volume fractions 21.172/72.409 = .292, 22.062/72.409 = .305, 29.175/72.409 = .403.
    // Molecular weight 18.42 + 17.43 + 23.05 = 58.9; weight fractions
    // 0.312733, 0.295925, 0.391341.
    // TWA mg: 1/(0.312733/375 + 0.295925/590 + 0.391341/1900)
    //       = 1/(0.00083395 + 0.00050157 + 0.00020597) = 648.72.
    // TWA ppm: 648.72*(0.312733*100/375 + 0.295925*250/590 + 0.391341*1000/1900)
    //        = 648.72*(0.083395 + 0.125392 + 0.205969) = 269.06 -> "269".
    // VHR: 0.2*276 + 0.3*947 + 0.5*58 = 55.2 + 284.1 + 29 = 368.3 -> 368.
    const ReportFigures f = computeReportFigures(threeSolventState());
    EXPECT_EQ(f.volumeText[0], ".292");
    EXPECT_EQ(f.volumeText[1], ".305");
    EXPECT_EQ(f.volumeText[2], ".403");
    ASSERT_TRUE(f.mixtureTwaPpm && f.mixtureVhr);
    EXPECT_NEAR(*f.mixtureTwaMg, 648.72, 0.01);
    EXPECT_NEAR(*f.mixtureTwaPpm, 269.06, 0.01);
    EXPECT_EQ(f.mixtureTwaText, "269");
    EXPECT_EQ(f.mixtureVhrText, "368");
    // Target TWA 300 >= 269: target green. Target VHR 368 = 368: both window frame.
    EXPECT_EQ(f.targetTwaColour, ReportColour::Green);
    EXPECT_EQ(f.mixtureTwaColour, ReportColour::Red);
    EXPECT_EQ(f.targetVhrColour, ReportColour::WindowFrame);
    EXPECT_EQ(f.mixtureVhrColour, ReportColour::WindowFrame);
    // A target set by hand has reference 0: the warning shows.
    EXPECT_TRUE(f.showReferenceWarning);
    EXPECT_EQ(f.ndwCaption3, "N, D, W =");
    EXPECT_EQ(f.ndwText[2], "36  20  44");
    EXPECT_EQ(f.targetEffects, "     X");
}

TEST(ReportFigures, ReferenceWarning) {
    struct Case { const char* name; std::int16_t r1, r2, r3, target; bool two; bool warn; };
    for (const Case c : {Case{"all the same", 2, 2, 2, 2, false, false},
                         Case{"slot 2 differs", 2, 3, 2, 2, false, true},
                         Case{"target differs", 3, 3, 3, 2, false, true},
                         Case{"slot 3 differs", 2, 2, 3, 2, false, true},
                         Case{"slot 3 ignored with two", 2, 2, 3, 2, true, false},
                         Case{"hand target", 2, 2, 2, 0, false, true}}) {
        AppState s = threeSolventState();
        s.twoSolventMode = c.two ? -1 : 1;
        s.blendResult.slotResults[0].reference = c.r1;
        s.blendResult.slotResults[1].reference = c.r2;
        s.blendResult.slotResults[2].reference = c.r3;
        s.target.reference = c.target;
        EXPECT_EQ(computeReportFigures(s).showReferenceWarning, c.warn) << c.name;
    }
}

TEST(ReportFigures, MixtureParametersNeverBlank) {
    struct Case { double value; const char* text; };
    for (const Case c : {Case{0.3, "0"}, Case{-0.3, "0"}, Case{0.000001, "0"}, Case{-0.0, "0"},
                         Case{0.5, "1"}, Case{49.5, "50"}, Case{99.49, "99"}})
        EXPECT_EQ(mixtureParameterText(c.value), c.text) << c.value;
}

TEST(ReportFigures, TargetTextsAndSizes) {
    AppState s = threeSolventState();
    s.target.label = std::string(35, 'a');
    s.target.effects = std::string(45, 'e');
    ReportFigures f = computeReportFigures(s);
    EXPECT_EQ(f.targetNamePoints, 11.0);
    EXPECT_FALSE(f.widenTargetEffects);
    s.target.label = std::string(36, 'a');
    s.target.effects = std::string(46, 'e');
    f = computeReportFigures(s);
    EXPECT_EQ(f.targetNamePoints, 9.0);
    EXPECT_TRUE(f.widenTargetEffects);
    // Characters, not bytes: 35 accented letters are 70 bytes.
    std::string accented;
    for (int i = 0; i < 35; ++i) accented += "\xC3\xA9";
    s.target.label = accented;
    EXPECT_EQ(computeReportFigures(s).targetNamePoints, 11.0);

    s.target.label.clear(), s.target.twaText.clear(), s.target.vhrText.clear();
    f = computeReportFigures(s);
    EXPECT_EQ(f.targetName, "X");
    EXPECT_EQ(f.targetTwa, "X");
    EXPECT_EQ(f.targetVhr, "X");
    EXPECT_EQ(f.targetTwaColour, ReportColour::None);
    EXPECT_EQ(f.mixtureVhrColour, ReportColour::None);
}

// Figures the formulas cannot give: "X", never inf, nan or a negative zero.
TEST(ReportFigures, UnusableNumbersGiveX) {
    struct Case {
        const char* name;
        std::function<void(AppState&)> change;
        bool twaX, vhrX;
    };
    const Case cases[] = {
        {"TWA mg/m3 not a number", [](AppState& s) { s.blendResult.slotResults[1].twaMgText = "none"; }, true, false},
        {"slot 3 TWA mg/m3 not a number", [](AppState& s) { s.blendResult.slotResults[2].twaMgText = ""; }, true, false},
        {"TWA ppm not a number", [](AppState& s) { s.blendResult.slotResults[0].twaText = "none"; }, true, false},
        {"TWA mg/m3 of 0", [](AppState& s) { s.blendResult.slotResults[0].twaMgText = "0"; }, true, false},
        {"VHR not a number", [](AppState& s) { s.blendResult.slotResults[1].vhrText = "none"; }, false, true},
        {"VHR negative", [](AppState& s) { s.blendResult.slotResults[0].vhrText = "-1"; }, false, true},
        {"VHR of 0 adds nothing", [](AppState& s) { s.blendResult.slotResults[2].vhrText = "0"; }, false, false},
        // A solvent the second pass left out takes no part: no figure of its is needed.
        {"left-out slot without figures",
         [](AppState& s) {
             s.blendResult.slotResults[2] = {0.0, 2, "none", "none", "none"};
             s.blendResult.slotResults[1].concentration = 0.8;
         },
         false, false},
        {"slot in the zero band without figures",
         [](AppState& s) {
             s.blendResult.slotResults[2] = {-0.000004, 2, "", "0", "-"};
             s.blendResult.slotResults[1].concentration = 0.800004;
         },
         false, false},
        {"molecular weights 0",
         [](AppState& s) { for (auto& slot : s.solventSlots) slot.molecularWeight = 0; },
         true, false},
    };
    for (const Case& c : cases) {
        AppState s = threeSolventState();
        c.change(s);
        const ReportFigures f = computeReportFigures(s);
        EXPECT_EQ(f.mixtureTwaText == "X", c.twaX) << c.name << ": " << f.mixtureTwaText;
        EXPECT_EQ(f.mixtureVhrText == "X", c.vhrX) << c.name << ": " << f.mixtureVhrText;
        if (c.twaX) {
            EXPECT_EQ(f.mixtureTwaColour, ReportColour::None) << c.name;
        }
        if (c.vhrX) {
            EXPECT_EQ(f.targetVhrColour, ReportColour::None) << c.name;
        }
        for (const std::string* t : {&f.mixtureTwaText, &f.mixtureVhrText, &f.volumeText[0], &f.volumeText[1],
                                     &f.volumeText[2]})
            for (const char* bad : {"inf", "nan", "-0"}) EXPECT_EQ(t->find(bad), std::string::npos) << c.name;
    }
}

TEST(ReportFigures, SmallLimitsKeepTheirDecimal) {
    // Both solvents 0.1 ppm = 0.4 mg/m3: the mixture is 0.4 mg/m3 and 0.1 ppm
    // (rounding 0.4 mg/m3 to a whole number first would give 0 ppm).
    AppState s = twoSolventState();
    for (std::size_t k = 0; k < 2; ++k) s.blendResult.slotResults[k].twaText = "0.1", s.blendResult.slotResults[k].twaMgText = "0.4";
    ReportFigures f = computeReportFigures(s);
    ASSERT_TRUE(f.mixtureTwaPpm);
    EXPECT_NEAR(*f.mixtureTwaMg, 0.4, 1e-6);
    EXPECT_EQ(f.mixtureTwaText, "0.1");

    // Three solvents, 0.4 ppm = 2 mg/m3 each: mg/m3 >= 1 but ppm < 1, so one decimal.
    AppState t = threeSolventState();
    for (auto& slot : t.blendResult.slotResults) slot.twaText = "0.4", slot.twaMgText = "2";
    f = computeReportFigures(t);
    EXPECT_EQ(f.mixtureTwaText, "0.4");
}

TEST(ReportFigures, MixtureVhrOfZeroShowsZero) {
    // VHR 0.1 each: the mixture is 0.1, which rounds to 0.
    for (std::int16_t mode : {std::int16_t{-1}, std::int16_t{1}}) {
        AppState s = threeSolventState();
        s.twoSolventMode = mode;
        for (auto& slot : s.blendResult.slotResults) slot.vhrText = "0.1";
        const ReportFigures f = computeReportFigures(s);
        EXPECT_EQ(f.mixtureVhrText, "0") << "mode " << mode;
        EXPECT_EQ(f.mixtureVhr, 0.0);
    }
}

TEST(ReportFigures, SaferValueColours) {
    struct Case { float target, mixture; bool higherIsSafer; ReportColour t, m; };
    using C = ReportColour;
    for (const Case c : {Case{100, 90, true, C::Green, C::Red}, Case{90, 100, true, C::Red, C::Green},
                         Case{100, 100, true, C::WindowFrame, C::WindowFrame},
                         Case{50, 60, false, C::Green, C::Red}, Case{60, 50, false, C::Red, C::Green},
                         Case{7, 7, false, C::WindowFrame, C::WindowFrame}}) {
        const ColourPair p = compareColours(c.target, c.mixture, c.higherIsSafer);
        EXPECT_EQ(p.target, c.t) << c.target << " vs " << c.mixture;
        EXPECT_EQ(p.mixture, c.m) << c.target << " vs " << c.mixture;
    }
    // Target TWA 100 and a mixture of two 100 ppm solvents: equal in single precision.
    AppState s = twoSolventState();
    for (std::size_t k = 0; k < 2; ++k) s.blendResult.slotResults[k].twaText = "100", s.blendResult.slotResults[k].twaMgText = "400";
    s.target.twaText = "100";
    const ReportFigures f = computeReportFigures(s);
    EXPECT_EQ(f.mixtureTwaText, "100");
    EXPECT_EQ(f.targetTwaColour, ReportColour::WindowFrame);
    EXPECT_EQ(f.mixtureTwaColour, ReportColour::WindowFrame);
}

TEST(ReportFigures, LeftOutSlotShowsZeroVolume) {
    AppState s = threeSolventState();
    s.blendResult.slotResults[2].concentration = 0;
    s.blendResult.slotResults[1].concentration = 0.8;
    EXPECT_EQ(computeReportFigures(s).volumeText[2], ".000");
}

}  // namespace
}  // namespace tarnwell
