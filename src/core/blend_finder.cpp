#include "core/blend_finder.h"

#include "core/blend_solver.h"
#include "core/numbers.h"
#include "core/report_figures.h"
#include "core/search_parts.h"
#include "core/solver_limits.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace tarnwell {

namespace {

// The tolerance the geometry test allows: the solver's 0.5 and a margin far
// above the rounding of its double arithmetic (about 1e-11 here).
constexpr double kPruneTolerance = kMatchTolerance + 1e-6;

// The solvents the options leave out for what they are (the rows the user
// chose apart): applied while the candidates are gathered, so the search
// itself never meets them.
bool leftOutByMarks(const FinderOptions& o, const SolventNotes& notes) {
    return (o.excludeSkin && notes.skin) || (o.excludeCarcinogens && notes.carcinogen) ||
           (o.excludePhasedOut && notes.phasedOut) || (o.excludeHighlyFlammable && isHighlyFlammable(notes.flashPoint));
}

bool contains(const std::vector<int>& rows, int row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

// The 2-D projections of a triangle and of the tolerance square around the
// target are disjoint when some axis separates them. Only the triangle's edge
// normals need checking here (the coordinate axes are the caller's box test).
// Everything but the square's half-width is an exact integer.
bool separatedInPlane(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, std::int64_t cx,
                      std::int64_t cy, std::int64_t tx, std::int64_t ty, double r) {
    const std::int64_t px[3] = {ax, bx, cx}, py[3] = {ay, by, cy};
    for (int e = 0; e < 3; ++e) {
        const int f = (e + 1) % 3, g = (e + 2) % 3;
        const std::int64_t nx = -(py[f] - py[e]), ny = px[f] - px[e];
        if (nx == 0 && ny == 0) continue;
        const std::int64_t sc = nx * (px[g] - px[e]) + ny * (py[g] - py[e]);
        const std::int64_t st = nx * (tx - px[e]) + ny * (ty - py[e]);
        const double h = r * static_cast<double>(std::llabs(nx) + std::llabs(ny));
        const double lo = static_cast<double>(std::min<std::int64_t>(0, sc));
        const double hi = static_cast<double>(std::max<std::int64_t>(0, sc));
        if (static_cast<double>(st) + h < lo || static_cast<double>(st) - h > hi) return true;
    }
    return false;
}

// Shares lambda in [0, 1] that put a + lambda (b - a) within r of t in one coordinate.
bool narrowSegment(double a, double b, double t, double r, double& lo, double& hi) {
    const double d = b - a;
    if (d == 0.0) return std::fabs(a - t) <= r;
    double l = (t - r - a) / d, h = (t + r - a) / d;
    if (l > h) std::swap(l, h);
    lo = std::max(lo, l);
    hi = std::min(hi, h);
    return lo <= hi;
}

std::optional<double> ratioToTarget(const std::optional<double>& mixture, const std::string& targetText) {
    if (!mixture || !isNumericText(targetText)) return std::nullopt;
    const std::optional<float> t = parseSingle(targetText);
    if (!t || *t == 0.0f || !std::isfinite(*t)) return std::nullopt;
    const double value = *mixture / static_cast<double>(*t);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

using UsedCandidates = std::array<const FinderCandidate*, 3>;

// The blend's solvents as the report's figures see them.
BlendHazards hazardsOf(const UsedCandidates& used, const FoundBlend& blend) {
    std::array<HazardShare, 3> shares;
    const auto size = static_cast<std::size_t>(blend.size);
    for (std::size_t k = 0; k < size; ++k)
        shares[k] = {blend.concentration[k], used[k]->slot.molarVolume, used[k]->slot.molecularWeight, used[k]->twa,
                     used[k]->vhr};
    return blendHazards(std::span(shares).first(size));
}

// Ranking uses the figures as the report shows them: blends that show the
// same TWA are ordered by their VHR rather than by digits nobody sees.
void rankFigures(const UsedCandidates& used, FoundBlend& b) {
    const BlendHazards h = hazardsOf(used, b);
    b.twaPpm = shownTwa(h.twaPpm);
    b.vhr = roundedVhr(h.vhr);
}

// The listed blend's texts: the report's own figures.
void fillFigures(const PreparedSearch& search, FoundBlend& blend) {
    UsedCandidates used{};
    for (std::size_t k = 0; k < static_cast<std::size_t>(blend.size); ++k)
        used[k] = &search.candidates[static_cast<std::size_t>(search.candidateOfRow[static_cast<std::size_t>(blend.rows[k])])];
    const BlendHazards h = hazardsOf(used, blend);
    for (std::size_t k = 0; k < static_cast<std::size_t>(blend.size); ++k) {
        blend.volumeFraction[k] = h.volumeFraction[k];
        blend.volumeText[k] = formatFraction3(h.volumeFraction[k]);
    }
    const std::array<std::string, 3> ndw = wholeNdwTexts(hundredPoint({blend.mixN, blend.mixD, blend.mixW}));
    blend.mixNText = ndw[0];
    blend.mixDText = ndw[1];
    blend.mixWText = ndw[2];
    for (std::size_t k = 0; k < static_cast<std::size_t>(blend.size); ++k) blend.notes[k] = used[k]->notes;
    blend.twaText = reportTwaText(h.twaPpm);
    blend.vhrText = reportVhrText(h.vhr);
    blend.twaRatio = ratioToTarget(blend.twaPpm, search.target.twaText);
    blend.vhrRatio = ratioToTarget(blend.vhr, search.target.vhrText);
}

// Solves one combination and keeps it when it is a listed blend.
void trySolve(const PreparedSearch& search, const UsedCandidates& used, int size,
              const TeasPoint& target, PartialResult& out) {
    ++out.solved;
    const std::array<TeasPoint, 3> slots{used[0]->ndw, used[1]->ndw, size == 3 ? used[2]->ndw : TeasPoint{}};
    const SolveResult solved = solveConcentrations(slots, target, size == 2);
    if (solved.message != BlendMessage::Solved || solved.leftOutSlot >= 0) return;
    for (std::size_t k = 0; k < static_cast<std::size_t>(size); ++k)
        if (!takesPart(solved.concentration[k])) return;
    ++out.found;
    FoundBlend blend;
    blend.size = size;
    for (std::size_t k = 0; k < static_cast<std::size_t>(size); ++k) {
        blend.rows[k] = used[k]->row;
        blend.concentration[k] = solved.concentration[k];
    }
    blend.mixN = solved.mixN;
    blend.mixD = solved.mixD;
    blend.mixW = solved.mixW;
    rankFigures(used, blend);
    keepBest(out.blends, std::move(blend), static_cast<std::size_t>(std::max(0, search.options.maxResults)), ranksBefore);
}

bool boxAllows(std::int16_t lo, std::int16_t hi, std::int16_t t) {
    return static_cast<double>(lo) <= t + kPruneTolerance && static_cast<double>(hi) >= t - kPruneTolerance;
}

}  // namespace

bool canHoldTarget(TeasPoint a, TeasPoint b, std::optional<TeasPoint> c, TeasPoint t, double r) {
    if (!c) {
        double lo = 0.0, hi = 1.0;
        return narrowSegment(a.n, b.n, t.n, r, lo, hi) && narrowSegment(a.d, b.d, t.d, r, lo, hi) &&
               narrowSegment(a.w, b.w, t.w, r, lo, hi);
    }
    const TeasPoint& z = *c;
    auto inBox = [r](std::int16_t x, std::int16_t y, std::int16_t u, std::int16_t target) {
        const double lo = std::min({x, y, u}), hi = std::max({x, y, u});
        return lo <= target + r && hi >= target - r;
    };
    if (!inBox(a.n, b.n, z.n, t.n) || !inBox(a.d, b.d, z.d, t.d) || !inBox(a.w, b.w, z.w, t.w)) return false;
    // A point of the triangle within r of the target in every coordinate is,
    // in each 2-D view, a point of the flat triangle within r of the target.
    if (separatedInPlane(a.n, a.d, b.n, b.d, z.n, z.d, t.n, t.d, r)) return false;
    if (separatedInPlane(a.n, a.w, b.n, b.w, z.n, z.w, t.n, t.w, r)) return false;
    if (separatedInPlane(a.d, a.w, b.d, b.w, z.d, z.w, t.d, t.w, r)) return false;
    return true;
}

PreparedSearch prepareSearch(const SolventTable& table, const TargetPoint& target, const FinderOptions& options,
                             const SolventPropertiesFile& properties) {
    PreparedSearch search;
    search.target = target;
    search.options = options;
    const int count = static_cast<int>(table.records.size());
    for (int row = 0; row < count; ++row) {
        if (row == table.lastIndex) continue;  // the custom-entry row is no solvent
        if (contains(options.excluded, row)) continue;
        const SolventRecord& record = table.records[static_cast<std::size_t>(row)];
        // The same conversions a double-click and Calculate make: a record
        // they would refuse is not offered either.
        const std::optional<SolventNumbers> numbers = readSolventNumbers(record);
        if (!numbers) continue;
        FinderCandidate c;
        c.row = row;
        c.ndw = numbers->ndw;
        c.reference = numbers->reference;
        c.notes = solventNotes(record.label, record.effects, properties);
        if (leftOutByMarks(options, c.notes)) continue;
        if (options.sameReferenceOnly && target.reference != 0 && c.reference != target.reference) continue;
        c.slot.label = record.label;
        static_cast<TeasPoint&>(c.slot) = numbers->ndw;
        c.slot.molarVolume = numbers->molarVolume;
        c.slot.molecularWeight = numbers->molecularWeight;
        c.slot.effects = record.effects;
        c.hazards.reference = numbers->reference;
        c.hazards.twaText = record.twaText;
        c.hazards.twaMgText = record.twaMgText;
        c.hazards.vhrText = record.vhrText;
        c.twa = readTwaLimit(record.twaText, record.twaMgText);
        c.vhr = readVhr(record.vhrText);
        search.candidates.push_back(std::move(c));
    }
    search.candidateOfRow.assign(table.records.size(), -1);
    for (std::size_t i = 0; i < search.candidates.size(); ++i)
        search.candidateOfRow[static_cast<std::size_t>(search.candidates[i].row)] = static_cast<int>(i);
    search.needsRequired = !options.mustContain.empty();
    for (const FinderCandidate& c : search.candidates) search.required.push_back(contains(options.mustContain, c.row));
    return search;
}

std::uint64_t workOfFirst(const PreparedSearch& search, std::size_t first) {
    const std::size_t m = search.candidates.size();
    if (first >= m) return 0;
    const std::uint64_t rest = m - 1 - first;
    std::uint64_t work = 0;
    if (search.options.size != BlendSize::TriplesOnly) work += rest;
    if (search.options.size != BlendSize::PairsOnly && rest >= 2) work += rest * (rest - 1) / 2;
    return work;
}

PartialResult searchFirst(const PreparedSearch& search, std::size_t i, const std::atomic<bool>* cancel) {
    PartialResult out;
    const auto& c = search.candidates;
    const std::size_t m = c.size();
    if (i >= m) return out;
    const TeasPoint target{search.target.n, search.target.d, search.target.w};
    const bool pairs = search.options.size != BlendSize::TriplesOnly;
    const bool triples = search.options.size != BlendSize::PairsOnly;
    const bool prune = search.options.prune;
    const bool sameReference = search.options.sameReferenceOnly;
    CancelCheck cancelCheck(cancel, out.cancelled);
    if (cancelCheck.stopNow()) return out;

    const FinderCandidate& a = c[i];
    for (std::size_t j = i + 1; j < m; ++j) {
        const FinderCandidate& b = c[j];
        if (sameReference && b.reference != a.reference) continue;
        const bool abRequired = search.required[i] || search.required[j];
        if (pairs && (!search.needsRequired || abRequired)) {
            if (cancelCheck.due()) return out;
            if (prune && !canHoldTarget(a.ndw, b.ndw, std::nullopt, target, kPruneTolerance))
                ++out.pruned;
            else
                trySolve(search, {&a, &b, nullptr}, 2, target, out);
        }
        if (!triples) continue;
        // The box of the first two; the third solvent must make up what it lacks.
        const std::int16_t loN = std::min(a.ndw.n, b.ndw.n), hiN = std::max(a.ndw.n, b.ndw.n);
        const std::int16_t loD = std::min(a.ndw.d, b.ndw.d), hiD = std::max(a.ndw.d, b.ndw.d);
        const std::int16_t loW = std::min(a.ndw.w, b.ndw.w), hiW = std::max(a.ndw.w, b.ndw.w);
        for (std::size_t k = j + 1; k < m; ++k) {
            const FinderCandidate& z = c[k];
            if (sameReference && z.reference != a.reference) continue;
            if (search.needsRequired && !abRequired && !search.required[k]) continue;
            if (cancelCheck.due()) return out;
            if (prune) {
                const bool box = boxAllows(std::min(loN, z.ndw.n), std::max(hiN, z.ndw.n), target.n) &&
                                 boxAllows(std::min(loD, z.ndw.d), std::max(hiD, z.ndw.d), target.d) &&
                                 boxAllows(std::min(loW, z.ndw.w), std::max(hiW, z.ndw.w), target.w);
                if (!box || !canHoldTarget(a.ndw, b.ndw, z.ndw, target, kPruneTolerance)) {
                    ++out.pruned;
                    continue;
                }
            }
            trySolve(search, {&a, &b, &z}, 3, target, out);
        }
    }
    return out;
}

bool ranksBefore(const FoundBlend& a, const FoundBlend& b) {
    if (a.twaPpm.has_value() != b.twaPpm.has_value()) return a.twaPpm.has_value();
    if (a.twaPpm && *a.twaPpm != *b.twaPpm) return *a.twaPpm > *b.twaPpm;
    if (a.vhr.has_value() != b.vhr.has_value()) return a.vhr.has_value();
    if (a.vhr && *a.vhr != *b.vhr) return *a.vhr < *b.vhr;
    if (a.size != b.size) return a.size < b.size;
    return a.rows < b.rows;
}

FinderOutcome finishSearch(const PreparedSearch& search, std::vector<PartialResult> parts) {
    FinderOutcome outcome;
    for (PartialResult& part : parts) {
        outcome.solved += part.solved;
        outcome.pruned += part.pruned;
        outcome.cancelled = outcome.cancelled || part.cancelled;
        outcome.totalFound += part.found;
        std::move(part.blends.begin(), part.blends.end(), std::back_inserter(outcome.blends));
    }
    const std::size_t kept =
        std::min(outcome.blends.size(), static_cast<std::size_t>(std::max(0, search.options.maxResults)));
    std::partial_sort(outcome.blends.begin(), outcome.blends.begin() + static_cast<std::ptrdiff_t>(kept),
                      outcome.blends.end(), ranksBefore);
    outcome.blends.resize(kept);
    for (FoundBlend& blend : outcome.blends) fillFigures(search, blend);
    return outcome;
}

FinderOutcome findBlends(const SolventTable& table, const TargetPoint& target, const FinderOptions& options,
                         const std::atomic<bool>* cancel, const SolventPropertiesFile& properties) {
    const PreparedSearch search = prepareSearch(table, target, options, properties);
    std::vector<PartialResult> parts;
    for (std::size_t i = 0; i < search.candidates.size(); ++i) {
        parts.push_back(searchFirst(search, i, cancel));
        if (parts.back().cancelled) break;
    }
    return finishSearch(search, std::move(parts));
}

std::string ratioText(std::optional<double> ratio, const char* figure) {
    if (!ratio || !std::isfinite(*ratio) || *ratio < 0.0) return {};
    const std::string name(figure);
    if (*ratio == 0.0) return {};  // the figure itself says 0
    const bool higher = *ratio >= 1.0;
    const double factor = higher ? *ratio : 1.0 / *ratio;
    const std::string shown = formatOneDecimal(factor);
    if (shown == "1.0") return "same " + name;
    return shown + "\xC3\x97 " + (higher ? "higher " : "lower ") + name;
}

std::array<std::string, 3> wholeNdwTexts(const std::optional<TeasPoint>& point) {
    if (!point) return {"X", "X", "X"};
    return {formatPlain(point->n), formatPlain(point->d), formatPlain(point->w)};
}

}  // namespace tarnwell
