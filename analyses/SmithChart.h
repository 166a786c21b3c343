// The geometry of a Smith chart as plain data: impedances as reflection coefficients
// against a real reference, the resistance and reactance circles of the grid (as
// polylines clipped to the unit circle) and the circle of a constant SWR.
#pragma once

#include "analyses/SweepChart.h"

#include <complex>
#include <vector>

namespace vrnnec::analyses {

struct SmithPoint {
    double u = 0, v = 0; // real and imaginary part of the reflection coefficient
};

// The reflection coefficient of R + jX normalised to `reference` (ohm, above 0).
SmithPoint SmithPosition(double r, double x, double reference);

// The chart's points of a sweep's values in frequency order: R + jX, or, when the values
// were read as admittance G + jB, Z = 1 / (G + jB). Points without both values, or whose
// Z has no finite value, are left out.
std::vector<SmithPoint> SweepSmithPoints(const std::vector<SweepPointValues>& values, bool admittance,
                                         double reference);

struct SmithCircle {
    double cu = 0, cv = 0, radius = 0;
};

// The circle of the normalised resistance r (r >= 0): centre (r/(1+r), 0), radius 1/(1+r).
SmithCircle ResistanceCircle(double r);
// The circle of the normalised reactance x (x != 0): centre (1, 1/x), radius 1/|x|.
SmithCircle ReactanceCircle(double x);
// The circle of a constant SWR s (s >= 1): centre 0, radius (s-1)/(s+1).
SmithCircle SwrCircle(double s);

// A polyline of the grid, all points on or inside the unit circle.
using SmithLine = std::vector<SmithPoint>;

// The arc of the reactance circle x inside the unit circle, from the rim (r = 0) to the
// point 1 + j0 (r infinite), `samples` points.
SmithLine ReactanceArc(double x, int samples = 64);
// The whole resistance circle r, `samples` points.
SmithLine CircleLine(const SmithCircle& circle, int samples = 96);

// The usual grid: resistance circles 0, 0.2, 0.5, 1, 2, 5; reactance arcs ±0.2, ±0.5,
// ±1, ±2, ±5; the real axis.
struct SmithGrid {
    std::vector<SmithLine> resistance;
    std::vector<SmithLine> reactance;
    std::vector<double> resistanceValues, reactanceValues;
    SmithLine realAxis;
};
SmithGrid MakeSmithGrid();

} // namespace vrnnec::analyses
