#include "core/mixture.h"

#include "core/messages.h"
#include "core/mixture_hazards.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace tarnwell {

namespace {

std::string ndwText(double value) {
    return std::fabs(value) >= 0.00001 ? formatWhole(value) : std::string("0");
}

}  // namespace

bool loadMixSlot(const SolventRecord& record, MixSlot& slot) {
    const std::optional<SolventNumbers> numbers = readSolventNumbers(record);
    if (!numbers) return false;
    static_cast<TeasPoint&>(slot) = numbers->ndw;
    slot.reference = numbers->reference;
    slot.molarVolume = numbers->molarVolume;
    slot.molecularWeight = numbers->molecularWeightSingle;
    slot.twaMgText = record.twaMgText;
    slot.label = record.label;
    return true;
}

ConcentrationEntry readConcentration(std::string_view text) {
    ConcentrationEntry entry;
    if (!isNumericText(text)) return entry;
    const std::optional<double> value = parseDouble(text);
    if (!value || *value < 0.0 || *value > 1.0) {
        entry.kind = ConcentrationKind::OutOfRange;
        return entry;
    }
    // Within 0..1 the text always reads as a float.
    const float single = parseSingle(text).value_or(0.0f);
    entry.kind = ConcentrationKind::Accepted;
    entry.value = static_cast<float>(roundTwoDecimalsHalfEven(static_cast<double>(single)));
    entry.text = formatShortestSingle(entry.value);
    return entry;
}

float concentrationTotal(float c1, float c2, float c3) { return (c1 + c2) + c3; }

bool totalIsOne(float total) { return std::fabs(total - 1.0f) <= 0.00001f; }

const char* mixCheckText(MixCheck check) {
    switch (check) {
    case MixCheck::Passed: return "";
    case MixCheck::SelectSolvent1: return messages::kMixSelect1;
    case MixCheck::SelectSolvent2: return messages::kMixSelect2;
    case MixCheck::SelectSolvent3: return messages::kMixSelect3;
    case MixCheck::SumNotOne: return messages::kMixSum;
    case MixCheck::EnterConcentration1: return messages::kMixEnter1;
    case MixCheck::EnterConcentration2: return messages::kMixEnter2;
    case MixCheck::EnterConcentration3: return messages::kMixEnter3;
    }
    return "";
}

int mixCheckFocus(MixCheck check) {
    switch (check) {
    case MixCheck::EnterConcentration1: return 0;
    case MixCheck::EnterConcentration2: return 1;
    case MixCheck::EnterConcentration3: return 2;
    default: return -1;
    }
}

MixCheck checkMixtureInputs(const MixtureInputs& in, float total) {
    auto chosen = [&in](int k) { return in.selectedRow[k] >= 0 && in.loaded[k]; };
    if (!chosen(0)) return MixCheck::SelectSolvent1;
    if (!chosen(1)) return MixCheck::SelectSolvent2;
    if (!in.twoSolventMode && !chosen(2)) return MixCheck::SelectSolvent3;
    // The stored total decides, before the fields are looked at.
    if (std::fabs(total - 1.0f) > 0.00001f) return MixCheck::SumNotOne;
    if (!in.concentrationEntered[0]) return MixCheck::EnterConcentration1;
    if (!in.concentrationEntered[1]) return MixCheck::EnterConcentration2;
    if (!in.twoSolventMode && !in.concentrationEntered[2]) return MixCheck::EnterConcentration3;
    return MixCheck::Passed;
}

RoundingBranch roundToHundred(MixtureCalculation& c) {
    const HundredRounding r = roundToHundred({c.mixN, c.mixD, c.mixW});
    if (r.branch == RoundingBranch::NotFinite) return r.branch;
    if (r.fractions) {
        c.fracN = (*r.fractions)[0];
        c.fracD = (*r.fractions)[1];
        c.fracW = (*r.fractions)[2];
    }
    c.mixN = r.whole[0];
    c.mixD = r.whole[1];
    c.mixW = r.whole[2];
    return r.branch;
}

std::string formatMixtureFigure(double value) {
    return value > 1.0 ? formatWhole(value) : formatOneDecimal(value);
}

namespace {

// Volume fractions to mole fractions.
void findMoleFractions(const std::array<MixSlot, 3>& slots, MixtureCalculation& calc, int used) {
    for (int k = 0; k < 3; ++k) {
        calc.moles[k] = (k < used) ? static_cast<float>(static_cast<double>(slots[k].volumeFraction) /
                                                        slots[k].molarVolume)
                                   : 0.0f;
    }
    const float moleSum = (calc.moles[1] + calc.moles[0]) + calc.moles[2];
    for (int k = 0; k < 3; ++k) calc.moleFraction[k] = calc.moles[k] / moleSum;
}

// Mole-fraction weighted N, D, W.
void findMixtureNdw(const std::array<MixSlot, 3>& slots, MixtureCalculation& calc) {
    auto weighted = [&](auto member) {
        double sum = 0.0;
        for (int k = 0; k < 3; ++k)
            sum += static_cast<double>(static_cast<float>(slots[k].*member)) *
                   static_cast<double>(calc.moleFraction[k]);
        return sum;
    };
    calc.mixN = weighted(&MixSlot::n);
    calc.mixD = weighted(&MixSlot::d);
    calc.mixW = weighted(&MixSlot::w);
}

// Weight fractions for the TWA, in either mode, so that a mixture gets the
// same figure here as in the blend report; false when they cannot be had.
bool findMassFractions(const std::array<MixSlot, 3>& slots, MixtureCalculation& calc, int used) {
    for (int k = 0; k < 3; ++k)
        calc.massFraction[k] = (k < used) ? slots[k].molecularWeight * calc.moles[k] : 0.0f;
    const float massSum = (calc.massFraction[1] + calc.massFraction[0]) + calc.massFraction[2];
    bool weightsUsable = massSum != 0.0f && std::isfinite(massSum);
    for (int k = 0; k < 3; ++k) {
        calc.massFraction[k] = weightsUsable ? calc.massFraction[k] / massSum : 0.0f;
        if (!std::isfinite(calc.massFraction[k])) weightsUsable = false;
    }
    return weightsUsable;
}

// Mixture TWA (ppm) through the mixture's limit in mg/m3.
void findMixtureTwa(const std::array<MixSlot, 3>& slots, MixtureCalculation& calc, const MixtureInputs& in, int used,
                    MixtureOutcome& out) {
    std::array<std::string_view, 3> ppmText, mgText;
    for (std::size_t k = 0; k < 3; ++k) {
        ppmText[k] = in.twaText[k];
        mgText[k] = slots[k].twaMgText;
    }
    if (const std::optional<CalculatorTwa> twa =
            calculatorTwa(calc.moleFraction, calc.massFraction, ppmText, mgText, used)) {
        calc.twaMixMg = twa->twaMixMg;
        calc.twaPart = twa->twaPart;
        calc.twaMix = twa->twaMix;
        out.twa = {true, formatMixtureFigure(calc.twaMix)};
    }
}

// Mixture VHR from the mole fractions.
void findMixtureVhr(MixtureCalculation& calc, const MixtureInputs& in, int used, MixtureOutcome& out) {
    std::array<HazardShare, 3> shares;
    for (std::size_t k = 0; k < static_cast<std::size_t>(used); ++k) {
        shares[k].moleFraction = static_cast<double>(calc.moleFraction[k]);
        shares[k].vhr = readVhr(in.vhrText[k]);
    }
    if (const std::optional<double> vhr = mixtureVhr(std::span(shares).first(static_cast<std::size_t>(used)))) {
        calc.vhrMix = roundHalfEven(*vhr);
        out.vhr = {true, formatMixtureFigure(calc.vhrMix)};
    }
}

}  // namespace

MixtureOutcome calculateMixture(std::array<MixSlot, 3>& slots, MixtureCalculation& calc,
                                const MixtureInputs& in) {
    MixtureOutcome out;
    out.check = checkMixtureInputs(in, calc.total);
    if (out.check != MixCheck::Passed) return out;

    const bool two = in.twoSolventMode;
    const int used = two ? 2 : 3;
    if (two) {
        slots[2].volumeFraction = 0.0f;
        slots[2].n = slots[2].d = slots[2].w = 0;
    }
    findMoleFractions(slots, calc, used);
    findMixtureNdw(slots, calc);
    out.branch = roundToHundred(calc);
    out.ndwAvailable = out.branch != RoundingBranch::NotFinite;
    if (out.ndwAvailable) out.ndwText = {ndwText(calc.mixN), ndwText(calc.mixD), ndwText(calc.mixW)};
    if (findMassFractions(slots, calc, used)) findMixtureTwa(slots, calc, in, used, out);
    findMixtureVhr(calc, in, used, out);
    out.warning = slots[0].reference != slots[1].reference ||
                  (!two && (slots[2].reference != slots[0].reference || slots[2].reference != slots[1].reference));
    return out;
}

}  // namespace tarnwell
