// Reading a field of the column table from a listing line, and finding a heading: the
// helpers every reading of the listing code uses.
#pragma once

#include "engine/ListingColumns.h"
#include "engine/ListingData.h"

#include "common/TextLines.h"

#include <string_view>

namespace vrnnec::engine::fields {

// The field as a number in point notation; empty when it does not read as one.
inline OptionalReal real(std::string_view line, columns::Field f)
{
    double value = 0;
    if (!textlines::columnReal(line, f.from, f.to, value))
        return std::nullopt;
    return value;
}

inline OptionalInteger integer(std::string_view line, columns::Field f)
{
    long long value = 0;
    if (!textlines::columnInteger(line, f.from, f.to, value))
        return std::nullopt;
    return value;
}

// True when the line holds the heading's words at the heading's columns.
inline bool matches(std::string_view line, const columns::Heading& heading)
{
    return textlines::columns(line, heading.from, heading.to) == heading.text;
}

} // namespace vrnnec::engine::fields
