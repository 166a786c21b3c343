#include "viewer/ViewFit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vrnnec::viewer {

StructureBox BoxOf(const ViewerModel& model)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    StructureBox box{{inf, inf, inf}, {-inf, -inf, -inf}};
    auto extend = [&box](const Vec3& p) {
        for (int a = 0; a < 3; ++a) {
            box.low[a] = std::min(box.low[a], p[a]);
            box.high[a] = std::max(box.high[a], p[a]);
        }
    };
    for (int i = 0; i < model.SegmentCount; ++i) {
        extend(model.End1[i]);
        extend(model.End2[i]);
    }
    for (const Patch& p : model.Patches)
        extend(p.centre);
    return box;
}

void FitModelToView(ViewerModel& model, ViewMode mode)
{
    const auto [low, high] = BoxOf(model);
    if (low[0] > high[0]) {
        model.ReadError += readerror::kDegenerateFit;
        return;
    }
    const double dx = high[0] - low[0], dy = high[1] - low[1], dz = high[2] - low[2];
    const double v = 0.75 * std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!(v > 0) || !std::isfinite(v)) {
        model.ReadError += readerror::kDegenerateFit;
        return;
    }
    // The currents are looked at before anything moves.
    double largest = 0;
    for (double size : model.CurrentSize)
        largest = std::max(largest, size);
    if (model.HasCurrents && !(largest > 0)) {
        model.HasCurrents = false;
        std::fill(model.CurrentSize.begin(), model.CurrentSize.end(), 0.0);
    }

    Vec3 shift{0, 0, 0};
    if (mode == ViewMode::Center)
        shift = {(low[0] + high[0]) / 2, (low[1] + high[1]) / 2, (low[2] + high[2]) / 2};
    else if (mode == ViewMode::ZAdjusted)
        shift = {0, 0, low[2]};
    auto transform = [&](Vec3& p) {
        for (int a = 0; a < 3; ++a)
            p[a] = (p[a] - shift[a]) / v;
    };
    for (int i = 0; i < model.SegmentCount; ++i) {
        transform(model.End1[i]);
        transform(model.End2[i]);
    }
    if (model.HasCurrents)
        for (double& size : model.CurrentSize)
            size = size * 0.4 / largest;
    for (Patch& p : model.Patches) {
        transform(p.centre);
        p.area /= v * v;
    }
}

} // namespace vrnnec::viewer
