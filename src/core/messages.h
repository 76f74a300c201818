#pragma once
// Every text the program says in a message box, in one place. "\r" is a
// carriage return (a line break in the message box), "\r\n" CR LF.

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

}  // namespace tarnwell::messages
