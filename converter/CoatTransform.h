// The library side of the dielectric coat transformation.
#pragma once

#include "common/CoatParameters.h"
#include "converter/AntennaModel.h"

#include <vector>

namespace vrnnec::vrn {

// Scales the end coordinates of every wire along the chosen axes and keeps them on a
// 0.01 mm grid: v <- round(v * factor * 100000) / 100000, ties to even.
void ApplyShrink(std::vector<WireRecord>& wires, const coat::CoatParameters& coat);

// One coordinate of ApplyShrink.
double ShrinkCoordinate(double value, double factor);

// Whether a wire of the file radius `fileRadius` gets the coat of `coat`. The chosen
// radius comes from millimetre text and the file radius from metre text, so the two
// are compared with a relative tolerance of 1e-9 rather than bit for bit
// (0.0008 m matches 0.8 mm, 0.00081 m does not).
bool IsCoated(double fileRadius, const coat::CoatParameters& coat);

} // namespace vrnnec::vrn