// What the sweep charts show for one source tag: R and jX (or the admittance parts) and
// the SWR at every swept frequency, the axis range and the title of the SWR axis.
#pragma once

#include "engine/SweepListing.h"
#include "engine/Swr.h"

#include "analyses/SweepDeck.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vrnnec::analyses {

// The listing of a sweep read against the settings it was run with: every block must
// belong to its point (the listing prints the frequency with 5 significant digits, so
// it is compared, not used).
engine::SweepListing ReadSweep(const std::string& listingPath, const SweepSettings& settings, bool readAdmittance);

// The values of one point for one tag; a point with no row for the tag has none.
struct SweepPointValues {
    double frequency = 0; // MHz: the frequency the FR card asked for
    std::optional<double> r, x;
    std::optional<double> swr; // +infinity when it has no finite value
};

// The values of every point for `tag`: the last row of a block with that tag wins.
std::vector<SweepPointValues> SweepValuesForTag(const engine::SweepListing& listing, const SweepSettings& settings,
                                                long long tag, engine::SwrReference& reference);

using ChartPoint = std::pair<double, double>;

// The series and axes of both charts. Only finite values reach a series.
struct SweepChartData {
    double lowest = 0, highest = 0; // the frequency axis
    std::vector<ChartPoint> r, x, swr;
    std::vector<ChartPoint> zeroLine;
    bool swrInfinite = false;         // some point's SWR has no finite value
    std::optional<double> highestSwr; // the highest finite SWR
    std::string swrTitle(char decimalSeparator) const;
};

SweepChartData MakeSweepChart(const std::vector<SweepPointValues>& values);

// The SWR axis: from 1 to `top` in steps of `step`, 0.5 while that gives at most
// kSwrAxisSteps steps, else the smallest of 1, 2, 5, 10, 20, 50 ... that does, so that
// an SWR in the thousands (a far mismatch, or values read as admittance) draws as fast
// as one of 3. `top` is the highest SWR (at least 1.5) rounded up to a step.
struct SwrAxisRange {
    double top = 5, step = 0.5;
};
inline constexpr int kSwrAxisSteps = 40;
SwrAxisRange SwrAxis(double highestSwr);

// The SWR rounded to two decimals (ties to even), as the charts and the tools show it.
double RoundSwr(double swr);

} // namespace vrnnec::analyses
