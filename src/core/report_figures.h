#pragma once
// The figures and texts of the solution report, worked out from the shared
// state without any window: volume and weight fractions, the mixture's TWA
// and VHR, and what each value field shows and in which colour.

#include "core/state.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwell {

// The colour a compared value is shown in; None keeps the field's own colour.
enum class ReportColour { None, Green, Red, WindowFrame };

struct ReportFigures {
    bool twoSolvents = false;

    // Per slot: what the solvent rows show.
    std::array<std::string, 3> solventLabel;
    std::array<std::string, 3> effects;
    std::array<std::string, 3> ndwText;      // "45  10  45"
    std::array<std::string, 3> volumeText;   // "##.000"
    std::array<std::string, 3> twaText;
    std::array<std::string, 3> vhrText;
    std::string ndwCaption3;                 // "N, D, W =" or empty with two solvents

    // Fractions over the slots in use (0 for a slot not in use).
    double mixtureMolarVolume = 0.0;
    std::array<double, 3> volumeFraction{};
    double mixtureMolecularWeight = 0.0;
    std::array<double, 3> weightFraction{};

    // The target and the mixture.
    std::string targetN, targetD, targetW;
    std::string mixtureN, mixtureD, mixtureW;
    std::string targetTwa, targetVhr, targetName;
    double targetNamePoints = 11.0;
    std::string targetEffects;
    bool widenTargetEffects = false;  // by 50 points

    // Missing when a solvent of the blend lacks a usable figure (mixture_hazards.h).
    std::optional<double> mixtureTwaMg;
    std::optional<double> mixtureTwaPpm;
    std::optional<double> mixtureVhr;  // rounded to a whole number
    std::string mixtureTwaText;
    std::string mixtureVhrText;

    bool showReferenceWarning = false;
    ReportColour targetTwaColour = ReportColour::None, mixtureTwaColour = ReportColour::None;
    ReportColour targetVhrColour = ReportColour::None, mixtureVhrColour = ReportColour::None;
};

ReportFigures computeReportFigures(const AppState& state);

// --- The rules the report is made of, one by one -----------------------------------

// Characters, not bytes, of a UTF-8 text.
std::size_t characterCount(std::string_view text);

// A mixture N, D or W: whole number, "0" when it rounds to 0.
std::string mixtureParameterText(double value);

// Which value is the safer: for the TWA the higher (higherIsSafer), for the
// VHR the lower. Equal values get the window-frame colour on both.
struct ColourPair {
    ReportColour target = ReportColour::None;
    ReportColour mixture = ReportColour::None;
};
ColourPair compareColours(float target, float mixture, bool higherIsSafer);

}  // namespace tarnwell
