// The zone on the Teas chart: hull, centroid and its whole-number target, the
// margin, the band of a zone without an area, and the warning about liquids
// that did not dissolve inside it. Points are given as N, D, W; the checks
// go back through planeToTeas, so every expected value is a Teas value.

#include "core/messages.h"
#include "core/solubility_zone.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace tarnwell {
namespace {

PlanePoint at(double n, double d, double w) { return *teasToPlane(n, d, w); }

std::vector<PlanePoint> points(std::initializer_list<std::array<double, 3>> ndw) {
    std::vector<PlanePoint> out;
    for (const auto& p : ndw) out.push_back(at(p[0], p[1], p[2]));
    return out;
}

// The polygon's corners as N, D, W, each checked against `expected` in turn
// from wherever the expected first corner stands.
void expectCorners(const ConvexPolygon& polygon, std::vector<std::array<double, 3>> expected) {
    ASSERT_EQ(polygon.size(), expected.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const auto t = planeToTeas(polygon[i]);
        if (std::fabs(t.fd - expected[0][0]) < 1e-9 && std::fabs(t.fp - expected[0][1]) < 1e-9) start = i;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto t = planeToTeas(polygon[(start + i) % polygon.size()]);
        EXPECT_NEAR(t.fd, expected[i][0], 1e-9) << "corner " << i;
        EXPECT_NEAR(t.fp, expected[i][1], 1e-9) << "corner " << i;
        EXPECT_NEAR(t.fh, expected[i][2], 1e-9) << "corner " << i;
    }
}

// The triangle N >= 40, D >= 20, W >= 20: its edges run along grid lines.
const std::vector<PlanePoint> kTriangle = points({{60, 20, 20}, {40, 40, 20}, {40, 20, 40}});

TEST(ZoneHull, DropsInnerRepeatedAndCollinearPoints) {
    std::vector<PlanePoint> p = kTriangle;
    for (const PlanePoint& extra : points({{50, 25, 25}, {50, 30, 20}, {60, 20, 20}, {45, 35, 20}})) p.push_back(extra);
    const ConvexPolygon hull = convexHull(p);
    // Counter-clockwise on the chart: from N's corner towards D's, then W's.
    expectCorners(hull, {{60, 20, 20}, {40, 40, 20}, {40, 20, 40}});
    // Legs of 20 points: 200 square points; one square point is sqrt(3)/2 * 1e-4 of the plane.
    EXPECT_NEAR(polygonArea(hull), 200 * std::sqrt(3.0) / 2 * 1e-4, 1e-15);

    struct Case {
        std::vector<PlanePoint> in;
        ZoneShape shape;
        std::size_t corners;
    } cases[] = {
        {{}, ZoneShape::None, 0},
        {points({{50, 30, 20}, {50, 30, 20}}), ZoneShape::Point, 1},
        {points({{50, 30, 20}, {60, 20, 20}, {55, 25, 20}, {40, 40, 20}}), ZoneShape::Segment, 2},
        {points({{50, 30, 20}, {60, 20, 20}, {55, 25, 20}, {55, 24, 21}}), ZoneShape::Area, 3},
    };
    for (const Case& c : cases) {
        const SolubilityZone zone = makeZone(c.in);
        EXPECT_EQ(zone.shape, c.shape);
        EXPECT_EQ(zone.hull.size(), c.corners);
    }
    expectCorners(makeZone(cases[2].in).hull, {{40, 40, 20}, {60, 20, 20}});
}

TEST(ZoneCentroid, AreaCentroidAndItsWholeNumberTarget) {
    // A trapezium in N, D: a 10 x 10 square (centroid 45, 25) and a
    // triangle of the same area (centroid 56.67, 23.33) give 50.83, 24.17,
    // 25; not the corners' mean 50, 25, 25.
    const SolubilityZone trapezium = makeZone(points({{40, 20, 40}, {70, 20, 10}, {50, 30, 20}, {40, 30, 30}}));
    ASSERT_TRUE(trapezium.centroid);
    const auto c = planeToTeas(*trapezium.centroid);
    EXPECT_NEAR(c.fd, 50 + 5.0 / 6, 1e-9);
    EXPECT_NEAR(c.fp, 24 + 1.0 / 6, 1e-9);
    EXPECT_NEAR(c.fh, 25, 1e-9);

    struct Case {
        std::vector<PlanePoint> zone;
        TeasPoint target;
    } cases[] = {
        {points({{40, 20, 40}, {70, 20, 10}, {50, 30, 20}, {40, 30, 30}}), {51, 24, 25}},  // nearest: 51 + 24 + 25
        // Midpoint 45.45, 30.35, 24.2: the nearest make 99, all parts below
        // .5, so the smallest part (W's) is raised.
        {points({{40.45, 35.35, 24.2}, {50.45, 25.35, 24.2}}), {45, 30, 25}},
        // 33.4, 33.4, 33.2: the smallest part is W's again.
        {points({{33.4, 33.4, 33.2}}), {33, 33, 34}},
        // 40.75, 20.625, 38.625: all parts .5 or more; the largest (N's) gives way.
        {points({{40.75, 20.625, 38.625}}), {40, 21, 39}},
        {points({{100, 0, 0}, {100, 0, 0}}), {100, 0, 0}},  // a corner of the chart stays whole
    };
    for (const Case& k : cases) {
        const std::optional<TeasPoint> t = zoneCentreTarget(makeZone(k.zone));
        ASSERT_TRUE(t);
        EXPECT_EQ(t->n, k.target.n);
        EXPECT_EQ(t->d, k.target.d);
        EXPECT_EQ(t->w, k.target.w);
    }
    EXPECT_FALSE(zoneCentreTarget(makeZone({})));
    EXPECT_FALSE(wholeNumberPoint({2.0, 2.0}));  // off the chart
}

TEST(ZoneMargin, MovesEveryEdgeInwardsByTeasPoints) {
    struct Case {
        std::vector<PlanePoint> hull;
        double margin;
        std::vector<std::array<double, 3>> region;
    } cases[] = {
        // N >= 42, D >= 22, W >= 22.
        {kTriangle, 2, {{56, 22, 22}, {42, 36, 22}, {42, 22, 36}}},
        {kTriangle, 6, {{48, 26, 26}, {46, 28, 26}, {46, 26, 28}}},
        {kTriangle, 0, {{60, 20, 20}, {40, 40, 20}, {40, 20, 40}}},
        // The other way up: N <= 60, D <= 40, W <= 40 becomes 58, 38, 38.
        {points({{60, 40, 0}, {20, 40, 40}, {60, 0, 40}}), 2, {{58, 38, 4}, {24, 38, 38}, {58, 4, 38}}},
        // N >= 47, D >= 27, W >= 27 adds up to 101: nothing is left.
        {kTriangle, 7, {}},
    };
    for (const Case& c : cases) {
        const SolubilityZone zone = makeZone(c.hull, c.margin);
        EXPECT_EQ(zone.outline.size(), 3u);
        expectCorners(zone.region, c.region);
    }
    EXPECT_NEAR(teasPointSpacing(), (gridLine(TeasAxis::Polar, 21)[0].y - gridLine(TeasAxis::Polar, 20)[0].y), 1e-15);

    // Any hull: every corner of the shrunk region lies inside the hull, at
    // least the margin from each edge and exactly the margin from two.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> percent(0, 100);
    for (int round = 0; round < 200; ++round) {
        std::vector<PlanePoint> p;
        for (int i = 0; i < 6; ++i) {
            const int n = percent(random), d = percent(random) * (100 - n) / 100;
            p.push_back(at(n, d, 100 - n - d));
        }
        const SolubilityZone zone = makeZone(p, 1.5);
        if (zone.shape != ZoneShape::Area) continue;
        const double m = 1.5 * teasPointSpacing();
        for (const PlanePoint& corner : zone.region) {
            int onEdges = 0;
            for (std::size_t i = 0; i < zone.hull.size(); ++i) {
                const PlanePoint a = zone.hull[i], b = zone.hull[(i + 1) % zone.hull.size()];
                const double dist = cross(a, b, corner) / std::hypot(b.x - a.x, b.y - a.y);
                EXPECT_GE(dist, m - 1e-12);
                if (std::fabs(dist - m) < 1e-12) ++onEdges;
            }
            EXPECT_GE(onEdges, 2);
        }
        EXPECT_LT(polygonArea(zone.region), polygonArea(zone.hull));
    }
}

TEST(ZoneBand, HalfAPointAroundAPointOrASegment) {
    const SolubilityZone dot = makeZone(points({{50, 30, 20}}), 5);  // the margin does not apply
    EXPECT_EQ(dot.shape, ZoneShape::Point);
    expectCorners(dot.region, {{50.5, 29.5, 20}, {50.5, 30, 19.5}, {50, 30.5, 19.5}, {49.5, 30.5, 20},
                               {49.5, 30, 20.5}, {50, 29.5, 20.5}});
    EXPECT_EQ(dot.outline.size(), dot.region.size());

    const SolubilityZone line = makeZone(points({{50, 30, 20}, {60, 20, 20}}));
    struct Case {
        const SolubilityZone& zone;
        std::array<double, 3> p;
        bool inside;
    } cases[] = {
        {dot, {50.4, 29.8, 19.8}, true},
        {dot, {50.5, 29.5, 20}, true},
        {dot, {50.6, 29.4, 20}, false},
        {dot, {50.3, 30.3, 19.4}, false},
        {line, {55, 25.4, 19.6}, true},    // 0.4 off the segment's (55, 25, 20)
        {line, {60.5, 19.5, 20}, true},    // beyond the end, within the band
        {line, {55, 25.6, 19.4}, false},   // W is 0.6 off every point of the segment
        {line, {61, 19, 20}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(insideConvex(c.zone.region, at(c.p[0], c.p[1], c.p[2])), c.inside)
            << c.p[0] << " " << c.p[1] << " " << c.p[2];

    // At a corner of the chart the band keeps to the triangle.
    for (const PlanePoint& corner : makeZone(points({{100, 0, 0}})).region) EXPECT_TRUE(insideTriangle(corner, 1e-12));
}

TEST(ZoneWarning, NoEffectLiquidsStrictlyInsideAreCounted) {
    auto liquid = [](double n, double d, double w, TestResult r) { return TestLiquid{"l", n, d, w, r, {}}; };
    SolubilityTest test;
    for (const auto& p : {std::array<double, 3>{60, 20, 20}, {40, 40, 20}, {40, 20, 40}})
        test.liquids.push_back(liquid(p[0], p[1], p[2], TestResult::Dissolves));
    test.liquids.push_back(liquid(50, 25, 25, TestResult::NoEffect));   // 3: inside
    test.liquids.push_back(liquid(45, 30, 25, TestResult::NoEffect));   // 4: inside
    test.liquids.push_back(liquid(50, 30, 20, TestResult::NoEffect));   // on an edge
    test.liquids.push_back(liquid(60, 20, 20, TestResult::NoEffect));   // on a corner
    test.liquids.push_back(liquid(70, 10, 20, TestResult::NoEffect));   // outside
    test.liquids.push_back(liquid(48, 26, 26, TestResult::Partly));     // inside, but partly dissolves
    test.liquids.push_back(liquid(41, 21, 38, TestResult::NoEffect));   // 9: inside, near a corner
    const SolubilityZone zone = zoneOfTest(test);
    EXPECT_EQ(noEffectInsideZone(test, zone), (std::vector<std::size_t>{3, 4, 9}));
    EXPECT_EQ(messages::noEffectInsideZone(3), "3 liquids that did not dissolve lie inside the zone: it is not convex");
    EXPECT_EQ(messages::noEffectInsideZone(1), "1 liquid that did not dissolve lies inside the zone: it is not convex");

    // On a segment: between the ends counts, an end does not; a point has no inside.
    SolubilityTest line;
    line.liquids = {liquid(60, 20, 20, TestResult::Dissolves), liquid(40, 40, 20, TestResult::Dissolves),
                    liquid(50, 30, 20, TestResult::NoEffect), liquid(40, 40, 20, TestResult::NoEffect),
                    liquid(51, 30, 19, TestResult::NoEffect)};
    EXPECT_EQ(noEffectInsideZone(line, zoneOfTest(line)), (std::vector<std::size_t>{2}));
    SolubilityTest dot;
    dot.liquids = {liquid(60, 20, 20, TestResult::Dissolves), liquid(60, 20, 20, TestResult::NoEffect)};
    EXPECT_TRUE(noEffectInsideZone(dot, zoneOfTest(dot)).empty());
}

}  // namespace
}  // namespace tarnwell
