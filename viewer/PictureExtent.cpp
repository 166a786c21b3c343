#include "viewer/PictureExtent.h"

#include <algorithm>
#include <cmath>

namespace vrnnec::viewer {

namespace {

struct Point2 {
    double x = 0, y = 0;
};

// The part of the line a-b inside the square -1..1 (Liang-Barsky), as a fraction of it.
double insideFraction(Point2 a, Point2 b)
{
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x + 1, 1 - a.x, a.y + 1, 1 - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return 0;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return 0;
    }
    return t1 - t0;
}

bool inside(Point2 p)
{
    return std::abs(p.x) <= 1 && std::abs(p.y) <= 1;
}

} // namespace

double VisibleShare(const ViewerModel& fitted, const Matrix4& view, double imageZoom, double width, double height)
{
    const Matrix4 matrix = PictureMatrix(view, width, height);
    auto project = [&](const Vec3& p) {
        const std::array<double, 4> clip = matrix.apply(p[0] * imageZoom, p[1] * imageZoom, p[2] * imageZoom);
        return Point2{clip[0] / clip[3], clip[1] / clip[3]};
    };
    double drawn = 0, shown = 0;
    int points = 0, pointsShown = 0;
    auto countPoint = [&](Point2 p) {
        ++points;
        pointsShown += inside(p) ? 1 : 0;
    };
    for (int i = 0; i < fitted.SegmentCount; ++i) {
        const Point2 a = project(fitted.End1[i]), b = project(fitted.End2[i]);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        drawn += length;
        shown += length * insideFraction(a, b);
        countPoint(a);
        countPoint(b);
    }
    constexpr double kNoLength = 1e-9;
    if (drawn > kNoLength)
        return shown / drawn;
    for (const Patch& patch : fitted.Patches)
        countPoint(project(patch.centre));
    return points == 0 ? 1.0 : static_cast<double>(pointsShown) / points;
}

bool OutsideThePicture(const ViewerModel& fitted, const Matrix4& view, double imageZoom, double width,
                       double height)
{
    return VisibleShare(fitted, view, imageZoom, width, height) < kLeastVisibleShare;
}

} // namespace vrnnec::viewer
