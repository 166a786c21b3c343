// The 3-D viewer's model of a structure: the segments with their end points, tags and
// currents, the sources, ports and loads on them, and the surface patches, built from the
// typed viewer sections of the listing. Plain C++.
#pragma once

#include "engine/ListingData.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vrnnec::viewer {

using Vec3 = std::array<double, 3>;

// Outcomes of the reading steps (`ReadError`).
namespace readerror {
inline constexpr int kNone = 0;
inline constexpr int kNoSegmentation = 1; // listing missing, or no segmentation rows
inline constexpr int kBadNumber = 2;      // a field that does not read
inline constexpr int kDegenerateFit = 10; // added by a fit of a structure of zero size
inline constexpr int kNoPixelFormat = 1000;
} // namespace readerror

inline constexpr const char* kReadErrorMessage = "Error reading NEC-2 output!";
inline constexpr const char* kImageErrorMessage = "Error handling image!";

struct Patch {
    Vec3 centre{};
    double area = 0;
    Vec3 tangent1{}, tangent2{}, normal{};
};

struct ViewerModel {
    int ReadError = readerror::kNone;

    int SegmentCount = 0;
    // Per segment: end points (metres; view units after the fit), length and radius
    // (metres), current magnitude (amperes; drawing length after the fit), the sign
    // from the current's phase, the tag and the slope class.
    std::vector<Vec3> End1, End2;
    std::vector<double> SegmentLength, SegmentRadius;
    std::vector<double> CurrentSize, CurrentSign;
    std::vector<long long> SegmentTag;
    std::vector<std::int8_t> SlopeClass; // +1 up to 60 degrees from the horizontal, -1 steeper
    bool HasCurrents = false;

    std::vector<long long> PortSegment;   // 1-based
    std::vector<long long> SourceSegment; // 1-based
    std::vector<std::uint8_t> SourceAtEnd;
    std::vector<long long> LoadSegment; // 1-based; SegmentCount + 1 for none

    std::vector<Patch> Patches;
};

// The model of a listing's viewer sections. `ReadError` tells the outcome: 1 when the
// listing was not opened or has no segmentation rows, 2 when a field does not read.
ViewerModel BuildViewerModel(const engine::ViewerSections& sections);
// The model of the listing file at `listingPath` (its viewer sections, then the model).
ViewerModel ReadViewerModel(const std::string& listingPath);

// The distinct tags of the segments as decimal text, in the order of their first
// appearance (the items of the wire selection).
std::vector<std::string> FillWireList(const ViewerModel& model);

// The wire selection's text made canonical: a trimmed integer in its decimal form;
// anything else the first segment's tag, or "1" without segments.
std::string NormaliseWireSelection(const std::string& text, const ViewerModel& model);

// The description of the wire carrying `tag` ("Length=...; Segments=...; ..."), with
// `separator` as the decimal separator; empty when no segment carries the tag.
std::string WireInfoText(const ViewerModel& model, long long tag, char separator);

} // namespace vrnnec::viewer
