// The mixture's hazard figures as the report, the calculator and the finder
// share them. Expected values are worked by hand in the comments.

#include "core/mixture_hazards.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tarnwell {
namespace {

std::vector<HazardShare> sharesOf(const std::vector<double>& moleFractions, const std::vector<const char*>& vhrTexts) {
    std::vector<HazardShare> shares;
    for (std::size_t k = 0; k < moleFractions.size(); ++k) {
        HazardShare s;
        s.moleFraction = moleFractions[k];
        s.molarVolume = 100.0;
        s.molecularWeight = 100.0;
        s.vhr = readVhr(vhrTexts[k]);
        shares.push_back(s);
    }
    return shares;
}

TEST(MixtureHazards, VhrAddsUpTheHazardOfTheSolventsInTheBlend) {
    struct Case {
        const char* name;
        std::vector<double> x;
        std::vector<const char*> vhr;
        const char* text;
    };
    const Case cases[] = {
        // 0.1 * 986842 + 0.9 * 549 = 98684.2 + 494.1 = 99178.3. Combined like
        // limits by weight (benzene 78.11, heptane 100.21 g/mol) it would be
        // 1 / (0.0797/986842 + 0.9203/549), about 597: the benzene all but vanishes.
        {"a small share of a very hazardous solvent dominates", {0.1, 0.9}, {"986842", "549"}, "99178"},
        {"halves go to the even neighbour", {0.5, 0.5}, {"947", "58"}, "502"},  // 502.5
        {"a VHR of 0 adds nothing", {0.5, 0.5}, {"0", "100"}, "50"},
        {"a figure below a half shows 0", {1.0}, {"0.4"}, "0"},
        // 0.4 * 10 + 0.6 * 20 = 16: the third solvent is not in the blend.
        {"a left-out solvent needs no figures", {0.4, 0.6, 0.0}, {"10", "20", "none"}, "16"},
        {"nor one in the zero band", {0.400004, 0.6, -0.000004}, {"10", "20", ""}, "16"},
        {"the band's edge is still out", {0.39999, 0.6, 0.00001}, {"10", "20", "x"}, "16"},
        {"just beyond it is in", {0.39998, 0.6, 0.00002}, {"10", "20", "x"}, "X"},
        {"a VHR that is no number", {0.5, 0.5}, {"none", "10"}, "X"},
        {"a negative VHR", {0.5, 0.5}, {"-5", "10"}, "X"},
        {"a VHR beyond any number", {0.5, 0.5}, {"1e999", "10"}, "X"},
        {"a share that is no number", {std::nan(""), 1.0}, {"10", "10"}, "X"},
    };
    for (const Case& c : cases) {
        const std::vector<HazardShare> shares = sharesOf(c.x, c.vhr);
        EXPECT_EQ(reportVhrText(mixtureVhr(shares)), c.text) << c.name;
        EXPECT_EQ(reportVhrText(blendHazards(shares).vhr), c.text) << c.name;
    }
}

TEST(MixtureHazards, TwaOfTheSolventsInTheBlend) {
    // Equal molecular weights make the weight fractions the mole fractions.
    // 0.5/0.5 of 100 ppm = 400 mg/m3 and 200 ppm = 400 mg/m3:
    // mg/m3 = 1 / (0.5/400 + 0.5/400) = 400; ppm = 0.25*0.5*400 + 0.5*0.5*400 = 150.
    std::vector<HazardShare> shares = sharesOf({0.5, 0.5, 0.0}, {"1", "1", "1"});
    shares[0].twa = readTwaLimit("100", "400");
    shares[1].twa = readTwaLimit("200", "400");
    shares[2].twa = readTwaLimit("none", "none");  // not in the blend: not needed
    const BlendHazards h = blendHazards(shares);
    ASSERT_TRUE(h.twaMg && h.twaPpm);
    EXPECT_DOUBLE_EQ(*h.twaMg, 400.0);
    EXPECT_DOUBLE_EQ(*h.twaPpm, 150.0);
    EXPECT_EQ(reportTwaText(h.twaPpm), "150");

    shares[2].moleFraction = 0.1;  // now it is, and its limit is missing
    EXPECT_FALSE(blendHazards(shares).twaPpm);
    EXPECT_EQ(reportTwaText(std::nullopt), "X");
    for (const auto& [ppm, mg] : {std::pair{"100", "0"}, {"none", "400"}, {"100", ""}})
        EXPECT_FALSE(readTwaLimit(ppm, mg)) << ppm << " / " << mg;
}

TEST(MixtureHazards, CalculatorTwaKeepsItsSinglePrecisionSteps) {
    // wf 0.25/0.75 of 590 and 1900 mg/m3: 1 / (0.75/1900 + 0.25/590) = 1221.80 mg/m3;
    // ppm parts (250/590)*0.25*1221.80 = 129.43 and (1000/1900)*0.75*1221.80 = 482.29.
    const std::array<float, 3> x{0.3f, 0.7f, 0.0f}, wf{0.25f, 0.75f, 0.0f};
    const std::optional<CalculatorTwa> two = calculatorTwa(x, wf, {"250", "1000", "none"}, {"590", "1900", "none"}, 3);
    ASSERT_TRUE(two);
    EXPECT_NEAR(two->twaMixMg, 1221.80f, 0.01f);
    EXPECT_NEAR(two->twaMix, 611.72f, 0.01f);
    EXPECT_EQ(two->twaPart[2], 0.0f);
    // The third slot out of the blend gives the very bits of two slots in use.
    const std::optional<CalculatorTwa> inUse2 = calculatorTwa(x, wf, {"250", "1000", ""}, {"590", "1900", ""}, 2);
    ASSERT_TRUE(inUse2);
    EXPECT_EQ(two->twaMix, inUse2->twaMix);
    EXPECT_FALSE(calculatorTwa({0.3f, 0.6f, 0.1f}, {0.25f, 0.65f, 0.1f}, {"250", "1000", "none"},
                               {"590", "1900", "none"}, 3));
}

}  // namespace
}  // namespace tarnwell
