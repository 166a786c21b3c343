// How much of a fitted model a picture shows: the test behind the offer of the centre
// view when "Real view" puts an antenna that stands high or far away out of sight.
#pragma once

#include "viewer/ViewTransform.h"
#include "viewer/ViewerModel.h"

namespace vrnnec::viewer {

// The share (0 to 1) of the model that falls inside a picture of width x height pixels
// drawn with the view matrix (PictureMatrix widens it for the picture's shape) and the
// image zoom: the wires' drawn length inside the picture over their whole drawn length.
// Wires seen end-on (no drawn length at all) and the patches count by their points
// instead. A model with nothing to draw counts as shown (1).
double VisibleShare(const ViewerModel& fitted, const Matrix4& view, double imageZoom, double width, double height);

// Less than this share shown counts as "outside the picture".
inline constexpr double kLeastVisibleShare = 0.5;

// True when the model lies wholly or mostly outside the picture.
bool OutsideThePicture(const ViewerModel& fitted, const Matrix4& view, double imageZoom, double width,
                       double height);

} // namespace vrnnec::viewer
