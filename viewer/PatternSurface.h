// The radiation pattern as a closed surface around the structure: for every direction
// of a full pattern table a point at a distance that grows linearly with the total gain
// in dB, from the centre at a floor 30 dB below the maximum (gains below the floor stay
// at the centre) to 1 at the maximum, coloured by gain from blue (floor) to red
// (maximum). Plain data, built once per pattern; the scene places and scales it.
#pragma once

#include "engine/ListingData.h"
#include "viewer/Scene.h"
#include "viewer/ViewerModel.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace vrnnec::viewer {

// The range of the surface below the maximum, dB.
inline constexpr double kPatternRange = 30;
// The lattice lines on the surface stand at least this far apart, degrees.
inline constexpr double kLatticeSpacing = 15;

inline constexpr const char* kPatternGridMessage =
    "The radiation pattern table does not cover a regular grid of directions.";

struct PatternSurface {
    // Per vertex: the point (the maximum gain at distance 1 from the centre) and colour.
    std::vector<Vec3> points;
    std::vector<Colour> colours;
    // Triangles over the vertices, counter-clockwise seen from outside, closing the
    // surface: over ground (THETA up to 90 only) a flat base through the centre closes
    // the upper half-space.
    std::vector<std::array<int, 3>> triangles;
    // The lattice: pairs of vertices along THETA rows and PHI columns about
    // kLatticeSpacing degrees apart.
    std::vector<std::array<int, 2>> lattice;

    double maxGain = 0;    // dBi, the largest total gain
    double thetaOfMax = 0; // its direction (the first in the table's order among equals)
    double phiOfMax = 0;
    bool upperHalfOnly = false;
    // The maximum against the gain at the same THETA and PHI + 180 degrees, both raised
    // to the floor (so at most 30 dB); empty when the table lacks that direction.
    std::optional<double> frontToBack;
};

struct PatternSurfaceResult {
    std::optional<PatternSurface> surface;
    std::string message; // why there is none
};

// The surface of the rows of a full pattern table (every THETA at every PHI, as the
// listing gives them; angles in degrees, NEC-2's directions: THETA from the zenith, PHI
// from the X axis towards Y).
PatternSurfaceResult BuildPatternSurface(const std::vector<engine::PatternTableRow>& rows);

// The colour of a point at `fraction` of the way from the floor (0, blue) to the
// maximum (1, red), through cyan, green and yellow.
Colour GainColour(double fraction);

// "Max Gain: 7.92 dBi at theta 60 deg, phi 0 deg", the numbers with `separator` as the
// decimal separator.
std::string PatternMaxText(const PatternSurface& surface, char separator = '.');
// "F/B: 12.34 dB", or "F/B: NA" without the back direction.
std::string PatternFrontToBackText(const PatternSurface& surface);

// The opacity of the surface's faces: the structure inside stays visible.
inline constexpr float kPatternFaceAlpha = 0.35f;

// The size of the surface's maximum in view units (before the image zoom).
inline constexpr double kPatternViewRadius = 0.9;

// Adds the surface to a scene: translucent filled triangles and the lattice lines, the
// centre at `centre` (view units), the radius kPatternViewRadius times `imageZoom`. The
// surface goes before the wires so that they stay visible through it.
void AddPatternSurface(Scene& scene, const PatternSurface& surface, const Vec3& centre, double imageZoom);

// The centre of a fitted model's structure: the middle of its box (view units).
Vec3 StructureCentre(const ViewerModel& model);

} // namespace vrnnec::viewer
