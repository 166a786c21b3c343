#include "viewer/ViewerJson.h"

#include "common/NumberText.h"

namespace vrnnec::viewer {

namespace {

std::string number(double value)
{
    return numtext::general(value);
}

template <typename T, typename Write>
std::string list(const std::vector<T>& values, Write write)
{
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += write(values[i]);
    }
    return text + "]";
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::string ViewerModelJson(const ViewerModel& m)
{
    if (m.ReadError != readerror::kNone)
        return "{\"error\": " + std::to_string(m.ReadError) + ", \"message\": " + quoted(kReadErrorMessage) + "}";
    std::vector<int> segments(static_cast<std::size_t>(m.SegmentCount));
    for (int i = 0; i < m.SegmentCount; ++i)
        segments[i] = i;
    auto integer = [](auto v) { return std::to_string(v); };
    std::string text = "{\"error\": 0, \"segments\": " + std::to_string(m.SegmentCount);
    text += ", \"wires\": " + list(FillWireList(m), quoted);
    text += ", \"ends\": " + list(segments, [&](int i) {
                return "[" + number(m.End1[i][0]) + ", " + number(m.End1[i][1]) + ", " + number(m.End1[i][2]) + ", "
                    + number(m.End2[i][0]) + ", " + number(m.End2[i][1]) + ", " + number(m.End2[i][2]) + "]";
            });
    text += ", \"currents\": " + list(m.CurrentSize, number);
    text += ", \"signs\": " + list(m.CurrentSign, number);
    text += ", \"slopes\": " + list(m.SlopeClass, [](std::int8_t s) { return std::to_string(static_cast<int>(s)); });
    text += ", \"loads\": " + list(m.LoadSegment, integer);
    text += ", \"ports\": " + list(m.PortSegment, integer);
    std::vector<std::size_t> sources(m.SourceSegment.size());
    for (std::size_t k = 0; k < sources.size(); ++k)
        sources[k] = k;
    text += ", \"sources\": " + list(sources, [&](std::size_t k) {
                return "[" + std::to_string(m.SourceSegment[k]) + ", " + std::to_string(m.SourceAtEnd[k]) + "]";
            });
    text += ", \"patches\": " + list(m.Patches, [](const Patch& p) {
                return "[" + number(p.centre[0]) + ", " + number(p.centre[1]) + ", " + number(p.centre[2]) + ", "
                    + number(p.area) + "]";
            });
    return text + "}";
}

} // namespace vrnnec::viewer
