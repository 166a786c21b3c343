#include "analyses/SweepGain.h"

#include "engine/ListingParse.h"
#include "engine/ListingReader.h"

#include <algorithm>
#include <cctype>

namespace vrnnec::analyses {

namespace {

bool hasAllGains(const std::vector<engine::PatternRow>& rows, std::size_t count)
{
    return rows.size() == count
        && std::all_of(rows.begin(), rows.end(), [](const engine::PatternRow& r) { return r.totalGain.has_value(); });
}

} // namespace

std::vector<std::string> DeckPatternPair(const std::vector<std::string>& deck)
{
    std::vector<std::string> cards;
    for (const std::string& line : deck)
        if (line.size() >= 2 && std::toupper(static_cast<unsigned char>(line[0])) == 'R'
            && std::toupper(static_cast<unsigned char>(line[1])) == 'P')
            cards.push_back(line);
    if (cards.size() < 2)
        return {};
    return {cards[cards.size() - 2], cards.back()};
}

SweepGains ReadSweepGains(const std::string& path, int points)
{
    SweepGains gains;
    const engine::ListingData listing = engine::ParseListing(path);
    if (!listing.complete()) {
        gains.message = listing.message;
        return gains;
    }
    if (static_cast<int>(listing.blocks.size()) < points) {
        gains.message = engine::listingmessages::kNoPattern;
        return gains;
    }
    for (int j = 0; j < points; ++j) {
        const engine::FrequencyBlock& block = listing.blocks[static_cast<std::size_t>(j)];
        if (!hasAllGains(block.patterns.azimuth, engine::kAzimuthRows)
            || !hasAllGains(block.patterns.elevation, engine::kElevationRows) || !block.patterns.azimuth.back().theta
            || !block.patterns.elevation.back().phi) {
            gains.message = engine::listingmessages::kBadPattern;
            gains.points.clear();
            return gains;
        }
        // The block alone, summarised as the listing of one calculation.
        engine::ListingData one;
        one.opened = true;
        one.stage = engine::ReadingStage::Complete;
        one.segmentTags = listing.segmentTags;
        one.blocks = {block};
        one.blocks.front().environmentFound = true;
        engine::SwrReference reference{50, 0};
        const engine::EngineOutput summary = engine::SummariseListing(one, {}, reference);
        gains.points.push_back({summary.azimuthMaxGain, summary.frontToBack});
    }
    return gains;
}

} // namespace vrnnec::analyses
