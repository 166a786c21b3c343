#include "viewer/ViewerModel.h"

#include "common/NumberText.h"
#include "engine/ViewerSectionsParse.h"

#include <cmath>
#include <numbers>

namespace vrnnec::viewer {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// Fills `value` from a field; false when the field did not read.
template <typename T, typename Optional>
bool take(const Optional& field, T& value)
{
    if (!field)
        return false;
    value = static_cast<T>(*field);
    return true;
}

bool readSegments(const engine::ViewerSections& sections, ViewerModel& m)
{
    for (const engine::SegmentRow& row : sections.segments) {
        double x, y, z, length, alpha, beta, radius;
        long long tag;
        if (!take(row.x, x) || !take(row.y, y) || !take(row.z, z) || !take(row.length, length)
            || !take(row.alpha, alpha) || !take(row.beta, beta) || !take(row.radius, radius) || !take(row.tag, tag))
            return false;
        alpha *= kDegree;
        beta *= kDegree;
        const Vec3 d{std::cos(alpha) * std::cos(beta), std::cos(alpha) * std::sin(beta), std::sin(alpha)};
        const double h = length / 2;
        m.End1.push_back({x - h * d[0], y - h * d[1], z - h * d[2]});
        m.End2.push_back({x + h * d[0], y + h * d[1], z + h * d[2]});
        m.SegmentLength.push_back(length);
        m.SegmentRadius.push_back(radius);
        m.SegmentTag.push_back(tag);
        const double c = std::cos(alpha);
        m.SlopeClass.push_back(c >= 0.5 || c <= -0.5 ? 1 : -1);
    }
    return true;
}

// Current rows belong to the segment their number names; rows beyond the segments are
// left out (a run may print only some segments' currents).
bool readCurrents(const engine::ViewerSections& sections, ViewerModel& m)
{
    m.HasCurrents = !sections.currents.empty();
    for (const engine::CurrentRow& row : sections.currents) {
        long long segment;
        double magnitude, phase;
        if (!take(row.segment, segment) || !take(row.magnitude, magnitude) || !take(row.chartPhase, phase))
            return false;
        if (segment < 1 || segment > m.SegmentCount)
            continue;
        m.CurrentSize[segment - 1] = std::abs(magnitude);
        m.CurrentSign[segment - 1] = phase > 90 || phase < -90 ? -1 : 1;
    }
    return true;
}

// Loads on one segment only: the m-th segment that carries the tag, or segment m itself
// when the tag is blank (a load given by absolute segment number).
bool readLoads(const engine::ViewerSections& sections, ViewerModel& m)
{
    const long long none = m.SegmentCount + 1;
    for (const engine::LoadRow& row : sections.loads) {
        if (row.firstText.empty() || row.firstText != row.lastText)
            continue;
        long long number;
        if (!take(row.first, number))
            return false;
        if (row.tagText.empty()) {
            m.LoadSegment.push_back(number >= 1 && number <= m.SegmentCount ? number : none);
            continue;
        }
        long long tag;
        if (!take(row.tag, tag))
            return false;
        long long segment = none;
        long long seen = 0;
        for (int i = 0; i < m.SegmentCount && number >= 1; ++i)
            if (m.SegmentTag[i] == tag && ++seen == number) {
                segment = i + 1;
                break;
            }
        m.LoadSegment.push_back(segment);
    }
    return true;
}

bool readExcitations(const engine::ViewerSections& sections, ViewerModel& m)
{
    for (const engine::SourceRow& row : sections.ports) {
        long long segment;
        if (!take(row.segment, segment))
            return false;
        m.PortSegment.push_back(segment);
    }
    for (const engine::SourceRow& row : sections.sources) {
        long long segment;
        if (!take(row.segment, segment))
            return false;
        m.SourceSegment.push_back(segment);
        m.SourceAtEnd.push_back(row.slopeDiscontinuity ? 1 : 0);
    }
    return true;
}

bool readPatches(const engine::ViewerSections& sections, ViewerModel& m)
{
    for (const engine::PatchRow& row : sections.patches) {
        Patch p;
        if (!take(row.x, p.centre[0]) || !take(row.y, p.centre[1]) || !take(row.z, p.centre[2])
            || !take(row.normalX, p.normal[0]) || !take(row.normalY, p.normal[1]) || !take(row.normalZ, p.normal[2])
            || !take(row.area, p.area) || !take(row.tangent1X, p.tangent1[0]) || !take(row.tangent1Y, p.tangent1[1])
            || !take(row.tangent1Z, p.tangent1[2]) || !take(row.tangent2X, p.tangent2[0])
            || !take(row.tangent2Y, p.tangent2[1]) || !take(row.tangent2Z, p.tangent2[2]))
            return false;
        m.Patches.push_back(p);
    }
    return true;
}

// Lengths with 3 decimals, radii with 4, in the given separator.
std::string lengthText(double value, char separator)
{
    return numtext::withSeparator(numtext::fixed(value, 7, 3), separator);
}

std::string radiusText(double value, char separator)
{
    return numtext::withSeparator(numtext::fixed(value, 8, 4), separator);
}

} // namespace

ViewerModel BuildViewerModel(const engine::ViewerSections& sections)
{
    ViewerModel m;
    if (!sections.opened || !sections.segmentationFound || sections.segments.empty()) {
        m.ReadError = readerror::kNoSegmentation;
        return m;
    }
    m.SegmentCount = static_cast<int>(sections.segments.size());
    m.CurrentSize.assign(m.SegmentCount, 0.0);
    m.CurrentSign.assign(m.SegmentCount, 0.0);
    if (!readSegments(sections, m) || !readCurrents(sections, m) || !readLoads(sections, m)
        || !readExcitations(sections, m) || !readPatches(sections, m)) {
        // Nothing of a partly read model is kept: its segment count would name end
        // points that were never read.
        ViewerModel failed;
        failed.ReadError = readerror::kBadNumber;
        return failed;
    }
    return m;
}

ViewerModel ReadViewerModel(const std::string& listingPath)
{
    return BuildViewerModel(engine::ParseViewerSections(listingPath));
}

std::vector<std::string> FillWireList(const ViewerModel& model)
{
    std::vector<std::string> list;
    for (long long tag : model.SegmentTag) {
        const std::string text = std::to_string(tag);
        bool known = false;
        for (const std::string& item : list)
            known = known || item == text;
        if (!known)
            list.push_back(text);
    }
    return list;
}

std::string NormaliseWireSelection(const std::string& text, const ViewerModel& model)
{
    long long tag = 0;
    if (numtext::parseTrimmedInteger(text, tag))
        return std::to_string(tag);
    if (model.SegmentTag.empty())
        return "1";
    return std::to_string(model.SegmentTag.front());
}

std::string WireInfoText(const ViewerModel& model, long long tag, char separator)
{
    int first = -1, last = -1;
    for (int i = 0; i < static_cast<int>(model.SegmentTag.size()); ++i)
        if (model.SegmentTag[i] == tag) {
            if (first < 0)
                first = i;
            last = i;
        }
    if (first < 0)
        return {};
    const int count = last - first + 1;
    const double segmentLength = model.SegmentLength[first];
    const double wireLength = count * segmentLength;
    if (!(wireLength > 0))
        return {};
    const double radius1 = model.SegmentRadius[first];
    const double radius2 = model.SegmentRadius[last];
    std::string text = "Length=" + lengthText(wireLength, separator) + "; Segments=" + std::to_string(count)
        + "; SegLength=" + lengthText(segmentLength, separator);
    if (radius1 == radius2)
        text += "; Rad=" + radiusText(radius1, separator);
    else
        text += "; Rad1=" + radiusText(radius1, separator) + "; Rad2=" + radiusText(radius2, separator);
    return text;
}

} // namespace vrnnec::viewer
