#include "common/CoatParameters.h"

#include "common/CoatInductance.h"

#include <cmath>

namespace vrnnec::coat {

namespace {
// The coat's permittivity is taken at 0.95 * 0.95 of its nominal value.
constexpr double kPermittivityFactor = 0.95 * 0.95;
// mu0 / (2 pi), H/m.
constexpr double kMu0Over2Pi = 2e-7;
} // namespace

double coatInductance(double coatRadius, double wireRadius, double permittivity)
{
    return std::log(coatRadius / wireRadius) * (1 - 1 / (permittivity * 0.95 * 0.95)) * kMu0Over2Pi;
}

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
    p.inductance = coatInductance(p.coatRadius, p.wireRadius, eps);
    if (p.wireRadius > p.coatRadius)
        return "Radius of coated wire must be not lower than uncoated one.";
    if (eps * kPermittivityFactor < 1)
        return "Dielectric constant of wire coats must be greater.";
    std::string message = computeShrink(inputs.shorterPercent, inputs.shrinkX, inputs.shrinkY, inputs.shrinkZ, p);
    if (message.empty())
        out = p;
    return message;
}

std::string computeShrink(double shorterPercent, bool shrinkX, bool shrinkY, bool shrinkZ, CoatParameters& out)
{
    if ((shrinkX || shrinkY || shrinkZ) && shorterPercent >= 100)
        return "Making wires shorter on 100 % or more leaves no wire.";
    out.shrinkFactor = 1 - shorterPercent / 100;
    out.shrinkX = shrinkX;
    out.shrinkY = shrinkY;
    out.shrinkZ = shrinkZ;
    return {};
}

} // namespace vrnnec::coat