// The wire list and text, the fit into view units, the zooms, the view transform and the
// scene the window replays.
#include "ViewerListings.h"

#include "viewer/Scene.h"
#include "viewer/ViewFit.h"
#include "viewer/ViewTransform.h"
#include "viewer/ViewerModel.h"

#include <gtest/gtest.h>

using namespace vrnnec;
using namespace vrnnec::viewer;
using viewertest::ListingBuilder;
using viewertest::wire;

namespace {

ViewerModel model(const std::vector<viewertest::SegmentSpec>& rows, const std::string& name)
{
    return ReadViewerModel(ListingBuilder().segments(rows).write(name));
}

std::vector<viewertest::SegmentSpec> tags(std::initializer_list<int> list, double radius = 0.001)
{
    std::vector<viewertest::SegmentSpec> rows;
    for (int tag : list)
        rows.push_back({0, static_cast<double>(rows.size()) + 0.5, 0, 1, 0, 90, radius, tag});
    return rows;
}

// The last primitive of this kind and colour (the axis letters come first).
const Primitive* find(const Scene& scene, PrimitiveKind kind, Colour colour)
{
    const Primitive* found = nullptr;
    for (const Primitive& p : scene.primitives)
        if (p.kind == kind && p.colour == colour)
            found = &p;
    return found;
}

} // namespace

TEST(WireList, DistinctTagsInOrderOfFirstAppearance)
{
    EXPECT_EQ(FillWireList(model(tags({3, 3, 1, 3, 2, 1}), "list.txo")), (std::vector<std::string>{"3", "1", "2"}));
}

TEST(WireInfo, TextOfTheSelectedWire)
{
    std::vector<viewertest::SegmentSpec> rows = tags({1, 2, 1, 5});
    rows[3].radius = 0.0025;
    rows.push_back({0, 9, 0, 1, 0, 90, 0.003, 5});
    const ViewerModel m = model(rows, "info.txo");
    // A split tag counts every segment from its first to its last.
    EXPECT_EQ(WireInfoText(m, 1, '.'), "Length=3.000; Segments=3; SegLength=1.000; Rad=0.0010");
    EXPECT_EQ(WireInfoText(m, 5, ','), "Length=2,000; Segments=2; SegLength=1,000; Rad1=0,0025; Rad2=0,0030");
    EXPECT_EQ(WireInfoText(m, 4, '.'), "");
}

TEST(WireSelection, TextIsNormalised)
{
    const ViewerModel m = model(tags({7, 8}), "select.txo");
    const ViewerModel none;
    struct Case {
        const char* text;
        const ViewerModel* model;
        const char* expected;
    } cases[] = {{" 8 ", &m, "8"}, {"+3", &m, "3"}, {"007", &m, "7"}, {"-2", &m, "-2"},
                 {"abc", &m, "7"}, {"", &m, "7"},   {"1.5", &m, "7"}, {"x", &none, "1"}};
    for (const Case& c : cases)
        EXPECT_EQ(NormaliseWireSelection(c.text, *c.model), c.expected) << "'" << c.text << "'";
}

TEST(Zoom, FactorsOfTheControls)
{
    const std::pair<int, double> cases[] = {{0, 0}, {5, 0.5}, {10, 1}, {20, 2}, {200, 20}};
    for (auto [position, factor] : cases)
        EXPECT_DOUBLE_EQ(ZoomFactor(position), factor) << position;
}

TEST(Fit, ModesPlaceTheStructure)
{
    // One wire from (0, 0, 10) to (0, 4, 13): box 0 x 4 x 3, diagonal 5, v = 3.75.
    const std::vector<viewertest::SegmentSpec> rows = {{0, 2, 11.5, 5, 36.86989765, 90, 0.001, 1}};
    struct Case {
        ViewMode mode;
        double y1, z1;
    } cases[] = {
        {ViewMode::Center, -2 / 3.75, -1.5 / 3.75}, {ViewMode::ZAdjusted, 0, 0}, {ViewMode::RealView, 0, 10 / 3.75}};
    for (const Case& c : cases) {
        ViewerModel m = model(rows, "fit.txo");
        FitModelToView(m, c.mode);
        ASSERT_EQ(m.ReadError, 0);
        EXPECT_NEAR(m.End1[0][1], c.y1, 1e-6);
        EXPECT_NEAR(m.End1[0][2], c.z1, 1e-6);
        EXPECT_NEAR(m.End2[0][2] - m.End1[0][2], 3 / 3.75, 1e-6);
    }
}

TEST(Fit, FittedModelRefitsUnchangedAndCurrentsBecomeDrawingLengths)
{
    ViewerModel m = ReadViewerModel(ListingBuilder()
                                        .segments(wire(4, 1, 5))
                                        .currents({{1, 1, 2, 0}, {2, 1, 4, 0}, {3, 1, 1, 0}, {4, 1, 0, 0}})
                                        .write("refit.txo"));
    FitModelToView(m, ViewMode::ZAdjusted);
    const double expected[] = {0.2, 0.4, 0.1, 0};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(m.CurrentSize[i], expected[i], 1e-15);
    const ViewerModel once = m;
    FitModelToView(m, ViewMode::ZAdjusted);
    for (int i = 0; i < m.SegmentCount; ++i) {
        for (int a = 0; a < 3; ++a)
            EXPECT_NEAR(m.End2[i][a], once.End2[i][a], 1e-12);
        EXPECT_NEAR(m.CurrentSize[i], once.CurrentSize[i], 1e-15);
    }
}

TEST(Fit, StructureOfZeroSizeFailsAndStaysAsItWas)
{
    ViewerModel m = model({{1, 2, 3, 0, 0, 0, 0.001, 1}}, "point.txo");
    const ViewerModel before = m;
    FitModelToView(m, ViewMode::Center);
    EXPECT_EQ(m.ReadError, readerror::kDegenerateFit);
    EXPECT_EQ(m.End1, before.End1);
}

TEST(ViewTransform, InitialAxisDirectionsOnTheScreen)
{
    const ViewTransform view;
    const std::array<double, 2> expected[] = {{-0.707, -0.299}, {0.707, -0.299}, {0, 0.906}};
    for (int axis = 0; axis < 3; ++axis) {
        const auto p = view.matrix().apply(axis == 0, axis == 1, axis == 2);
        EXPECT_NEAR(p[0], expected[axis][0], 1e-3) << axis;
        EXPECT_NEAR(p[1], expected[axis][1], 1e-3) << axis;
    }
}

TEST(ViewTransform, RotationThereAndBackReturnsAndRotationsDoNotCommute)
{
    ViewTransform view;
    const Matrix4 initial = view.matrix();
    view.setRotationZ(20);
    view.setRotationZ(18);
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(view.matrix().data()[k], initial.data()[k], 1e-12);

    ViewTransform zFirst, xyFirst;
    zFirst.setRotationZ(21);
    zFirst.setRotationXY(22);
    xyFirst.setRotationXY(22);
    xyFirst.setRotationZ(21);
    double difference = 0;
    for (int k = 0; k < 16; ++k)
        difference += std::abs(zFirst.matrix().data()[k] - xyFirst.matrix().data()[k]);
    EXPECT_GT(difference, 0.1);
}

TEST(ViewTransform, ShiftsActAlongTheModelsOwnAxes)
{
    ViewTransform view;
    view.setRotationZ(27); // 90 degrees about Z
    view.setShift(0, 10);  // one view unit along the model's X
    const auto shifted = view.matrix().apply(0, 0, 0);
    ViewTransform reference;
    reference.setRotationZ(27);
    const auto x = reference.matrix().apply(1, 0, 0);
    EXPECT_NEAR(shifted[0], x[0], 1e-9);
    EXPECT_NEAR(shifted[1], x[1], 1e-9);
    const Viewport port = ViewportFor(310, 476);
    EXPECT_EQ(port.side, 300);
    EXPECT_EQ(port.y, 171);
    const auto centre = ProjectToPixel(Matrix4(), port, 476, 0, 0, 0);
    EXPECT_DOUBLE_EQ(centre[0], 155);
    EXPECT_DOUBLE_EQ(centre[1], 155);
}

TEST(Scene, WiresMarkersAndCurrents)
{
    // Tag 1 horizontal (3 segments), tag 2 vertical (2 segments), tag 3 one segment.
    ListingBuilder listing;
    std::vector<viewertest::SegmentSpec> rows = wire(3, 1);
    rows.push_back({2, 0, 0.5, 1, 90, 0, 0.001, 2});
    rows.push_back({2, 0, 1.5, 1, 90, 0, 0.001, 2});
    rows.push_back({4, 0, 0, 1, 0, 90, 0.001, 3});
    listing.segments(rows).loads({{"2", "1", "1"}}).ports({{1, 3}}).sources({{1, 2, false}, {2, 5, true}});
    listing.currents({{1, 1, 1, 0}, {2, 1, 2, 180}, {3, 1, 1, 0}, {4, 2, 1, 0}, {5, 2, 1, 0}, {6, 3, 2, 0}});
    ViewerModel m = ReadViewerModel(listing.write("scene.txo"));
    ASSERT_EQ(m.ReadError, 0);

    SceneState state;
    state.selectedTag = 2;
    Scene scene = BuildScene(m, state);
    EXPECT_FALSE(scene.depthTest);
    ASSERT_TRUE(scene.primitives[0].stipple);
    EXPECT_EQ(scene.primitives[0].kind, PrimitiveKind::LineStrip);
    EXPECT_EQ(find(scene, PrimitiveKind::Lines, colours::kBlack)->vertices.size(), 8u);
    EXPECT_EQ(find(scene, PrimitiveKind::Lines, colours::kGreen)->vertices.size(), 4u);
    EXPECT_EQ(find(scene, PrimitiveKind::Lines, colours::kRed), nullptr); // currents off
    const Primitive* load = find(scene, PrimitiveKind::Points, colours::kYellow);
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(load->vertices, (std::vector<Vertex>{{2, 0, 0.5f}}));
    EXPECT_EQ(load->width, kPointSize);
    EXPECT_EQ(find(scene, PrimitiveKind::Points, colours::kBlue)->vertices, (std::vector<Vertex>{{0, 2.5f, 0}}));
    // The slope-discontinuity source sits at end 1 of its segment.
    EXPECT_EQ(find(scene, PrimitiveKind::Points, colours::kRed)->vertices,
              (std::vector<Vertex>{{0, 1.5f, 0}, {2, 0, 1}}));

    state.showCurrents = true;
    state.withPhase = true;
    state.imageZoom = 2;
    scene = BuildScene(m, state);
    // Horizontal wire: blue, up along Z, the 180-degree segment below; the vertical wire
    // red along X; the one-segment wire none.
    const Primitive* blue = find(scene, PrimitiveKind::Lines, colours::kBlue);
    ASSERT_NE(blue, nullptr);
    EXPECT_EQ(blue->vertices, (std::vector<Vertex>{{0, 1, 2}, {0, 3, -4}, {0, 3, -4}, {0, 5, 2}}));
    const Primitive* red = find(scene, PrimitiveKind::Lines, colours::kRed);
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->vertices, (std::vector<Vertex>{{6, 0, 1}, {6, 0, 3}}));
}

TEST(Scene, PatchesFaceByTheirNormal)
{
    ListingBuilder listing;
    listing.segments(wire(1, 1))
        .patches({{0, 0, 1, 0, 0, 1, 4, 1, 0, 0, 0, 1, 0}, {0, 0, 2, 0, 0, -1, 4, 1, 0, 0, 0, 1, 0}});
    const ViewerModel m = ReadViewerModel(listing.write("patchscene.txo"));
    SceneState state;
    EXPECT_EQ(BuildScene(m, state).primitives.size(), 3u); // axes, letters, wire
    state.showPatches = true;
    state.patchScale = 2;
    const Scene scene = BuildScene(m, state);
    EXPECT_TRUE(scene.depthTest);
    ASSERT_EQ(scene.primitives.size(), 5u);
    const Primitive& up = scene.primitives[3];
    EXPECT_EQ(up.colour, colours::kMagenta);
    EXPECT_EQ(up.front, PolygonMode::Fill);
    EXPECT_EQ(up.back, PolygonMode::Line);
    EXPECT_EQ(up.vertices, (std::vector<Vertex>{{1, 1, 1}, {-1, 1, 1}, {-1, -1, 1}, {1, -1, 1}}));
    EXPECT_EQ(scene.primitives[4].front, PolygonMode::Line);
    EXPECT_EQ(scene.primitives[4].back, PolygonMode::Fill);
}
