#include "viewer/PatternSurface.h"

#include "common/NumberText.h"
#include "viewer/ViewFit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vrnnec::viewer {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kAngleTolerance = 1e-6;

// The distinct values of a list, ascending.
std::vector<double> distinct(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end(),
                             [](double a, double b) { return std::fabs(a - b) < kAngleTolerance; }),
                 values.end());
    return values;
}

int indexOf(const std::vector<double>& values, double v)
{
    const auto it = std::lower_bound(values.begin(), values.end(), v - kAngleTolerance);
    if (it == values.end() || std::fabs(*it - v) >= kAngleTolerance)
        return -1;
    return static_cast<int>(it - values.begin());
}

// Evenly spaced, ascending values.
bool evenlySpaced(const std::vector<double>& values)
{
    for (std::size_t k = 2; k < values.size(); ++k)
        if (std::fabs((values[k] - values[k - 1]) - (values[1] - values[0])) > 1e-6)
            return false;
    return true;
}

Colour mix(const Colour& a, const Colour& b, double t)
{
    const auto f = static_cast<float>(t);
    return {a.r + (b.r - a.r) * f, a.g + (b.g - a.g) * f, a.b + (b.b - a.b) * f, 1};
}

} // namespace

Colour GainColour(double fraction)
{
    static constexpr Colour kStops[] = {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 1, 0, 1}, {1, 1, 0, 1}, {1, 0, 0, 1}};
    const double t = std::clamp(std::isnan(fraction) ? 0.0 : fraction, 0.0, 1.0) * 4;
    const int k = std::min(static_cast<int>(t), 3);
    return mix(kStops[k], kStops[k + 1], t - k);
}

PatternSurfaceResult BuildPatternSurface(const std::vector<engine::PatternTableRow>& rows)
{
    PatternSurfaceResult result;
    std::vector<double> thetaValues, phiValues;
    thetaValues.reserve(rows.size());
    phiValues.reserve(rows.size());
    for (const engine::PatternTableRow& row : rows) {
        const engine::PatternRow& v = row.values;
        if (!v.theta || !v.phi || !v.totalGain || !std::isfinite(*v.totalGain) || *v.theta < -kAngleTolerance
            || *v.theta > 180 + kAngleTolerance) {
            result.message = kPatternGridMessage;
            return result;
        }
        thetaValues.push_back(*v.theta);
        phiValues.push_back(*v.phi);
    }
    const std::vector<double> thetas = distinct(std::move(thetaValues));
    const std::vector<double> phis = distinct(std::move(phiValues));
    const std::size_t nt = thetas.size(), np = phis.size();
    if (nt < 2 || np < 3 || rows.size() != nt * np || !evenlySpaced(thetas) || !evenlySpaced(phis)) {
        result.message = kPatternGridMessage;
        return result;
    }

    // Gains on the grid; every direction once.
    std::vector<double> gain(nt * np, 0);
    std::vector<char> seen(nt * np, 0);
    PatternSurface s;
    bool first = true;
    for (const engine::PatternTableRow& row : rows) {
        const int i = indexOf(thetas, *row.values.theta), j = indexOf(phis, *row.values.phi);
        const std::size_t k = static_cast<std::size_t>(i) * np + static_cast<std::size_t>(j);
        if (seen[k]) {
            result.message = kPatternGridMessage;
            return result;
        }
        seen[k] = 1;
        gain[k] = *row.values.totalGain;
        if (first || gain[k] > s.maxGain) {
            s.maxGain = gain[k];
            s.thetaOfMax = *row.values.theta;
            s.phiOfMax = *row.values.phi;
            first = false;
        }
    }
    const double floor = s.maxGain - kPatternRange;
    const auto fraction = [floor](double g) { return g > floor ? (g - floor) / kPatternRange : 0.0; };

    // The front-to-back ratio at the maximum's THETA.
    const double step = phis[1] - phis[0];
    const bool wraps = std::fabs(phis.back() + step - phis.front() - 360) < 1e-6;
    const int back = indexOf(phis, std::fmod(s.phiOfMax + 180, 360));
    if (back >= 0) {
        const std::size_t k =
            static_cast<std::size_t>(indexOf(thetas, s.thetaOfMax)) * np + static_cast<std::size_t>(back);
        s.frontToBack = s.maxGain - std::max(gain[k], floor);
    }

    // Vertices: one per grid point, one for each pole, and the centre when a base or a
    // cap closes the surface.
    const bool northPole = std::fabs(thetas.front()) < kAngleTolerance;
    const bool southPole = std::fabs(thetas.back() - 180) < kAngleTolerance;
    s.upperHalfOnly = thetas.back() <= 90 + kAngleTolerance;
    std::vector<int> index(nt * np, -1);
    const auto addVertex = [&s](const Vec3& p, double f) {
        s.points.push_back(p);
        s.colours.push_back(GainColour(f));
        return static_cast<int>(s.points.size()) - 1;
    };
    s.points.reserve(nt * np + 1);
    s.colours.reserve(nt * np + 1);
    for (std::size_t i = 0; i < nt; ++i) {
        const bool pole = (i == 0 && northPole) || (i + 1 == nt && southPole);
        const double st = std::sin(thetas[i] * kDegree), ct = std::cos(thetas[i] * kDegree);
        for (std::size_t j = 0; j < np; ++j) {
            if (pole && j > 0) {
                index[i * np + j] = index[i * np];
                continue;
            }
            const double f = fraction(gain[i * np + j]);
            const double ph = phis[j] * kDegree;
            index[i * np + j] = addVertex({f * st * std::cos(ph), f * st * std::sin(ph), f * ct}, f);
        }
    }
    const bool needsCentre = !northPole || !southPole;
    const int centre = needsCentre ? addVertex({0, 0, 0}, 0) : -1;

    // Triangles between neighbouring THETA rows, PHI wrapping round when the table
    // covers the whole circle.
    const std::size_t columns = wraps ? np : np - 1;
    auto v = [&](std::size_t i, std::size_t j) { return index[i * np + j % np]; };
    s.triangles.reserve(2 * (nt - 1) * columns + 2 * columns);
    for (std::size_t i = 0; i + 1 < nt; ++i) {
        for (std::size_t j = 0; j < columns; ++j) {
            const int a = v(i, j), b = v(i, j + 1), c = v(i + 1, j + 1), d = v(i + 1, j);
            if (c != d) // not the southern pole
                s.triangles.push_back({a, d, c});
            if (a != b) // not the northern pole
                s.triangles.push_back({a, c, b});
        }
    }
    // Caps through the centre where the table stops short of a pole.
    if (wraps) {
        for (std::size_t j = 0; j < columns; ++j) {
            if (!northPole)
                s.triangles.push_back({centre, v(0, j), v(0, j + 1)});
            if (!southPole)
                s.triangles.push_back({centre, v(nt - 1, j + 1), v(nt - 1, j)});
        }
    }
    // The lattice: the THETA rows and PHI columns at about kLatticeSpacing apart, each
    // at the grid's full resolution.
    const auto every = [](double gridStep) {
        return static_cast<std::size_t>(std::max(1.0, std::ceil(kLatticeSpacing / gridStep - 1e-9)));
    };
    const std::size_t rowEvery = every(thetas[1] - thetas[0]), columnEvery = every(step);
    for (std::size_t i = 0; i < nt; ++i)
        for (std::size_t j = 0; j < np; ++j) {
            if (i % rowEvery == 0 && j < columns && v(i, j) != v(i, j + 1))
                s.lattice.push_back({v(i, j), v(i, j + 1)});
            if (j % columnEvery == 0 && i + 1 < nt)
                s.lattice.push_back({v(i, j), v(i + 1, j)});
        }
    result.surface = std::move(s);
    return result;
}

std::string PatternMaxText(const PatternSurface& surface, char separator)
{
    const auto number = [separator](std::string text) {
        std::replace(text.begin(), text.end(), '.', separator);
        return text;
    };
    return "Max Gain: " + number(numtext::fixed(surface.maxGain, 4, 2)) + " dBi at theta "
        + number(numtext::general(surface.thetaOfMax)) + " deg, phi " + number(numtext::general(surface.phiOfMax))
        + " deg";
}

std::string PatternFrontToBackText(const PatternSurface& surface)
{
    return "F/B: " + (surface.frontToBack ? numtext::fixed(*surface.frontToBack, 4, 2) + " dB" : std::string("NA"));
}

Vec3 StructureCentre(const ViewerModel& model)
{
    const auto [low, high] = BoxOf(model);
    if (low[0] > high[0])
        return {0, 0, 0};
    return {(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
}

void AddPatternSurface(Scene& scene, const PatternSurface& surface, const Vec3& centre, double imageZoom)
{
    std::vector<Vertex> placed;
    placed.reserve(surface.points.size());
    for (const Vec3& p : surface.points)
        placed.push_back({static_cast<float>((centre[0] + p[0] * kPatternViewRadius) * imageZoom),
                          static_cast<float>((centre[1] + p[1] * kPatternViewRadius) * imageZoom),
                          static_cast<float>((centre[2] + p[2] * kPatternViewRadius) * imageZoom)});

    // One primitive of the vertices the index groups list, in their colours at `alpha`.
    const auto primitive = [&](PrimitiveKind kind, const auto& groups, float alpha) {
        Primitive p;
        p.kind = kind;
        p.vertices.reserve(groups.size() * 3);
        p.colours.reserve(p.vertices.capacity());
        for (const auto& group : groups)
            for (int k : group) {
                p.vertices.push_back(placed[static_cast<std::size_t>(k)]);
                Colour c = surface.colours[static_cast<std::size_t>(k)];
                c.a = alpha;
                p.colours.push_back(c);
            }
        scene.primitives.push_back(std::move(p));
    };
    primitive(PrimitiveKind::Triangles, surface.triangles, kPatternFaceAlpha);
    primitive(PrimitiveKind::Lines, surface.lattice, 1.0f);
}

} // namespace vrnnec::viewer
