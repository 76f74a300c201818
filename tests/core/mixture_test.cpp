// The mixture calculator's arithmetic: checks, rounding to 100, TWA and VHR.
#include "core/messages.h"
#include "core/mixture.h"
#include "core/numbers.h"
#include "core/report_figures.h"
#include "core/state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace tarnwell {
namespace {

struct Solvent {
    std::int16_t n, d, w, reference;
    double molarVolume;
    float molecularWeight;
    std::string ppm, mg, vhr;
};

// Figures of the sample database used across the tests.
const Solvent kAcetone{47, 32, 21, 2, 73.93, 58.08f, "250", "590", "1057"};
const Solvent kEthanol{36, 18, 46, 2, 58.68, 46.07f, "1000", "1900", "58"};
const Solvent kHeptane{100, 0, 0, 2, 146.56, 100.21f, "85", "350", "549"};
const Solvent kToluene{80, 7, 13, 2, 106.29, 92.14f, "100", "375", "289"};

struct Mixture {
    std::array<MixSlot, 3> slots;
    MixtureCalculation calc;
    MixtureInputs inputs;

    // Loads the solvents with their concentrations as the screen would.
    Mixture(const std::vector<Solvent>& solvents, const std::vector<float>& fractions) {
        inputs.twoSolventMode = solvents.size() == 2;
        for (std::size_t k = 0; k < solvents.size(); ++k) {
            const Solvent& s = solvents[k];
            MixSlot& slot = slots[k];
            slot.n = s.n;
            slot.d = s.d;
            slot.w = s.w;
            slot.reference = s.reference;
            slot.molarVolume = s.molarVolume;
            slot.molecularWeight = s.molecularWeight;
            slot.twaMgText = s.mg;
            slot.volumeFraction = fractions[k];
            inputs.selectedRow[k] = static_cast<int>(k);
            inputs.loaded[k] = true;
            inputs.concentrationEntered[k] = true;
            inputs.twaText[k] = s.ppm;
            inputs.vhrText[k] = s.vhr;
        }
        const float c3 = fractions.size() > 2 ? fractions[2] : 0.0f;
        calc.total = concentrationTotal(fractions[0], fractions[1], c3);
    }
    MixtureOutcome run() { return calculateMixture(slots, calc, inputs); }
};

// --- Rounding to 100 ---------------------------------------------------------------

struct RoundingCase {
    double n, d, w;
    RoundingBranch branch;
    double rn, rd, rw;
};

class RoundingTable : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(RoundingTable, GivesWholeNumbersByTheRuleOfItsBranch) {
    const RoundingCase& c = GetParam();
    MixtureCalculation calc;
    calc.mixN = c.n;
    calc.mixD = c.d;
    calc.mixW = c.w;
    EXPECT_EQ(roundToHundred(calc), c.branch);
    EXPECT_EQ(calc.mixN, c.rn);
    EXPECT_EQ(calc.mixD, c.rd);
    EXPECT_EQ(calc.mixW, c.rw);

    // The rule over three values, which the calculator's entry is built on,
    // reports the same, and keeps the fractional parts only past the nearest.
    const HundredRounding r = roundToHundred({c.n, c.d, c.w});
    EXPECT_EQ(r.branch, c.branch);
    EXPECT_EQ(r.whole, (std::array<double, 3>{c.rn, c.rd, c.rw}));
    ASSERT_EQ(r.fractions.has_value(), c.branch != RoundingBranch::Nearest);
    if (r.fractions) {
        EXPECT_EQ(calc.fracN, (*r.fractions)[0]);
        EXPECT_EQ(calc.fracW, (*r.fractions)[2]);
        EXPECT_EQ((*r.fractions)[0], c.n - std::floor(c.n));
    } else {
        EXPECT_EQ(calc.fracN, 0.0) << "the nearest whole numbers leave the fractional parts alone";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Mixture, RoundingTable,
    ::testing::Values(
        // 24.5 goes to the even 24 and the nearest values add to 100.
        RoundingCase{24.5, 30.7, 44.8, RoundingBranch::Nearest, 24, 31, 45},
        // All parts at or above .5: the largest part (N) is reduced.
        RoundingCase{40.75, 20.625, 38.625, RoundingBranch::ReduceLargest, 40, 21, 39},
        // N and D tie for the largest: W is reduced.
        RoundingCase{30.75, 31.75, 37.5, RoundingBranch::ReduceLargest, 31, 32, 37},
        // All parts below .5: the smallest part (W) is raised.
        RoundingCase{45.45, 30.35, 24.2, RoundingBranch::RaiseSmallest, 45, 30, 25},
        // D and W tie for the smallest: W is raised.
        RoundingCase{40.375, 20.3125, 39.3125, RoundingBranch::RaiseSmallest, 40, 20, 40},
        // N has the smallest part of three below .5.
        RoundingCase{33.1, 33.45, 33.45, RoundingBranch::RaiseSmallest, 34, 33, 33},
        // Mixed parts, where a half goes to its even neighbour and the nearest
        // values add to 99: the largest part (N's .5) gets the unit.
        RoundingCase{24.5, 30.3, 45.2, RoundingBranch::LargestFraction, 25, 30, 45},
        // Mixed parts with N and D tied at .5: the later (D) gets the unit.
        RoundingCase{24.5, 30.5, 45.0, RoundingBranch::LargestFraction, 24, 31, 45},
        // Two halves going to their even neighbours and W a 32-bit hair below
        // 73 (0.5 / 0.5 of two nearly equal molar volumes): the nearest values
        // add to 99, so reducing the largest part would give 98.
        RoundingCase{6.5, 20.5, 72.999994, RoundingBranch::LargestFraction, 6, 21, 73},
        // Whole values stay as they are.
        RoundingCase{100, 0, 0, RoundingBranch::Nearest, 100, 0, 0}));

TEST(MixtureRounding, LeavesValuesThatCouldNotBeComputedAlone) {
    MixtureCalculation calc;
    calc.mixN = std::nan("");
    calc.mixD = 10;
    calc.mixW = 90;
    EXPECT_EQ(roundToHundred(calc), RoundingBranch::NotFinite);
    EXPECT_EQ(calc.mixD, 10);
    const HundredRounding r = roundToHundred({10.5, std::numeric_limits<double>::infinity(), 89.5});
    EXPECT_EQ(r.branch, RoundingBranch::NotFinite);
    EXPECT_EQ(r.whole[0], 10.5);
    EXPECT_FALSE(r.fractions);
}

// Any three values adding to 100, or missing it by the error of 32-bit mole
// fractions, come out whole, adding to 100, each within 1.
TEST(MixtureRounding, AlwaysAddsToHundredForRandomValues) {
    std::mt19937 random(20240607);
    std::uniform_real_distribution<double> share(0.0, 100.0);
    for (int i = 0; i < 200000; ++i) {
        double a = share(random), b = share(random);
        if (a + b > 100.0) {
            a = 100.0 - a;
            b = 100.0 - b;
        }
        // Values of whole hundredths and eighths too, so that halves and ties occur.
        if (i % 3 == 1) {
            a = std::round(a * 100) / 100;
            b = std::round(b * 100) / 100;
        } else if (i % 3 == 2) {
            a = std::round(a * 8) / 8;
            b = std::round(b * 8) / 8;
        }
        double c = 100.0 - a - b;
        const double noise = i % 5 == 0 ? 1.0 - 1e-7 : i % 5 == 1 ? 1.0 + 1e-7 : 1.0;
        c *= noise;  // as when only W's solvents carry the error
        MixtureCalculation calc;
        calc.mixN = a;
        calc.mixD = b;
        calc.mixW = c;
        roundToHundred(calc);
        ASSERT_EQ(calc.mixN + calc.mixD + calc.mixW, 100.0) << a << " " << b << " " << c;
        for (auto [rounded, raw] : {std::pair{calc.mixN, a}, {calc.mixD, b}, {calc.mixW, c}}) {
            ASSERT_EQ(rounded, std::floor(rounded));
            // A hair below 100 can make the raise-the-smallest rule lift a 0 to 1.
            ASSERT_LT(std::fabs(rounded - raw), noise == 1.0 ? 1.0 : 1.000001) << a << " " << b << " " << c;
        }
    }
}

// --- Whole mixtures --------------------------------------------------------------

TEST(MixtureParameters, TwoSolventWorkedExample) {
    // 0.5 / 100 and 0.5 / 50 moles: mole fractions 1/3 and 2/3; N = 90/3 + 60 * 2/3 = 70.
    Solvent a{90, 5, 5, 2, 100.0, 100.0f, "100", "400", "10"};
    Solvent b{60, 20, 20, 2, 50.0, 100.0f, "100", "400", "10"};
    Mixture m({a, b}, {0.5f, 0.5f});
    const MixtureOutcome out = m.run();
    ASSERT_EQ(out.check, MixCheck::Passed);
    EXPECT_NEAR(m.calc.moleFraction[0], 1.0 / 3.0, 1e-7);
    EXPECT_NEAR(m.calc.moleFraction[1], 2.0 / 3.0, 1e-7);
    EXPECT_EQ(m.calc.moleFraction[2], 0.0f);
    EXPECT_EQ(out.ndwText, (std::array<std::string, 3>{"70", "15", "15"}));
}

TEST(MixtureParameters, BenchMixtureOfAcetoneEthanolHeptane) {
    // By hand: moles .5/73.93, .3/58.68, .2/146.56 give mole fractions
    // .51080, .38613, .10307; N = 48.215, D = 23.296, W = 28.489. The nearest
    // values add to 99 and every part is below .5, so N (smallest part) is raised.
    // Weight fractions .51341, .30785, .17874; mg/m3 = 1 / (wf/590 + wf/1900 +
    // wf/350) = 648.13; ppm = sum (ppm/mg) * wf * 648.13 = 274.15;
    // VHR = .51080*1057 + .38613*58 + .10307*549 = 539.92 + 22.40 + 56.58 = 618.90.
    Mixture m({kAcetone, kEthanol, kHeptane}, {0.5f, 0.3f, 0.2f});
    const MixtureOutcome out = m.run();
    ASSERT_EQ(out.check, MixCheck::Passed);
    EXPECT_EQ(out.branch, RoundingBranch::RaiseSmallest);
    EXPECT_EQ(out.ndwText, (std::array<std::string, 3>{"49", "23", "28"}));
    EXPECT_NEAR(m.calc.fracN, 0.21509, 1e-4);
    EXPECT_NEAR(m.calc.massFraction[2], 0.17874, 1e-5);
    EXPECT_NEAR(m.calc.twaMixMg, 648.13, 0.01);
    EXPECT_NEAR(m.calc.twaMix, 274.15, 0.01);
    EXPECT_EQ(out.twa.text, "274");
    EXPECT_EQ(out.vhr.text, "619");
    EXPECT_FALSE(out.warning);
}

TEST(MixtureParameters, ExactZeroShowsZero) {
    // Heptane has D = W = 0; a hand-entered solvent of 50/0/50 keeps D at 0.
    Solvent handEntered{50, 0, 50, 0, 80.0, 0.0f, "", "", ""};
    Mixture m({kHeptane, handEntered}, {0.4f, 0.6f});
    const MixtureOutcome out = m.run();
    ASSERT_EQ(out.check, MixCheck::Passed);
    EXPECT_EQ(out.ndwText[1], "0");
    EXPECT_EQ(std::stoi(out.ndwText[0]) + std::stoi(out.ndwText[2]), 100);
}

TEST(MixtureParameters, TwoSolventModeIgnoresSlotThree) {
    Mixture m({kAcetone, kEthanol}, {0.5f, 0.5f});
    // Leftovers in slot 3 (an earlier choice) must not count.
    m.slots[2] = MixSlot{90, 5, 5, 3, 0.0, 0.0f, "0", "x", 0.7f};
    m.inputs.twaText[2] = "oops";
    const MixtureOutcome out = m.run();
    ASSERT_EQ(out.check, MixCheck::Passed);
    EXPECT_EQ(out.ndwText, (std::array<std::string, 3>{"41", "24", "35"}));
    EXPECT_EQ(m.slots[2].volumeFraction, 0.0f);
    EXPECT_EQ(m.slots[2].n, 0);
    // By hand: mg/m3 900.25, ppm 427.62; mole fractions .44250/.55750 give
    // VHR .44250*1057 + .55750*58 = 467.72 + 32.34 = 500.06.
    EXPECT_EQ(out.twa.text, "428");
    EXPECT_EQ(out.vhr.text, "500");
    EXPECT_FALSE(out.warning);  // slot 3's reference 3 is not in use
}

// Random mixtures of solvents whose N + D + W is 100 always show three whole
// numbers adding to 100, each within 1 of the mixture's exact value.
TEST(MixtureParameters, RandomMixturesAlwaysAddToHundred) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> percent(0, 100);
    std::uniform_real_distribution<double> volume(10.0, 400.0);
    std::uniform_int_distribution<int> hundredths(0, 100);
    for (int i = 0; i < 20000; ++i) {
        const bool two = i % 4 == 0;
        std::vector<Solvent> solvents;
        for (int k = 0; k < (two ? 2 : 3); ++k) {
            const int n = percent(random);
            const int d = std::uniform_int_distribution<int>(0, 100 - n)(random);
            solvents.push_back({static_cast<std::int16_t>(n), static_cast<std::int16_t>(d),
                                static_cast<std::int16_t>(100 - n - d), 2, volume(random), 50.0f, "100", "300",
                                "20"});
        }
        const int c1 = hundredths(random);
        const int c2 = std::uniform_int_distribution<int>(0, 100 - c1)(random);
        std::vector<int> counts{c1, two ? 100 - c1 : c2, 100 - c1 - c2};
        std::vector<float> fractions;
        for (int c : counts) fractions.push_back(static_cast<float>(roundTwoDecimalsHalfEven(c / 100.0)));
        Mixture m(solvents, fractions);
        if (!totalIsOne(m.calc.total)) continue;  // the screen would refuse it
        const MixtureOutcome out = m.run();
        ASSERT_EQ(out.check, MixCheck::Passed);

        // The exact mixture, in double precision.
        double moles[3] = {0, 0, 0}, sum = 0;
        for (std::size_t k = 0; k < solvents.size(); ++k) {
            moles[k] = fractions[k] / solvents[k].molarVolume;
            sum += moles[k];
        }
        double exact[3] = {0, 0, 0};
        for (std::size_t k = 0; k < solvents.size(); ++k) {
            exact[0] += solvents[k].n * moles[k] / sum;
            exact[1] += solvents[k].d * moles[k] / sum;
            exact[2] += solvents[k].w * moles[k] / sum;
        }
        const int shown[3] = {std::stoi(out.ndwText[0]), std::stoi(out.ndwText[1]), std::stoi(out.ndwText[2])};
        ASSERT_EQ(shown[0] + shown[1] + shown[2], 100) << "mixture " << i;
        for (int j = 0; j < 3; ++j) ASSERT_LT(std::fabs(shown[j] - exact[j]), 1.0 + 1e-4) << "mixture " << i;
    }
}

// --- TWA and VHR --------------------------------------------------------------------

TEST(MixtureHazards, FigureFormatKeepsTheAboveOneRule) {
    const std::vector<std::pair<double, std::string>> cases = {
        {0.8, "0.8"}, {1.0, "1.0"}, {37.6, "38"}, {640.4, "640"}, {0.0, "0.0"}, {0.46, "0.5"}, {1.2, "1"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(formatMixtureFigure(value), text) << value;
}

TEST(MixtureHazards, TwoSolventVhrUsesMoleFractions) {
    // Toluene + ethanol 0.5/0.5: moles .5/106.29 and .5/58.68 give mole fractions
    // .35570 / .64430 and .35570*289 + .64430*58 = 102.80 + 37.37 = 140.17 -> 140;
    // the volume fractions would give 173.5.
    Mixture m({kToluene, kEthanol}, {0.5f, 0.5f});
    const MixtureOutcome out = m.run();
    EXPECT_EQ(out.vhr.text, "140");
    EXPECT_EQ(m.calc.vhrMix, 140.0);
    // mg/m3 = 1 / (.52475/375 + .47525/1900) = 606.26; ppm = 236.48.
    EXPECT_EQ(out.twa.text, "236");
}

TEST(MixtureHazards, SmallLimitIsNotRoundedAwayBeforeThePpmFigure) {
    // A limit of 0.4 mg/m3 (0.1 ppm) in both: the mixture is 0.4 mg/m3 and
    // 0.1 ppm; rounding the mg/m3 figure first would give 0 ppm.
    Solvent a{50, 25, 25, 2, 100.0, 100.0f, "0.1", "0.4", "5"};
    Solvent b{40, 30, 30, 2, 100.0, 100.0f, "0.1", "0.4", "5"};
    Mixture m({a, b}, {0.5f, 0.5f});
    const MixtureOutcome out = m.run();
    EXPECT_NEAR(m.calc.twaMixMg, 0.4f, 1e-6);
    EXPECT_EQ(out.twa.text, "0.1");
}

struct UnusableCase {
    const char* what;
    std::function<void(Mixture&)> spoil;
    bool twaAvailable, vhrAvailable;
};

TEST(MixtureHazards, UnusableDataShadesTheFigureInsteadOfShowingInfOrNan) {
    const std::vector<UnusableCase> cases = {
        {"TWA text missing", [](Mixture& m) { m.inputs.twaText[1] = ""; }, false, true},
        {"VHR text missing", [](Mixture& m) { m.inputs.vhrText[0] = "none"; }, true, false},
        {"slot 3 TWA missing", [](Mixture& m) { m.inputs.twaText[2] = "none"; }, false, true},
        {"mg/m3 limit of 0", [](Mixture& m) { m.slots[2].twaMgText = "0"; }, false, true},
        {"mg/m3 not a number while ppm is",
         [](Mixture& m) { m.slots[0].twaMgText = "none"; }, false, true},
        {"VHR negative", [](Mixture& m) { m.inputs.vhrText[1] = "-3"; }, true, false},
        {"VHR of 0 adds nothing", [](Mixture& m) { m.inputs.vhrText[1] = "0"; }, true, true},
        // A typed concentration of 0 leaves the solvent out of the blend: its
        // figures are not needed.
        {"no figures in a slot of concentration 0",
         [](Mixture& m) {
             m.inputs.vhrText[2] = "none";
             m.inputs.twaText[2] = "";
             m.slots[2].twaMgText = "0";
             m.slots[0].volumeFraction = 0.7f;
             m.slots[2].volumeFraction = 0.0f;
         },
         true, true},
        {"molecular weights summing to 0",
         [](Mixture& m) {
             for (MixSlot& s : m.slots) s.molecularWeight = 0.0f;
         },
         false, true},
    };
    for (const UnusableCase& c : cases) {
        Mixture m({kAcetone, kEthanol, kHeptane}, {0.5f, 0.3f, 0.2f});
        c.spoil(m);
        const MixtureOutcome out = m.run();
        ASSERT_EQ(out.check, MixCheck::Passed) << c.what;
        EXPECT_EQ(out.twa.available, c.twaAvailable) << c.what;
        EXPECT_EQ(out.vhr.available, c.vhrAvailable) << c.what;
        if (!c.twaAvailable) {
            EXPECT_EQ(out.twa.text, "") << c.what;
        }
        if (!c.vhrAvailable) {
            EXPECT_EQ(out.vhr.text, "") << c.what;
        }
        EXPECT_TRUE(out.ndwAvailable) << c.what;
    }
}

TEST(MixtureHazards, ZeroMolarVolumeGivesNoFiguresAndNoCrash) {
    Mixture m({kAcetone, kEthanol, kHeptane}, {0.5f, 0.3f, 0.2f});
    m.slots[1].molarVolume = 0.0;
    const MixtureOutcome out = m.run();
    ASSERT_EQ(out.check, MixCheck::Passed);
    EXPECT_FALSE(out.ndwAvailable);
    EXPECT_EQ(out.branch, RoundingBranch::NotFinite);
    for (const std::string& t : out.ndwText) EXPECT_EQ(t, "");
    EXPECT_FALSE(out.twa.available);
    EXPECT_FALSE(out.vhr.available);
}

TEST(MixtureHazards, WarningWhenReferencesDiffer) {
    struct Case {
        std::int16_t r1, r2, r3;
        bool two, warning;
    };
    const std::vector<Case> cases = {
        {2, 2, 2, false, false}, {2, 3, 2, false, true}, {2, 2, 3, false, true},
        {0, 0, 0, false, false},  // hand-entered solvents only
        {0, 2, 2, false, true},   // one hand-entered beside table solvents
        {0, 0, 9, true, false},   // slot 3 is not in use
        {1, 2, 1, true, true},
    };
    for (const Case& c : cases) {
        Mixture m({kAcetone, kEthanol, kHeptane}, {0.5f, 0.3f, 0.2f});
        m.inputs.twoSolventMode = c.two;
        if (c.two) {
            m.slots[1].volumeFraction = 0.5f;
            m.calc.total = concentrationTotal(0.5f, 0.5f, 0.0f);
        }
        m.slots[0].reference = c.r1;
        m.slots[1].reference = c.r2;
        m.slots[2].reference = c.r3;
        EXPECT_EQ(m.run().warning, c.warning) << c.r1 << c.r2 << c.r3 << c.two;
    }
}

// The blend report works out the same mixture's TWA and VHR from the mole
// fractions in double precision; both screens must show the same figures.
TEST(MixtureHazards, AgreeWithTheBlendReportForTheSameMixture) {
    const std::vector<Solvent> solvents = {kAcetone, kEthanol, kHeptane, kToluene};
    int compared = 0;
    for (std::size_t i = 0; i < solvents.size(); ++i) {
        for (std::size_t j = 0; j < solvents.size(); ++j) {
            if (i == j) continue;
            for (int hundredths = 1; hundredths < 100; ++hundredths) {
                const float c1 = static_cast<float>(roundTwoDecimalsHalfEven(hundredths / 100.0));
                const float c2 = static_cast<float>(roundTwoDecimalsHalfEven((100 - hundredths) / 100.0));
                Mixture m({solvents[i], solvents[j]}, {c1, c2});
                if (!totalIsOne(m.calc.total)) continue;
                const MixtureOutcome out = m.run();
                ASSERT_TRUE(out.twa.available && out.vhr.available);

                AppState app;
                app.twoSolventMode = -1;
                for (std::size_t k = 0; k < 2; ++k) {
                    const Solvent& s = k == 0 ? solvents[i] : solvents[j];
                    app.solventSlots[k].molarVolume = s.molarVolume;
                    app.solventSlots[k].molecularWeight = s.molecularWeight;
                    app.blendResult.slotResults[k].concentration = m.calc.moleFraction[k];
                    app.blendResult.slotResults[k].twaText = s.ppm;
                    app.blendResult.slotResults[k].twaMgText = s.mg;
                    app.blendResult.slotResults[k].vhrText = s.vhr;
                }
                const ReportFigures report = computeReportFigures(app);
                ASSERT_TRUE(report.mixtureTwaPpm && report.mixtureVhr);
                if (m.calc.twaMix > 1.0f && *report.mixtureTwaPpm > 1.0) {
                    EXPECT_EQ(out.twa.text, report.mixtureTwaText) << i << " " << j << " " << c1;
                    ++compared;
                }
                if (m.calc.vhrMix > 1.0 && *report.mixtureVhr > 1.0) {
                    EXPECT_EQ(out.vhr.text, report.mixtureVhrText) << i << " " << j << " " << c1;
                    ++compared;
                }
            }
        }
    }
    EXPECT_GT(compared, 2000);
}

// --- Input checks ---------------------------------------------------------------------

TEST(MixtureChecks, FirstFailingCheckIsReportedInOrder) {
    struct Case {
        const char* what;
        std::function<void(Mixture&)> change;
        MixCheck expected;
    };
    const std::vector<Case> cases = {
        {"nothing chosen or entered",
         [](Mixture& m) {
             m.inputs = MixtureInputs{};
             m.calc.total = 0.0f;
         },
         MixCheck::SelectSolvent1},
        {"list 1 without selection", [](Mixture& m) { m.inputs.selectedRow[0] = -1; }, MixCheck::SelectSolvent1},
        {"slot 2 selected but not loaded", [](Mixture& m) { m.inputs.loaded[1] = false; }, MixCheck::SelectSolvent2},
        {"slot 3 missing", [](Mixture& m) { m.inputs.selectedRow[2] = -1; }, MixCheck::SelectSolvent3},
        {"slot 3 missing in two-solvent mode",
         [](Mixture& m) {
             m.inputs.twoSolventMode = true;
             m.inputs.selectedRow[2] = -1;
             m.inputs.concentrationEntered[2] = false;
             m.calc.total = concentrationTotal(0.5f, 0.5f, 0.0f);
         },
         MixCheck::Passed},
        {"0.30 three times",
         [](Mixture& m) { m.calc.total = concentrationTotal(0.3f, 0.3f, 0.3f); }, MixCheck::SumNotOne},
        {"0.33 + 0.33 + 0.34",
         [](Mixture& m) { m.calc.total = concentrationTotal(0.33f, 0.33f, 0.34f); }, MixCheck::Passed},
        {"sum checked before empty fields",
         [](Mixture& m) {
             m.inputs.concentrationEntered = {false, false, false};
             m.calc.total = 0.9f;
         },
         MixCheck::SumNotOne},
        {"field 1 empty", [](Mixture& m) { m.inputs.concentrationEntered[0] = false; },
         MixCheck::EnterConcentration1},
        {"field 2 empty", [](Mixture& m) { m.inputs.concentrationEntered[1] = false; },
         MixCheck::EnterConcentration2},
        {"field 3 empty", [](Mixture& m) { m.inputs.concentrationEntered[2] = false; },
         MixCheck::EnterConcentration3},
    };
    for (const Case& c : cases) {
        Mixture m({kAcetone, kEthanol, kHeptane}, {0.5f, 0.3f, 0.2f});
        c.change(m);
        const MixSlot before = m.slots[2];
        const MixtureOutcome out = m.run();
        EXPECT_EQ(out.check, c.expected) << c.what;
        if (out.check != MixCheck::Passed) {
            EXPECT_EQ(m.calc.mixN, 0.0) << c.what << ": nothing may change";
            EXPECT_EQ(m.slots[2].n, before.n) << c.what;
        }
    }
}

TEST(MixtureChecks, TextsAndFocus) {
    EXPECT_STREQ(mixCheckText(MixCheck::SelectSolvent1), "Please select a solvent in the Solvent #1 box.");
    EXPECT_STREQ(mixCheckText(MixCheck::SumNotOne),
                 "The concentrations must add up to 1.0.  Please enter different values.");
    EXPECT_STREQ(mixCheckText(MixCheck::EnterConcentration3), "Please enter a concentration for Solvent #3. ");
    EXPECT_EQ(mixCheckFocus(MixCheck::SumNotOne), -1);
    EXPECT_EQ(mixCheckFocus(MixCheck::SelectSolvent2), -1);
    EXPECT_EQ(mixCheckFocus(MixCheck::EnterConcentration2), 1);
    EXPECT_EQ(std::string(messages::kConcentrationEntry),
              "Please enter the concentration as a number between 0.00 and 1.00.\r"
              "        Concentrations will be rounded to two decimal places.");
}

// --- Concentration entry ----------------------------------------------------------------

TEST(ConcentrationEntry, ReadsRoundsAndShows) {
    struct Case {
        const char* typed;
        ConcentrationKind kind;
        float value;
        const char* shown;
    };
    const std::vector<Case> cases = {
        {"0.456", ConcentrationKind::Accepted, 0.46f, "0.46"},
        {"0.125", ConcentrationKind::Accepted, 0.12f, "0.12"},  // exact half goes to even
        {"0.045", ConcentrationKind::Accepted, 0.05f, "0.05"},  // the float lies just above .045
        {"0.955", ConcentrationKind::Accepted, 0.95f, "0.95"},  // the float lies just below .955
        {".5", ConcentrationKind::Accepted, 0.5f, "0.5"},
        {"0.333", ConcentrationKind::Accepted, 0.33f, "0.33"},
        {"1.00", ConcentrationKind::Accepted, 1.0f, "1"},
        {"1", ConcentrationKind::Accepted, 1.0f, "1"},
        {"0", ConcentrationKind::Accepted, 0.0f, "0"},
        {"-0", ConcentrationKind::Accepted, 0.0f, "0"},
        {" 0.3 ", ConcentrationKind::Accepted, 0.3f, "0.3"},
        {"3e-1", ConcentrationKind::Accepted, 0.3f, "0.3"},
        {"0.999", ConcentrationKind::Accepted, 1.0f, "1"},
        {"-0.1", ConcentrationKind::OutOfRange, 0.0f, ""},
        {"1.5", ConcentrationKind::OutOfRange, 0.0f, ""},
        {"1.0000001", ConcentrationKind::OutOfRange, 0.0f, ""},
        {"1e400", ConcentrationKind::OutOfRange, 0.0f, ""},
        {"abc", ConcentrationKind::NotNumeric, 0.0f, ""},
        {"", ConcentrationKind::NotNumeric, 0.0f, ""},
        {"0,5", ConcentrationKind::NotNumeric, 0.0f, ""},
    };
    for (const Case& c : cases) {
        const ConcentrationEntry e = readConcentration(c.typed);
        EXPECT_EQ(e.kind, c.kind) << c.typed;
        EXPECT_EQ(e.value, c.value) << c.typed;
        EXPECT_EQ(e.text, c.shown) << c.typed;
    }
}

TEST(ConcentrationEntry, TotalIsOneWithinItsTolerance) {
    EXPECT_TRUE(totalIsOne(concentrationTotal(0.5f, 0.3f, 0.2f)));
    EXPECT_TRUE(totalIsOne(concentrationTotal(0.33f, 0.33f, 0.34f)));
    EXPECT_FALSE(totalIsOne(concentrationTotal(0.5f, 0.3f, 0.3f)));
    EXPECT_EQ(formatTwoDecimals(concentrationTotal(0.5f, 0.3f, 0.3f)), "1.10");
    EXPECT_FALSE(totalIsOne(0.99f));
}

TEST(MixSlotLoading, CopiesARecordAndRefusesUnreadableNumbers) {
    SolventRecord r;
    r.label = "2:   Acetone";
    r.reference = "2";
    r.n = "47";
    r.d = "32";
    r.w = "21";
    r.molarVolume = "73.93";
    r.molecularWeight = "58.08";
    r.twaMgText = "590";
    MixSlot slot;
    ASSERT_TRUE(loadMixSlot(r, slot));
    EXPECT_EQ(slot.n, 47);
    EXPECT_EQ(slot.w, 21);
    EXPECT_EQ(slot.reference, 2);
    EXPECT_EQ(slot.molarVolume, 73.93);
    EXPECT_EQ(slot.molecularWeight, 58.08f);
    EXPECT_EQ(slot.twaMgText, "590");
    EXPECT_EQ(slot.label, "2:   Acetone");

    r.n = "forty";
    MixSlot untouched;
    EXPECT_FALSE(loadMixSlot(r, untouched));
    EXPECT_EQ(untouched.label, "");
}

}  // namespace
}  // namespace tarnwell
