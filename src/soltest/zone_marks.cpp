#include "soltest/zone_marks.h"

#include "core/teas_chart.h"

#include <algorithm>

namespace tarnwell {

namespace {
std::vector<ui::ChartMark> chartCorners(const ConvexPolygon& polygon) {
    std::vector<ui::ChartMark> corners;
    corners.reserve(polygon.size());
    for (const PlanePoint& p : polygon) {
        const TeasFractions t = planeToTeas(p);
        corners.push_back({t.fd, t.fp, t.fh});
    }
    return corners;
}
}  // namespace

ui::TestMarkKind testMarkKind(TestResult result) {
    switch (result) {
    case TestResult::Dissolves: return ui::TestMarkKind::Dissolves;
    case TestResult::Partly: return ui::TestMarkKind::Partly;
    case TestResult::NoEffect: return ui::TestMarkKind::NoEffect;
    case TestResult::NotTried: break;
    }
    return ui::TestMarkKind::NotTried;
}

ui::ZoneOverlay zoneOverlay(const SolubilityTest& test, const SolubilityZone& zone) {
    ui::ZoneOverlay overlay;
    const std::vector<std::size_t> inside = noEffectInsideZone(test, zone);
    for (std::size_t i = 0; i < test.liquids.size(); ++i) {
        const TestLiquid& liquid = test.liquids[i];
        if (!liquidPoint(liquid)) continue;
        const bool warned = std::find(inside.begin(), inside.end(), i) != inside.end();
        overlay.liquids.push_back({{liquid.n, liquid.d, liquid.w}, testMarkKind(liquid.result), warned});
    }
    overlay.outline = chartCorners(zone.outline);
    overlay.region = chartCorners(zone.region);
    return overlay;
}

}  // namespace tarnwell
