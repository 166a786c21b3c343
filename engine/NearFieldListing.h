// The listing of a near field run: the first power budget line before the field block
// and the rows of the first NEAR ELECTRIC FIELDS or NEAR MAGNETIC FIELDS block.
#pragma once

#include "engine/ListingData.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrnnec::engine {

enum class NearField { Electric, Magnetic };

// A row of a near field block: the point (m) and each component's magnitude and phase
// (degrees).
struct NearFieldRow {
    OptionalReal x, y, z;
    OptionalReal magnitude[3]; // x, y, z components
    OptionalReal phase[3];
    bool readable() const;
};

NearFieldRow ReadNearFieldRow(std::string_view line);

enum class NearFieldReading { Read, ListingMissing, HeadingMissing };

struct NearFieldListing {
    NearFieldReading status = NearFieldReading::ListingMissing;
    // The power budget's first line from its text column, when a budget came before the
    // field block ("INPUT POWER   = 6.7393E-03 WATTS").
    std::optional<std::string> powerBudgetLine;
    std::vector<NearFieldRow> rows; // up to the first empty line or the end of the file
};

// Reads the listing at `path`: up to the field heading (taking the power budget line on
// the way when the budget comes first), then the rows from the fifth line after it.
NearFieldListing ReadNearFieldListing(const std::string& path, NearField field);

} // namespace vrnnec::engine
