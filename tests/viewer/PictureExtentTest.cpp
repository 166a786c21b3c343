// How much of a fitted model the picture shows: inside, partly and wholly outside, moved
// by the shift controls, zoomed, in a wide picture, seen end-on, and a real listing of an
// antenna high above ground in "Real view".
#include "ViewerListings.h"

#include "viewer/PictureExtent.h"
#include "viewer/ViewFit.h"

#include <gtest/gtest.h>

using namespace vrnnec::viewer;

namespace {

// A fitted model of one straight wire from a to b in view units, cut into `segments`.
ViewerModel line(const Vec3& a, const Vec3& b, int segments = 4)
{
    ViewerModel m;
    for (int k = 0; k < segments; ++k) {
        auto at = [&](double t) { return Vec3{a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), a[2] + t * (b[2] - a[2])}; };
        m.End1.push_back(at(static_cast<double>(k) / segments));
        m.End2.push_back(at(static_cast<double>(k + 1) / segments));
        m.SegmentTag.push_back(1);
    }
    m.SegmentCount = segments;
    return m;
}

struct Case {
    const char* name;
    ViewerModel model;
    int shiftAxis = -1; // -1: none, else the shift control's axis
    int shiftSteps = 0;
    double zoom = 1;
    double width = 300, height = 300;
    bool endOn = false; // the identity view: the screen's X and Y, Z towards the viewer
    double lowest, highest;
    bool outside;
};

} // namespace

TEST(PictureExtent, ShareOfTheModelInsideThePicture)
{
    // In the initial view the model's Y axis runs to the lower right (0.707, -0.299 per
    // unit) and Z up (0.906 per unit) in a picture of -1..1.
    const Case cases[] = {
        {"inside", line({0, -0.5, 0}, {0, 0.5, 0}), -1, 0, 1, 300, 300, false, 1, 1, false},
        {"top cut off, mostly shown", line({0, 0, 0}, {0, 0, 1.5}), -1, 0, 1, 300, 300, false, 0.72, 0.75, false},
        {"mostly above the picture", line({0, 0, 0.5}, {0, 0, 2.5}), -1, 0, 1, 300, 300, false, 0.28, 0.32, true},
        {"wholly above the picture", line({0, -0.5, 4}, {0, 0.5, 4}), -1, 0, 1, 300, 300, false, 0, 0, true},
        {"shifted down into view by Z", line({0, -0.5, 4}, {0, 0.5, 4}), 2, -40, 1, 300, 300, false, 1, 1, false},
        {"shifted out of view by X", line({0, -0.5, 0}, {0, 0.5, 0}), 0, 30, 1, 300, 300, false, 0, 0, true},
        {"shifted out of view by Y", line({0, -0.5, 0}, {0, 0.5, 0}), 1, -30, 1, 300, 300, false, 0, 0, true},
        {"zoomed a little: the ends cut off", line({0, -0.5, 0}, {0, 0.5, 0}), -1, 0, 3, 300, 300, false, 0.9, 0.97,
         false},
        {"zoomed far: mostly outside", line({0, -0.5, 0}, {0, 0.5, 0}), -1, 0, 10, 300, 300, false, 0.25, 0.32, true},
        {"zoomed to nothing", line({0, -0.5, 4}, {0, 0.5, 4}), -1, 0, 0, 300, 300, false, 1, 1, false},
        {"long wire in a square picture", line({0, -2, 0}, {0, 2, 0}), -1, 0, 1, 300, 300, false, 0.70, 0.71, false},
        {"long wire in a wide picture", line({0, -2, 0}, {0, 2, 0}), -1, 0, 1, 600, 300, false, 1, 1, false},
        {"long wire in a tall picture: as wide as the square", line({0, -2, 0}, {0, 2, 0}), -1, 0, 1, 300, 600, false,
         0.70, 0.71, false},
        {"end-on wire at the centre", line({0, 0, -1}, {0, 0, 1}), -1, 0, 1, 300, 300, true, 1, 1, false},
        {"end-on wire beside the picture", line({3, 0, -1}, {3, 0, 1}), -1, 0, 1, 300, 300, true, 0, 0, true},
        {"nothing to draw", ViewerModel(), -1, 0, 1, 300, 300, false, 1, 1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ViewTransform view;
        if (c.shiftAxis >= 0)
            view.setShift(c.shiftAxis, c.shiftSteps);
        const Matrix4 matrix = c.endOn ? Matrix4() : view.matrix();
        const double share = VisibleShare(c.model, matrix, c.zoom, c.width, c.height);
        EXPECT_GE(share, c.lowest - 1e-9);
        EXPECT_LE(share, c.highest + 1e-9);
        EXPECT_EQ(OutsideThePicture(c.model, matrix, c.zoom, c.width, c.height), c.outside);
    }
}

TEST(PictureExtent, AntennaHighAboveGroundInRealView)
{
    // A 10 m wire along Y, 30 m above ground: "Real view" keeps the height, so the wire
    // is drawn four view units above the origin; the other modes bring it to the axes.
    const std::string listing =
        viewertest::ListingBuilder().segments(viewertest::wire(10, 1, 30, -5)).write("high.txo");
    struct {
        ViewMode mode;
        bool outside;
    } modes[] = {{ViewMode::RealView, true}, {ViewMode::Center, false}, {ViewMode::ZAdjusted, false}};
    for (const auto& m : modes) {
        ViewerModel model = ReadViewerModel(listing);
        ASSERT_EQ(model.ReadError, 0);
        FitModelToView(model, m.mode);
        EXPECT_EQ(OutsideThePicture(model, ViewTransform().matrix(), 1, 300, 300), m.outside)
            << static_cast<int>(m.mode);
    }
}

TEST(PictureExtent, WidenedMatrixKeepsTheSquaresScale)
{
    ViewTransform view;
    const Matrix4& square = view.matrix();
    // A square picture draws with the view's own matrix.
    EXPECT_EQ(PictureMatrix(square, 300, 300).data(), square.data());
    // The origin stays at the centre; a point keeps its distance from it in pixels.
    struct {
        double width, height;
    } shapes[] = {{300, 300}, {900, 300}, {300, 700}};
    const auto reference = ProjectToPicture(square, 300, 300, 0, 0.5, 0);
    for (const auto& s : shapes) {
        const auto centre = ProjectToPicture(square, s.width, s.height, 0, 0, 0);
        EXPECT_DOUBLE_EQ(centre[0], s.width / 2);
        EXPECT_DOUBLE_EQ(centre[1], s.height / 2);
        const auto p = ProjectToPicture(square, s.width, s.height, 0, 0.5, 0);
        EXPECT_NEAR(p[0] - centre[0], reference[0] - 150, 1e-9);
        EXPECT_NEAR(p[1] - centre[1], reference[1] - 150, 1e-9);
    }
}
