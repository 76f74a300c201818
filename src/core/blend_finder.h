#pragma once
// The safer-blend finder: every pair and every triple of the table's solvents
// solved with the same solver Calculate uses, kept when it matches the target,
// and ranked by how kind the mixture is to the person breathing it.
//
// What a listed blend is: the solvents in file order as slots 1..3 (a pair in
// two-solvent mode) solve in the solver's first pass, and every solvent takes
// part (a mole fraction above the solver's zero band, kZeroBand). A triple the
// solver reduces to a pair (second pass, or a concentration in the zero band)
// is not a three-solvent blend: it stands in the list only as that pair, found
// by the pair's own solve, so loading any row and pressing Calculate gives the
// very figures listed.
//
// Ranking, best first, by the figures as the report shows them:
//   1. mixture TWA in ppm, higher first; a TWA that shows "X" after all others;
//   2. mixture VHR, lower first; "X" after all others;
//   3. fewer solvents first;
//   4. the record indices in slot order, lower first.
// Step 4 makes the order total, so equal figures always list the same way.

#include "core/blend_solver.h"
#include "core/mixture_hazards.h"
#include "core/solvent_marks.h"
#include "core/state.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarnwell {

enum class BlendSize { PairsAndTriples, PairsOnly, TriplesOnly };

struct FinderOptions {
    BlendSize size = BlendSize::PairsAndTriples;
    // All solvents of a blend from one reference table; when the target came
    // from the table (reference not 0), the target's table.
    bool sameReferenceOnly = false;
    bool excludeSkin = false;          // leave out solvents whose effects carry "[skin]"
    bool excludeCarcinogens = false;   // leave out solvents whose effects carry "[carcinogen]"
    bool excludePhasedOut = false;     // leave out solvents whose effects start with kPhasedOutMark
    // Leave out solvents with a known flash point below 23 C (isHighlyFlammable).
    // A solvent whose flash point is unknown stays: most of them do not burn
    // at room temperature (water, the chlorinated solvents, benzyl alcohol);
    // its blends show the lowest flash point as unknown or "at most".
    bool excludeHighlyFlammable = false;
    std::vector<int> excluded;         // record indices never used
    std::vector<int> mustContain;      // when not empty, a blend holds at least one of these
    int maxResults = 50;
    bool prune = true;                 // off only to check that pruning loses nothing
};

struct FoundBlend {
    std::array<int, 3> rows{-1, -1, -1};  // record indices in slot order; rows[2] is -1 for a pair
    int size = 0;                         // 2 or 3
    std::array<double, 3> concentration{}; // mole fractions, as the solver gives them
    std::array<double, 3> volumeFraction{};
    double mixN = 0.0, mixD = 0.0, mixW = 0.0;
    std::optional<double> twaPpm;         // missing when the report shows "X"
    std::optional<double> vhr;
    std::string twaText, vhrText;         // as the report shows them
    std::array<std::string, 3> volumeText;
    // N, D, W as whole numbers adding to 100 (roundToHundred); "X" when not computable.
    std::string mixNText, mixDText, mixWText;
    std::optional<double> twaRatio;       // mixture / target, when both are numbers and not 0
    std::optional<double> vhrRatio;
    std::array<SolventNotes, 3> notes;    // marks and flash point of each solvent, slot order
};

struct FinderOutcome {
    std::vector<FoundBlend> blends;  // ranked, at most maxResults
    std::size_t totalFound = 0;      // before the cut to maxResults
    std::uint64_t solved = 0;        // combinations handed to the solver
    std::uint64_t pruned = 0;        // combinations skipped by the geometry test
    bool cancelled = false;
};

// A solvent the search can use: a record whose numbers read, not the custom row.
struct FinderCandidate {
    int row = -1;
    TeasPoint ndw;
    std::int16_t reference = 0;
    SolventNotes notes;
    SolventSlot slot;          // what a double-click puts into a slot
    BlendSlotResult hazards;   // what Calculate copies into the BlendResult
    // The hazard texts read once, as the report reads them, for ranking.
    std::optional<TwaLimit> twa;
    std::optional<double> vhr;
};

// Everything one search needs, worked out once and then read by any number
// of threads at the same time.
struct PreparedSearch {
    TargetPoint target;
    FinderOptions options;
    std::vector<FinderCandidate> candidates;  // file order, after the filters
    std::vector<bool> required;               // by candidate: one of mustContain
    bool needsRequired = false;
    std::vector<int> candidateOfRow;          // by record index; -1 when not a candidate
};

// `properties` gives the flash points (a file that is missing or damaged: all unknown).
PreparedSearch prepareSearch(const SolventTable& table, const TargetPoint& target, const FinderOptions& options,
                             const SolventPropertiesFile& properties = SolventPropertiesFile{});

// The work of the blends whose first solvent is candidate `first`, so a
// caller can spread the search over threads and show progress.
std::uint64_t workOfFirst(const PreparedSearch& search, std::size_t first);

// A part's blends carry only what ranking needs (rows, concentrations, the
// TWA and VHR figures); the texts are filled for the blends finally listed.
struct PartialResult {
    std::vector<FoundBlend> blends;  // the part's best, at most maxResults
    std::size_t found = 0;           // all the part's matches
    std::uint64_t solved = 0, pruned = 0;
    bool cancelled = false;
};

// Every blend whose first solvent (in file order) is candidate `first`.
// `cancel` is looked at every few thousand combinations.
PartialResult searchFirst(const PreparedSearch& search, std::size_t first, const std::atomic<bool>* cancel = nullptr);

// Ranks the parts' blends and cuts them to maxResults.
FinderOutcome finishSearch(const PreparedSearch& search, std::vector<PartialResult> parts);

// The whole search on the calling thread.
FinderOutcome findBlends(const SolventTable& table, const TargetPoint& target, const FinderOptions& options,
                         const std::atomic<bool>* cancel = nullptr,
                         const SolventPropertiesFile& properties = SolventPropertiesFile{});

// The ranking order of the header comment; true when `a` lists before `b`.
bool ranksBefore(const FoundBlend& a, const FoundBlend& b);

// Can the mixture of these solvents (non-negative shares adding up to 1) lie
// within `tolerance` of the target in each of N, D, W? Used to skip hopeless
// combinations before solving; a pair passes its third slot as nullopt.
bool canHoldTarget(TeasPoint a, TeasPoint b, std::optional<TeasPoint> c, TeasPoint target, double tolerance);

// "3.2× higher TWA" / "1.5× lower VHR" / "same TWA"; empty without a ratio.
std::string ratioText(std::optional<double> ratio, const char* figure);

// Whole-number N, D, W adding to 100 as the finders show them: "X" for each when missing.
std::array<std::string, 3> wholeNdwTexts(const std::optional<TeasPoint>& point);

}  // namespace tarnwell
