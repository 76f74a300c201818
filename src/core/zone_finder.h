#pragma once
// The safer-blend finder with a solubility zone as its target: every pair and
// triple of the finder's candidates (blend_finder.h, with all its filters)
// that has a composition whose mixture lies in the zone's search region
// (solubility_zone.h: the zone shrunk by its margin, or the band), listed at
// its safest such composition.
//
// The mixture's N, D, W are linear in the mole fractions, so the blend's
// compositions map onto its segment or triangle on the chart; clipping that
// to the convex region by its edges' half-planes gives the compositions that
// count. The mixture VHR is linear in the mole fractions and the mixture TWA
// in ppm a ratio of two linear functions with a positive denominator (quasi-
// linear), so the safest composition in the finder's order (TWA higher
// first, then VHR lower) lies at a corner of the clipped polygon; corners are
// ranked by the unrounded figures of mixture_hazards (blendHazards), figures
// that agree to about nine significant digits counting as equal, so that the
// rounding of sums cannot overrule the VHR between compositions of solvents
// with one and the same limit.
//
// A corner where a solvent's share lies within the zero band (kZeroBand), or
// where its volume share is one the report shows as ".000", is a blend of
// fewer solvents. A blend whose safest corner is such a corner is
// not listed: it stands in the list as that smaller blend, found by its own
// search, so no pair is listed twice and every listed composition uses every
// solvent of its blend. A solvent whose own point lies in the region is
// listed apart (solventsInside). Blends the solver refuses for every target
// (points that coincide or lie on one line, messages M5 and M6) are skipped.
//
// Ranking of the listed blends, best first: TWA higher (missing last), VHR
// lower (missing last), fewer solvents, record indices in slot order.

#include "core/blend_finder.h"
#include "core/solubility_zone.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarnwell {

struct ZoneBlend {
    std::array<int, 3> rows{-1, -1, -1};   // record indices in slot order
    int size = 0;                          // 1 (a solvent alone), 2 or 3
    std::array<double, 3> moleFraction{};  // the safest composition
    std::array<double, 3> volumeFraction{};
    double mixN = 0.0, mixD = 0.0, mixW = 0.0;  // unrounded
    PlanePoint point;                      // where the chart shows the mixture
    std::optional<double> twaPpm;          // unrounded; missing when the report shows "X"
    std::optional<double> vhr;             // unrounded
    // As the solution report shows them.
    std::string twaText, vhrText;
    std::array<std::string, 3> volumeText;
    // The mixture point as whole numbers adding to 100 (wholeNumberPoint): the
    // target "Use this blend" sets; "X" when it has none.
    std::string mixNText, mixDText, mixWText;
    bool roundedInZone = false;            // that whole-number point lies in the zone's outline
    std::array<SolventNotes, 3> notes;     // marks and flash point of each solvent, slot order
};

// A composition as the ranking sees it.
struct ZoneScore {
    std::array<double, 3> moleFraction{};
    int parts = 0;  // solvents with a share the report shows (above the zero band, volume .001 or more)
    std::optional<double> twaPpm, vhr;
};

// True when `a` is the safer composition: TWA higher, then VHR lower (each
// compared to about nine significant digits, a missing figure last), then
// fewer solvents taking part, then the larger share of the first solvent,
// then of the second.
bool saferComposition(const ZoneScore& a, const ZoneScore& b);

// True when `a` lists before `b` (the order of the header comment).
bool zoneRanksBefore(const ZoneBlend& a, const ZoneBlend& b);

// The best corner of one segment, worked out once per pair of candidates.
struct ZonePair {
    bool reaches = false;  // some composition lies in the region
    ZoneScore best;        // moleFraction[0..1] for the two candidates
};

struct PreparedZoneSearch {
    PreparedSearch base;             // the candidates after every finder filter, with a chart place
    SolubilityZone zone;
    std::vector<PlanePoint> point;   // by candidate
    std::vector<double> sum;         // by candidate: its N + D + W
    // By candidate, when its TWA reads: the mixture TWA in ppm is
    // sum(top_k * x_k) / sum(bottom_k * x_k). Used only to pass over corners
    // and triples that plainly cannot be the safest, before the exact figures.
    std::vector<std::optional<std::array<double, 2>>> twaTerms;
    std::vector<std::array<double, 3>> edges;  // the region's half-planes: a*x + b*y >= c inside
    PlanePoint regionLow, regionHigh;          // the region's bounding box
    std::vector<ZonePair> pairs;     // [i * count + j] for i < j
    // By pair (i < j): bit r set when region corner r lies strictly left
    // (right) of the line from candidate i to candidate j.
    std::vector<std::uint64_t> leftOf, rightOf;
    bool cornersInMasks = false;     // the region has at most 64 corners and pruning is on
};

// The candidates of the point finder for these options (a zone has no table
// of its own: "same reference" keeps every blend within one table), the
// chart's view of each, and each pair's best composition.
PreparedZoneSearch prepareZoneSearch(const SolventTable& table, const SolubilityZone& zone, const FinderOptions& options,
                                     const SolventPropertiesFile& properties = SolventPropertiesFile{});

struct ZonePartial {
    std::vector<ZoneBlend> blends;  // the part's best, at most maxResults; figures only
    std::size_t found = 0;
    std::uint64_t examined = 0, pruned = 0, refused = 0;
    bool cancelled = false;
};

// Every pair and triple whose first solvent is candidate `first`; `cancel` is
// looked at every few thousand combinations. workOfFirst(search.base, first)
// gives the part's share of the work, for progress.
ZonePartial searchZoneFirst(const PreparedZoneSearch& search, std::size_t first,
                            const std::atomic<bool>* cancel = nullptr);

struct ZoneOutcome {
    std::vector<ZoneBlend> blends;          // ranked, at most maxResults
    std::vector<ZoneBlend> solventsInside;  // ranked, at most maxResults
    std::size_t totalFound = 0;             // blends before the cut to maxResults
    std::uint64_t examined = 0, pruned = 0, refused = 0;
    bool cancelled = false;
};

// Ranks the parts' blends, cuts them to maxResults and fills their texts.
ZoneOutcome finishZoneSearch(const PreparedZoneSearch& search, std::vector<ZonePartial> parts);

// The whole search on the calling thread.
ZoneOutcome findInZone(const SolventTable& table, const SolubilityZone& zone, const FinderOptions& options,
                       const std::atomic<bool>* cancel = nullptr,
                       const SolventPropertiesFile& properties = SolventPropertiesFile{});

// --- "Use this blend" -------------------------------------------------------------------

enum class ZoneCheck {
    Fine,                 // Calculate solves the rounded target; its mixture lies in the zone
    TargetOutsideZone,    // the mixture point rounded to whole numbers lies outside the zone
    SolverMessage,        // Calculate answers with a message (M5 to M9)
    SolutionOutsideZone,  // Calculate solves, but its mixture lies outside the zone
    NotABlend,            // a solvent alone: there is nothing to calculate
};

struct ZoneBlendCheck {
    ZoneCheck verdict = ZoneCheck::NotABlend;
    TeasPoint target;                         // the whole-number target set on the main screen
    BlendMessage message = BlendMessage::Solved;
    SolveResult solved;                    // what Calculate works out for it
};

// Loads the blend's solvents as slots 1..3 (two-solvent mode for a pair),
// takes as target its mixture point rounded to whole numbers adding to 100
// (wholeNumberPoint), and solves as Calculate does. "The zone" here is the
// zone's outline (the hull, or the band), not the shrunk region: the margin
// is there to take up the rounding and the solver's +/- 0.5.
ZoneBlendCheck checkZoneBlend(const SolventTable& table, const ZoneBlend& blend, const SolubilityZone& zone);

// What the window says about a check.
std::string zoneCheckText(const ZoneBlendCheck& check);

}  // namespace tarnwell
