#include "app/AngleBarPositions.h"

#include "common/NumberText.h"

#include <cmath>

namespace vrnnec {

namespace anglebars {

namespace {

// round(value) rem modulus, with the sign of the value. Values beyond 1e18 are whole
// numbers already and are reduced without the integer conversion.
long long roundedRemainder(double value, int modulus)
{
    if (std::fabs(value) < 1e18)
        return numtext::roundHalfEven(value) % modulus;
    return static_cast<long long>(std::fmod(value, modulus));
}

} // namespace

long long elevationPosition(double elevation)
{
    const long long r = roundedRemainder(elevation, 180);
    return (r >= 0 && r <= 90) ? r : 180 - r;
}

long long azimuthPosition(double azimuth)
{
    return roundedRemainder(azimuth, 360);
}

int clampPosition(long long position, int minimum, int maximum)
{
    if (position < minimum)
        return minimum;
    if (position > maximum)
        return maximum;
    return static_cast<int>(position);
}

} // namespace anglebars

} // namespace vrnnec
