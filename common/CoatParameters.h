// Parameters of the dielectric coat transformation, computed from what the user typed.
#pragma once

#include <string>

namespace coat {

struct CoatInputs {
    double wireRadiusMm = 1;     // radius of the wires to be coated, mm
    double coatRadiusMm = 2;     // outer radius of the coat, mm
    double permittivity = 3;     // relative permittivity of the coat
    double shorterPercent = 0;   // "Making all wires shorter on:", %
    bool shrinkX = true, shrinkY = true, shrinkZ = true;
};

// What the conversion receives.
struct CoatParameters {
    double wireRadius = 0;      // m; wires of exactly this file radius get the coat
    double coatRadius = 0;      // m; their radius in the deck
    double inductance = 0;      // H/m; distributed inductance of the coat, 0 = none
    double shrinkFactor = 1;    // coordinates of the chosen axes are multiplied by it
    bool shrinkX = false, shrinkY = false, shrinkZ = false;
};

// The values of a plain calculation: no coat, no shrink.
CoatParameters plainParameters();

// Computes the coat parameters and applies the two checks. Returns an empty text on
// success, else the message to show ("Radius of coated wire must be not lower than
// uncoated one." or "Dielectric constant of wire coats must be greater.").
std::string computeCoatParameters(const CoatInputs& inputs, CoatParameters& out);

} // namespace coat
