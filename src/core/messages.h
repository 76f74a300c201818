#pragma once
// Every text the program says in a message box or a window's status line, in
// one place. "\r" is a carriage return (a line break in the message box),
// "\r\n" CR LF.

#include <cstddef>
#include <string>

namespace tarnwell::messages {

inline constexpr const char* kErrorTitle = "Tarnwell Error";
inline constexpr const char* kPrintTitle = "Tarnwell Print";

// --- The database ----------------------------------------------------------------
inline std::string databaseFailure(int number) {
    return "Visual Basic Error Number " + std::to_string(number) +
           "\r\rError opening database file: tarnwell database 1.0.txt\r\r"
           "Please make sure that this file is in the same \r"
           "directory as the Tarnwell program and that\r"
           "the file has not been changed.";
}

// --- Target ------------------------------------------------------------------------
inline constexpr const char* kEnterAsTargetNoSolvent =
    "To use this button please first double click on a solvent in the Solvent #1 box.";
inline constexpr const char* kEnterAsTargetCustomRow =
    "Please do not use Enter N, D, W from the SOLVENT #1 \r"
    "list to enter N, D, and W values for the Target.\r\r"
    "To enter you own N, D, and W numbers for the Target\r"
    "please adjust the sliders in the Target Selection box.";
inline constexpr const char* kEnterAsTargetOutOfRange =
    "The N, D and W values of this solvent cannot be used as a target:\r"
    "each must lie between 0 and 100.";
inline constexpr const char* kUnusableSolventRecord =
    "The values of this solvent in the database cannot be read as numbers,\r"
    "so it cannot be used.";

// --- Blend solver ------------------------------------------------------------------
inline constexpr const char* kM1 =
    "The target solubility parameters must add up to 100. \r\rPlease change your target values.";
inline constexpr const char* kM2 = "Please double click on a solvent in the Solvent #1 box.";
inline constexpr const char* kM3 = "Please double click on a solvent in the Solvent #2 box.";
inline constexpr const char* kM4 = "Please double click on a solvent in the Solvent #3 box.";
inline constexpr const char* kM5Title = "Tarnwell: gamma";
inline constexpr const char* kM5 =
    "Division by zero. Solver cannot calculate a solution.\r\rPlease select a different combination of solvents";
inline constexpr const char* kM6Title = "Tarnwell: K3 denominator";
inline constexpr const char* kM6 =
    "Division by zero.  Solver cannot calculate a solution.\r\rPlease select a different combination of solvents";
inline constexpr const char* kM7Title = "No solution: negative concentration";
inline constexpr const char* kM8Title = "No solution: concentration > 1";
inline constexpr const char* kM9Title = "No solution: outside tolerance";

inline std::string noSolution(const char* ending) {
    return std::string("The program could not match these solubility parameters using "
                       "this combination of solvents.  \r"
                       "Please try a different combination.\r\n\r\n"
                       "This program tries to match each solubility paramater within +/- 0.5. "
                       "It may be possible to find \r"
                       "a less accurate match (+/- 2) using the Excel ") +
           ending + "See Help page 5.";
}
inline std::string m7() { return noSolution("version of Tarnwell.  "); }
inline std::string m8() { return noSolution("version of Tarnwell. "); }
inline std::string m9() { return noSolution("version of Tarnwell. "); }

inline constexpr const char* kSolutionTitle = "Solver found a solution";

// --- Mixture calculator --------------------------------------------------------------
inline constexpr const char* kConcentrationEntry =
    "Please enter the concentration as a number between 0.00 and 1.00.\r"
    "        Concentrations will be rounded to two decimal places.";
inline constexpr const char* kMixSelect1 = "Please select a solvent in the Solvent #1 box.";
inline constexpr const char* kMixSelect2 = "Please select a solvent in the Solvent #2 box.";
inline constexpr const char* kMixSelect3 = "Please select a solvent in the Solvent #3 box.";
inline constexpr const char* kMixSum = "The concentrations must add up to 1.0.  Please enter different values.";
inline constexpr const char* kMixEnter1 = "Please enter a concentration for Solvent #1. ";
inline constexpr const char* kMixEnter2 = "Please enter a concentration for Solvent #2. ";
inline constexpr const char* kMixEnter3 = "Please enter a concentration for Solvent #3. ";

// --- Custom solvent ------------------------------------------------------------------
inline constexpr const char* kCustomSum =
    " The solubility parameters must add up to 100.\r\rPlease change the values you entered.";
inline constexpr const char* kCustomMW = "Error entering molecular weight:  value must be a positive number.";
inline constexpr const char* kCustomSG = "Error entering specific gravity:  value must be a positive number.";
inline constexpr const char* kCustomMWTooLarge =
    "Error entering molecular weight:  value is too large for the program to use.";
inline constexpr const char* kCustomSGTooLarge =
    "Error entering specific gravity:  value is too large for the program to use.";
inline constexpr const char* kCustomSGZero = "Specific gravity cannot equal zero.";
inline constexpr const char* kCustomMolarVolume =
    "Error entering molecular weight and/or specific gravity.\r"
    "The molar volume (molecular weight / specific gravity) is out of range.";
inline constexpr const char* kCustomPositive =
    "Error entering molecular weight and/or specific gravity.\rNumbers must be positive.";
inline constexpr const char* kCustomHelpTitle = "Entering solubility parameters";
inline constexpr const char* kCustomHelp =
    "This feature allows you to enter the solubility parameters for a solvent that is not listed\r"
    "Move the sliders to set the N, D, and W values to the appropriate numbers.  Note that\r"
    "N, D, and W must add up to 100.\r"
    "\r"
    "The program also needs the molecular weight and specific gravity of the solvent.  These\r"
    "numbers can be found in many references, including the NIOSH Pocket Guide to Chemical\r"
    "Hazards, which is available online from the National Institute for Occupational Safety and Health at\r"
    "https://www.cdc.gov/niosh/npg/  The program uses the specific gravity measured at 20 C (68 F) with respect\r"
    "to water at 4 C (39.2 F).";

// --- Printing ------------------------------------------------------------------------
inline constexpr const char* kNoPrinter =
    "The page could not be printed: no printer is set up on this computer.\r"
    "Please set up a default printer and try again.";
inline std::string printFailed(const std::string& why) {
    return "The page could not be printed: " + why;
}
inline constexpr const char* kPrintSystemSilent =
    "The page could not be printed: the print system does not answer.\r"
    "Please check that printing works on this computer and try again.";
inline std::string printRefused(const std::string& printer, const std::string& reason) {
    return printFailed("the printer \"" + printer + "\" refused it (" + reason + ").");
}
inline std::string printWaitsOnStoppedPrinter(const std::string& printer) {
    return "The page waits in the queue of the printer \"" + printer + "\", which is stopped.\r"
           "It is printed when the printer is started again.";
}

// --- Safer-blend finder ----------------------------------------------------------------
inline constexpr const char* kFindBlendsNoSelection = "Please click on a blend in the list first.";
inline constexpr const char* kFindBlendsNoSolution =
    "No blend of two or three listed solvents matches this target within +/- 0.5 with these choices.";
inline constexpr const char* kFindBlendsCancelled = "Search cancelled.";
inline constexpr const char* kFinderUnknownFlashPointKept =
    "A solvent whose flash point is unknown is kept; its blends show \"unknown\" or \"\u2264\".";
// `line` and `why` say what is wrong with a damaged file (line 0: the file as a whole).
inline std::string finderNoFlashPoints(bool damaged, int line, const std::string& why) {
    if (!damaged) return "No flash point is known: the file of solvent properties is missing.";
    return "No flash point is known: the file of solvent properties is damaged (" +
           (line > 0 ? "line " + std::to_string(line) + ": " : std::string()) + why + ")";
}
inline constexpr const char* kFinderCsvTitle = "Tarnwell: save the blends";
inline std::string finderCsvSaved(const std::string& path) { return "The blends were saved to " + path + "."; }
inline std::string finderCsvNotSaved(const std::string& path, const std::string& why) {
    return "The blends could not be saved to " + path + ":\r" + why;
}
inline constexpr const char* kFinderCsvNothing = "There are no blends to save: please search first.";

// === The solubility test: making liquids, opening a test file, the zone and its blends ===

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

// --- The test window ---------------------------------------------------------------------
inline std::string liquidAlreadyInTest(const std::string& name) {
    return "\"" + name + "\" is already in the test.";
}
inline constexpr const char* kMixtureSameSolvent = "Please choose a different solvent for each part of the mixture.";
inline constexpr const char* kSeriesNoSolvent = "Please choose the solvent the series starts from and the one it ends with.";
inline constexpr const char* kSeriesSameSolvent = "A series runs between two different solvents: please choose another.";
inline std::string seriesAdded(int count) {
    return "The series added " + std::to_string(count) + (count == 1 ? " liquid." : " liquids.");
}
inline constexpr const char* kNoLiquidSelected = "Please click on a liquid in the table first.";
inline std::string seriesSkipped(int count) {
    return std::to_string(count) + (count == 1 ? " liquid of the series was" : " liquids of the series were") +
           " already in the test and not added again.";
}
inline constexpr const char* kNoZone =
    "No liquid dissolves the material yet, so there is no zone.\r"
    "Set the result of each liquid that dissolves it to \"Dissolves\".";
inline std::string zoneSummary(int dissolving, bool onePoint, bool oneLine) {
    const std::string count = std::to_string(dissolving) + (dissolving == 1 ? " liquid dissolves" : " liquids dissolve");
    if (dissolving == 0) return std::string("No liquid dissolves the material yet. ") + kZoneNeedsPoints;
    if (onePoint)
        return count + " the material" + (dissolving == 1 ? "" : ", all at one point") +
               ": the zone is a dot with a band of +/- 0.5 around it. " + kZoneNeedsPoints;
    if (oneLine)
        return count + " the material, all on one line: the zone is a segment with a band of +/- 0.5 around it. " +
               kZoneNeedsPoints;
    return count + " the material. The zone is shaded; blends are looked for in the darker part, "
                   "at least the margin inside its boundary.";
}
inline std::string zoneCentreText(int n, int d, int w) {
    return "Zone centre: N, D, W = " + std::to_string(n) + ", " + std::to_string(d) + ", " + std::to_string(w);
}
inline std::string zoneCentreTargetName(const std::string& material) {
    return material.empty() ? std::string("Zone centre") : "Zone centre: " + material;
}
inline std::string zoneBlendTargetName(const std::string& material) {
    return material.empty() ? std::string("Blend in the zone") : "Blend in the zone: " + material;
}
inline std::string targetTaken(int n, int d, int w) {
    return "The main screen's target is now N, D, W = " + std::to_string(n) + ", " + std::to_string(d) + ", " +
           std::to_string(w) + ".";
}

// --- Saving and opening --------------------------------------------------------------------
inline std::string testFileNotSaved(const std::string& path, const std::string& why) {
    return "The test could not be saved to\r" + path + "\r" + why;
}
inline std::string testSaved(const std::string& path) { return "Saved to " + path + "."; }
inline std::string testOpened(const std::string& path) { return "Opened " + path + "."; }
inline std::string testFileNotRead(const std::string& why) { return std::string(kTestFileUnreadable) + "\r" + why; }
inline constexpr const char* kTestFileOpenedWithNotes =
    "The test was opened. Some liquids are not as the file stored them:";

// --- The finder with the zone as its target --------------------------------------------------
inline std::string zoneFinderHeading(const std::string& material, int dissolving) {
    return "Zone of " + (material.empty() ? std::string("the test") : material) + ": " + std::to_string(dissolving) +
           (dissolving == 1 ? " liquid dissolves it" : " liquids dissolve it");
}
inline std::string zoneBlendsFound(std::size_t total, std::size_t listed) {
    if (total > listed)
        return std::to_string(total) + " blends reach the zone; the best " + std::to_string(listed) +
               " are listed, safest first.";
    if (total == 1) return "1 blend reaches the zone.";
    return std::to_string(total) + " blends reach the zone, listed safest first.";
}
inline constexpr const char* kZoneNoBlend =
    "No blend of two or three listed solvents reaches the zone with these choices.";
inline constexpr const char* kSolventsInsideCaption = "Solvents that lie inside the zone on their own:";
inline constexpr const char* kZoneTitle = "Tarnwell: solubility zone";
inline std::string solventAloneInZone(const std::string& label) {
    return "\"" + label + "\" lies inside the zone on its own: it needs no blend.\r"
           "It is now solvent #1 of the main screen.";
}


// === Solvent properties and evaporation ===================================================

// --- The properties file: what is wrong with a line (quoted values are cut short) ------------
inline constexpr const char* kPropertiesTooLarge =
    "The file is larger than 32 MB, far larger than a file of solvent properties.";
inline constexpr const char* kPropertiesUnreadable = "The file exists but cannot be read.";
inline constexpr const char* kPropertiesNoHeader = "The file has no header row: it holds only notes.";
inline constexpr const char* kPropertiesNoRows = "The file holds no solvent rows.";
inline constexpr const char* kPropertiesNotUtf8 = "the text is not UTF-8.";
inline constexpr const char* kPropertiesHeaderNames =
    "the header row must name the columns label, vp_20c_mmhg, boiling_point_c, flash_point_c, "
    "flammability_class and source, in this order, separated by tabs";
inline std::string propertiesHeaderColumn(int column, const std::string& found, const std::string& expected) {
    return std::string(kPropertiesHeaderNames) + "; column " + std::to_string(column) + " is " + found + ", not \"" +
           expected + "\".";
}
inline std::string propertiesHeaderCount(int columns) {
    return std::string(kPropertiesHeaderNames) + "; it names " + std::to_string(columns) + (columns == 1 ? " column." : " columns.");
}
inline std::string propertiesFieldCount(int fields) {
    return "the row has " + std::to_string(fields) + (fields == 1 ? " field" : " fields") +
           "; a solvent's row has 6, separated by tabs.";
}
inline constexpr const char* kPropertiesNoLabel = "the row has no label.";
inline std::string propertiesDuplicate(const std::string& label, int firstLine) {
    return "the label " + label + " is given again; its first row is line " + std::to_string(firstLine) + ".";
}
// `what`: "vapour pressure", "boiling point", "flash point".
inline std::string propertiesNotNumber(const char* what, const std::string& text) {
    return std::string("the ") + what + " " + text + " is not a number; write a number with a decimal point, or none.";
}
inline std::string propertiesNotFinite(const char* what, const std::string& text) {
    return std::string("the ") + what + " " + text + " is too large to be a number.";
}
inline std::string propertiesNegativePressure(const std::string& text) {
    return "the vapour pressure " + text + " is below 0 mmHg.";
}
inline std::string propertiesBelowAbsoluteZero(const char* what, const std::string& text) {
    return std::string("the ") + what + " " + text + " is below absolute zero (\u2212273.15 \u00B0C).";
}
inline std::string propertiesClass(const std::string& text) {
    return "the flammability class " + text + " is not one of IA, IB, IC, II, IIIA, IIIB or none.";
}
inline constexpr const char* kPropertiesNoSource = "the row has no source code.";

// --- The properties file, as the window that needs it says ------------------------------------
inline std::string propertiesFileMissing(const std::string& fileName) {
    return "The file of solvent properties, " + fileName +
           ", was not found beside the database, so no vapour pressure or flash point is known.";
}
inline std::string propertiesFileDamaged(const std::string& fileName, int line, const std::string& why) {
    return "The file of solvent properties, " + fileName + ", is damaged and was not used, so no vapour "
           "pressure or flash point is known.\r" +
           (line > 0 ? "Line " + std::to_string(line) + ": " + why : why);
}

// --- How a blend evaporates -------------------------------------------------------------------
inline constexpr const char* kMarkNotReached = "not reached";
inline constexpr const char* kMarkUnknown = "not known: no path";
inline std::string handEnteredSolvent(int slot, int n, int d, int w) {
    return "solvent #" + std::to_string(slot) + ", entered by hand (N, D, W = " + std::to_string(n) + ", " +
           std::to_string(d) + ", " + std::to_string(w) + ")";
}
// `names` already joined ("Water and Glycerol").
inline std::string noVapourPressure(const std::string& names) {
    return "No vapour pressure is known for " + names + ", so the path of the remaining liquid cannot be drawn.";
}
inline constexpr const char* kEvaporationNoMixture =
    "The molar volumes of these solvents give no mixture: one of them is 0 or cannot be used, "
    "so the path of the remaining liquid cannot be drawn.";
inline std::string runOutOrder(const std::string& groups) {
    return "The solvents run out in this order: " + groups + ".";
}
inline std::string goneAt(const std::string& name, int percent) {
    return name + ": 99 % of it has evaporated when " + std::to_string(percent) + " % of the liquid has.";
}
inline std::string stillThereAt99(const std::string& name) {
    return name + ": more than 1 % of it is left when 99 % of the liquid has evaporated.";
}
inline std::string doesNotEvaporate(const std::string& name) {
    return name + ": vapour pressure 0, it does not evaporate.";
}
inline std::string remainsLast(const std::string& name) { return name + " remains last."; }
inline std::string remainLastTogether(const std::string& names) {
    return names + " evaporate at the same rate and remain last together.";
}
inline std::string doesNotEvaporateAndRemains(const std::string& names, bool several) {
    return names + (several ? " do not evaporate and remain." : " does not evaporate and remains.");
}
inline std::string onlySolvent(const std::string& name) {
    return name + " is the only solvent: the liquid keeps its composition.";
}
inline constexpr const char* kAllEvaporateAlike =
    "All the solvents evaporate at the same rate: the liquid keeps its composition.";
inline std::string onlyPartEvaporates(int percent) {
    return "Only " + std::to_string(percent) + " % of the liquid can evaporate; the rest never does.";
}
// `which`: "the highest VHR", "the lowest TWA", "the highest VHR and the lowest TWA".
inline std::string lastSolventHazard(const std::string& name, const std::string& which, bool someUnknown) {
    return name + " has " + which + (someUnknown ? " of the blend's solvents whose figures are known." : " of the blend's solvents.");
}

// --- Flammability (GHS / EU CLP categories of flammable liquids) -------------------------------
inline constexpr const char* kExtremelyFlammable = "Extremely flammable";
inline constexpr const char* kHighlyFlammable = "Highly flammable";
inline constexpr const char* kFlammable = "Flammable";
inline constexpr const char* kCombustible = "Combustible";
inline constexpr const char* kNotClassedFlammable = "Not classed as flammable";
// "Highly flammable: Acetone, flash point −20 °C"
inline std::string mostFlammable(const char* words, const std::string& name, const std::string& temperature) {
    return std::string(words) + ": " + name + ", flash point " + temperature;
}
inline std::string noFlashPointFor(const std::string& names) { return "no flash point known for " + names; }
inline constexpr const char* kNoFlashPointKnown = "No flash point is known for the solvents of this blend.";
// "Acetone: flash point −20 °C (highly flammable), class IB"
inline std::string solventFlashPoint(const std::string& name, const std::string& temperature, const std::string& words,
                                     const std::string& flammabilityClass) {
    return name + ": flash point " + temperature + " (" + words + ")" +
           (flammabilityClass.empty() ? std::string() : ", class " + flammabilityClass);
}
inline std::string solventNoFlashPoint(const std::string& name, const std::string& flammabilityClass) {
    return name + ": flash point not known" + (flammabilityClass.empty() ? std::string() : ", class " + flammabilityClass);
}

// --- The Evaporation window ---------------------------------------------------------------------
inline constexpr const char* kEvaporationCalculateFirst =
    "Please calculate a mixture first: the Evaporation window shows the mixture calculated last.";
// `parts`: "Acetone .500 and White spirit ... .500" (each solvent with its volume fraction).
inline std::string evaporationOfReportBlend(const std::string& parts) {
    return "The blend of the report, by volume: " + parts + ".";
}
inline std::string evaporationOfLastMixture(const std::string& parts) {
    return "The mixture calculated last, by volume: " + parts + ".";
}
inline constexpr const char* kEvaporationModelNote =
    "Worked out for an ideal mixture at 20 \u00B0C, each solvent leaving in proportion to its share and its vapour "
    "pressure: a guide to the direction of the drift, not a measurement. Alcohols with hydrocarbons, and water with "
    "anything, evaporate differently. See Help.";

// --- The path on the Teas chart, its key, tooltips and caption ------------------------------------
inline constexpr const char* kPathKeyLine = "remaining liquid as it evaporates";
inline constexpr const char* kPathKeyMarks = "25, 50, 75 and 90 % evaporated";
inline constexpr const char* kPathKeyCrossings = "leaves or enters the zone";
inline constexpr const char* kPathCaption =
    "The line from the blend's ring is the liquid that remains as the blend evaporates; its dots mark 25, 50, 75 "
    "and 90 % evaporated, its end 99 %. It takes the blend as an ideal mixture: a guide to the direction of the "
    "drift, not a measurement.";
// "50 % evaporated: N, D, W = 66, 20, 14"
inline std::string pathMarkTip(int percent, const std::string& n, const std::string& d, const std::string& w) {
    return std::to_string(percent) + " % evaporated: N, D, W = " + n + ", " + d + ", " + w;
}
inline std::string crossingTip(bool leaves, int percent) {
    return std::string(leaves ? "Leaves" : "Enters") + " the zone at " + std::to_string(percent) + " % evaporated";
}

// --- Where the remaining liquid meets the solubility zone ---------------------------------------
inline std::string zoneFirstCrossing(bool leaves, int percent) {
    return std::string(leaves ? "leaves" : "enters") + " the zone at " + std::to_string(percent) + " % evaporated";
}
inline std::string zoneLaterCrossing(bool leaves, bool again, int percent) {
    return std::string(leaves ? "leaves" : "enters") + " it" + (again ? " again" : "") + " at " + std::to_string(percent) + " %";
}
inline std::string zoneCrossings(const std::string& crossings) { return "The remaining liquid " + crossings + "."; }
inline std::string zoneStaysInside(int percent) {
    return "The remaining liquid stays inside the zone up to " + std::to_string(percent) + " % evaporated.";
}
inline std::string zoneStaysOutside(int percent) {
    return "The remaining liquid stays outside the zone up to " + std::to_string(percent) + " % evaporated.";
}

}  // namespace tarnwell::messages
