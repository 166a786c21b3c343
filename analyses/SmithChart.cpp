#include "analyses/SmithChart.h"

#include <cmath>
#include <numbers>

namespace vrnnec::analyses {

SmithPoint SmithPosition(double r, double x, double reference)
{
    const std::complex<double> z(r / reference, x / reference);
    const std::complex<double> gamma = (z - 1.0) / (z + 1.0);
    return {gamma.real(), gamma.imag()};
}

SmithCircle ResistanceCircle(double r)
{
    return {r / (1 + r), 0, 1 / (1 + r)};
}

SmithCircle ReactanceCircle(double x)
{
    return {1, 1 / x, 1 / std::fabs(x)};
}

SmithCircle SwrCircle(double s)
{
    return {0, 0, (s - 1) / (s + 1)};
}

SmithLine ReactanceArc(double x, int samples)
{
    // r runs over 0 .. infinity through t = r / (1 + r) in 0 .. 1.
    SmithLine line;
    for (int k = 0; k < samples; ++k) {
        const double t = static_cast<double>(k) / (samples - 1);
        if (t >= 1) {
            line.push_back({1, 0});
            break;
        }
        line.push_back(SmithPosition(t / (1 - t), x, 1));
    }
    return line;
}

SmithLine CircleLine(const SmithCircle& circle, int samples)
{
    SmithLine line;
    for (int k = 0; k <= samples; ++k) {
        const double a = 2 * std::numbers::pi * k / samples;
        line.push_back({circle.cu + circle.radius * std::cos(a), circle.cv + circle.radius * std::sin(a)});
    }
    return line;
}

SmithGrid MakeSmithGrid()
{
    SmithGrid grid;
    grid.resistanceValues = {0, 0.2, 0.5, 1, 2, 5};
    grid.reactanceValues = {0.2, 0.5, 1, 2, 5, -0.2, -0.5, -1, -2, -5};
    for (double r : grid.resistanceValues)
        grid.resistance.push_back(CircleLine(ResistanceCircle(r)));
    for (double x : grid.reactanceValues)
        grid.reactance.push_back(ReactanceArc(x));
    grid.realAxis = {{-1, 0}, {1, 0}};
    return grid;
}

std::vector<SmithPoint> SweepSmithPoints(const std::vector<SweepPointValues>& values, bool admittance,
                                         double reference)
{
    std::vector<SmithPoint> points;
    for (const SweepPointValues& v : values) {
        if (!v.r || !v.x)
            continue;
        const std::complex<double> read(*v.r, *v.x);
        const std::complex<double> z = admittance ? 1.0 / read : read;
        if (std::isfinite(z.real()) && std::isfinite(z.imag()))
            points.push_back(SmithPosition(z.real(), z.imag(), reference));
    }
    return points;
}

} // namespace vrnnec::analyses
