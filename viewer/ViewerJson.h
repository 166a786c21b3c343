// The viewer's model as JSON text, numbers in shortest general form and segment numbers
// 1-based: {"error": 0, "segments": N, "wires": [...], "ends": [[x1,y1,z1,x2,y2,z2], ...],
// "currents", "signs", "slopes", "loads", "ports", "sources": [[segment, atEnd], ...],
// "patches": [[x,y,z,area], ...]}; a model with an error gives {"error": CODE, "message": ...}.
#pragma once

#include "viewer/ViewerModel.h"

#include <string>

namespace vrnnec::viewer {

std::string ViewerModelJson(const ViewerModel& model);

} // namespace vrnnec::viewer
