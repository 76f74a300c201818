#pragma once
// The Teas triangle: where a solvent's fd, fp, fh fall on the plane.
// Corners: fh = 100 at the lower left (0, 0), fd = 100 at the lower right
// (1, 0), fp = 100 at the top (1/2, sqrt(3)/2); y grows upwards.

#include <array>
#include <optional>

namespace tarnwell {

struct PlanePoint {
    double x = 0.0, y = 0.0;
};

// A box on the plane: the part of the chart a zoomed view shows.
struct PlaneBox {
    PlanePoint low, high;  // the lower left and upper right corners
    bool operator==(const PlaneBox& o) const {
        return low.x == o.low.x && low.y == o.low.y && high.x == o.high.x && high.y == o.high.y;
    }
};

struct TeasFractions {
    double fd = 0.0, fp = 0.0, fh = 0.0;  // percentages
};

// The fractions are taken relative to their sum, so a point whose N + D + W
// is not 100 still lands inside the triangle; a zero sum has no place.
std::optional<PlanePoint> teasToPlane(double fd, double fp, double fh);
TeasFractions planeToTeas(PlanePoint p);
bool insideTriangle(PlanePoint p, double tolerance = 1e-9);

// The end points of grid line `percent` (0..100) of one parameter: the line
// on which that parameter equals `percent`.
enum class TeasAxis { Dispersion, Polar, Hydrogen };
std::array<PlanePoint, 2> gridLine(TeasAxis axis, double percent);

}  // namespace tarnwell
