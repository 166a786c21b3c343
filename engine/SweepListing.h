// The listing of a frequency sweep: one FREQUENCY block per swept frequency, each with
// its ANTENNA INPUT PARAMETERS table. The reading is strict: it walks the blocks in
// order, every block must hold its impedance table, and any unreadable tag, frequency,
// R or X stops it with its message.
#pragma once

#include "common/Messages.h"
#include "engine/ListingData.h"

#include <string>
#include <vector>

namespace vrnnec::engine {

// One swept frequency as the listing gives it.
struct SweepBlock {
    double listedFrequency = 0; // MHz, as printed (5 significant digits with nec2c)
    std::vector<SourceRow> sources;
    // The input tables that follow in the same block, in order: the port solutions of a
    // sweep that also runs its ports (none in a plain sweep).
    std::vector<std::vector<SourceRow>> portSources;
};

struct SweepListing {
    std::string message;               // empty when every asked block was read
    std::vector<long long> sourceTags; // the rows of the first input table, duplicates kept
    std::vector<SweepBlock> blocks;    // complete only when `message` is empty
    bool admittance = false;           // the rows were checked for their admittance
    bool ok() const { return message.empty(); }
};

// Reads the first `points` frequency blocks of the listing at `path`. With
// `readAdmittance` the two values of each row are read from the admittance columns.
SweepListing ReadSweepListing(const std::string& path, int points, bool readAdmittance);

// The number of FREQUENCY headings, in the classic or the engine's own layout, in the
// listing at `path` so far (0 when it cannot be read): the progress of a sweep whose
// engine is still writing.
int CountFrequencyBlocks(const std::string& path);

namespace sweepmessages {
inline constexpr const char* kOpenFailed = messages::kListingOpenFailed;
inline constexpr const char* kNoFrequency = "Unexpected NEC-2 output (frequency). See NEC-2 output file.";
inline constexpr const char* kNothingStored = "Unexpected NEC-2 output. See NEC-2 output file.";
inline constexpr const char* kBadInputParameters = "Invalid ANTENNA INPUT PARAMETERS data. See NEC-2 output file.";
inline constexpr const char* kBadFrequency = "Invalid FREQUENCY data. See NEC-2 output file.";
inline constexpr const char* kNoInputParameters =
    "Unexpected NEC-2 output (ANTENNA INPUT PARAMETERS). See NEC-2 output file.";
inline constexpr const char* kNoOutputData = "Error in NEC-2 output data.";
} // namespace sweepmessages

} // namespace vrnnec::engine
