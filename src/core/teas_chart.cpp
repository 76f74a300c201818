#include "core/teas_chart.h"

#include <cmath>

namespace tarnwell {
namespace {
const double kHeight = std::sqrt(3.0) / 2.0;
const PlanePoint kHydrogenCorner{0.0, 0.0};
const PlanePoint kDispersionCorner{1.0, 0.0};
const PlanePoint kPolarCorner{0.5, kHeight};

PlanePoint mix(double fd, double fp, double fh) {
    return {fd * kDispersionCorner.x + fp * kPolarCorner.x + fh * kHydrogenCorner.x,
            fd * kDispersionCorner.y + fp * kPolarCorner.y + fh * kHydrogenCorner.y};
}
}  // namespace

std::optional<PlanePoint> teasToPlane(double fd, double fp, double fh) {
    const double sum = fd + fp + fh;
    if (!(std::isfinite(sum)) || sum == 0.0) return std::nullopt;
    return mix(fd / sum, fp / sum, fh / sum);
}

TeasFractions planeToTeas(PlanePoint p) {
    const double fp = p.y / kHeight;
    const double fd = p.x - fp * kPolarCorner.x;
    const double fh = 1.0 - fd - fp;
    return {100.0 * fd, 100.0 * fp, 100.0 * fh};
}

bool insideTriangle(PlanePoint p, double tolerance) {
    const TeasFractions t = planeToTeas(p);
    const double tol = 100.0 * tolerance;
    return t.fd >= -tol && t.fp >= -tol && t.fh >= -tol;
}

std::array<PlanePoint, 2> gridLine(TeasAxis axis, double percent) {
    // As teasToPlane takes the point (percent, 0, 100 - percent): the same ends to the last bit.
    const double f = percent / 100.0, rest = (100.0 - percent) / 100.0;
    switch (axis) {
    case TeasAxis::Dispersion: return {mix(f, 0.0, rest), mix(f, rest, 0.0)};
    case TeasAxis::Polar: return {mix(rest, f, 0.0), mix(0.0, f, rest)};
    case TeasAxis::Hydrogen: return {mix(0.0, rest, f), mix(rest, 0.0, f)};
    }
    return {};
}

}  // namespace tarnwell
