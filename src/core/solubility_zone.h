#pragma once
// The solubility zone of a test on the Teas chart, in the chart's own plane
// (teas_chart.h), so what is worked out here is what the chart draws.
//
// The zone is the convex hull of the points of the liquids that dissolve the
// material. Blends are looked for in a smaller region, because dissolution is
// least reliable at the zone's boundary:
//
// - A zone with an area is shrunk by a margin of m Teas points: the region
//   holds the points of the hull whose distance from its boundary is at
//   least m grid spacings, a grid spacing being the distance between the grid
//   lines of two consecutive percents (sqrt(3)/200 of the triangle's side; the
//   same for N, D and W). In effect every edge moves inwards by m spacings; an
//   edge that runs along a grid line moves by m percent of that parameter.
//   A margin larger than the zone leaves nothing, which is a valid answer.
// - One point, two points, or points on one line have no area. Their region
//   is a band of +/- 0.5 in each of N, D and W around the point or the segment
//   between the extreme points: the segment swept by the hexagon
//   |dN|, |dD|, |dW| <= 0.5 (dN + dD + dW = 0). The margin does not apply.

#include "core/blend_solver.h"
#include "core/solubility_trial.h"
#include "core/teas_chart.h"

#include <optional>
#include <span>
#include <vector>

namespace tarnwell {

// A useful zone needs this many dissolving liquids, not all on one line.
inline constexpr int kZonePointsNeeded = 3;
inline constexpr double kDefaultZoneMargin = 2.0;  // Teas points
// The distance on the plane between the grid lines of consecutive percents.
double teasPointSpacing();

// A convex polygon, counter-clockwise, without repeated or collinear corners.
using ConvexPolygon = std::vector<PlanePoint>;

enum class ZoneShape {
    None,     // no liquid dissolves the material
    Point,    // all dissolving liquids at one point
    Segment,  // on one line
    Area,     // a useful zone
};

struct SolubilityZone {
    ZoneShape shape = ZoneShape::None;
    // The hull's corners: one point, the two extreme points, or the polygon.
    ConvexPolygon hull;
    // What the chart shades and what a blend's mixture must lie in: the hull
    // when it has an area, else the band.
    ConvexPolygon outline;
    // Where the finder looks: the hull shrunk by the margin (maybe empty), or
    // the band.
    ConvexPolygon region;
    double margin = kDefaultZoneMargin;
    std::optional<PlanePoint> centroid;  // missing for ZoneShape::None
};

// The zone of these points (a margin below 0 or not finite counts as 0).
SolubilityZone makeZone(std::span<const PlanePoint> dissolving, double margin = kDefaultZoneMargin);
// The zone of a test's Dissolves liquids.
SolubilityZone zoneOfTest(const SolubilityTest& test, double margin = kDefaultZoneMargin);

// The plane point of a liquid; missing when it has no place on the chart.
std::optional<PlanePoint> liquidPoint(const TestLiquid& liquid);

// --- The pieces, each usable on its own ----------------------------------------------

// Counter-clockwise corners; collinear and repeated points dropped. One
// point gives one corner; points on a line give the two extreme points.
ConvexPolygon convexHull(std::span<const PlanePoint> points);

// Twice the signed area of the triangle a, b, c (positive counter-clockwise).
double cross(PlanePoint a, PlanePoint b, PlanePoint c);

// The polygon's area (0 for fewer than three corners).
double polygonArea(const ConvexPolygon& polygon);

// The area centroid; one corner: itself; two: their midpoint.
std::optional<PlanePoint> polygonCentroid(const ConvexPolygon& polygon);

// Keeps the part of a convex polygon where a*x + b*y >= c.
ConvexPolygon clipToHalfPlane(const ConvexPolygon& polygon, double a, double b, double c);

// The convex polygon (three or more corners) with every edge moved inwards by
// `distance` on the plane; empty when nothing is left.
ConvexPolygon shrinkPolygon(const ConvexPolygon& polygon, double distance);

// The band of +/- 0.5 in N, D and W around one point or a segment.
ConvexPolygon bandAround(const ConvexPolygon& pointOrSegment);

// On or inside a convex polygon (or on its point or segment), within a
// rounding tolerance.
bool insideConvex(const ConvexPolygon& polygon, PlanePoint p);

// Strictly inside the hull, away from its boundary: for an area, its
// interior; for a segment, the segment without its ends; for a point, never.
bool strictlyInsideHull(const SolubilityZone& zone, PlanePoint p);

// The No-effect liquids that lie strictly inside the hull: each breaks the
// zone's convexity, and the window warns of them (never hides them).
std::vector<std::size_t> noEffectInsideZone(const SolubilityTest& test, const SolubilityZone& zone);

// A plane point as whole-number N, D, W adding up to 100, by the calculator's
// rounding (roundToHundred); missing off the triangle.
std::optional<TeasPoint> wholeNumberPoint(PlanePoint p);

// The zone's centroid as a target for the main screen.
std::optional<TeasPoint> zoneCentreTarget(const SolubilityZone& zone);

}  // namespace tarnwell
