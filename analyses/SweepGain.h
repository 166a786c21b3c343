// Gain and front-to-back ratio against frequency: the sweep keeps the deck's two pattern
// cuts for every frequency, and each frequency block of the listing is summarised as a
// single calculation's listing is (maximum gain of the azimuth cut and its F/B).
#pragma once

#include "analyses/SweepSummary.h"

#include <string>
#include <vector>

namespace vrnnec::analyses {

// The pattern cards of a deck: the last two of its RP cards (identifier in columns 1 and
// 2, any letter case), in deck order; empty when it has fewer than two.
std::vector<std::string> DeckPatternPair(const std::vector<std::string>& deck);

struct SweepGains {
    std::string message; // empty when every point has both cuts
    std::vector<GainPoint> points;
    bool ok() const { return message.empty(); }
};

// Reads the gain and F/B of the first `points` frequency blocks of the listing at `path`
// through the typed listing parse.
SweepGains ReadSweepGains(const std::string& path, int points);

} // namespace vrnnec::analyses
