#pragma once
// The mixture calculator's arithmetic: from two or three solvents and their
// volume fractions to the mixture's N, D, W (whole numbers adding to 100), its
// TWA and its VHR, plus the checks and texts the calculator screen shows.
// The working precision follows the calculator's record layout on purpose
// (32-bit floats where the values are stored as such), so every figure comes
// out to the same last digit on every platform.

#include "core/database.h"
#include "core/numbers.h"
#include "core/teas_point.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwell {

// One of the calculator's three solvent columns.
struct MixSlot : TeasPoint {
    std::int16_t reference = 0;  // 0 for a solvent entered by hand and before any choice
    double molarVolume = 0.0;    // cm3/mol
    float molecularWeight = 0.0f;
    std::string twaMgText;       // TWA in mg/m3, as the database writes it
    std::string label;
    float volumeFraction = 0.0f;  // already rounded to two decimals
};

inline constexpr const char* kUserEnteredLabel = "0:  User entered N, D, W: ";

// The calculator's working values; they live as long as the screen.
struct MixtureCalculation {
    float total = 0.0f;
    std::array<float, 3> moles{};
    std::array<float, 3> moleFraction{};
    std::array<float, 3> massFraction{};  // masses first, then weight fractions
    float twaMixMg = 0.0f;
    std::array<float, 3> twaPart{};
    float twaMix = 0.0f;
    double mixN = 0.0, mixD = 0.0, mixW = 0.0;
    double fracN = 0.0, fracD = 0.0, fracW = 0.0;
    double vhrMix = 0.0;  // sum of mole fraction x VHR, a whole number
};

// Copies a table record into a slot. False (slot untouched) when one of the
// record's numbers cannot be read.
bool loadMixSlot(const SolventRecord& record, MixSlot& slot);

// --- Concentration entry ---------------------------------------------------------

enum class ConcentrationKind { Accepted, OutOfRange, NotNumeric };

struct ConcentrationEntry {
    ConcentrationKind kind = ConcentrationKind::NotNumeric;
    float value = 0.0f;  // Accepted: rounded to two decimals, halves to even
    std::string text;    // Accepted: what the field shows afterwards
};

// A typed concentration: a number from 0 to 1, rounded to two decimals on the
// exact value of the 32-bit float it reads as (0.045 -> 0.05, 0.125 -> 0.12).
ConcentrationEntry readConcentration(std::string_view text);

// (c1 + c2) + c3 in 32-bit arithmetic, and whether it is 1 within 0.00001.
float concentrationTotal(float c1, float c2, float c3);
bool totalIsOne(float total);

// --- Calculate -------------------------------------------------------------------

// The input checks, in the order they are made.
enum class MixCheck {
    Passed,
    SelectSolvent1,
    SelectSolvent2,
    SelectSolvent3,
    SumNotOne,
    EnterConcentration1,
    EnterConcentration2,
    EnterConcentration3,
};

// The message text of a failed check.
const char* mixCheckText(MixCheck check);
// The concentration field (0..2) that gets the focus after the message; -1 none.
int mixCheckFocus(MixCheck check);

// What the screen shows, as Calculate reads it.
struct MixtureInputs {
    std::array<int, 3> selectedRow{-1, -1, -1};               // lstSolvent1..3
    std::array<bool, 3> loaded{false, false, false};          // txtSolventK_N not empty
    std::array<bool, 3> concentrationEntered{false, false, false};  // txtInputConK not empty
    std::array<std::string, 3> twaText;                       // txtTLV_K (ppm)
    std::array<std::string, 3> vhrText;                       // txtVHR_K
    bool twoSolventMode = false;                              // chkUse2Solvents ticked
};

MixCheck checkMixtureInputs(const MixtureInputs& inputs, float total);

// Makes mixN, mixD, mixW whole numbers that add to 100 (for solvents whose N,
// D and W each add to 100) and keeps the fractional parts in calc.
RoundingBranch roundToHundred(MixtureCalculation& calc);

// A TWA or VHR of the mixture: shown as text, or shaded and empty.
struct MixtureFigure {
    bool available = false;
    std::string text;
};

// The "> 1" rule of the mixture boxes: whole number above 1, else one decimal.
std::string formatMixtureFigure(double value);

struct MixtureOutcome {
    MixCheck check = MixCheck::Passed;
    std::array<std::string, 3> ndwText;  // for N, D, W
    bool ndwAvailable = false;           // false: the molar volumes gave no mixture
    RoundingBranch branch = RoundingBranch::NotFinite;
    MixtureFigure twa;
    MixtureFigure vhr;
    bool warning = false;  // parameters from different reference tables
};

// The whole Calculate action: checks, mole fractions, N/D/W and their
// rounding, the TWA from weight fractions and the VHR from mole fractions
// (mixture_hazards.h), the warning. On a failed check nothing is changed. In
// two-solvent mode slot 3's concentration and N, D, W are set to 0, as the
// slot is then not in use.
MixtureOutcome calculateMixture(std::array<MixSlot, 3>& slots, MixtureCalculation& calc,
                                const MixtureInputs& inputs);

}  // namespace tarnwell
