// The pattern surface as scene data: an isotropic pattern gives a sphere, a dipole's the
// doughnut with its null along the wire, a pattern over ground the upper half closed by
// its base; every surface is a closed mesh.
#include "ViewerListings.h"

#include "engine/ListingParse.h"
#include "viewer/PatternSurface.h"
#include "viewer/Scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <numbers>

using namespace vrnnec;
using namespace vrnnec::viewer;

namespace {

using Rows = std::vector<engine::PatternTableRow>;

// A table in the listing's order (PHI outside, THETA inside) of `gain(theta, phi)`.
template <typename Gain>
Rows table(int step, double lastTheta, Gain gain)
{
    Rows rows;
    for (int phi = 0; phi < 360; phi += step)
        for (int theta = 0; theta <= lastTheta; theta += step) {
            engine::PatternTableRow row;
            row.values.theta = theta;
            row.values.phi = phi;
            row.values.totalGain = gain(theta, phi);
            rows.push_back(row);
        }
    return rows;
}

Rows listingTable(const std::string& relative)
{
    engine::ParseOptions options;
    options.fullPattern = true;
    const engine::ListingData data = engine::ParseListing(viewertest::dataPath(relative), options);
    EXPECT_TRUE(data.complete()) << data.message;
    return data.blocks.empty() ? Rows{} : data.blocks.front().fullPattern;
}

double length(const Vec3& p)
{
    return std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
}

// Closed and consistently oriented: every edge is met once in each direction.
::testing::AssertionResult closedMesh(const PatternSurface& s)
{
    std::map<std::pair<int, int>, int> edges;
    for (const auto& t : s.triangles)
        for (int k = 0; k < 3; ++k)
            ++edges[{t[k], t[(k + 1) % 3]}];
    for (const auto& [edge, count] : edges) {
        if (count != 1)
            return ::testing::AssertionFailure() << "edge " << edge.first << "-" << edge.second << " used " << count;
        const auto back = edges.find({edge.second, edge.first});
        if (back == edges.end())
            return ::testing::AssertionFailure() << "edge " << edge.first << "-" << edge.second << " open";
    }
    return ::testing::AssertionSuccess();
}

// The outward side: the triangle's normal points away from the centre (skipped for
// triangles of no area).
int inwardTriangles(const PatternSurface& s)
{
    int inward = 0;
    for (const auto& t : s.triangles) {
        const Vec3 &a = s.points[t[0]], &b = s.points[t[1]], &c = s.points[t[2]];
        const Vec3 u{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        const Vec3 n{u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const Vec3 m{(a[0] + b[0] + c[0]) / 3, (a[1] + b[1] + c[1]) / 3, (a[2] + b[2] + c[2]) / 3};
        if (length(n) > 1e-9 && n[0] * m[0] + n[1] * m[1] + n[2] * m[2] < -1e-12)
            ++inward;
    }
    return inward;
}

} // namespace

TEST(PatternSurface, AnIsotropicPatternGivesARedSphere)
{
    const PatternSurfaceResult r = BuildPatternSurface(table(10, 180, [](int, int) { return 1.5; }));
    ASSERT_TRUE(r.surface) << r.message;
    const PatternSurface& s = *r.surface;
    // 17 rings of 36 points and the two poles.
    EXPECT_EQ(s.points.size(), 17u * 36u + 2u);
    for (std::size_t k = 0; k < s.points.size(); ++k) {
        EXPECT_NEAR(length(s.points[k]), 1.0, 1e-12) << k;
        EXPECT_EQ(s.colours[k], colours::kRed) << k;
    }
    EXPECT_FALSE(s.upperHalfOnly);
    EXPECT_EQ(s.maxGain, 1.5);
    EXPECT_EQ(s.thetaOfMax, 0);
    EXPECT_EQ(s.phiOfMax, 0);
    EXPECT_EQ(s.frontToBack, 0.0);
    EXPECT_TRUE(closedMesh(s));
    EXPECT_EQ(inwardTriangles(s), 0);
    // Euler: a sphere has V - E + F = 2.
    EXPECT_EQ(static_cast<long>(s.points.size()) - static_cast<long>(s.triangles.size()) * 3 / 2
                  + static_cast<long>(s.triangles.size()),
              2);
    EXPECT_EQ(PatternMaxText(s), "Max Gain: 1.50 dBi at theta 0 deg, phi 0 deg");
}

TEST(PatternSurface, ADipolesDoughnutHasItsNullAlongTheWire)
{
    // A half-wave dipole along Y in free space, computed by the engine at 15 degrees.
    const PatternSurfaceResult r = BuildPatternSurface(listingTable("pattern/dipole_free_15.out"));
    ASSERT_TRUE(r.surface) << r.message;
    const PatternSurface& s = *r.surface;
    EXPECT_TRUE(closedMesh(s));
    EXPECT_EQ(inwardTriangles(s), 0);
    EXPECT_NEAR(s.maxGain, 2.15, 0.01);
    for (const Vec3& p : s.points)
        ASSERT_LE(length(p), 1.0 + 1e-12);
    // THETA 90 at PHI 90 and 270 (along the wire, ring 6) lie at the centre; THETA 90
    // at PHI 0 and 180, and every ring at PHI 0 and 180 (across the wire), at the
    // maximum distance.
    const double alongWire = std::max(length(s.points[1 + 5 * 24 + 6]), length(s.points[1 + 5 * 24 + 18]));
    double broadside = 2;
    for (std::size_t ring = 1; ring <= 11; ++ring)
        for (std::size_t column : {0u, 12u})
            broadside = std::min(broadside, length(s.points[1 + (ring - 1) * 24 + column]));
    EXPECT_LT(alongWire, 0.05);    // the null along the wire: at (or next to) the centre
    EXPECT_GT(broadside, 0.99);    // all round the wire the maximum
    EXPECT_EQ(s.frontToBack, 0.0); // symmetric
    EXPECT_FALSE(s.upperHalfOnly);
}

TEST(PatternSurface, OverGroundTheUpperHalfClosedByItsBase)
{
    const PatternSurfaceResult r = BuildPatternSurface(listingTable("pattern/dipole_perfect_15.out"));
    ASSERT_TRUE(r.surface) << r.message;
    const PatternSurface& s = *r.surface;
    EXPECT_TRUE(s.upperHalfOnly);
    EXPECT_TRUE(closedMesh(s));
    EXPECT_EQ(inwardTriangles(s), 0);
    for (const Vec3& p : s.points)
        EXPECT_GE(p[2], -1e-12);
    // Over perfect ground 10 m high the maximum is 7.92 dBi at 30 degrees elevation.
    EXPECT_NEAR(s.maxGain, 7.92, 1e-9);
    EXPECT_EQ(s.thetaOfMax, 60);
    EXPECT_EQ(PatternMaxText(s), "Max Gain: 7.92 dBi at theta 60 deg, phi 0 deg");
    EXPECT_EQ(PatternMaxText(s, ','), "Max Gain: 7,92 dBi at theta 60 deg, phi 0 deg");
    EXPECT_EQ(PatternFrontToBackText(s), "F/B: 0.00 dB");
    // The base: triangles through the centre in the ground plane.
    int base = 0;
    for (const auto& t : s.triangles)
        if (s.points[t[0]] == Vec3{0, 0, 0} && s.points[t[1]][2] == 0 && s.points[t[2]][2] < 1e-12)
            ++base;
    EXPECT_EQ(base, 24);
}

TEST(PatternSurface, DistanceGrowsLinearlyFromTheFloorAndColoursFollow)
{
    // Gains falling off with THETA: 0 dBi at the zenith, -3 dB per 10 degrees.
    const PatternSurfaceResult r = BuildPatternSurface(table(10, 180, [](int theta, int) { return -0.3 * theta; }));
    ASSERT_TRUE(r.surface) << r.message;
    const PatternSurface& s = *r.surface;
    struct Case {
        std::size_t vertex; // ring i at phi 0: vertex 1 + (i - 1) * 36
        double distance;
    };
    // theta 10: -3 dB -> 27/30; theta 50: -15 dB -> 0.5; theta 100: -30 dB (the floor)
    // and theta 150: -45 dB (below it) at the centre.
    const Case cases[] = {{0, 1.0}, {1, 0.9}, {1 + 4 * 36, 0.5}, {1 + 9 * 36, 0.0}, {1 + 14 * 36, 0.0}};
    for (const Case& c : cases)
        EXPECT_NEAR(length(s.points[c.vertex]), c.distance, 1e-12) << c.vertex;
    EXPECT_EQ(s.colours[0], colours::kRed);
    EXPECT_EQ(s.colours[1 + 14 * 36], colours::kBlue);
    EXPECT_EQ(s.colours[1 + 4 * 36], colours::kGreen);
    // The back is at the floor: F/B at most 30 dB.
    const PatternSurfaceResult tilted =
        BuildPatternSurface(table(10, 180, [](int theta, int phi) { return phi == 180 ? -80.0 : 0.0 * theta; }));
    ASSERT_TRUE(tilted.surface);
    EXPECT_EQ(tilted.surface->frontToBack, 30.0);
}

TEST(PatternSurface, GainColourRunsFromBlueThroughGreenToRed)
{
    struct Case {
        double fraction;
        Colour colour;
    };
    const Case cases[] = {{-1, colours::kBlue},   {0, colours::kBlue},      {0.25, {0, 1, 1, 1}},
                          {0.5, colours::kGreen}, {0.75, colours::kYellow}, {1, colours::kRed},
                          {2, colours::kRed},     {0.125, {0, 0.5f, 1, 1}}};
    for (const Case& c : cases)
        EXPECT_EQ(GainColour(c.fraction), c.colour) << c.fraction;
}

TEST(PatternSurface, ATableThatIsNoGridIsRefused)
{
    Rows missing = table(30, 180, [](int, int) { return 0.0; });
    missing.pop_back();
    Rows doubled = table(30, 180, [](int, int) { return 0.0; });
    doubled[1].values.theta = 0;
    Rows unread = table(30, 180, [](int, int) { return 0.0; });
    unread[3].values.totalGain.reset();
    Rows uneven = table(30, 180, [](int, int) { return 0.0; });
    for (engine::PatternTableRow& row : uneven)
        if (*row.values.theta == 60)
            row.values.theta = 70;
    const Rows none;
    for (const Rows* rows : std::vector<const Rows*>{&missing, &doubled, &unread, &uneven, &none}) {
        const PatternSurfaceResult r = BuildPatternSurface(*rows);
        EXPECT_FALSE(r.surface);
        EXPECT_EQ(r.message, kPatternGridMessage);
    }
}

TEST(PatternSurface, TheSceneCarriesTheSurfaceAroundTheStructureBeforeTheWires)
{
    const PatternSurfaceResult r = BuildPatternSurface(table(30, 90, [](int, int) { return 0.0; }));
    ASSERT_TRUE(r.surface);
    ViewerModel model;
    model.SegmentCount = 1;
    model.End1 = {{0.2, 0, 0.1}};
    model.End2 = {{0.4, 0, 0.3}};
    model.SegmentTag = {1};
    model.SlopeClass = {1};
    model.CurrentSize = {0};
    model.CurrentSign = {1};
    SceneState state;
    state.imageZoom = 2;
    const std::size_t without = BuildScene(model, state).primitives.size();
    state.pattern = &*r.surface;
    const Scene scene = BuildScene(model, state);
    ASSERT_EQ(scene.primitives.size(), without + 2);
    const Primitive& faces = scene.primitives[2];
    EXPECT_EQ(faces.kind, PrimitiveKind::Triangles);
    EXPECT_EQ(faces.vertices.size(), r.surface->triangles.size() * 3);
    ASSERT_EQ(faces.colours.size(), faces.vertices.size());
    EXPECT_FLOAT_EQ(faces.colours.front().a, kPatternFaceAlpha);
    EXPECT_EQ(scene.primitives[3].kind, PrimitiveKind::Lines);
    EXPECT_EQ(scene.primitives[3].vertices.size(), r.surface->lattice.size() * 2);
    // The zenith point: the structure's centre (0.3, 0, 0.2) raised by 0.9, all zoomed by 2.
    const Vertex zenith = faces.vertices.front();
    EXPECT_FLOAT_EQ(zenith[0], 0.6f);
    EXPECT_FLOAT_EQ(zenith[1], 0.0f);
    EXPECT_FLOAT_EQ(zenith[2], 2.2f);
    // The wires come after the surface.
    EXPECT_EQ(scene.primitives[4].colour, colours::kBlack);
}

TEST(PatternSurface, LatticeLinesAboutFifteenDegreesApart)
{
    struct Case {
        int step;
        std::size_t rings, meridians; // lattice rings (poles left out) and meridians
    };
    // 5 degrees: rings every 15 degrees from 15 to 165, 24 meridians of 36 segments.
    // 30 degrees: every ring and meridian.
    const Case cases[] = {{5, 11, 24}, {30, 5, 12}, {15, 11, 24}};
    for (const Case& c : cases) {
        const PatternSurfaceResult r = BuildPatternSurface(table(c.step, 180, [](int, int) { return 0.0; }));
        ASSERT_TRUE(r.surface);
        const std::size_t columns = 360 / static_cast<std::size_t>(c.step);
        const std::size_t segments = 180 / static_cast<std::size_t>(c.step);
        EXPECT_EQ(r.surface->lattice.size(), c.rings * columns + c.meridians * segments) << c.step;
    }
}
