#include "converter/CoatTransform.h"

#include <algorithm>
#include <cmath>

namespace vrnnec::vrn {

namespace {
constexpr double kGridSteps = 100000; // steps per metre of the 0.01 mm grid
constexpr double kRadiusTolerance = 1e-9;
} // namespace

double ShrinkCoordinate(double value, double factor)
{
    const double scaled = value * factor; // rounded to double before the grid
    return std::nearbyint(scaled * kGridSteps) / kGridSteps;
}

void ApplyShrink(std::vector<WireRecord>& wires, const coat::CoatParameters& coat)
{
    const double g = coat.shrinkFactor;
    for (WireRecord& wire : wires) {
        if (coat.shrinkX) {
            wire.x1 = ShrinkCoordinate(wire.x1, g);
            wire.x2 = ShrinkCoordinate(wire.x2, g);
        }
        if (coat.shrinkY) {
            wire.y1 = ShrinkCoordinate(wire.y1, g);
            wire.y2 = ShrinkCoordinate(wire.y2, g);
        }
        if (coat.shrinkZ) {
            wire.z1 = ShrinkCoordinate(wire.z1, g);
            wire.z2 = ShrinkCoordinate(wire.z2, g);
        }
    }
}

bool IsCoated(double fileRadius, const coat::CoatParameters& coat)
{
    const double scale = std::max(std::fabs(fileRadius), std::fabs(coat.wireRadius));
    return std::fabs(fileRadius - coat.wireRadius) <= kRadiusTolerance * scale && scale > 0;
}

} // namespace vrnnec::vrn