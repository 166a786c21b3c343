// Fitting the viewer's model into view units, and the zoom factors of the controls.
#pragma once

#include "viewer/ViewerModel.h"

namespace vrnnec::viewer {

enum class ViewMode {
    Center,    // the centre of the structure at the origin
    ZAdjusted, // the lowest point on the plane Z = 0, X and Y as they are
    RealView,  // the structure's own coordinates, height included
};

// The box around both end points of every segment and the centres of the patches;
// `low` above `high` when the model has neither.
struct StructureBox {
    Vec3 low, high;
};
StructureBox BoxOf(const ViewerModel& model);

// Scales (and, by mode, shifts) the end points and patch centres so that 0.75 times the
// diagonal of the structure's box becomes one view unit, scales the patch areas with
// them and makes the largest current 0.4 view units long. A structure of zero size adds
// 10 to `ReadError` and leaves the model as it was. Currents that are all 0 are dropped
// (the model then has none). Fitting a fitted model changes nothing.
void FitModelToView(ViewerModel& model, ViewMode mode);

// The factor of a zoom control at `position` (10 is 1, 0 is 0, 20 is 2; the image zoom
// goes on to 20 at 200).
inline double ZoomFactor(int position)
{
    return (position - 10) * 2.0 / 20.0 + 1.0;
}

} // namespace vrnnec::viewer
