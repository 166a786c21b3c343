#include "engine/SweepListing.h"

#include "engine/ListingColumns.h"
#include "engine/ListingFields.h"

#include "common/TextLines.h"

#include <cstddef>

namespace vrnnec::engine {

namespace {

using fields::matches;

namespace msg = sweepmessages;
using columns::Heading;

// The lines of the listing from the first FREQUENCY heading on, without the last line
// of the file; the message when there is no such heading or nothing was kept.
std::string outputLines(const std::string& path, std::vector<std::string>& lines)
{
    textlines::LineReader reader(path);
    if (!reader.isOpen())
        return msg::kOpenFailed;
    std::string line;
    bool found = false;
    while (reader.next(line))
        if (matches(line, columns::kFrequency)) {
            found = true;
            break;
        }
    if (!found)
        return msg::kNoFrequency;
    // Each line is kept once the next one has been read: the last line stays out.
    std::string following;
    while (reader.next(following)) {
        lines.push_back(std::move(line));
        line = std::move(following);
    }
    if (lines.empty())
        return msg::kNothingStored;
    return {};
}

// The first line from `from` on with `heading`; the end of the lines when there is none
// or when a line with `stop` comes first.
std::size_t findFrom(const std::vector<std::string>& lines, std::size_t from, const Heading& heading,
                     const Heading* stop = nullptr)
{
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (matches(lines[i], heading))
            return i;
        if (stop && matches(lines[i], *stop))
            break;
    }
    return lines.size();
}

// The rows of the input table whose heading is at `heading`, up to the first empty line
// or the end of the lines; false at an unreadable row.
bool readRows(const std::vector<std::string>& lines, std::size_t heading, bool readAdmittance,
              std::vector<SourceRow>& rows)
{
    for (std::size_t i = heading + columns::kInputParameters.firstRow; i < lines.size() && !lines[i].empty(); ++i) {
        SourceRow row = ReadSourceRow(lines[i]);
        const bool readable = readAdmittance ? row.admittanceReal && row.admittanceImaginary
                                             : row.impedanceReal && row.impedanceImaginary;
        if (!row.tag || !readable)
            return false;
        rows.push_back(row);
    }
    return true;
}

} // namespace

SweepListing ReadSweepListing(const std::string& path, int points, bool readAdmittance)
{
    SweepListing result;
    result.admittance = readAdmittance;
    std::vector<std::string> lines;
    result.message = outputLines(path, lines);
    if (!result.ok())
        return result;

    // The source tags from the first input table.
    const std::size_t first = findFrom(lines, 0, columns::kInputParameters);
    if (first == lines.size()) {
        result.message = msg::kNoInputParameters;
        return result;
    }
    for (std::size_t i = first + columns::kInputParameters.firstRow; i < lines.size() && !lines[i].empty(); ++i) {
        const OptionalInteger tag = ReadSourceRow(lines[i]).tag;
        if (!tag) {
            result.message = msg::kBadInputParameters;
            result.sourceTags.clear();
            return result;
        }
        result.sourceTags.push_back(*tag);
    }

    // One block per point.
    std::size_t cursor = 0;
    for (int j = 0; j < points; ++j) {
        const std::size_t heading = findFrom(lines, cursor, columns::kFrequency);
        if (heading == lines.size()) {
            result.message = msg::kNoFrequency;
            break;
        }
        SweepBlock block;
        const std::size_t valueLine = heading + columns::kFrequency.firstRow;
        double value = 0;
        if (valueLine >= lines.size()
            || !textlines::columnReal(lines[valueLine], columns::frequency::kFrequency.from,
                                      columns::frequency::kFrequency.to, value)) {
            result.message = msg::kBadFrequency;
            break;
        }
        block.listedFrequency = value;
        // The table of this block: a block that ends without one is not read from the next.
        const std::size_t table = findFrom(lines, valueLine, columns::kInputParameters, &columns::kFrequency);
        if (table == lines.size()) {
            result.message = msg::kNoInputParameters;
            break;
        }
        if (!readRows(lines, table, readAdmittance, block.sources)) {
            result.message = msg::kBadInputParameters;
            break;
        }
        cursor = table + 1;
        for (std::size_t further = findFrom(lines, cursor, columns::kInputParameters, &columns::kFrequency);
             further != lines.size() && result.ok();
             further = findFrom(lines, cursor, columns::kInputParameters, &columns::kFrequency)) {
            block.portSources.emplace_back();
            if (!readRows(lines, further, readAdmittance, block.portSources.back()))
                result.message = msg::kBadInputParameters;
            cursor = further + 1;
        }
        if (!result.ok())
            break;
        result.blocks.push_back(std::move(block));
    }
    if (!result.ok())
        result.blocks.clear();
    return result;
}

int CountFrequencyBlocks(const std::string& path)
{
    textlines::LineReader reader(path);
    int count = 0;
    std::string line;
    while (reader.next(line))
        if (matches(line, columns::kFrequency) || matches(line, columns::kEngineFrequency))
            ++count;
    return count;
}

} // namespace vrnnec::engine
