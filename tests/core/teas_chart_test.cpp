#include "core/teas_chart.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace tarnwell;

namespace {

TEST(TeasChart, CornersAndCentre) {
    const double h = std::sqrt(3.0) / 2.0;
    struct Case { double fd, fp, fh, x, y; } cases[] = {
        {100, 0, 0, 1.0, 0.0},         // fd at the lower right
        {0, 100, 0, 0.5, h},           // fp at the top
        {0, 0, 100, 0.0, 0.0},         // fh at the lower left
        {50, 0, 50, 0.5, 0.0},         // the middle of the fd (bottom) axis
        {100.0 / 3, 100.0 / 3, 100.0 / 3, 0.5, h / 3},
        {2, 2, 2, 0.5, h / 3},         // only the proportions count
    };
    for (const Case& c : cases) {
        const auto p = teasToPlane(c.fd, c.fp, c.fh);
        ASSERT_TRUE(p);
        EXPECT_NEAR(p->x, c.x, 1e-12) << c.fd << " " << c.fp << " " << c.fh;
        EXPECT_NEAR(p->y, c.y, 1e-12) << c.fd << " " << c.fp << " " << c.fh;
    }
    EXPECT_FALSE(teasToPlane(0, 0, 0));
}

TEST(TeasChart, PlaneToTeasInvertsTheMapping) {
    for (int fd = 0; fd <= 100; fd += 7)
        for (int fp = 0; fd + fp <= 100; fp += 9) {
            const int fh = 100 - fd - fp;
            const TeasFractions t = planeToTeas(*teasToPlane(fd, fp, fh));
            EXPECT_NEAR(t.fd, fd, 1e-9);
            EXPECT_NEAR(t.fp, fp, 1e-9);
            EXPECT_NEAR(t.fh, fh, 1e-9);
            EXPECT_TRUE(insideTriangle(*teasToPlane(fd, fp, fh)));
        }
    EXPECT_FALSE(insideTriangle({0.0, 0.5}));
    EXPECT_FALSE(insideTriangle({0.5, -0.01}));
}

TEST(TeasChart, GridLinesHoldTheirParameterConstant) {
    for (TeasAxis axis : {TeasAxis::Dispersion, TeasAxis::Polar, TeasAxis::Hydrogen})
        for (double percent : {10.0, 40.0, 90.0})
            for (const PlanePoint& end : gridLine(axis, percent)) {
                const TeasFractions t = planeToTeas(end);
                const double value = axis == TeasAxis::Dispersion ? t.fd : axis == TeasAxis::Polar ? t.fp : t.fh;
                EXPECT_NEAR(value, percent, 1e-9);
                EXPECT_TRUE(insideTriangle(end, 1e-9));
            }
    // The chart draws its grid from these ends and its points through
    // teasToPlane: a line at 30 % and the point of N = 30 meet exactly.
    for (double percent = 0; percent <= 100; percent += 10) {
        const auto n = gridLine(TeasAxis::Dispersion, percent), d = gridLine(TeasAxis::Polar, percent),
                   w = gridLine(TeasAxis::Hydrogen, percent);
        const auto at = [](double a, double b, double c) { return *teasToPlane(a, b, c); };
        const auto same = [](PlanePoint a, PlanePoint b) { return a.x == b.x && a.y == b.y; };
        EXPECT_TRUE(same(n[0], at(percent, 0, 100 - percent)) && same(n[1], at(percent, 100 - percent, 0))) << percent;
        EXPECT_TRUE(same(d[0], at(100 - percent, percent, 0)) && same(d[1], at(0, percent, 100 - percent))) << percent;
        EXPECT_TRUE(same(w[0], at(0, 100 - percent, percent)) && same(w[1], at(100 - percent, 0, percent))) << percent;
    }
}

}  // namespace
