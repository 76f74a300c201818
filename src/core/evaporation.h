#pragma once
// How a blend changes as it evaporates: where the remaining liquid goes on the
// Teas chart, which solvent remains last, how its TWA and VHR change, where it
// leaves or enters a solubility zone, and how readily the blend burns.
//
// For the screens
// ---------------
// A screen calls three things, all here, and draws what it gets:
//   1. The input, after a Calculate that passed:
//        evaporationFromMixture(slots, inputs)   the calculator (its slots and fields)
//        evaporationFromBlend(state)             the main screen's blend (the report)
//   2. computeEvaporation(input, properties, zone): properties is the file read at
//      start beside the database (solvent_properties.h; Missing or Damaged is fine),
//      zone the open solubility test's zone or nullptr.
//   3. From the EvaporationResult:
//      - Teas chart: when pathKnown, `path` (plane points from the blend's point to
//        99 % evaporated, or as far as the liquid ever goes), the marks 25, 50, 75
//        and 90 (marks[1..4], `point`, where state is Reached), and `crossings`
//        (point and percent) with `zoneText` for the caption or status line.
//      - tblEvaporation: one row per marks[0..4] (kTableMarks): for each solvent
//        its volumeText, then ndwText, twaText, vhrText. A mark NotReached shows
//        messages::kMarkNotReached; with no path (Unknown) only 0 % is filled, and
//        `unknownText` names the solvents without a vapour pressure.
//      - lblLastSolvent: lastSolventText (with its note); lblFlammability:
//        flammabilityText; each solvent's line: solvents[k].flashPointText and
//        runOutText, the order: runOutText; propertiesFileText when the file was
//        missing or damaged.
//   Nothing here keeps state or needs Qt; the three solvents take well under a
//   millisecond (bench/evaporation_bench.cpp).
//
// The model
// ---------
// An ideal solution (Raoult's law) whose vapours diffuse through the still air
// over the liquid and are carried away: the molar rate of solvent i is
// k * x_i * P_i, with x_i its mole fraction in the remaining liquid and P_i its
// vapour pressure at 20 C (W. K. Lewis and L. Squires, Ind. Eng. Chem. 29 (1937)
// 109; K. J. Beverley, J. H. Clint and P. D. I. Fletcher, Phys. Chem. Chem. Phys.
// 2 (2000) 4173, who found the vapour's diffusion through a stagnant air layer
// rate-limiting for simple mixtures). The transfer coefficient k is the same
// for every solvent: the vapours' diffusivities in air do differ, by tens of
// percent, but the usual correlations (Fuller-Schettler-Giddings, Wilke-Lee)
// need atomic diffusion volumes or the molar volume at the boiling point,
// which the data do not hold.
//
// With one k the system has an exact solution. With dS = k dt / N_total,
// dn_i/dS = -P_i n_i, so n_i(S) = n_i0 exp(-P_i S): every solvent keeps its
// own exponential, and two of them obey ln(n_A/n_A0) = (P_A/P_B) ln(n_B/n_B0).
// The liquid's volume is the sum of n_i times the molar volume (ideal), so the
// share of the starting volume evaporated rises monotonically with S and the
// composition at a given share needs one root of a convex decreasing sum of
// exponentials (Newton's method from below, which never overshoots). The model
// gives no clock time: air flow, temperature and the swab set that.
//
// A solvent of vapour pressure 0 never evaporates: the liquid then never gets
// past the share the other solvents make up, and marks beyond it are "not
// reached", never faked. A solvent "runs out" when 99 % of it has evaporated;
// with one k they run out in order of falling vapour pressure.
//
// What the table shows is judged as the rest of the program judges a blend:
// the remaining N, D, W by the calculator's rule from the mole fractions (its
// 32-bit steps and its rounding to whole numbers adding to 100, so 0 % is what
// the calculator shows), the TWA and VHR by the report's rules
// (mixture_hazards.h) over the mole fractions of the screen that asked: the
// calculator's 32-bit ones for its mixture (a VHR of 638,522 would otherwise
// read 638,521), the solver's for the blend.
//
// Whether the liquid is inside a solubility zone is decided on the path the
// chart draws, unrounded, at every whole percent evaporated: "leaves the zone
// at 38 %" is the first whole percent whose point lies outside the zone's
// outline. Not on the whole-number points: the
// calculator's rounding to 100 moves a value by up to one point (66.2, 20.4,
// 13.4 become 67, 20, 13, as the smallest fractional part is raised), so a
// liquid drifting steadily across an edge would seem to leave, come back and
// leave again within three percent.
//
// Flammability follows the GHS categories of flammable liquids (UN GHS,
// chapter 2.6; EU CLP, Regulation (EC) No 1272/2008, Annex I, 2.6, Table
// 2.6.1): flash point below 23 C is extremely flammable with a boiling point of
// 35 C or below, else highly flammable; 23 to 60 C flammable; above 60 C up to
// 93 C combustible (GHS category 4). The blend is described by its most
// flammable solvent: a mixture's own flash point lies near that of its most
// volatile flammable solvent, and for some non-ideal pairs below it.

#include "core/mixture.h"
#include "core/solubility_zone.h"
#include "core/solvent_properties.h"
#include "core/state.h"
#include "core/teas_chart.h"
#include "core/teas_point.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tarnwell {

// The marks, in percent of the starting volume evaporated; the table shows the
// first five, the path ends at the last.
inline constexpr std::array<int, 6> kEvaporationMarks{0, 25, 50, 75, 90, 99};
inline constexpr std::size_t kTableMarks = 5;
// A solvent has run out when this share of it has evaporated.
inline constexpr double kRunOutShare = 0.99;

// One solvent of the blend as it starts.
struct EvaporationSolvent {
    int slot = 1;                 // 1..3: the column it stands in
    std::string label;            // the list label; kUserEnteredLabel when entered by hand
    bool enteredByHand = false;
    TeasPoint ndw;
    double molarVolume = 0.0;     // cm3/mol
    double molecularWeight = 0.0;
    std::string twaText;          // ppm
    std::string twaMgText;
    std::string vhrText;
    double startMoles = 0.0;      // on any scale common to the blend
    bool operator==(const EvaporationSolvent&) const = default;
};

struct EvaporationInput {
    std::array<EvaporationSolvent, 3> solvents;
    std::size_t count = 0;  // 2 or 3
    // The TWA and VHR from the calculator's 32-bit mole fractions (its
    // mixture) rather than double ones (the solver's blend), so that 0 %
    // shows what the screen that asked showed.
    bool calculatorPrecision = false;
    bool operator==(const EvaporationInput&) const = default;
};

// The calculator's mixture: its slots in use, its TWA and VHR fields, and the
// moles as its Calculate forms them (volume fraction / molar volume, 32-bit).
EvaporationInput evaporationFromMixture(const std::array<MixSlot, 3>& slots, const MixtureInputs& inputs);
// The main screen's blend: its slots and the last solve's mole fractions.
EvaporationInput evaporationFromBlend(const AppState& state);

enum class MarkState {
    Reached,
    NotReached,  // the liquid never evaporates this far
    Unknown,     // no path: a vapour pressure is missing
};

struct EvaporationMark {
    int percent = 0;
    MarkState state = MarkState::Unknown;
    // Per solvent of the input, of the remaining liquid.
    std::array<double, 3> volumeFraction{};
    std::array<double, 3> moleFraction{};
    std::array<std::string, 3> volumeText;  // "##.000", as the report shows volumes
    // Whole numbers adding to 100, by the calculator's rule; nothing when the
    // calculator could not compute them.
    std::optional<TeasPoint> ndw;
    std::array<std::string, 3> ndwText;     // N, D, W
    std::optional<PlanePoint> point;        // on the (unrounded) path
    std::optional<double> twaPpm;           // unrounded
    std::optional<double> vhr;              // unrounded
    std::string twaText;                    // as the report shows them; "X" when not computable
    std::string vhrText;
};

struct PathPoint {
    double share = 0.0;  // of the starting volume evaporated, 0..1
    PlanePoint point;
};

struct ZoneCrossing {
    int percent = 0;       // evaporated, the first whole percent on the new side
    bool leaves = false;   // false: enters
    PlanePoint point;      // on the path at that percent
};

// What becomes of one solvent of the input.
struct SolventEvaporation {
    std::string name;      // as the texts say it
    bool takesPart = false;
    std::optional<double> vapourPressure;  // mmHg at 20 C; nothing when unknown
    std::optional<double> boilingPoint;    // C
    std::optional<double> flashPoint;      // C
    FlammabilityClass flammabilityClass = FlammabilityClass::None;
    FlammabilityCategory category = FlammabilityCategory::Unknown;
    // The share of the liquid evaporated when 99 % of this solvent has gone;
    // nothing when it never evaporates or the path is unknown.
    std::optional<double> runOutShare;
    std::string runOutText;
    std::string flashPointText;
};

struct EvaporationResult {
    bool mixtureKnown = false;  // false: the molar volumes give no mixture
    bool pathKnown = false;
    std::string unknownText;    // why there is no path, naming the solvents
    std::string propertiesFileText;  // the file was missing or damaged; else empty

    std::array<SolventEvaporation, 3> solvents;
    std::size_t count = 0;

    std::vector<PathPoint> path;
    double reachableShare = 0.0;  // 1 unless a solvent never evaporates
    std::array<EvaporationMark, kEvaporationMarks.size()> marks;

    std::vector<std::size_t> runOutOrder;   // solvents that evaporate, the first to run out first
    std::string runOutText;
    std::vector<std::size_t> lastSolvents;  // the one (or those, alike) that remain last
    std::string lastSolventText;            // with its note on VHR and TWA

    std::optional<std::size_t> lowestFlashPoint;  // the solvent with the lowest known flash point
    std::string flammabilityText;

    std::vector<ZoneCrossing> crossings;
    std::string zoneText;  // empty without a zone
};

EvaporationResult computeEvaporation(const EvaporationInput& input, const SolventPropertiesFile& properties,
                                     const SolubilityZone* zone = nullptr);

// The name a text uses for a solvent: the label without its reference, or the
// hand-entered description.
std::string evaporationSolventName(const EvaporationSolvent& solvent);

}  // namespace tarnwell
