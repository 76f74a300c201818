#include "core/report_figures.h"

#include "core/numbers.h"

#include <cmath>

namespace tarnwell {

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::string mixtureParameterText(double value) {
    if (std::fabs(value) < 0.00001) return "0";
    std::string text = formatWhole(value);
    // "##" leaves a value that rounds to 0 blank; the report says 0.
    return text.empty() ? "0" : text;
}

std::optional<double> harmonicMixture(const std::array<double, 3>& weightFraction,
                                      const std::array<double, 3>& limit, std::size_t slotsInUse) {
    double sum = 0.0;
    for (std::size_t k = 0; k < slotsInUse; ++k) {
        if (limit[k] == 0.0) return std::nullopt;
        sum += weightFraction[k] / limit[k];
    }
    const double value = 1 / sum;
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

ColourPair compareColours(float target, float mixture, bool higherIsSafer) {
    if (target == mixture) return {ReportColour::WindowFrame, ReportColour::WindowFrame};
    const bool targetSafer = higherIsSafer ? target >= mixture : target <= mixture;
    if (targetSafer) return {ReportColour::Green, ReportColour::Red};
    return {ReportColour::Red, ReportColour::Green};
}

namespace {

std::string ndw(const SolventSlot& s) {
    return formatPlain(s.n) + "  " + formatPlain(s.d) + "  " + formatPlain(s.w);
}

std::string orX(const std::string& text, const char* replacement = "X") {
    return text.empty() ? std::string(replacement) : text;
}

// A text as a number when it is one and fits a float, widened to double.
std::optional<double> singleValue(const std::string& text) {
    if (std::optional<float> v = parseSingle(text)) return static_cast<double>(*v);
    return std::nullopt;
}

// A figure shown after a rounding to whole numbers: "0" for zero, never blank.
std::string wholeOrZero(double value) {
    std::string text = formatWholeLarge(value);
    return text.empty() ? "0" : text;
}

void mixtureTwa(const AppState& state, std::size_t inUse, ReportFigures& f) {
    f.mixtureTwaText = "X";
    const auto& slots = state.blendResult.slotResults;
    for (std::size_t k = 0; k < inUse; ++k)
        if (!isNumericText(slots[k].twaMgText)) return;
    std::array<double, 3> mg{}, ppmPerMg{};
    for (std::size_t k = 0; k < inUse; ++k) {
        const std::optional<double> mgSingle = singleValue(slots[k].twaMgText);
        const std::optional<double> ppm = parseDouble(slots[k].twaText);
        const std::optional<double> mgDouble = parseDouble(slots[k].twaMgText);
        if (!mgSingle || !ppm || !mgDouble || *mgDouble == 0.0) return;
        mg[k] = *mgSingle;
        ppmPerMg[k] = *ppm / *mgDouble;
    }
    if (!std::isfinite(f.mixtureMolecularWeight) || f.mixtureMolecularWeight == 0.0) return;
    // Not rounded here: a limit of 0.4 mg/m3 would become 0 and so would the ppm.
    const std::optional<double> twaMg = harmonicMixture(f.weightFraction, mg, inUse);
    if (!twaMg) return;
    double ppm = 0.0;
    for (std::size_t k = 0; k < inUse; ++k) ppm += ppmPerMg[k] * (f.weightFraction[k] * *twaMg);
    if (!std::isfinite(ppm)) return;
    f.mixtureTwaMg = twaMg;
    f.mixtureTwaPpm = ppm;
    f.mixtureTwaText = ppm >= 1 ? formatWholeLarge(ppm) : formatOneDecimal(ppm);
}

void mixtureVhr(const AppState& state, std::size_t inUse, ReportFigures& f) {
    f.mixtureVhrText = "X";
    const auto& slots = state.blendResult.slotResults;
    std::array<double, 3> vhr{};
    for (std::size_t k = 0; k < inUse; ++k) {
        if (!isNumericText(slots[k].vhrText)) return;
        const std::optional<double> v = singleValue(slots[k].vhrText);
        if (!v) return;
        vhr[k] = *v;
    }
    if (!std::isfinite(f.mixtureMolecularWeight) || f.mixtureMolecularWeight == 0.0) return;
    const std::optional<double> value = harmonicMixture(f.weightFraction, vhr, inUse);
    if (!value) return;
    f.mixtureVhr = roundHalfEven(*value);
    f.mixtureVhrText = wholeOrZero(*f.mixtureVhr);
}

std::optional<float> captionNumber(const std::string& caption) {
    if (!isNumericText(caption)) return std::nullopt;
    return parseSingle(caption);
}

}  // namespace

ReportFigures computeReportFigures(const AppState& state) {
    ReportFigures f;
    f.twoSolvents = state.twoSolventMode < 0;
    const std::size_t inUse = f.twoSolvents ? 2 : 3;
    const auto& slots = state.solventSlots;
    const auto& blend = state.blendResult.slotResults;
    const TargetPoint& target = state.target;

    for (std::size_t k = 0; k < 3; ++k) {
        f.solventLabel[k] = slots[k].label;
        f.effects[k] = slots[k].effects;
        f.ndwText[k] = ndw(slots[k]);
        f.twaText[k] = blend[k].twaText;
        f.vhrText[k] = blend[k].vhrText;
    }
    f.ndwCaption3 = "N, D, W =";
    if (f.twoSolvents) {
        f.ndwCaption3.clear();
        f.ndwText[2].clear();
        f.solventLabel[2].clear();
        f.effects[2].clear();
    }

    for (std::size_t k = 0; k < inUse; ++k) {
        f.mixtureMolarVolume += slots[k].molarVolume * blend[k].concentration;
        f.mixtureMolecularWeight += slots[k].molecularWeight * blend[k].concentration;
    }
    for (std::size_t k = 0; k < inUse; ++k) {
        f.volumeFraction[k] = slots[k].molarVolume / f.mixtureMolarVolume * blend[k].concentration;
        f.weightFraction[k] = slots[k].molecularWeight / f.mixtureMolecularWeight * blend[k].concentration;
        f.volumeText[k] = formatFraction3(f.volumeFraction[k]);  // "X" if not finite
    }

    f.targetN = formatPlain(target.n);
    f.targetD = formatPlain(target.d);
    f.targetW = formatPlain(target.w);
    f.mixtureN = mixtureParameterText(state.blendResult.mixN);
    f.mixtureD = mixtureParameterText(state.blendResult.mixD);
    f.mixtureW = mixtureParameterText(state.blendResult.mixW);

    const std::int16_t r1 = blend[0].reference, r2 = blend[1].reference, r3 = blend[2].reference;
    f.showReferenceWarning = r1 != r2 || r1 != target.reference ||
                             (!f.twoSolvents && (r3 != r1 || r3 != r2 || r3 != target.reference));

    f.targetTwa = orX(target.twaText);
    f.targetVhr = orX(target.vhrText);
    f.targetName = orX(target.label);
    f.targetNamePoints = characterCount(target.label) < 36 ? 11.0 : 9.0;
    f.targetEffects = orX(target.effects, "     X");
    f.widenTargetEffects = characterCount(f.targetEffects) > 45;

    mixtureTwa(state, inUse, f);
    if (f.mixtureTwaPpm) {
        if (const std::optional<float> t = captionNumber(f.targetTwa)) {
            const ColourPair c = compareColours(*t, static_cast<float>(*f.mixtureTwaPpm), true);
            f.targetTwaColour = c.target;
            f.mixtureTwaColour = c.mixture;
        }
    }
    mixtureVhr(state, inUse, f);
    if (f.mixtureVhr) {
        if (const std::optional<float> t = captionNumber(f.targetVhr)) {
            const ColourPair c = compareColours(*t, static_cast<float>(*f.mixtureVhr), false);
            f.targetVhrColour = c.target;
            f.mixtureVhrColour = c.mixture;
        }
    }
    return f;
}

}  // namespace tarnwell
