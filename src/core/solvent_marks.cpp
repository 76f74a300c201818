#include "core/solvent_marks.h"

#include "core/numbers.h"

namespace tarnwell {

bool hasEffectsMark(std::string_view effects, std::string_view mark) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (effects.size() < mark.size()) return false;
    for (std::size_t at = 0; at + mark.size() <= effects.size(); ++at) {
        std::size_t i = 0;
        while (i < mark.size() && lower(effects[at + i]) == lower(mark[i])) ++i;
        if (i == mark.size()) return true;
    }
    return false;
}

bool isCarcinogen(std::string_view effects) { return hasEffectsMark(effects, "[carcinogen]"); }
bool hasSkinNotation(std::string_view effects) { return hasEffectsMark(effects, "[skin]"); }
bool isPhasedOut(std::string_view effects) { return effects.starts_with(kPhasedOutMark); }

SolventNotes solventNotes(std::string_view label, std::string_view effects, const SolventPropertiesFile& properties) {
    SolventNotes notes;
    notes.carcinogen = isCarcinogen(effects);
    notes.skin = hasSkinNotation(effects);
    notes.phasedOut = isPhasedOut(effects);
    if (const SolventProperties* p = properties.find(label)) notes.flashPoint = p->flashPoint;
    return notes;
}

LowestFlashPoint lowestFlashPoint(std::span<const SolventNotes> solvents) {
    LowestFlashPoint lowest;
    for (const SolventNotes& s : solvents) {
        if (!s.flashPoint) {
            lowest.complete = false;
            continue;
        }
        if (!lowest.celsius || *s.flashPoint < *lowest.celsius) lowest.celsius = s.flashPoint;
    }
    return lowest;
}

std::string lowestFlashPointText(const LowestFlashPoint& lowest) {
    if (!lowest.celsius) return "unknown";
    const std::string text = formatCelsius(*lowest.celsius);
    return lowest.complete ? text : "\u2264 " + text;
}

}  // namespace tarnwell
