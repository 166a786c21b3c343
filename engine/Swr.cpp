#include "engine/Swr.h"

#include "common/NumberText.h"

#include <cmath>
#include <limits>

namespace vrnnec::engine {

double ComputeSwr(double r, double x, SwrReference& reference)
{
    if (reference.r == 0.0 && reference.x == 0.0)
        reference.r = 50.0;
    const double a = reference.r;
    const double b = reference.x;
    const double g = a * a + b * b;
    // Z / Z0 = h + je
    const double h = (r * a + x * b) / g;
    const double e = (a * x - r * b) / g;
    const double reflection = std::sqrt(((h - 1) * (h - 1) + e * e) / ((h + 1) * (h + 1) + e * e));
    if (!std::isfinite(reflection) || reflection >= 1.0)
        return std::numeric_limits<double>::infinity();
    return (1 + reflection) / (1 - reflection);
}

bool IsStandardSwrReference(const SwrReference& reference)
{
    return reference.r == 50.0 && reference.x == 0.0;
}

std::string SwrText(double swr)
{
    if (!std::isfinite(swr))
        return "inf";
    return numtext::fixed(swr, 7, 2);
}

} // namespace vrnnec::engine