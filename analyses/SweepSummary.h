// What a designer reads off a sweep besides the charts: the frequency of the minimum
// SWR, the band where the SWR stays at or below 2, and the sweep as comma-separated
// text.
#pragma once

#include "analyses/SweepChart.h"

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::analyses {

struct SwrBand {
    std::optional<double> minimumSwr;   // the lowest finite SWR
    double minimumFrequency = 0;        // MHz, where it is (the first such point)
    std::optional<double> low, high;    // MHz: the band around the minimum, when any point is <= limit
};

// The minimum and the band at or below `limit` around it; the edges are interpolated
// linearly between the points on both sides of the limit, and end at the first or last
// point when the SWR is still below the limit there. Points without a finite SWR end a
// band.
SwrBand FindSwrBand(const std::vector<SweepPointValues>& values, double limit = 2);

// "minimum SWR 1.23 at 14.05 MHz, SWR<=2 from 13.9 to 14.2 MHz", "... SWR<=2 nowhere",
// or "no SWR" when no point has a finite SWR. Frequencies to 100 Hz.
std::string SwrBandText(const SwrBand& band);

// The gain columns of one point.
struct GainPoint {
    std::optional<double> maxGain;     // dBi, the azimuth cut's maximum
    std::optional<double> frontToBack; // dB
};

// "MHz,Tag,R,X,SWR" ("MHz,Tag,G,B,SWR" when the listing was read as admittance; the SWR
// is always that of the input impedance) with gains ",Gain dBi,F/B dB", then one line per
// frequency and source row of the listing, point as the decimal separator. `gains` is empty or has one
// entry per block.
std::string SweepCsvText(const engine::SweepListing& listing, const SweepSettings& settings,
                         engine::SwrReference reference, const std::vector<GainPoint>& gains = {});

// The SWR as the tables write it: two decimals, or "inf".
std::string SwrCell(double swr);

} // namespace vrnnec::analyses
