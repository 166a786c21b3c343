#include "engine/NearFieldListing.h"

#include "engine/ListingColumns.h"
#include "engine/ListingFields.h"

#include "common/TextLines.h"

namespace vrnnec::engine {

namespace {

using fields::matches;
using fields::real;

using columns::Field;
using columns::Heading;

} // namespace

bool NearFieldRow::readable() const
{
    bool all = x && y && z;
    for (int i = 0; i < 3; ++i)
        all = all && magnitude[i] && phase[i];
    return all;
}

NearFieldRow ReadNearFieldRow(std::string_view line)
{
    namespace c = columns::nearfield;
    NearFieldRow row;
    row.x = real(line, c::kX);
    row.y = real(line, c::kY);
    row.z = real(line, c::kZ);
    row.magnitude[0] = real(line, c::kXMagnitude);
    row.phase[0] = real(line, c::kXPhase);
    row.magnitude[1] = real(line, c::kYMagnitude);
    row.phase[1] = real(line, c::kYPhase);
    row.magnitude[2] = real(line, c::kZMagnitude);
    row.phase[2] = real(line, c::kZPhase);
    return row;
}

NearFieldListing ReadNearFieldListing(const std::string& path, NearField field)
{
    NearFieldListing result;
    textlines::LineReader reader(path);
    if (!reader.isOpen())
        return result;
    result.status = NearFieldReading::HeadingMissing;
    const Heading& heading = field == NearField::Electric ? columns::kNearElectric : columns::kNearMagnetic;
    std::string line;
    bool found = false;
    while (reader.next(line)) {
        if (matches(line, heading)) {
            found = true;
            break;
        }
        if (matches(line, columns::kPowerBudget)) {
            reader.next(line);
            reader.next(line);
            result.powerBudgetLine = std::string(textlines::columnsFrom(line, columns::power::kTextColumn));
            while (!found && reader.next(line))
                found = matches(line, heading);
            break;
        }
    }
    if (!found)
        return result;
    result.status = NearFieldReading::Read;
    for (int i = 1; i < heading.firstRow; ++i)
        reader.next(line);
    // A row on the last line of the file is taken; the end of the file ends the rows.
    while (reader.next(line) && !line.empty())
        result.rows.push_back(ReadNearFieldRow(line));
    return result;
}

} // namespace vrnnec::engine
