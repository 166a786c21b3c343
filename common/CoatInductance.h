// The distributed inductance of a dielectric coat, the one formula used by the coat
// transformation of antenna files and by the wire tools of the card editor.
#pragma once

namespace vrnnec::coat {

// The inductance (H/m) of a wire of radius `wireRadius` in a coat of radius `coatRadius`
// (both in the same unit) and relative permittivity `permittivity`, the permittivity
// taken at 0.95 * 0.95 of its nominal value:
// ln(Rc / Rw) * (1 - 1 / (Eps * 0.95 * 0.95)) * 2E-7.
double coatInductance(double coatRadius, double wireRadius, double permittivity);

} // namespace vrnnec::coat
