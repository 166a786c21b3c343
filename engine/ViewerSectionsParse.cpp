#include "engine/ViewerSectionsParse.h"

#include "engine/ListingColumns.h"
#include "engine/ListingFields.h"

#include "common/NumberText.h"
#include "common/TextLines.h"

namespace vrnnec::engine {

namespace {

using fields::integer;
using fields::matches;
using fields::real;

using columns::Field;
using columns::Heading;

std::string trimmed(std::string_view line, Field f)
{
    return std::string(numtext::trimBlanks(textlines::columns(line, f.from, f.to)));
}

// Reads the rows of a table: from the heading's first row up to the first empty line
// (or the end of the file), taking every `step`-th line.
template <typename Row>
void readRows(textlines::LineReader& reader, const Heading& heading, int step, Row (*read)(std::string_view),
              std::vector<Row>& rows)
{
    std::string line;
    for (int i = 1; i < heading.firstRow; ++i)
        reader.next(line);
    while (reader.next(line) && !line.empty()) {
        rows.push_back(read(line));
        for (int i = 1; i < step; ++i)
            reader.next(line);
    }
}

} // namespace

SegmentRow ReadSegmentRow(std::string_view line)
{
    namespace c = columns::segment;
    SegmentRow row;
    row.x = real(line, c::kX);
    row.y = real(line, c::kY);
    row.z = real(line, c::kZ);
    row.length = real(line, c::kLength);
    row.alpha = real(line, c::kAlpha);
    row.beta = real(line, c::kBeta);
    row.radius = real(line, c::kRadius);
    row.tag = integer(line, c::kViewerTag);
    return row;
}

PatchRow ReadPatchRow(std::string_view line)
{
    namespace c = columns::patch;
    PatchRow row;
    row.x = real(line, c::kX);
    row.y = real(line, c::kY);
    row.z = real(line, c::kZ);
    row.normalX = real(line, c::kNormalX);
    row.normalY = real(line, c::kNormalY);
    row.normalZ = real(line, c::kNormalZ);
    row.area = real(line, c::kArea);
    row.tangent1X = real(line, c::kTangent1X);
    row.tangent1Y = real(line, c::kTangent1Y);
    row.tangent1Z = real(line, c::kTangent1Z);
    row.tangent2X = real(line, c::kTangent2X);
    row.tangent2Y = real(line, c::kTangent2Y);
    row.tangent2Z = real(line, c::kTangent2Z);
    return row;
}

LoadRow ReadLoadRow(std::string_view line)
{
    namespace c = columns::load;
    LoadRow row;
    row.tagText = trimmed(line, c::kTag);
    row.firstText = trimmed(line, c::kFirst);
    row.lastText = trimmed(line, c::kLast);
    row.tag = integer(line, c::kTag);
    row.first = integer(line, c::kFirst);
    return row;
}

namespace {

ViewerSections parseSections(textlines::LineReader& reader)
{
    ViewerSections sections;
    if (!reader.isOpen())
        return sections;
    sections.opened = true;

    std::string line;
    bool found = false;
    while (!found && reader.next(line))
        found = matches(line, columns::kSegmentation);
    if (!found)
        return sections;
    sections.segmentationFound = true;
    readRows(reader, columns::kSegmentation, 1, &ReadSegmentRow, sections.segments);

    const Heading* const order[] = {&columns::kPatchData, &columns::kLoading, &columns::kNetworkPorts,
                                    &columns::kInputParameters, &columns::kCurrents};
    constexpr std::size_t kCount = sizeof(order) / sizeof(order[0]);
    std::size_t next = 0;
    while (next < kCount && reader.next(line)) {
        std::size_t met = next;
        while (met < kCount && !matches(line, *order[met]))
            ++met;
        if (met == kCount)
            continue;
        next = met + 1;
        const Heading& heading = *order[met];
        if (&heading == &columns::kPatchData) {
            readRows(reader, heading, 1, &ReadPatchRow, sections.patches);
        } else if (&heading == &columns::kLoading) {
            std::string notLoaded;
            for (int i = 0; i < columns::load::kNotLoadedLine; ++i)
                reader.next(notLoaded);
            if (numtext::trimBlanks(notLoaded) == classictexts::kNotLoaded)
                continue;
            // The rows begin below the header lines, counted from the heading.
            for (int i = columns::load::kNotLoadedLine + 1; i < heading.firstRow; ++i)
                reader.next(line);
            while (reader.next(line) && !line.empty()) {
                sections.loads.push_back(ReadLoadRow(line));
                reader.next(line);
            }
        } else if (&heading == &columns::kNetworkPorts) {
            readRows(reader, heading, 1, &ReadSourceRow, sections.ports);
        } else if (&heading == &columns::kInputParameters) {
            readRows(reader, heading, 1, &ReadSourceRow, sections.sources);
        } else {
            sections.currentsFound = true;
            readRows(reader, heading, 1, &ReadCurrentRow, sections.currents);
        }
    }
    return sections;
}

} // namespace

ViewerSections ParseViewerSections(const std::string& listingPath)
{
    textlines::LineReader reader(listingPath);
    return parseSections(reader);
}

ViewerSections ParseViewerSectionsText(std::string_view text)
{
    textlines::LineReader reader;
    reader.openText(text);
    return parseSections(reader);
}

} // namespace vrnnec::engine
