#include "core/mixture_hazards.h"

#include "core/numbers.h"

#include <algorithm>
#include <cmath>

namespace tarnwell {

// A share that is no number (a molar volume of 0 upstream) is not "no share":
// it must spoil the figure, not vanish from it.
bool takesPart(double moleFraction) { return !(std::fabs(moleFraction) <= kZeroBand); }

std::optional<TwaLimit> readTwaLimit(std::string_view ppmText, std::string_view mgText) {
    const std::optional<float> mgSingle = parseSingle(mgText);
    const std::optional<double> mg = parseDouble(mgText);
    const std::optional<double> ppm = parseDouble(ppmText);
    if (!mgSingle || !mg || !ppm || *mg == 0.0) return std::nullopt;
    return TwaLimit{static_cast<double>(*mgSingle), *ppm / *mg};
}

std::optional<double> readVhr(std::string_view vhrText) {
    const std::optional<double> value = parseDouble(vhrText);
    if (!value || !std::isfinite(*value) || *value < 0.0) return std::nullopt;
    return value;
}

std::optional<double> mixtureVhr(std::span<const HazardShare> shares) {
    double sum = 0.0;
    for (const HazardShare& s : shares) {
        if (!takesPart(s.moleFraction)) continue;
        if (!s.vhr) return std::nullopt;
        sum += s.moleFraction * *s.vhr;
    }
    if (!std::isfinite(sum)) return std::nullopt;
    return sum;
}

BlendHazards blendHazards(std::span<const HazardShare> shares) {
    BlendHazards h;
    const std::size_t count = std::min(shares.size(), h.volumeFraction.size());
    for (std::size_t k = 0; k < count; ++k) {
        h.mixtureMolarVolume += shares[k].molarVolume * shares[k].moleFraction;
        h.mixtureMolecularWeight += shares[k].molecularWeight * shares[k].moleFraction;
    }
    for (std::size_t k = 0; k < count; ++k) {
        h.volumeFraction[k] = shares[k].molarVolume / h.mixtureMolarVolume * shares[k].moleFraction;
        h.weightFraction[k] = shares[k].molecularWeight / h.mixtureMolecularWeight * shares[k].moleFraction;
    }

    h.vhr = mixtureVhr(shares.first(count));

    if (!std::isfinite(h.mixtureMolecularWeight) || h.mixtureMolecularWeight == 0.0) return h;
    double inverse = 0.0;
    for (std::size_t k = 0; k < count; ++k) {
        if (!takesPart(shares[k].moleFraction)) continue;
        if (!shares[k].twa) return h;
        inverse += h.weightFraction[k] / shares[k].twa->mg;
    }
    // Not rounded: a limit of 0.4 mg/m3 would become 0, and so would the ppm.
    const double twaMg = 1 / inverse;
    if (!std::isfinite(twaMg)) return h;
    double ppm = 0.0;
    for (std::size_t k = 0; k < count; ++k)
        if (takesPart(shares[k].moleFraction)) ppm += shares[k].twa->ppmPerMg * (h.weightFraction[k] * twaMg);
    if (!std::isfinite(ppm)) return h;
    h.twaMg = twaMg;
    h.twaPpm = ppm;
    return h;
}

std::string reportTwaText(std::optional<double> twaPpm) {
    if (!twaPpm) return "X";
    return *twaPpm >= 1 ? formatWhole(*twaPpm) : formatOneDecimal(*twaPpm);
}

std::optional<double> shownTwa(std::optional<double> twaPpm) {
    if (!twaPpm) return std::nullopt;
    return parseDouble(reportTwaText(twaPpm));
}

std::optional<double> roundedVhr(std::optional<double> vhr) {
    if (!vhr) return std::nullopt;
    return roundHalfEven(*vhr);
}

std::string reportVhrText(std::optional<double> vhr) {
    const std::optional<double> rounded = roundedVhr(vhr);
    if (!rounded) return "X";
    // "#######" leaves a zero blank; a figure the report computed says 0.
    std::string text = formatWhole(*rounded);
    return text.empty() ? "0" : text;
}

std::optional<CalculatorTwa> calculatorTwa(const std::array<float, 3>& moleFraction,
                                           const std::array<float, 3>& weightFraction,
                                           const std::array<std::string_view, 3>& ppmText,
                                           const std::array<std::string_view, 3>& mgText, std::size_t slotsInUse) {
    std::array<bool, 3> inBlend{};
    std::array<float, 3> ppm{}, mg{};
    for (std::size_t k = 0; k < slotsInUse && k < 3; ++k) {
        inBlend[k] = takesPart(static_cast<double>(moleFraction[k]));
        if (!inBlend[k]) continue;
        const std::optional<float> p = parseSingle(ppmText[k]);
        const std::optional<float> m = parseSingle(mgText[k]);
        if (!p || !m || *m == 0.0f || !std::isfinite(*m) || !std::isfinite(weightFraction[k])) return std::nullopt;
        ppm[k] = *p;
        mg[k] = *m;
    }
    auto term = [&](std::size_t k) { return inBlend[k] ? weightFraction[k] / mg[k] : 0.0f; };
    // wf3/T3 + (wf2/T2 + wf1/T1): a term of a solvent not in the blend is 0
    // and leaves the single-precision sum exactly as without it.
    const float inverse = term(2) + (term(1) + term(0));
    CalculatorTwa t;
    t.twaMixMg = 1.0f / inverse;
    for (std::size_t k = 0; k < 3; ++k)
        t.twaPart[k] = inBlend[k] ? (ppm[k] / mg[k]) * (weightFraction[k] * t.twaMixMg) : 0.0f;
    t.twaMix = (t.twaPart[1] + t.twaPart[0]) + t.twaPart[2];
    if (!std::isfinite(t.twaMix)) return std::nullopt;
    return t;
}

}  // namespace tarnwell
