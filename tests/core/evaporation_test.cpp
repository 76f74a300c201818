// How a blend changes as it evaporates. The expected values come from the
// exact solution worked by hand in the comments, from an independent bisection
// below, or from the calculator and the report themselves, never from the code
// under test.
#include "core/evaporation.h"
#include "core/messages.h"
#include "core/mixture.h"
#include "core/numbers.h"
#include "core/report_figures.h"
#include "core/solubility_zone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarnwell {
namespace {

struct Solvent {
    const char* label;
    std::int16_t n, d, w;
    double molarVolume;
    double molecularWeight;
    const char* ppm;
    const char* mg;
    const char* vhr;
    const char* properties;  // vp, boiling point, flash point, class, source
};

// The shipped database's figures (reference 2 rows). Each vapour pressure is
// the corrected 20 C value scripts/make-database uses for the VHR (VHR = VP x
// 10^6 / (TWA x 760): acetone 180 mmHg gives 947, ethanol 44 gives 58,
// n-heptane 35.45 gives 549, toluene 21 gives 276). Boiling and flash points
// are values for these tests.
const Solvent kAcetone{"2:   Acetone", 47, 32, 21, 73.54, 58.1, "250", "590", "947", "180\t56\t-20\tIB\tNPG"};
const Solvent kEthanol{"2:   Ethanol", 36, 20, 44, 58.35, 46.1, "1000", "1900", "58", "44\t78\t13\tIB\tNPG"};
const Solvent kHeptane{"2:   n-Heptane", 100, 0, 0, 147.35, 100.2, "85", "350", "549", "35.45\t98\t-4\tIB\tNPG"};
const Solvent kToluene{"2:   Toluene", 84, 7, 9, 105.86, 92.1, "100", "375", "276", "21\t111\t4\tIB\tNPG"};
const Solvent kWater{"2:   Water", 21, 22, 57, 18.00, 18.015, "none", "none", "none", "17.59\t100\tnone\tnone\tPoling"};
const Solvent kMethanol{"2:   Methanol", 30, 25, 45, 40.63, 32.1, "200", "260", "632", "96\t65\t11\tIB\tNPG"};
const Solvent kWhiteSpirit{"4:   White spirit (mineral spirits, 15\xE2\x80\x93" "20 % aromatic)", 98, 1, 1, 192.31, 150,
                           "57", "350", "104", "4.5\t150\t38\tII\test."};
const Solvent kDiacetone{"2:   Diacetone alcohol", 45, 24, 31, 123.62, 116.2, "50", "240", "26", "1\t168\t58\tII\tNPG"};
const Solvent kBenzyl{"2:   Benzyl alcohol", 48, 16, 36, 103.79, 108.14, "none", "none", "none",
                      "0.05746\t205\t93\tIIIB\tPoling"};
const Solvent kBenzene{"2:   Benzene", 90, 0, 10, 88.75, 78.1, "0.1", "0.319", "986842", "75\t80\t-11\tIB\tNPG"};
const Solvent kEther{"2:   Diethyl ether", 64, 13, 23, 104.37, 74.1, "400", "1200", "1447", "440\t34.6\t-45\tIA\tNPG"};
// Fictional: one that never evaporates, one of unknown vapour pressure, one the file lacks.
const Solvent kStill{"2:   Still oil", 80, 10, 10, 300.0, 280.0, "5", "60", "0", "0\t350\t200\tIIIB\ttest"};
const Solvent kUnknown{"2:   Unknown ester", 55, 20, 25, 120.0, 110.0, "50", "230", "40", "none\t150\t45\tII\ttest"};
const Solvent kNotInFile{"2:   Rare ketone", 60, 25, 15, 110.0, 100.0, "25", "100", "80", nullptr};
// Two with the same vapour pressure (an ideal pair with Raoult's law), and
// binary pairs whose vapour pressures differ by 20 and by 1.2.
const Solvent kEqualA{"2:   Equal A", 60, 30, 10, 80.0, 70.0, "300", "900", "200", "50\t90\t10\tIB\ttest"};
const Solvent kEqualB{"2:   Equal B", 30, 10, 60, 120.0, 90.0, "300", "1100", "200", "50\t95\t12\tIB\ttest"};
const Solvent kFast{"2:   Fast", 50, 40, 10, 75.0, 60.0, "100", "250", "300", "200\t60\t-10\tIB\ttest"};
const Solvent kSlow20{"2:   Slow by 20", 90, 5, 5, 150.0, 110.0, "200", "900", "15", "10\t150\t40\tIC\ttest"};
const Solvent kSlow12{"2:   Slow by 1.2", 40, 20, 40, 95.0, 80.0, "150", "490", "250", "166.66666666666666\t70\t0\tIB\ttest"};

const std::vector<Solvent> kAll{kAcetone, kEthanol, kHeptane, kToluene, kWater, kMethanol, kWhiteSpirit, kDiacetone,
                                kBenzyl, kBenzene, kEther, kStill, kUnknown, kEqualA, kEqualB, kFast, kSlow20, kSlow12};

const SolventPropertiesFile& propertiesFile() {
    static const SolventPropertiesFile file = [] {
        std::string text = "# test figures\n" + std::string(kPropertiesHeader) + "\n";
        for (const Solvent& s : kAll)
            if (s.properties) text += std::string(s.label) + "\t" + s.properties + "\n";
        return parseSolventProperties(text);
    }();
    return file;
}

MixSlot slotOf(const Solvent& s, float fraction) {
    MixSlot slot;
    slot.n = s.n;
    slot.d = s.d;
    slot.w = s.w;
    slot.reference = static_cast<std::int16_t>(s.label[0] - '0');
    slot.molarVolume = s.molarVolume;
    slot.molecularWeight = static_cast<float>(s.molecularWeight);
    slot.twaMgText = s.mg;
    slot.label = s.label;
    slot.volumeFraction = fraction;
    return slot;
}

// A calculator mixture, as its screen holds it after a Calculate that passed.
struct Mixture {
    std::array<MixSlot, 3> slots;
    MixtureInputs inputs;
    MixtureCalculation calc;

    Mixture(const std::vector<Solvent>& solvents, const std::vector<float>& fractions) {
        inputs.twoSolventMode = solvents.size() == 2;
        for (std::size_t k = 0; k < solvents.size(); ++k) {
            slots[k] = slotOf(solvents[k], fractions[k]);
            inputs.selectedRow[k] = static_cast<int>(k);
            inputs.loaded[k] = inputs.concentrationEntered[k] = true;
            inputs.twaText[k] = solvents[k].ppm;
            inputs.vhrText[k] = solvents[k].vhr;
        }
        calc.total = concentrationTotal(fractions[0], fractions[1], fractions.size() > 2 ? fractions[2] : 0.0f);
    }
    EvaporationInput input() const { return evaporationFromMixture(slots, inputs); }
    EvaporationResult evaporate(const SolubilityZone* zone = nullptr) const {
        return computeEvaporation(input(), propertiesFile(), zone);
    }
};

const EvaporationMark& markAt(const EvaporationResult& r, int percent) {
    for (const EvaporationMark& m : r.marks)
        if (m.percent == percent) return m;
    throw std::logic_error("no such mark");
}

// --- An independent solution: bisection on the evaporated share -------------------------

struct Exact {
    std::vector<double> n0, p, v;
    double volume(double s) const {
        double sum = 0;
        for (std::size_t i = 0; i < n0.size(); ++i) sum += n0[i] * v[i] * std::exp(-p[i] * s);
        return sum;
    }
    // Moles left when `share` of the starting volume has evaporated.
    std::vector<double> molesAt(double share) const {
        const double goal = (1 - share) * volume(0);
        double lo = 0, hi = 1e-6;
        while (volume(hi) > goal) hi *= 2;
        for (int i = 0; i < 300; ++i) (volume(0.5 * (lo + hi)) > goal ? lo : hi) = 0.5 * (lo + hi);
        std::vector<double> n;
        for (std::size_t i = 0; i < n0.size(); ++i) n.push_back(n0[i] * std::exp(-p[i] * lo));
        return n;
    }
};

Exact exactOf(const std::vector<Solvent>& solvents, const std::vector<float>& fractions) {
    Exact e;
    for (std::size_t i = 0; i < solvents.size(); ++i) {
        e.n0.push_back(fractions[i] / solvents[i].molarVolume);
        e.p.push_back(*propertiesFile().find(solvents[i].label)->vapourPressure);
        e.v.push_back(solvents[i].molarVolume);
    }
    return e;
}

// --- The exact solution -------------------------------------------------------------------

// Two solvents with one transfer coefficient obey
//   ln(n_A/n_A0) = (P_A/P_B) ln(n_B/n_B0)
// exactly. The moles at a mark are read back from what the result shows: the
// volume fractions of the remaining liquid, which is (1 - share) of the
// starting volume, so n_i = vf_i (1 - share) V0 / V_i. A composition found at
// the wrong share, or a wrong conversion between moles and volumes, breaks it.
TEST(Evaporation, TwoSolventsFollowTheClosedFormAtEveryMark) {
    struct Case {
        Solvent a, b;
        std::vector<float> fractions;
    };
    const Case cases[] = {
        {kFast, kSlow20, {0.5f, 0.5f}},   // ratio 20
        {kFast, kSlow20, {0.9f, 0.1f}},
        {kSlow20, kFast, {0.05f, 0.95f}},
        {kFast, kSlow12, {0.5f, 0.5f}},   // ratio 1.2
        {kSlow12, kFast, {0.3f, 0.7f}},
        {kAcetone, kHeptane, {0.5f, 0.5f}},
    };
    for (const Case& c : cases) {
        const Mixture mix({c.a, c.b}, c.fractions);
        const EvaporationResult r = mix.evaporate();
        ASSERT_TRUE(r.pathKnown) << c.a.label;
        const EvaporationInput in = mix.input();
        const double pa = *r.solvents[0].vapourPressure, pb = *r.solvents[1].vapourPressure;
        const double v0 = in.solvents[0].startMoles * c.a.molarVolume + in.solvents[1].startMoles * c.b.molarVolume;
        for (const EvaporationMark& m : r.marks) {
            ASSERT_EQ(m.state, MarkState::Reached) << m.percent;
            const double left = (1 - m.percent / 100.0) * v0;
            const double na = m.volumeFraction[0] * left / c.a.molarVolume;
            const double nb = m.volumeFraction[1] * left / c.b.molarVolume;
            EXPECT_NEAR(std::log(na / in.solvents[0].startMoles), pa / pb * std::log(nb / in.solvents[1].startMoles), 1e-6)
                << c.a.label << " + " << c.b.label << " at " << m.percent << " %";
            EXPECT_NEAR(m.volumeFraction[0] + m.volumeFraction[1], 1.0, 1e-12);
        }
    }
}

// Acetone 0.50, ethanol 0.30, n-heptane 0.20 by volume, in the calculator.
//   Moles (volume / molar volume): 0.5/73.54 = 0.0067990, 0.3/58.35 = 0.0051414,
//   0.2/147.35 = 0.0013573. The volume left is
//     V(S) = 0.5 exp(-180 S) + 0.3 exp(-44 S) + 0.2 exp(-35.45 S).
//   Order: by falling vapour pressure, acetone (180), ethanol (44), n-heptane
//   (35.45) last. 99 % of acetone is gone at S = ln 100 / 180 = 0.025584, where
//   V = 0.5 x 0.01 + 0.3 x 0.3244 + 0.2 x 0.4040 = 0.1831: 81.7 % evaporated.
//   Ethanol's 99 % (S = 0.10466) comes only at 99.2 %.
//   50 % evaporated: V(S) = 0.5 at S = 0.0074636 (0.5 x 0.26094 + 0.3 x 0.72008 +
//   0.2 x 0.76753 = 0.13047 + 0.21602 + 0.15351 = 0.50000). Moles left: 0.0017742,
//   0.0037022, 0.0010418, mole fractions 0.27219, 0.56798, 0.15983:
//     N = 47 x 0.27219 + 36 x 0.56798 + 100 x 0.15983 = 49.22
//     D = 32 x 0.27219 + 20 x 0.56798 = 20.07
//     W = 21 x 0.27219 + 44 x 0.56798 = 30.71
//   each to its nearest, 49 + 20 + 31 = 100. Volume fractions (n x V / 0.5):
//   acetone .261, ethanol .432, n-heptane .307.
//   n-Heptane's TWA, 85 ppm, is the lowest of the three; its VHR, 549, is below
//   acetone's 947.
TEST(Evaporation, AcetoneEthanolHeptaneWorkedByHand) {
    const Mixture mix({kAcetone, kEthanol, kHeptane}, {0.5f, 0.3f, 0.2f});
    const EvaporationResult r = mix.evaporate();
    ASSERT_TRUE(r.pathKnown) << r.unknownText;
    EXPECT_EQ(r.runOutOrder, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(r.runOutText, "The solvents run out in this order: Acetone, then Ethanol, then n-Heptane.");
    EXPECT_EQ(r.solvents[0].runOutText, "Acetone: 99 % of it has evaporated when 81 % of the liquid has.");
    EXPECT_NEAR(*r.solvents[0].runOutShare, 0.8169, 0.0001);
    EXPECT_EQ(r.solvents[1].runOutText, "Ethanol: more than 1 % of it is left when 99 % of the liquid has evaporated.");
    EXPECT_EQ(r.lastSolvents, (std::vector<std::size_t>{2}));
    EXPECT_EQ(r.lastSolventText, "n-Heptane remains last. n-Heptane has the lowest TWA of the blend's solvents.");

    const EvaporationMark& half = markAt(r, 50);
    ASSERT_EQ(half.state, MarkState::Reached);
    EXPECT_EQ(half.ndw, (TeasPoint{49, 20, 31}));
    EXPECT_EQ(half.ndwText, (std::array<std::string, 3>{"49", "20", "31"}));
    EXPECT_EQ(half.volumeText, (std::array<std::string, 3>{".261", ".432", ".307"}));
    EXPECT_NEAR(half.moleFraction[0], 0.27219, 0.00001);
    EXPECT_NEAR(half.moleFraction[1], 0.56798, 0.00001);
    // The report's rule: VHR = sum x VHR = 0.27219 x 947 + 0.56798 x 58 + 0.15983 x 549 = 378.0.
    EXPECT_EQ(half.vhrText, "378");

    // At 0 % the calculator's own figures.
    Mixture calculator({kAcetone, kEthanol, kHeptane}, {0.5f, 0.3f, 0.2f});
    const MixtureOutcome shown = calculateMixture(calculator.slots, calculator.calc, calculator.inputs);
    EXPECT_EQ(markAt(r, 0).ndwText, shown.ndwText);
}

// The calculator's N, D, W, TWA and VHR at 0 %, for many mixtures of two or
// three solvents in whole hundredths (0 included), must be the calculator's
// to the digit. Benzene's VHR of 986,842 shows the 32-bit mole fractions.
TEST(Evaporation, StartsAtWhatTheCalculatorShows) {
    const std::vector<Solvent> pool{kAcetone,     kEthanol,   kHeptane, kToluene, kWater,
                                    kWhiteSpirit, kDiacetone, kBenzyl,  kBenzene, kMethanol};
    std::mt19937 random(30);
    std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
    int compared = 0;
    for (int i = 0; i < 3000; ++i) {
        const bool two = i % 3 == 0;
        std::vector<Solvent> solvents{pool[pick(random)], pool[pick(random)]};
        if (!two) solvents.push_back(pool[pick(random)]);
        const int a = std::uniform_int_distribution<int>(0, 100)(random);
        const int b = two ? 100 - a : std::uniform_int_distribution<int>(0, 100 - a)(random);
        std::vector<float> fractions{static_cast<float>(a / 100.0), static_cast<float>(b / 100.0)};
        if (!two) fractions.push_back(static_cast<float>((100 - a - b) / 100.0));
        Mixture mix(solvents, fractions);
        const EvaporationResult r = mix.evaporate();
        const MixtureOutcome shown = calculateMixture(mix.slots, mix.calc, mix.inputs);
        if (shown.check != MixCheck::Passed) continue;
        ASSERT_TRUE(r.mixtureKnown);
        ASSERT_EQ(shown.ndwAvailable, markAt(r, 0).ndw.has_value()) << i;
        EXPECT_EQ(markAt(r, 0).ndwText, shown.ndwText) << "mixture " << i << ": " << a << "/" << b;
        // The figures as numbers: the calculator writes 0 and 1 as "0.0" and "1.0".
        EXPECT_EQ(shown.vhr.available, markAt(r, 0).vhr.has_value()) << i;
        if (shown.vhr.available) {
            EXPECT_EQ(parseDouble(shown.vhr.text), parseDouble(markAt(r, 0).vhrText)) << i;
        }
        EXPECT_EQ(shown.twa.available, markAt(r, 0).twaPpm.has_value()) << i;
        if (shown.twa.available) {
            EXPECT_EQ(parseDouble(shown.twa.text), parseDouble(markAt(r, 0).twaText)) << i;
        }
        ++compared;
    }
    EXPECT_GT(compared, 2900);
}

// From the main screen's blend, the 0 % row is what the solution report shows.
TEST(Evaporation, StartsAtWhatTheReportShows) {
    AppState state;
    const Solvent solvents[] = {kAcetone, kEthanol, kToluene};
    const double x[] = {0.35, 0.45, 0.2};
    for (std::size_t k = 0; k < 3; ++k) {
        const Solvent& s = solvents[k];
        state.solventSlots[k] = {{s.n, s.d, s.w}, s.label, s.molarVolume, s.molecularWeight, "Eyes"};
        state.blendResult.slotResults[k] = {x[k], 2, s.ppm, s.mg, s.vhr};
    }
    const ReportFigures report = computeReportFigures(state);
    const EvaporationResult r = computeEvaporation(evaporationFromBlend(state), propertiesFile());
    const EvaporationMark& start = markAt(r, 0);
    EXPECT_EQ(start.twaText, report.mixtureTwaText);
    EXPECT_EQ(start.vhrText, report.mixtureVhrText);
    for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(start.volumeText[k], report.volumeText[k]) << k;
    ASSERT_TRUE(r.pathKnown);
    EXPECT_EQ(r.lastSolventText, "Toluene remains last. Toluene has the lowest TWA of the blend's solvents.");
}

// --- Edge cases ----------------------------------------------------------------------------

TEST(Evaporation, EqualVapourPressuresKeepTheComposition) {
    const Mixture mix({kEqualA, kEqualB}, {0.4f, 0.6f});
    const EvaporationResult r = mix.evaporate();
    ASSERT_TRUE(r.pathKnown);
    for (const EvaporationMark& m : r.marks) {
        ASSERT_EQ(m.state, MarkState::Reached) << m.percent;
        EXPECT_NEAR(m.volumeFraction[0], 0.4, 1e-7) << m.percent;
        EXPECT_EQ(m.ndw, markAt(r, 0).ndw) << m.percent;
    }
    EXPECT_EQ(r.lastSolventText, messages::kAllEvaporateAlike);
    EXPECT_EQ(r.runOutText, "");
}

// A solvent of vapour pressure 0 stays: 40 % of the volume never evaporates,
// so the marks from 75 % on are never reached, and 60 % only in the limit.
TEST(Evaporation, ASolventThatDoesNotEvaporateRemainsAndLimitsTheMarks) {
    const Mixture mix({kAcetone, kStill}, {0.6f, 0.4f});
    const EvaporationResult r = mix.evaporate();
    ASSERT_TRUE(r.pathKnown);
    EXPECT_NEAR(r.reachableShare, 0.6, 1e-6);
    for (int percent : {0, 25, 50}) EXPECT_EQ(markAt(r, percent).state, MarkState::Reached) << percent;
    for (int percent : {75, 90, 99}) {
        const EvaporationMark& m = markAt(r, percent);
        EXPECT_EQ(m.state, MarkState::NotReached) << percent;
        EXPECT_FALSE(m.ndw || m.point || m.twaPpm || m.vhr) << percent << ": nothing is made up";
    }
    // At 50 %: 0.1 of acetone left beside 0.4 of oil: .200 and .800 by volume.
    EXPECT_EQ(markAt(r, 50).volumeText[0], ".200");
    EXPECT_EQ(markAt(r, 50).volumeText[1], ".800");
    EXPECT_EQ(r.lastSolvents, (std::vector<std::size_t>{1}));
    EXPECT_EQ(r.lastSolventText,
              "Still oil does not evaporate and remains. Still oil has the lowest TWA of the blend's solvents. Only 60 % "
              "of the liquid can evaporate; the rest never does.");
    EXPECT_EQ(r.solvents[1].runOutText, "Still oil: vapour pressure 0, it does not evaporate.");
    // The path ends where only the oil is left, at the share it tends to.
    const PathPoint end = r.path.back();
    EXPECT_EQ(end.share, r.reachableShare);
    const PlanePoint oil = *teasToPlane(kStill.n, kStill.d, kStill.w);
    EXPECT_NEAR(end.point.x, oil.x, 1e-9);
    EXPECT_NEAR(end.point.y, oil.y, 1e-9);
}

TEST(Evaporation, WithoutEveryVapourPressureThereIsNoPathAndTheSolventsAreNamed) {
    auto handEntered = [](const Mixture& m, std::size_t k) {
        Mixture copy = m;
        copy.slots[k].reference = 0;
        copy.slots[k].label = kUserEnteredLabel;
        copy.inputs.twaText[k] = copy.inputs.vhrText[k] = "";
        copy.slots[k].twaMgText = "";
        return copy;
    };
    const Mixture unknownPressure({kAcetone, kUnknown, kWater}, {0.3f, 0.3f, 0.4f});
    const Mixture notInFile({kNotInFile, kEthanol}, {0.5f, 0.5f});
    const Mixture byHand = handEntered(Mixture({kAcetone, kHeptane}, {0.5f, 0.5f}), 1);
    const Mixture twoByHand = handEntered(handEntered(Mixture({kToluene, kHeptane, kEthanol}, {0.2f, 0.5f, 0.3f}), 0), 2);
    struct Case {
        const char* name;
        const Mixture& mix;
        std::string text;
    };
    const Case cases[] = {
        {"a vapour pressure none", unknownPressure,
         "No vapour pressure is known for Unknown ester, so the path of the remaining liquid cannot be drawn."},
        {"not in the file", notInFile,
         "No vapour pressure is known for Rare ketone, so the path of the remaining liquid cannot be drawn."},
        {"entered by hand", byHand,
         "No vapour pressure is known for solvent #2, entered by hand (N, D, W = 100, 0, 0), so the path of the "
         "remaining liquid cannot be drawn."},
        {"two entered by hand", twoByHand,
         "No vapour pressure is known for solvent #1, entered by hand (N, D, W = 84, 7, 9) and solvent #3, entered by "
         "hand (N, D, W = 36, 20, 44), so the path of the remaining liquid cannot be drawn."},
    };
    for (const Case& c : cases) {
        const EvaporationResult r = c.mix.evaporate();
        EXPECT_TRUE(r.mixtureKnown) << c.name;
        EXPECT_FALSE(r.pathKnown) << c.name;
        EXPECT_TRUE(r.path.empty()) << c.name;
        EXPECT_EQ(r.unknownText, c.text) << c.name;
        EXPECT_EQ(r.lastSolventText, c.text) << c.name;
        EXPECT_EQ(r.propertiesFileText, "") << c.name;
        EXPECT_TRUE(r.runOutOrder.empty() && r.lastSolvents.empty()) << c.name;
        // The starting row needs no vapour pressure; the others are unknown, not guessed.
        EXPECT_EQ(markAt(r, 0).state, MarkState::Reached) << c.name;
        for (std::size_t k = 1; k < r.marks.size(); ++k) EXPECT_EQ(r.marks[k].state, MarkState::Unknown) << c.name;
    }
    // A hand-entered solvent has no flash point either, whatever the file holds.
    EXPECT_EQ(byHand.evaporate().flammabilityText,
              "Highly flammable: Acetone, flash point \u221220 \u00B0C; no flash point known for solvent #2, entered by "
              "hand (N, D, W = 100, 0, 0)");
}

TEST(Evaporation, AMissingOrDamagedPropertiesFileLeavesEveryFigureUnknown) {
    const Mixture mix({kAcetone, kEthanol}, {0.5f, 0.5f});
    const SolventPropertiesFile missing;
    const SolventPropertiesFile damaged =
        parseSolventProperties(std::string(kPropertiesHeader) + "\n2:   Acetone\t180\t56\t-20\tIB\n");
    ASSERT_EQ(damaged.status, PropertiesFileStatus::Damaged);
    struct Case {
        const SolventPropertiesFile& file;
        std::string fileText;
    };
    const Case cases[] = {
        {missing, "The file of solvent properties, tarnwell solvent properties 1.0.txt, was not found beside the "
                  "database, so no vapour pressure or flash point is known."},
        {damaged, "The file of solvent properties, tarnwell solvent properties 1.0.txt, is damaged and was not used, so "
                  "no vapour pressure or flash point is known.\rLine 2: the row has 5 fields; a solvent's row has 6, "
                  "separated by tabs."},
    };
    for (const Case& c : cases) {
        const EvaporationResult r = computeEvaporation(mix.input(), c.file);
        EXPECT_EQ(r.propertiesFileText, c.fileText);
        EXPECT_FALSE(r.pathKnown);
        EXPECT_EQ(r.unknownText,
                  "No vapour pressure is known for Acetone and Ethanol, so the path of the remaining liquid cannot be drawn.");
        EXPECT_EQ(r.flammabilityText, "No flash point is known for the solvents of this blend.");
        EXPECT_EQ(markAt(r, 0).ndw, markAt(mix.evaporate(), 0).ndw);
    }
}

// A slot of concentration 0 is no part of the blend: its figures, known or
// not, change nothing, and it stays at 0 all the way.
TEST(Evaporation, ASlotOfConcentrationZeroTakesNoPart) {
    const EvaporationResult two = Mixture({kAcetone, kHeptane}, {0.4f, 0.6f}).evaporate();
    for (const Solvent& third : {kUnknown, kNotInFile, kStill, kEther}) {
        const EvaporationResult r = Mixture({kAcetone, kHeptane, third}, {0.4f, 0.6f, 0.0f}).evaporate();
        ASSERT_TRUE(r.pathKnown) << third.label;
        EXPECT_FALSE(r.solvents[2].takesPart);
        for (std::size_t k = 0; k < r.marks.size(); ++k) {
            EXPECT_EQ(r.marks[k].ndw, two.marks[k].ndw) << third.label;
            EXPECT_EQ(r.marks[k].volumeText[0], two.marks[k].volumeText[0]) << third.label;
            EXPECT_EQ(r.marks[k].volumeText[2], ".000") << third.label;
            EXPECT_EQ(r.marks[k].vhrText, two.marks[k].vhrText) << third.label;
        }
        EXPECT_EQ(r.lastSolventText, two.lastSolventText) << third.label;
        EXPECT_EQ(r.flammabilityText, two.flammabilityText) << third.label;
        EXPECT_EQ(r.runOutOrder, two.runOutOrder) << third.label;
    }
    // With one solvent left, nothing changes.
    const EvaporationResult one = Mixture({kAcetone, kUnknown}, {1.0f, 0.0f}).evaporate();
    ASSERT_TRUE(one.pathKnown);
    EXPECT_EQ(one.lastSolventText, "Acetone is the only solvent: the liquid keeps its composition.");
    EXPECT_EQ(markAt(one, 99).volumeText[0], "1.000");
}

TEST(Evaporation, MolarVolumesThatGiveNoMixtureGiveNoFigures) {
    Mixture mix({kAcetone, kEthanol}, {0.5f, 0.5f});
    mix.slots[1].molarVolume = 0.0;
    const EvaporationResult r = mix.evaporate();
    EXPECT_FALSE(r.mixtureKnown || r.pathKnown);
    EXPECT_EQ(r.unknownText, messages::kEvaporationNoMixture);
    for (const EvaporationMark& m : r.marks) EXPECT_EQ(m.state, MarkState::Unknown);
}

// --- The path on the chart ------------------------------------------------------------------

TEST(Evaporation, ThePathRunsSmoothlyFromTheBlendThroughEveryMark) {
    for (const Mixture& mix : {Mixture({kAcetone, kWhiteSpirit}, {0.5f, 0.5f}),
                               Mixture({kEther, kBenzyl, kEthanol}, {0.6f, 0.1f, 0.3f}),
                               Mixture({kAcetone, kStill}, {0.7f, 0.3f})}) {
        const EvaporationResult r = mix.evaporate();
        ASSERT_TRUE(r.pathKnown);
        ASSERT_GE(r.path.size(), 100u);
        const PlanePoint start = *markAt(r, 0).point;
        EXPECT_EQ(r.path.front().share, 0.0);
        EXPECT_EQ(r.path.front().point.x, start.x);
        for (std::size_t i = 1; i < r.path.size(); ++i) {
            EXPECT_GT(r.path[i].share, r.path[i - 1].share) << i;
            const double gap = std::hypot(r.path[i].point.x - r.path[i - 1].point.x, r.path[i].point.y - r.path[i - 1].point.y);
            EXPECT_LE(gap, 0.25 * teasPointSpacing() + 1e-12) << i;
        }
        for (const EvaporationMark& m : r.marks) {
            if (m.state != MarkState::Reached) continue;
            bool onPath = false;
            for (const PathPoint& p : r.path)
                onPath = onPath || (std::fabs(p.share - m.percent / 100.0) < 1e-12 && p.point.x == m.point->x &&
                                    p.point.y == m.point->y);
            EXPECT_TRUE(onPath) << m.percent;
        }
        if (r.reachableShare == 1.0) {
            EXPECT_NEAR(r.path.back().share, 0.99, 1e-12);
        }
    }
}

// Acetone and n-heptane, half and half: N rises steadily from 64.6 as acetone
// leaves. Zones bounded by grid lines of N make "inside" a plain test of N,
// checked against the independent solution at every whole percent. N passes
// 66 between 7 % (65.83) and 8 % (66.01), 68 between 17 % (67.84) and 18 %
// (68.07). The calculator's rounding would give N = 67, 66, 67 at 9, 10 and
// 11 % (66.20, 20.41, 13.39 raise the smallest fractional part, N's): judged
// on those, the liquid would leave the first zone three times.
TEST(Evaporation, CrossingsOfTheZoneAreJudgedOnThePathEveryWholePercent) {
    const std::vector<Solvent> solvents{kAcetone, kHeptane};
    const std::vector<float> fractions{0.5f, 0.5f};
    const Exact exact = exactOf(solvents, fractions);
    auto nAt = [&](int percent) {
        const std::vector<double> n = exact.molesAt(percent / 100.0);
        return (kAcetone.n * n[0] + kHeptane.n * n[1]) / (n[0] + n[1]);
    };
    auto zoneOf = [](std::vector<TeasPoint> corners) {
        std::vector<PlanePoint> points;
        for (const TeasPoint& t : corners) points.push_back(*teasToPlane(t.n, t.d, t.w));
        return makeZone(points);
    };
    struct Case {
        SolubilityZone zone;
        std::function<bool(double n)> inside;
        std::string text;
    };
    const Case cases[] = {
        {zoneOf({{66, 34, 0}, {66, 0, 34}, {0, 0, 100}, {0, 100, 0}}), [](double n) { return n <= 66; },
         "The remaining liquid leaves the zone at 8 % evaporated."},
        {zoneOf({{66, 34, 0}, {66, 0, 34}, {100, 0, 0}}), [](double n) { return n >= 66; },
         "The remaining liquid enters the zone at 8 % evaporated."},
        {zoneOf({{66, 34, 0}, {66, 0, 34}, {68, 0, 32}, {68, 32, 0}}), [](double n) { return n >= 66 && n <= 68; },
         "The remaining liquid enters the zone at 8 % evaporated and leaves it at 18 %."},
        {zoneOf({{100, 0, 0}, {0, 100, 0}, {0, 0, 100}}), [](double) { return true; },
         "The remaining liquid stays inside the zone up to 99 % evaporated."},
        {zoneOf({{0, 0, 100}, {10, 0, 90}, {0, 10, 90}}), [](double) { return false; },
         "The remaining liquid stays outside the zone up to 99 % evaporated."},
    };
    const EvaporationResult plain = Mixture(solvents, fractions).evaporate();
    EXPECT_EQ(plain.zoneText, "");
    EXPECT_TRUE(plain.crossings.empty());
    for (const Case& c : cases) {
        std::vector<std::pair<int, bool>> expected;
        for (int percent = 1; percent <= 99; ++percent)
            if (c.inside(nAt(percent)) != c.inside(nAt(percent - 1))) expected.push_back({percent, !c.inside(nAt(percent))});
        const EvaporationResult r = Mixture(solvents, fractions).evaporate(&c.zone);
        EXPECT_EQ(r.zoneText, c.text);
        ASSERT_EQ(r.crossings.size(), expected.size()) << c.text;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(r.crossings[i].percent, expected[i].first) << c.text;
            EXPECT_EQ(r.crossings[i].leaves, expected[i].second) << c.text;
            // The mark sits on the path, at its percent.
            bool onPath = false;
            for (const PathPoint& p : r.path)
                onPath = onPath || (std::fabs(p.share - expected[i].first / 100.0) < 1e-12 &&
                                    p.point.x == r.crossings[i].point.x && p.point.y == r.crossings[i].point.y);
            EXPECT_TRUE(onPath) << c.text;
        }
    }
}

// --- What remains last, and how readily the blend burns -----------------------------------------

TEST(Evaporation, TheLastSolventAndItsHazardNote) {
    struct Case {
        std::vector<Solvent> solvents;
        std::vector<float> fractions;
        std::string text;
    };
    const Case cases[] = {
        // Acetone (VHR 947, TWA 250) outlasts diethyl ether (1447, 400): the lower TWA.
        {{kEther, kAcetone}, {0.5f, 0.5f}, "Acetone remains last. Acetone has the lowest TWA of the blend's solvents."},
        // White spirit (104, 57 ppm) outlasts acetone (947, 250): the lowest TWA.
        {{kAcetone, kWhiteSpirit}, {0.5f, 0.5f},
         "White spirit (mineral spirits, 15\xE2\x80\x93" "20 % aromatic) remains last. White spirit (mineral spirits, "
         "15\xE2\x80\x93" "20 % aromatic) has the lowest TWA of the blend's solvents."},
        // Diacetone alcohol (26, 50 ppm) outlasts ethanol (58, 1000).
        {{kEthanol, kDiacetone}, {0.7f, 0.3f},
         "Diacetone alcohol remains last. Diacetone alcohol has the lowest TWA of the blend's solvents."},
        // Toluene (276, 100) outlasts ethanol (58, 1000) and heptane (549, 85).
        {{kEthanol, kToluene, kHeptane}, {0.4f, 0.3f, 0.3f}, "Toluene remains last."},
        // The fast one has the higher VHR: nothing said.
        {{kFast, kSlow20}, {0.5f, 0.5f}, "Slow by 20 remains last."},
        {{kSlow12, kFast}, {0.5f, 0.5f}, "Slow by 1.2 remains last."},
        // n-Heptane (549, 85 ppm) outlasts ethanol (58, 1000): highest VHR and lowest TWA at once.
        {{kEthanol, kHeptane}, {0.5f, 0.5f},
         "n-Heptane remains last. n-Heptane has the highest VHR and the lowest TWA of the blend's solvents."},
        // Benzyl alcohol has neither figure; water has neither: nothing to compare.
        {{kWater, kBenzyl}, {0.5f, 0.5f}, "Benzyl alcohol remains last."},
        // Against a solvent whose figures are unknown, the note says so.
        {{kWater, kDiacetone, kBenzyl}, {0.4f, 0.3f, 0.3f},
         "Benzyl alcohol remains last."},
        {{kWater, kMethanol, kDiacetone}, {0.4f, 0.3f, 0.3f},
         "Diacetone alcohol remains last. Diacetone alcohol has the lowest TWA of the blend's solvents whose figures "
         "are known."},
        // Two of the same vapour pressure outlast a third.
        {{kFast, kEqualA, kEqualB}, {0.2f, 0.4f, 0.4f},
         "Equal A and Equal B evaporate at the same rate and remain last together."},
    };
    for (const Case& c : cases) {
        const EvaporationResult r = Mixture(c.solvents, c.fractions).evaporate();
        ASSERT_TRUE(r.pathKnown) << c.text;
        EXPECT_EQ(r.lastSolventText, c.text);
    }
}

TEST(Evaporation, FlammabilityNamesTheMostFlammableSolvent) {
    struct Case {
        std::vector<Solvent> solvents;
        std::vector<float> fractions;
        std::string blend;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {{kAcetone, kWhiteSpirit}, {0.5f, 0.5f}, "Highly flammable: Acetone, flash point \u221220 \u00B0C",
         {"Acetone: flash point \u221220 \u00B0C (highly flammable), class IB",
          "White spirit (mineral spirits, 15\xE2\x80\x93" "20 % aromatic): flash point 38 \u00B0C (flammable), class II"}},
        // Ether boils at 34.6 C: extremely flammable.
        {{kAcetone, kEther, kWater}, {0.3f, 0.3f, 0.4f},
         "Extremely flammable: Diethyl ether, flash point \u221245 \u00B0C; no flash point known for Water",
         {"Acetone: flash point \u221220 \u00B0C (highly flammable), class IB",
          "Diethyl ether: flash point \u221245 \u00B0C (extremely flammable), class IA", "Water: flash point not known"}},
        {{kDiacetone, kBenzyl}, {0.5f, 0.5f}, "Flammable: Diacetone alcohol, flash point 58 \u00B0C",
         {"Diacetone alcohol: flash point 58 \u00B0C (flammable), class II",
          "Benzyl alcohol: flash point 93 \u00B0C (combustible), class IIIB"}},
        {{kStill, kWater}, {0.5f, 0.5f}, "Not classed as flammable: Still oil, flash point 200 \u00B0C; no flash point known for Water",
         {"Still oil: flash point 200 \u00B0C (not classed as flammable), class IIIB", "Water: flash point not known"}},
        {{kWater, kNotInFile}, {0.5f, 0.5f}, "No flash point is known for the solvents of this blend.",
         {"Water: flash point not known", "Rare ketone: flash point not known"}},
    };
    for (const Case& c : cases) {
        const EvaporationResult r = Mixture(c.solvents, c.fractions).evaporate();
        EXPECT_EQ(r.flammabilityText, c.blend);
        for (std::size_t k = 0; k < c.lines.size(); ++k) EXPECT_EQ(r.solvents[k].flashPointText, c.lines[k]);
    }
    // The lowest flash point, for a list of blends: ether's.
    const EvaporationResult r = Mixture({kAcetone, kEther, kWater}, {0.3f, 0.3f, 0.4f}).evaporate();
    EXPECT_EQ(r.lowestFlashPoint, std::optional<std::size_t>(1));
}

}  // namespace
}  // namespace tarnwell
