#include "core/solubility_zone.h"

#include "core/numbers.h"
#include "core/solver_limits.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarnwell {

namespace {

// Rounding tolerances on the plane, whose triangle has sides of 1: far below
// a hundredth of a Teas point (about 9e-5), far above double rounding (1e-16).
constexpr double kSame = 1e-12;       // points this close are one point
constexpr double kOnLine = 1e-12;     // signed distances this small are 0
constexpr double kStrictly = 1e-9;    // "strictly inside": this far from the boundary
constexpr double kNoArea = 1e-15;     // a shrunk zone with less area has none

double distance(PlanePoint a, PlanePoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Signed distance of p from the line a -> b, positive on its left.
double sideOf(PlanePoint a, PlanePoint b, PlanePoint p) {
    const double length = distance(a, b);
    return length == 0.0 ? -distance(a, p) : cross(a, b, p) / length;
}

// Drops corners that repeat their neighbour.
ConvexPolygon withoutRepeats(ConvexPolygon polygon) {
    ConvexPolygon out;
    for (const PlanePoint& p : polygon)
        if (out.empty() || distance(out.back(), p) > kSame) out.push_back(p);
    while (out.size() > 1 && distance(out.front(), out.back()) <= kSame) out.pop_back();
    return out;
}

double distanceToSegment(PlanePoint a, PlanePoint b, PlanePoint p) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0.0 ? 0.0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    return distance({a.x + t * dx, a.y + t * dy}, p);
}

}  // namespace

double teasPointSpacing() { return std::sqrt(3.0) / 200.0; }

double cross(PlanePoint a, PlanePoint b, PlanePoint c) {
    return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

ConvexPolygon convexHull(std::span<const PlanePoint> points) {
    std::vector<PlanePoint> p;
    for (const PlanePoint& q : points)
        if (std::isfinite(q.x) && std::isfinite(q.y)) p.push_back(q);
    std::sort(p.begin(), p.end(), [](const PlanePoint& a, const PlanePoint& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    p = withoutRepeats(std::move(p));
    if (p.size() <= 1) return p;
    // Andrew's monotone chain; a corner with no turn (within rounding) is dropped.
    std::vector<PlanePoint> hull(2 * p.size());
    std::size_t k = 0;
    auto turns = [&](const PlanePoint& q) {
        return sideOf(hull[k - 2], hull[k - 1], q) > kOnLine;
    };
    for (const PlanePoint& q : p) {
        while (k >= 2 && !turns(q)) --k;
        hull[k++] = q;
    }
    for (std::size_t i = p.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && !turns(p[i])) --k;
        hull[k++] = p[i];
    }
    hull.resize(k - 1);
    return withoutRepeats(std::move(hull));
}

double polygonArea(const ConvexPolygon& polygon) {
    double twice = 0.0;
    for (std::size_t i = 1; i + 1 < polygon.size(); ++i) twice += cross(polygon[0], polygon[i], polygon[i + 1]);
    return twice / 2.0;
}

std::optional<PlanePoint> polygonCentroid(const ConvexPolygon& polygon) {
    if (polygon.empty()) return std::nullopt;
    if (polygon.size() == 1) return polygon[0];
    if (polygon.size() == 2) return PlanePoint{(polygon[0].x + polygon[1].x) / 2, (polygon[0].y + polygon[1].y) / 2};
    // Triangles fanned from the first corner, measured from it for precision.
    const PlanePoint o = polygon[0];
    double area = 0.0, cx = 0.0, cy = 0.0;
    for (std::size_t i = 1; i + 1 < polygon.size(); ++i) {
        const double a = cross(o, polygon[i], polygon[i + 1]);
        area += a;
        cx += a * ((polygon[i].x - o.x) + (polygon[i + 1].x - o.x)) / 3.0;
        cy += a * ((polygon[i].y - o.y) + (polygon[i + 1].y - o.y)) / 3.0;
    }
    if (area <= 0.0) return std::nullopt;
    return PlanePoint{o.x + cx / area, o.y + cy / area};
}

ConvexPolygon clipToHalfPlane(const ConvexPolygon& polygon, double a, double b, double c) {
    ConvexPolygon out;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PlanePoint& p = polygon[i];
        const PlanePoint& q = polygon[(i + 1) % n];
        const double fp = a * p.x + b * p.y - c, fq = a * q.x + b * q.y - c;
        if (fp >= 0.0) out.push_back(p);
        if ((fp >= 0.0) != (fq >= 0.0)) {
            const double t = fp / (fp - fq);
            out.push_back({p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)});
        }
    }
    return withoutRepeats(std::move(out));
}

ConvexPolygon shrinkPolygon(const ConvexPolygon& polygon, double distanceIn) {
    if (polygon.size() < 3) return {};
    ConvexPolygon out = polygon;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n && !out.empty(); ++i) {
        const PlanePoint& p = polygon[i];
        const PlanePoint& q = polygon[(i + 1) % n];
        const double length = distance(p, q);
        // Inward (left-hand) unit normal of a counter-clockwise edge.
        const double a = -(q.y - p.y) / length, b = (q.x - p.x) / length;
        out = clipToHalfPlane(out, a, b, a * p.x + b * p.y + distanceIn);
    }
    if (out.size() < 3 || polygonArea(out) <= kNoArea) return {};
    return convexHull(out);
}

ConvexPolygon bandAround(const ConvexPolygon& pointOrSegment) {
    std::vector<PlanePoint> corners;
    // The points within the solver's match tolerance in each of N, D and W.
    constexpr double r = kMatchTolerance;
    constexpr std::array<std::array<double, 3>, 6> kHexagon{
        {{r, -r, 0}, {r, 0, -r}, {0, r, -r}, {-r, r, 0}, {-r, 0, r}, {0, -r, r}}};
    for (const PlanePoint& p : pointOrSegment) {
        const auto t = planeToTeas(p);
        for (const auto& h : kHexagon)
            if (const std::optional<PlanePoint> q = teasToPlane(t.fd + h[0], t.fp + h[1], t.fh + h[2])) corners.push_back(*q);
    }
    ConvexPolygon band = convexHull(corners);
    // Mixtures of listed solvents never leave the triangle; neither does the band.
    const double h = std::sqrt(3.0) / 2.0;
    band = clipToHalfPlane(band, 0.0, 1.0, 0.0);     // D >= 0, the lower edge
    band = clipToHalfPlane(band, h, -0.5, 0.0);      // N >= 0, the left edge
    band = clipToHalfPlane(band, -h, -0.5, -h);      // W >= 0, the right edge
    return band.size() >= 3 ? convexHull(band) : band;
}

bool insideConvex(const ConvexPolygon& polygon, PlanePoint p) {
    const std::size_t n = polygon.size();
    if (n == 0) return false;
    if (n == 1) return distance(polygon[0], p) <= kOnLine;
    if (n == 2) return distanceToSegment(polygon[0], polygon[1], p) <= kOnLine;
    for (std::size_t i = 0; i < n; ++i)
        if (sideOf(polygon[i], polygon[(i + 1) % n], p) < -kOnLine) return false;
    return true;
}

bool strictlyInsideHull(const SolubilityZone& zone, PlanePoint p) {
    const ConvexPolygon& hull = zone.hull;
    if (zone.shape == ZoneShape::Segment && hull.size() == 2) {
        if (std::fabs(sideOf(hull[0], hull[1], p)) > kOnLine) return false;
        const double along = ((p.x - hull[0].x) * (hull[1].x - hull[0].x) + (p.y - hull[0].y) * (hull[1].y - hull[0].y)) /
                             distance(hull[0], hull[1]);
        return along > kStrictly && along < distance(hull[0], hull[1]) - kStrictly;
    }
    if (zone.shape != ZoneShape::Area) return false;
    for (std::size_t i = 0; i < hull.size(); ++i)
        if (sideOf(hull[i], hull[(i + 1) % hull.size()], p) <= kStrictly) return false;
    return true;
}

std::optional<PlanePoint> liquidPoint(const TestLiquid& liquid) {
    if (!hasChartPlace(liquid.n, liquid.d, liquid.w)) return std::nullopt;
    return teasToPlane(liquid.n, liquid.d, liquid.w);
}

SolubilityZone makeZone(std::span<const PlanePoint> dissolving, double margin) {
    SolubilityZone zone;
    zone.margin = std::isfinite(margin) && margin > 0.0 ? margin : 0.0;
    zone.hull = convexHull(dissolving);
    switch (zone.hull.size()) {
    case 0: zone.shape = ZoneShape::None; break;
    case 1: zone.shape = ZoneShape::Point; break;
    case 2: zone.shape = ZoneShape::Segment; break;
    default: zone.shape = ZoneShape::Area; break;
    }
    if (zone.shape == ZoneShape::None) return zone;
    zone.centroid = polygonCentroid(zone.hull);
    if (zone.shape == ZoneShape::Area) {
        zone.outline = zone.hull;
        zone.region = zone.margin > 0.0 ? shrinkPolygon(zone.hull, zone.margin * teasPointSpacing()) : zone.hull;
    } else {
        zone.outline = zone.region = bandAround(zone.hull);
    }
    return zone;
}

SolubilityZone zoneOfTest(const SolubilityTest& test, double margin) {
    std::vector<PlanePoint> points;
    for (const TestLiquid& liquid : test.liquids)
        if (liquid.result == TestResult::Dissolves)
            if (const std::optional<PlanePoint> p = liquidPoint(liquid)) points.push_back(*p);
    return makeZone(points, margin);
}

std::vector<std::size_t> noEffectInsideZone(const SolubilityTest& test, const SolubilityZone& zone) {
    std::vector<std::size_t> inside;
    for (std::size_t i = 0; i < test.liquids.size(); ++i) {
        const TestLiquid& liquid = test.liquids[i];
        if (liquid.result != TestResult::NoEffect) continue;
        if (const std::optional<PlanePoint> p = liquidPoint(liquid); p && strictlyInsideHull(zone, *p)) inside.push_back(i);
    }
    return inside;
}

std::optional<TeasPoint> wholeNumberPoint(PlanePoint p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !insideTriangle(p, 1e-9)) return std::nullopt;
    const auto t = planeToTeas(p);
    // A corner or an edge comes back as 1e-15 off a whole number; take it as
    // that number, so that 0 does not turn into -1 plus a fraction.
    auto snap = [](double v) {
        const double whole = std::round(v);
        return std::fabs(v - whole) < 1e-9 ? whole : v;
    };
    const HundredRounding r = roundToHundred({snap(t.fd), snap(t.fp), snap(t.fh)});
    if (r.branch == RoundingBranch::NotFinite) return std::nullopt;
    for (double v : r.whole)
        if (v < 0.0 || v > 100.0) return std::nullopt;
    if (r.whole[0] + r.whole[1] + r.whole[2] != 100.0) return std::nullopt;
    return TeasPoint{static_cast<std::int16_t>(r.whole[0]), static_cast<std::int16_t>(r.whole[1]),
                     static_cast<std::int16_t>(r.whole[2])};
}

std::optional<TeasPoint> zoneCentreTarget(const SolubilityZone& zone) {
    if (!zone.centroid) return std::nullopt;
    return wholeNumberPoint(*zone.centroid);
}

}  // namespace tarnwell
