// Parameters of the dielectric coat transformation, computed from what the user typed.
#pragma once

#include <string>

namespace vrnnec::coat {

struct CoatInputs {
    double wireRadiusMm = 1;   // radius of the wires to be coated, mm
    double coatRadiusMm = 2;   // outer radius of the coat, mm
    double permittivity = 3;   // relative permittivity of the coat
    double shorterPercent = 0; // "Making all wires shorter on:", %
    bool shrinkX = true, shrinkY = true, shrinkZ = true;
};

// What the conversion receives (conversion::ConversionOptions::coat), from the window's
// coated calculation, vrn2nec's --coat and --shrink, down to the converter's core.
struct CoatParameters {
    double wireRadius = 0;   // m; wires of this file radius get the coat (see vrn::IsCoated)
    double coatRadius = 0;   // m; their radius in the deck
    double inductance = 0;   // H/m; distributed inductance of the coat, 0 = none
    double shrinkFactor = 1; // coordinates of the chosen axes are multiplied by it
    bool shrinkX = false, shrinkY = false, shrinkZ = false;
};

// The values of a plain calculation: no coat, no shrink.
CoatParameters plainParameters();

// Computes the coat parameters and applies the checks, in this order. Returns an empty
// text on success, else the message to show ("Radius of coated wire must be not lower
// than uncoated one.", "Dielectric constant of wire coats must be greater." or the
// message of computeShrink); `out` is then left alone.
std::string computeCoatParameters(const CoatInputs& inputs, CoatParameters& out);

// Sets the shrink of `out` from "Making all wires shorter on:" (percent) and the
// chosen axes: shrinkFactor = 1 - percent / 100. Wires made shorter on 100 % or more
// would have no length or a mirrored one: with at least one axis chosen that is
// refused with "Making wires shorter on 100 % or more leaves no wire." and `out` is
// left alone. Returns an empty text on success.
std::string computeShrink(double shorterPercent, bool shrinkX, bool shrinkY, bool shrinkZ, CoatParameters& out);

} // namespace vrnnec::coat