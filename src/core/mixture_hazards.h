#pragma once
// The health figures of a blend, in one place for the solution report, the
// mixture calculator and the safer-blend finder: which solvents take part,
// what reads as a usable TWA or VHR, and how the mixture's figures are formed.
//
// TWA. Exposure limits combine reciprocally by weight fraction, the usual rule
// for a mixture of substances whose effects are assumed to add up:
//   TWA mg/m3 = 1 / sum(wf_k / TWAmg_k),  TWA ppm = sum(ppm_k / mg_k * wf_k) * TWA mg/m3.
// VHR. Hazards add up. Over an ideal solution each solvent's vapour pressure is
// its mole fraction times its own (Raoult's law), so the air saturated with the
// blend's vapour carries
//   VHR = sum(x_k * VHR_k),
// each vapour measured against its own limit. (Combining VHRs like limits, by
// 1 / sum(wf_k / VHR_k), lets the least hazardous solvent hide a small share
// of a very hazardous one.)
//
// A solvent whose mole fraction lies within the solver's zero band is not in
// the blend: it adds nothing, and its figures are not needed.

#include "core/solver_limits.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarnwell {

// True when a solvent of this mole fraction is part of the blend (also when
// the fraction is no number, so that the figure shows it cannot be computed).
bool takesPart(double moleFraction);

// A solvent's limit as the mixture TWA uses it: the mg/m3 text read as a
// single-precision number (as the limit is stored), the ppm per mg/m3 from both
// texts in double precision. Nothing when either is no number or mg/m3 is 0.
struct TwaLimit {
    double mg = 0.0;
    double ppmPerMg = 0.0;
};
std::optional<TwaLimit> readTwaLimit(std::string_view ppmText, std::string_view mgText);

// A solvent's VHR: a number read in double precision, finite and not negative.
// A VHR of 0 (a solvent that does not evaporate) is a valid value.
std::optional<double> readVhr(std::string_view vhrText);

// One solvent of a blend as the double-precision figures see it.
struct HazardShare {
    double moleFraction = 0.0;
    double molarVolume = 0.0;
    double molecularWeight = 0.0;
    std::optional<TwaLimit> twa;
    std::optional<double> vhr;
};

// The blend's figures over its solvents (two or three, in slot order).
struct BlendHazards {
    double mixtureMolarVolume = 0.0;
    double mixtureMolecularWeight = 0.0;
    std::array<double, 3> volumeFraction{};
    std::array<double, 3> weightFraction{};
    std::optional<double> twaMg;   // unrounded; missing when not computable
    std::optional<double> twaPpm;  // unrounded
    std::optional<double> vhr;     // unrounded
};
BlendHazards blendHazards(std::span<const HazardShare> shares);

// The mixture VHR alone: sum(x_k * VHR_k) over the solvents that take part;
// nothing when one of them has no usable VHR.
std::optional<double> mixtureVhr(std::span<const HazardShare> shares);

// --- As the solution report and the finder show them -------------------------------

// A whole number from 1 ppm up, one decimal below; "X" when not computable.
std::string reportTwaText(std::optional<double> twaPpm);
// The figure a person reads from reportTwaText, as a number (for ranking).
std::optional<double> shownTwa(std::optional<double> twaPpm);
// The VHR rounded to a whole number, halves to even.
std::optional<double> roundedVhr(std::optional<double> vhr);
// The rounded VHR as a whole number, "0" for zero; "X" when not computable.
std::string reportVhrText(std::optional<double> vhr);

// --- The mixture calculator's single-precision steps ---------------------------------

// The calculator's TWA in the order its figures are stored: 32-bit weight
// fractions and limits, mg/m3 summed as wf3/T3 + (wf2/T2 + wf1/T1) and the ppm
// parts as (part2 + part1) + part3. Solvents not in the blend (mole fraction
// in the zero band) add nothing and need no figures.
struct CalculatorTwa {
    float twaMixMg = 0.0f;
    std::array<float, 3> twaPart{};
    float twaMix = 0.0f;
};
std::optional<CalculatorTwa> calculatorTwa(const std::array<float, 3>& moleFraction,
                                           const std::array<float, 3>& weightFraction,
                                           const std::array<std::string_view, 3>& ppmText,
                                           const std::array<std::string_view, 3>& mgText, std::size_t slotsInUse);

}  // namespace tarnwell
