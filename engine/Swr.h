// Standing wave ratio of an input impedance against the reference impedance of a run.
#pragma once

#include <string>

namespace vrnnec::engine {

// Reference impedance R0 + jX0 of the SWR, in ohm.
struct SwrReference {
    double r = 0.0;
    double x = 0.0;
};

// SWR of R + jX against `reference`. When both parts of the reference are exactly 0,
// the reference becomes 50 + j0 first (the stored value changes). The SWR has no finite
// value when the reflection coefficient (Z - Z0)/(Z + Z0) has magnitude 1 or more, or
// cannot be computed (for instance R <= 0 against a real reference, or Z = -Z0): the
// result is then +infinity, never a negative or absurd number.
double ComputeSwr(double r, double x, SwrReference& reference);

// True when the reference is exactly 50 + j0 (the SWR cell then carries no "*").
bool IsStandardSwrReference(const SwrReference& reference);

// Text of an SWR in the results: fixed(7, 2), or "inf" when it has no finite value.
std::string SwrText(double swr);

} // namespace vrnnec::engine