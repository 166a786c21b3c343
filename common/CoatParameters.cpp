#include "common/CoatParameters.h"

#include <cmath>

namespace coat {

namespace {
// The coat's permittivity is taken at 0.95 * 0.95 of its nominal value.
constexpr double kPermittivityFactor = 0.95 * 0.95;
// mu0 / (2 pi), H/m.
constexpr double kMu0Over2Pi = 2e-7;
} // namespace

CoatParameters plainParameters()
{
    return CoatParameters{};
}

std::string computeCoatParameters(const CoatInputs& inputs, CoatParameters& out)
{
    CoatParameters p;
    p.wireRadius = inputs.wireRadiusMm * 0.001;
    p.coatRadius = inputs.coatRadiusMm * 0.001;
    const double eps = inputs.permittivity;
    p.inductance = std::log(p.coatRadius / p.wireRadius) * (1 - 1 / (eps * 0.95 * 0.95)) * kMu0Over2Pi;
    p.shrinkFactor = 1 - inputs.shorterPercent / 100;
    p.shrinkX = inputs.shrinkX;
    p.shrinkY = inputs.shrinkY;
    p.shrinkZ = inputs.shrinkZ;
    if (p.wireRadius > p.coatRadius)
        return "Radius of coated wire must be not lower than uncoated one.";
    if (eps * kPermittivityFactor < 1)
        return "Dielectric constant of wire coats must be greater.";
    out = p;
    return {};
}

} // namespace coat
