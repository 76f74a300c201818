#include "core/zone_finder.h"

#include "core/mixture_hazards.h"
#include "core/numbers.h"
#include "core/report_figures.h"
#include "core/messages.h"
#include "core/search_parts.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>

namespace tarnwell {

namespace {

constexpr std::size_t kMaskBits = 64;

// A figure to about nine significant digits (30 bits of mantissa), so that
// equal figures reached by different sums compare equal.
double rankKey(double v) {
    if (!std::isfinite(v)) return v;
    // Round the 52 stored mantissa bits to their top 30, halves up in size;
    // a carry runs on into the exponent as it should.
    constexpr int kDropped = 52 - 30;
    auto bits = std::bit_cast<std::uint64_t>(v);
    bits += std::uint64_t{1} << (kDropped - 1);
    bits &= ~((std::uint64_t{1} << kDropped) - 1);
    return std::bit_cast<double>(bits);
}

// -1: a before b, 1: b before a, 0: equal. Higher TWA first, lower VHR
// first; a missing figure after every present one.
int compareFigures(const std::optional<double>& twaA, const std::optional<double>& vhrA,
                   const std::optional<double>& twaB, const std::optional<double>& vhrB) {
    if (twaA.has_value() != twaB.has_value()) return twaA ? -1 : 1;
    if (twaA) {
        const double a = rankKey(*twaA), b = rankKey(*twaB);
        if (a != b) return a > b ? -1 : 1;
    }
    if (vhrA.has_value() != vhrB.has_value()) return vhrA ? -1 : 1;
    if (vhrA) {
        const double a = rankKey(*vhrA), b = rankKey(*vhrB);
        if (a != b) return a < b ? -1 : 1;
    }
    return 0;
}

// A corner of a clipped segment or triangle: its barycentric weights on the
// chart (by the blend's solvents) and its place.
struct Corner {
    std::array<double, 3> lambda{};
    PlanePoint p;
};

std::vector<Corner> clipCorners(std::vector<Corner> polygon, const std::vector<std::array<double, 3>>& edges) {
    std::vector<Corner> out;
    for (const auto& [a, b, c] : edges) {
        out.clear();
        const std::size_t n = polygon.size();
        for (std::size_t i = 0; i < n; ++i) {
            const Corner& p = polygon[i];
            const Corner& q = polygon[(i + 1) % n];
            const double fp = a * p.p.x + b * p.p.y - c, fq = a * q.p.x + b * q.p.y - c;
            if (fp >= 0.0) out.push_back(p);
            if ((fp >= 0.0) != (fq >= 0.0)) {
                const double t = fp / (fp - fq);
                Corner m;
                for (std::size_t k = 0; k < 3; ++k) m.lambda[k] = p.lambda[k] + t * (q.lambda[k] - p.lambda[k]);
                m.p = {p.p.x + t * (q.p.x - p.p.x), p.p.y + t * (q.p.y - p.p.y)};
                out.push_back(m);
            }
        }
        polygon.swap(out);
        if (polygon.empty()) break;
    }
    return polygon;
}

using Members = std::array<std::size_t, 3>;  // candidate indices of a blend

// A volume share the solution report shows as ".000" is no share a person
// can measure out: a composition with one is the smaller blend. Without this,
// a corner of the region lying a hair beside a pair's line made every third
// solvent on that side a "triple" of the pair with a trace of it.
constexpr double kLeastVolumeShare = 0.0005;

// The composition at barycentric weights on the chart. A solvent whose N, D,
// W add up to s weighs s times its mole fraction there, so x_k is lambda_k / s_k
// made to add up to 1 (for the usual s = 100, x = lambda).
ZoneScore scoreAt(const PreparedZoneSearch& s, const Members& m, std::size_t size, const std::array<double, 3>& lambda) {
    ZoneScore score;
    double total = 0.0;
    std::array<double, 3> y{};
    for (std::size_t k = 0; k < size; ++k) {
        y[k] = std::max(lambda[k], 0.0) / s.sum[m[k]];
        total += y[k];
    }
    std::array<HazardShare, 3> shares;
    for (std::size_t k = 0; k < size; ++k) {
        const FinderCandidate& c = s.base.candidates[m[k]];
        score.moleFraction[k] = y[k] / total;
        shares[k] = {score.moleFraction[k], c.slot.molarVolume, c.slot.molecularWeight, c.twa, c.vhr};
    }
    const BlendHazards h = blendHazards(std::span(shares).first(size));
    for (std::size_t k = 0; k < size; ++k)
        if (takesPart(score.moleFraction[k]) && !(h.volumeFraction[k] < kLeastVolumeShare)) ++score.parts;
    score.twaPpm = h.twaPpm;
    score.vhr = h.vhr;
    return score;
}

std::optional<ZoneScore> bestCorner(const PreparedZoneSearch& s, const Members& m, std::size_t size,
                                    const std::vector<Corner>& corners) {
    std::optional<ZoneScore> best;
    for (const Corner& c : corners) {
        ZoneScore score = scoreAt(s, m, size, c.lambda);
        if (!best || saferComposition(score, *best)) best = score;
    }
    return best;
}

std::vector<Corner> simplexOf(const PreparedZoneSearch& s, const Members& m, std::size_t size) {
    std::vector<Corner> corners(size);
    for (std::size_t k = 0; k < size; ++k) {
        corners[k].lambda[k] = 1.0;
        corners[k].p = s.point[m[k]];
    }
    return corners;
}

bool boxMisses(const PreparedZoneSearch& s, std::initializer_list<PlanePoint> points) {
    double lx = points.begin()->x, hx = lx, ly = points.begin()->y, hy = ly;
    for (const PlanePoint& p : points) {
        lx = std::min(lx, p.x), hx = std::max(hx, p.x);
        ly = std::min(ly, p.y), hy = std::max(hy, p.y);
    }
    constexpr double slack = 1e-12;
    return hx < s.regionLow.x - slack || lx > s.regionHigh.x + slack || hy < s.regionLow.y - slack ||
           ly > s.regionHigh.y + slack;
}

// The mixture TWA in ppm by its closed form, over the solvents that take
// part: the same figure as blendHazards' up to the rounding of the sums.
// Missing when a solvent's limit does not read.
std::optional<double> closedFormTwa(const PreparedZoneSearch& s, const Members& m, const std::array<double, 3>& lambda) {
    std::array<double, 3> y{};
    double total = 0.0;
    for (std::size_t k = 0; k < 3; ++k) {
        y[k] = std::max(lambda[k], 0.0) / s.sum[m[k]];
        total += y[k];
    }
    double top = 0.0, bottom = 0.0;
    for (std::size_t k = 0; k < 3; ++k) {
        const double x = y[k] / total;
        if (!takesPart(x)) continue;
        const auto& terms = s.twaTerms[m[k]];
        if (!terms) return std::nullopt;
        top += (*terms)[0] * x;
        bottom += (*terms)[1] * x;
    }
    return top / bottom;
}

// Figures further apart than this (relative) can never share a rank key
// (whose grain is at most 2^-29) however the sums were rounded.
constexpr double kPlainlyLower = 1e-8;

// What came of a triple: its safest composition inside the region when that
// is the triple's own (all three solvents, safer than each of its pairs), and
// whether a shortcut settled it before any corner was scored.
struct TripleOutcome {
    std::optional<ZoneScore> best;
    bool pruned = false;
};

// The plain way, and the reference for the other: the whole triangle clipped
// to the region and all its corners ranked (after the bounding-box test, when
// pruning is on).
TripleOutcome safestTripleByClipping(const PreparedZoneSearch& s, const Members& m) {
    TripleOutcome out;
    if (s.base.options.prune && boxMisses(s, {s.point[m[0]], s.point[m[1]], s.point[m[2]]})) {
        out.pruned = true;
        return out;
    }
    const std::optional<ZoneScore> best = bestCorner(s, m, 3, clipCorners(simplexOf(s, m, 3), s.edges));
    if (best && best->parts == 3) out.best = best;
    return out;
}

// The region's corners inside a triangle, with their weights and TWAs.
struct InnerCorners {
    std::array<std::array<double, 3>, kMaskBits> lambda;
    std::array<std::optional<double>, kMaskBits> twa;
    std::size_t count = 0;
    double highest = 0.0;  // the highest TWA among them
    bool allTwa = true;    // every corner's TWA is known
};

InnerCorners innerCorners(const PreparedZoneSearch& s, const Members& m, double turn, std::uint64_t inside) {
    InnerCorners out;
    const PlanePoint &a = s.point[m[0]], &b = s.point[m[1]], &c = s.point[m[2]];
    for (std::uint64_t bits = inside; bits != 0; bits &= bits - 1, ++out.count) {
        const PlanePoint& r = s.zone.region[static_cast<std::size_t>(std::countr_zero(bits))];
        out.lambda[out.count] = {cross(r, b, c) / turn, cross(a, r, c) / turn, cross(a, b, r) / turn};
        out.twa[out.count] = closedFormTwa(s, m, out.lambda[out.count]);
        if (out.twa[out.count]) out.highest = std::max(out.highest, *out.twa[out.count]);
        else out.allTwa = false;
    }
    return out;
}

// The fast way, for a region of at most 64 corners: the clipped triangle's
// corners are those of its three clipped edges (the pairs, worked out once)
// and the region's corners inside it, which the pairs' side masks give
// without clipping. Only the latter hold all three solvents.
TripleOutcome safestTripleFromCornerMasks(const PreparedZoneSearch& s, const Members& m) {
    TripleOutcome out;
    const std::size_t n = s.base.candidates.size();
    const double turn = cross(s.point[m[0]], s.point[m[1]], s.point[m[2]]);
    const std::array<std::size_t, 3> edges{m[0] * n + m[1], m[1] * n + m[2], m[0] * n + m[2]};
    const std::uint64_t inside = turn > 0.0   ? s.leftOf[edges[0]] & s.leftOf[edges[1]] & s.rightOf[edges[2]]
                                 : turn < 0.0 ? s.rightOf[edges[0]] & s.rightOf[edges[1]] & s.leftOf[edges[2]]
                                              : 0;
    if (inside == 0) {
        out.pruned = true;
        return out;
    }
    const InnerCorners corners = innerCorners(s, m, turn, inside);
    // Where every corner's TWA is known, a corner plainly below the highest
    // cannot be the safest, and a pair plainly above them all is safer than
    // the triple: the exact figures are not needed.
    if (corners.allTwa) {
        for (const std::size_t edge : edges) {
            const ZonePair& pair = s.pairs[edge];
            if (pair.reaches && pair.best.twaPpm && corners.highest < *pair.best.twaPpm * (1.0 - kPlainlyLower)) {
                out.pruned = true;
                return out;
            }
        }
    }
    std::optional<ZoneScore> best;
    for (std::size_t c = 0; c < corners.count; ++c) {
        if (corners.allTwa && *corners.twa[c] < corners.highest * (1.0 - kPlainlyLower)) continue;
        ZoneScore score = scoreAt(s, m, 3, corners.lambda[c]);
        if (!best || saferComposition(score, *best)) best = score;
    }
    if (!best || best->parts != 3) return out;
    for (const std::size_t edge : edges)
        if (s.pairs[edge].reaches && !saferComposition(*best, s.pairs[edge].best)) return out;
    out.best = best;
    return out;
}

// The triple's safest composition, the fast way where the region allows it.
// Both ways give the same blends (the finder's tests compare them).
TripleOutcome safestTriple(const PreparedZoneSearch& s, const Members& m) {
    return s.cornersInMasks ? safestTripleFromCornerMasks(s, m) : safestTripleByClipping(s, m);
}

ZoneBlend blendOf(const PreparedZoneSearch& s, const Members& m, std::size_t size, const ZoneScore& score) {
    ZoneBlend b;
    b.size = static_cast<int>(size);
    for (std::size_t k = 0; k < size; ++k) b.rows[k] = s.base.candidates[m[k]].row;
    b.moleFraction = score.moleFraction;
    b.twaPpm = score.twaPpm;
    b.vhr = score.vhr;
    return b;
}

std::size_t resultLimit(const PreparedZoneSearch& s) { return static_cast<std::size_t>(std::max(0, s.base.options.maxResults)); }

// The texts of a listed blend, as the solution report would show them.
void fillTexts(const PreparedZoneSearch& s, ZoneBlend& b) {
    const auto size = static_cast<std::size_t>(b.size);
    std::array<HazardShare, 3> shares;
    b.mixN = b.mixD = b.mixW = 0.0;
    for (std::size_t k = 0; k < size; ++k) {
        const auto index = static_cast<std::size_t>(s.base.candidateOfRow[static_cast<std::size_t>(b.rows[k])]);
        const FinderCandidate& c = s.base.candidates[index];
        shares[k] = {b.moleFraction[k], c.slot.molarVolume, c.slot.molecularWeight, c.twa, c.vhr};
        b.mixN += b.moleFraction[k] * c.ndw.n;
        b.mixD += b.moleFraction[k] * c.ndw.d;
        b.mixW += b.moleFraction[k] * c.ndw.w;
    }
    const BlendHazards h = blendHazards(std::span(shares).first(size));
    for (std::size_t k = 0; k < size; ++k) {
        b.volumeFraction[k] = h.volumeFraction[k];
        b.volumeText[k] = formatFraction3(h.volumeFraction[k]);
    }
    b.point = teasToPlane(b.mixN, b.mixD, b.mixW).value_or(PlanePoint{});
    b.mixNText = mixtureParameterText(b.mixN);
    b.mixDText = mixtureParameterText(b.mixD);
    b.mixWText = mixtureParameterText(b.mixW);
    b.twaText = reportTwaText(h.twaPpm);
    b.vhrText = reportVhrText(h.vhr);
}

}  // namespace

bool saferComposition(const ZoneScore& a, const ZoneScore& b) {
    if (const int c = compareFigures(a.twaPpm, a.vhr, b.twaPpm, b.vhr)) return c < 0;
    if (a.parts != b.parts) return a.parts < b.parts;
    return a.moleFraction > b.moleFraction;
}

bool zoneRanksBefore(const ZoneBlend& a, const ZoneBlend& b) {
    if (const int c = compareFigures(a.twaPpm, a.vhr, b.twaPpm, b.vhr)) return c < 0;
    if (a.size != b.size) return a.size < b.size;
    return a.rows < b.rows;
}

PreparedZoneSearch prepareZoneSearch(const SolventTable& table, const SolubilityZone& zone, const FinderOptions& options) {
    PreparedZoneSearch s;
    s.zone = zone;
    // A zone comes from no table: with "same reference" every blend keeps to one.
    s.base = prepareSearch(table, TargetPoint{}, options);

    // Only solvents with a place on the chart can put a mixture in the zone.
    PreparedSearch& base = s.base;
    std::vector<FinderCandidate> placed;
    std::vector<bool> required;
    for (std::size_t i = 0; i < base.candidates.size(); ++i) {
        const TeasPoint t = base.candidates[i].ndw;
        if (!hasChartPlace(t.n, t.d, t.w)) continue;
        placed.push_back(std::move(base.candidates[i]));
        required.push_back(base.required[i]);
    }
    base.candidates = std::move(placed);
    base.required = std::move(required);
    std::fill(base.candidateOfRow.begin(), base.candidateOfRow.end(), -1);
    for (std::size_t i = 0; i < base.candidates.size(); ++i)
        base.candidateOfRow[static_cast<std::size_t>(base.candidates[i].row)] = static_cast<int>(i);

    const std::size_t n = base.candidates.size();
    for (const FinderCandidate& c : base.candidates) {
        s.point.push_back(teasToPlane(c.ndw.n, c.ndw.d, c.ndw.w).value_or(PlanePoint{}));
        s.sum.push_back(static_cast<double>(c.ndw.n) + c.ndw.d + c.ndw.w);
        // ppm = sum(ppm_k/mg_k * wf_k) / sum(wf_k / mg_k), wf_k proportional to M_k x_k.
        if (c.twa && c.twa->mg > 0.0)
            s.twaTerms.push_back(std::array<double, 2>{c.twa->ppmPerMg * c.slot.molecularWeight,
                                                       c.slot.molecularWeight / c.twa->mg});
        else
            s.twaTerms.emplace_back();
    }

    const ConvexPolygon& region = zone.region;
    if (region.size() >= 3) {
        s.regionLow = s.regionHigh = region[0];
        for (std::size_t i = 0; i < region.size(); ++i) {
            const PlanePoint& p = region[i];
            const PlanePoint& q = region[(i + 1) % region.size()];
            const double length = std::hypot(q.x - p.x, q.y - p.y);
            const double a = -(q.y - p.y) / length, b = (q.x - p.x) / length;
            s.edges.push_back({a, b, a * p.x + b * p.y});
            s.regionLow = {std::min(s.regionLow.x, p.x), std::min(s.regionLow.y, p.y)};
            s.regionHigh = {std::max(s.regionHigh.x, p.x), std::max(s.regionHigh.y, p.y)};
        }
    }
    s.cornersInMasks = options.prune && region.size() <= kMaskBits;

    s.pairs.assign(n * n, ZonePair{});
    if (s.edges.empty()) return s;
    if (s.cornersInMasks) {
        s.leftOf.assign(n * n, 0);
        s.rightOf.assign(n * n, 0);
    }
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) {
            const std::size_t at = i * n + j;
            if (s.cornersInMasks)
                for (std::size_t r = 0; r < region.size(); ++r) {
                    const double side = cross(s.point[i], s.point[j], region[r]);
                    if (side > 0.0) s.leftOf[at] |= std::uint64_t{1} << r;
                    if (side < 0.0) s.rightOf[at] |= std::uint64_t{1} << r;
                }
            if (options.prune && boxMisses(s, {s.point[i], s.point[j]})) continue;
            const Members m{i, j, 0};
            const std::vector<Corner> corners = clipCorners(simplexOf(s, m, 2), s.edges);
            if (std::optional<ZoneScore> best = bestCorner(s, m, 2, corners)) {
                s.pairs[at].reaches = true;
                s.pairs[at].best = *best;
            }
        }
    return s;
}

ZonePartial searchZoneFirst(const PreparedZoneSearch& s, std::size_t i, const std::atomic<bool>* cancel) {
    ZonePartial out;
    const auto& c = s.base.candidates;
    const std::size_t n = c.size();
    if (i >= n || s.edges.empty()) return out;
    const FinderOptions& options = s.base.options;
    const bool pairs = options.size != BlendSize::TriplesOnly;
    const bool triples = options.size != BlendSize::PairsOnly;
    const bool sameReference = options.sameReferenceOnly;
    const std::size_t limit = resultLimit(s);
    CancelCheck cancelCheck(cancel, out.cancelled);
    if (cancelCheck.stopNow()) return out;
    auto refused = [&](const Members& m, std::size_t size) {
        const std::array<TeasPoint, 3> slots{c[m[0]].ndw, c[m[1]].ndw, size == 3 ? c[m[2]].ndw : TeasPoint{}};
        return firstPassRefusal(slots, size == 2) != BlendMessage::Solved;
    };
    auto found = [&](const Members& m, std::size_t size, const ZoneScore& best) {
        if (refused(m, size)) {
            ++out.refused;
            return;
        }
        ++out.found;
        keepBest(out.blends, blendOf(s, m, size, best), limit, zoneRanksBefore);
    };

    for (std::size_t j = i + 1; j < n; ++j) {
        if (sameReference && c[j].reference != c[i].reference) continue;
        const bool abRequired = s.base.required[i] || s.base.required[j];
        const ZonePair& ij = s.pairs[i * n + j];
        if (pairs && (!s.base.needsRequired || abRequired)) {
            if (cancelCheck.due()) return out;
            ++out.examined;
            if (ij.reaches && ij.best.parts == 2) found({i, j, 0}, 2, ij.best);
        }
        if (!triples) continue;
        for (std::size_t k = j + 1; k < n; ++k) {
            if (sameReference && c[k].reference != c[i].reference) continue;
            if (s.base.needsRequired && !abRequired && !s.base.required[k]) continue;
            if (cancelCheck.due()) return out;
            ++out.examined;
            const Members m{i, j, k};
            const TripleOutcome triple = safestTriple(s, m);
            if (triple.pruned) ++out.pruned;
            else if (triple.best) found(m, 3, *triple.best);
        }
    }
    return out;
}

ZoneOutcome finishZoneSearch(const PreparedZoneSearch& s, std::vector<ZonePartial> parts) {
    ZoneOutcome outcome;
    for (ZonePartial& part : parts) {
        outcome.examined += part.examined;
        outcome.pruned += part.pruned;
        outcome.refused += part.refused;
        outcome.cancelled = outcome.cancelled || part.cancelled;
        outcome.totalFound += part.found;
        std::move(part.blends.begin(), part.blends.end(), std::back_inserter(outcome.blends));
    }
    const std::size_t limit = resultLimit(s);
    auto cut = [&](std::vector<ZoneBlend>& list) {
        const std::size_t kept = std::min(list.size(), limit);
        std::partial_sort(list.begin(), list.begin() + static_cast<std::ptrdiff_t>(kept), list.end(), zoneRanksBefore);
        list.resize(kept);
        for (ZoneBlend& b : list) fillTexts(s, b);
    };
    cut(outcome.blends);

    // Solvents that lie in the region on their own, under the same filters.
    if (!outcome.cancelled)
        for (std::size_t i = 0; i < s.base.candidates.size(); ++i) {
            if (s.base.needsRequired && !s.base.required[i]) continue;
            if (!insideConvex(s.zone.region, s.point[i])) continue;
            const Members m{i, 0, 0};
            outcome.solventsInside.push_back(blendOf(s, m, 1, scoreAt(s, m, 1, {1.0, 0.0, 0.0})));
        }
    cut(outcome.solventsInside);
    return outcome;
}

ZoneOutcome findInZone(const SolventTable& table, const SolubilityZone& zone, const FinderOptions& options,
                       const std::atomic<bool>* cancel) {
    const PreparedZoneSearch search = prepareZoneSearch(table, zone, options);
    std::vector<ZonePartial> parts;
    for (std::size_t i = 0; i < search.base.candidates.size(); ++i) {
        parts.push_back(searchZoneFirst(search, i, cancel));
        if (parts.back().cancelled) break;
    }
    return finishZoneSearch(search, std::move(parts));
}

std::string zoneBlendRowText(const ZoneBlend& blend, const SolventTable& table) {
    return blendRowStart(blend.rows, blend.size, blend.volumeText, {blend.mixNText, blend.mixDText, blend.mixWText},
                         table) +
           "   TWA " + blend.twaText + " ppm   VHR " + blend.vhrText;
}

ZoneBlendCheck checkZoneBlend(const SolventTable& table, const ZoneBlend& blend, const SolubilityZone& zone) {
    ZoneBlendCheck check;
    if (blend.size < 2 || blend.size > 3) return check;
    std::array<TeasPoint, 3> slots{};
    for (std::size_t k = 0; k < static_cast<std::size_t>(blend.size); ++k) {
        const int row = blend.rows[k];
        if (row < 0 || static_cast<std::size_t>(row) >= table.records.size()) return check;
        const SolventRecord& r = table.records[static_cast<std::size_t>(row)];
        const std::optional<SolventNumbers> numbers = readSolventNumbers(r);
        if (!numbers) return check;
        slots[k] = numbers->ndw;
    }
    const std::optional<TeasPoint> target = wholeNumberPoint(blend.point);
    const std::optional<PlanePoint> targetPoint =
        target ? teasToPlane(target->n, target->d, target->w) : std::optional<PlanePoint>{};
    if (!target || !targetPoint || !insideConvex(zone.outline, *targetPoint)) {
        check.verdict = ZoneCheck::TargetOutsideZone;
        if (target) check.target = *target;
        return check;
    }
    check.target = *target;
    check.solved = solveConcentrations(slots, *target, blend.size == 2);
    check.message = check.solved.message;
    if (check.message != BlendMessage::Solved) {
        check.verdict = ZoneCheck::SolverMessage;
        return check;
    }
    const std::optional<PlanePoint> mixture = teasToPlane(check.solved.mixN, check.solved.mixD, check.solved.mixW);
    check.verdict = mixture && insideConvex(zone.outline, *mixture) ? ZoneCheck::Fine : ZoneCheck::SolutionOutsideZone;
    return check;
}

std::string zoneCheckText(const ZoneBlendCheck& check) {
    switch (check.verdict) {
    case ZoneCheck::Fine: return messages::kZoneBlendFine;
    case ZoneCheck::TargetOutsideZone: return messages::kZoneBlendTargetOutside;
    case ZoneCheck::SolverMessage: return blendMessageText(check.message).text;
    case ZoneCheck::SolutionOutsideZone: return messages::kZoneBlendSolutionOutside;
    case ZoneCheck::NotABlend: return {};
    }
    return {};
}

}  // namespace tarnwell
