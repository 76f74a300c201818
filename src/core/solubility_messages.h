#pragma once
// Every text the solubility test says: making liquids, opening a test file,
// the notes on liquids the solvent list has changed, the zone's warnings and
// the check of a blend found in the zone. "\r" breaks a line in a message box.

#include <string>

namespace tarnwell::messages {

// --- Test liquids --------------------------------------------------------------------
inline constexpr const char* kLiquidNoSolvent = "Please double click on a solvent in the list first.";
inline std::string liquidPartNoSolvent(int part) {
    return "Please choose a solvent for part " + std::to_string(part) + " of the mixture.";
}
inline constexpr const char* kLiquidCustomRow =
    "\"Enter N, D, W\" is not a solvent of the list.\r"
    "A test liquid is a listed solvent or a mixture of two or three listed solvents.";
inline constexpr const char* kLiquidUnreadable =
    "The values of this solvent in the database cannot be read as numbers,\r"
    "or do not give it a place on the Teas chart, so it cannot be used.";
inline std::string liquidPartUnreadable(int part) {
    return "The values of the solvent of part " + std::to_string(part) +
           " in the database cannot be read as numbers,\r"
           "or do not give it a place on the Teas chart, so it cannot be used.";
}
inline std::string liquidPartFraction(int part) {
    return "The volume fraction of part " + std::to_string(part) + " must be a number between 0.00 and 1.00.";
}
inline constexpr const char* kLiquidFractionsNotOne =
    "The volume fractions must add up to 1.00.  Please enter different values.";
inline constexpr const char* kLiquidTooFewParts = "A mixture is made of two or three solvents.";
inline constexpr const char* kLiquidNoMixturePoint =
    "The molar volumes of these solvents give no mixture: one of them is 0 or cannot be used.";
inline constexpr const char* kSeriesStep = "The step of a series must be a whole number of percent from 1 to 50.";

// --- Opening a test --------------------------------------------------------------------
inline constexpr const char* kTestFileTitle = "Tarnwell: solubility test";
// Put before the exact fault when a file cannot be opened; nothing is loaded.
inline constexpr const char* kTestFileUnreadable = "This file cannot be opened as a solubility test; nothing was loaded.";

// --- The zone --------------------------------------------------------------------------
inline constexpr const char* kZoneNeedsPoints =
    "A zone needs at least 3 liquids that dissolve the material and do not lie on one line.";
inline std::string noEffectInsideZone(int count) {
    return std::to_string(count) + (count == 1 ? " liquid that did not dissolve lies" : " liquids that did not dissolve lie") +
           " inside the zone: it is not convex";
}
inline constexpr const char* kZoneEmptyAfterMargin =
    "The zone is smaller than the margin: no point of it lies that far inside its boundary.";

// --- "Use this blend" ------------------------------------------------------------------
inline constexpr const char* kZoneBlendFine =
    "Calculate finds a solution for this target, and its mixture lies inside the zone.";
inline constexpr const char* kZoneBlendTargetOutside =
    "Rounding this blend's mixture point to whole numbers takes the target out of the zone.\r"
    "Calculate would match a point outside the zone; please choose another blend.";
inline constexpr const char* kZoneBlendSolutionOutside =
    "Calculate finds a solution for this target, but its mixture lies outside the zone.";

}  // namespace tarnwell::messages
