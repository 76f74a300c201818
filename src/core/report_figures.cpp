#include "core/report_figures.h"

#include "core/mixture_hazards.h"
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

    std::array<HazardShare, 3> shares;
    for (std::size_t k = 0; k < inUse; ++k) {
        shares[k].moleFraction = blend[k].concentration;
        shares[k].molarVolume = slots[k].molarVolume;
        shares[k].molecularWeight = slots[k].molecularWeight;
        shares[k].twa = readTwaLimit(blend[k].twaText, blend[k].twaMgText);
        shares[k].vhr = readVhr(blend[k].vhrText);
    }
    const BlendHazards hazards = blendHazards(std::span(shares).first(inUse));
    f.mixtureMolarVolume = hazards.mixtureMolarVolume;
    f.mixtureMolecularWeight = hazards.mixtureMolecularWeight;
    for (std::size_t k = 0; k < inUse; ++k) {
        f.volumeFraction[k] = hazards.volumeFraction[k];
        f.weightFraction[k] = hazards.weightFraction[k];
        f.volumeText[k] = formatFraction3(f.volumeFraction[k]);  // "X" if not finite
    }
    f.mixtureTwaMg = hazards.twaMg;
    f.mixtureTwaPpm = hazards.twaPpm;
    f.mixtureTwaText = reportTwaText(hazards.twaPpm);
    f.mixtureVhr = roundedVhr(hazards.vhr);
    f.mixtureVhrText = reportVhrText(hazards.vhr);

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

    if (f.mixtureTwaPpm) {
        if (const std::optional<float> t = captionNumber(f.targetTwa)) {
            const ColourPair c = compareColours(*t, static_cast<float>(*f.mixtureTwaPpm), true);
            f.targetTwaColour = c.target;
            f.mixtureTwaColour = c.mixture;
        }
    }
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
