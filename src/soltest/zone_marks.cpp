#include "soltest/zone_marks.h"

#include "core/teas_chart.h"

#include <algorithm>
#include <optional>

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

std::optional<PlaneBox> zoneView(const SolubilityZone& zone) {
    if (zone.shape == ZoneShape::None || zone.outline.empty()) return std::nullopt;
    PlaneBox box{zone.outline.front(), zone.outline.front()};
    for (const PlanePoint& p : zone.outline) {
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y)};
    }
    // A third of the zone's size around it, and never less than the least view.
    const double point = teasPointSpacing();
    const double least = kZoomPoints * point;
    const double padX = std::max((box.high.x - box.low.x) / 3, (least - (box.high.x - box.low.x)) / 2);
    const double padY = std::max((box.high.y - box.low.y) / 3, (least - (box.high.y - box.low.y)) / 2);
    box.low = {box.low.x - std::max(padX, 2 * point), box.low.y - std::max(padY, 2 * point)};
    box.high = {box.high.x + std::max(padX, 2 * point), box.high.y + std::max(padY, 2 * point)};
    return box;
}

}  // namespace tarnwell
