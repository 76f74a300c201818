#pragma once
// What a solvent's critical effects say besides its target organs, as the
// finder reads them: "[carcinogen]" and "[skin]" (NIOSH's notations), and the
// solvents the Montreal Protocol phased out, whose effects start with
// kPhasedOutMark. A phased-out solvent stays in every list as something to
// replace; only the finder leaves it out of what it recommends.

#include "core/solvent_properties.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarnwell {

inline constexpr std::string_view kPhasedOutMark = "[ozone-depleting, phased out]";

// The mark anywhere in the effects, in any case.
bool hasEffectsMark(std::string_view effects, std::string_view mark);
bool isCarcinogen(std::string_view effects);
bool hasSkinNotation(std::string_view effects);
// The effects start with exactly kPhasedOutMark.
bool isPhasedOut(std::string_view effects);

// What the finder's tables say of one solvent of a listed blend.
struct SolventNotes {
    bool carcinogen = false;
    bool skin = false;
    bool phasedOut = false;
    std::optional<double> flashPoint;  // C; unknown when the properties file has none
};

SolventNotes solventNotes(std::string_view label, std::string_view effects, const SolventPropertiesFile& properties);

// The lowest flash point of a blend's solvents. A solvent whose flash point is
// unknown may lie below every known one, so the known lowest is then only an
// upper bound (`complete` false).
struct LowestFlashPoint {
    std::optional<double> celsius;  // the lowest known
    bool complete = true;           // every solvent's flash point is known
};
LowestFlashPoint lowestFlashPoint(std::span<const SolventNotes> solvents);

// "−18 °C"; "≤ 13 °C" when a solvent's flash point is unknown; "unknown" when none is known.
std::string lowestFlashPointText(const LowestFlashPoint& lowest);

}  // namespace tarnwell
