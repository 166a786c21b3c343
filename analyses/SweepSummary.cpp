#include "analyses/SweepSummary.h"

#include "common/NumberText.h"

#include <cmath>

namespace vrnnec::analyses {

namespace {

bool finiteSwr(const SweepPointValues& v)
{
    return v.swr && std::isfinite(*v.swr);
}

// The frequency where the SWR crosses `limit` between points a and b.
double crossing(const SweepPointValues& a, const SweepPointValues& b, double limit)
{
    const double t = (limit - *a.swr) / (*b.swr - *a.swr);
    return a.frequency + t * (b.frequency - a.frequency);
}

std::string megahertz(double f)
{
    return numtext::general(std::round(f * 1e4) / 1e4);
}

} // namespace

SwrBand FindSwrBand(const std::vector<SweepPointValues>& values, double limit)
{
    SwrBand band;
    std::size_t best = values.size();
    for (std::size_t j = 0; j < values.size(); ++j)
        if (finiteSwr(values[j]) && (best == values.size() || *values[j].swr < *values[best].swr))
            best = j;
    if (best == values.size())
        return band;
    band.minimumSwr = *values[best].swr;
    band.minimumFrequency = values[best].frequency;
    if (*values[best].swr > limit)
        return band;
    std::size_t lo = best;
    while (lo > 0 && finiteSwr(values[lo - 1]) && *values[lo - 1].swr <= limit)
        --lo;
    std::size_t hi = best;
    while (hi + 1 < values.size() && finiteSwr(values[hi + 1]) && *values[hi + 1].swr <= limit)
        ++hi;
    band.low = lo > 0 && finiteSwr(values[lo - 1]) ? crossing(values[lo - 1], values[lo], limit) : values[lo].frequency;
    band.high =
        hi + 1 < values.size() && finiteSwr(values[hi + 1]) ? crossing(values[hi], values[hi + 1], limit) : values[hi].frequency;
    return band;
}

std::string SwrBandText(const SwrBand& band)
{
    if (!band.minimumSwr)
        return "no SWR";
    std::string text = "minimum SWR " + numtext::decimals(RoundSwr(*band.minimumSwr), 2) + " at "
        + megahertz(band.minimumFrequency) + " MHz, ";
    if (band.low && band.high)
        return text + "SWR<=2 from " + megahertz(*band.low) + " to " + megahertz(*band.high) + " MHz";
    return text + "SWR<=2 nowhere";
}

std::string SwrCell(double swr)
{
    return std::isfinite(swr) ? numtext::decimals(RoundSwr(swr), 2) : std::string("inf");
}

std::string SweepCsvText(const engine::SweepListing& listing, const SweepSettings& settings,
                         engine::SwrReference reference, const std::vector<GainPoint>& gains)
{
    const bool withGain = !gains.empty();
    // Values read as admittance are named so; the SWR is that of the input impedance.
    std::string text = listing.admittance ? "MHz,Tag,G,B,SWR" : "MHz,Tag,R,X,SWR";
    text += withGain ? ",Gain dBi,F/B dB\n" : "\n";
    const auto optional = [](const std::optional<double>& v) {
        return v && std::isfinite(*v) ? numtext::decimals(*v, 2) : std::string();
    };
    for (std::size_t j = 0; j < listing.blocks.size(); ++j)
        for (const engine::SourceRow& row : listing.blocks[j].sources) {
            const auto r = listing.admittance ? row.admittanceReal : row.impedanceReal;
            const auto x = listing.admittance ? row.admittanceImaginary : row.impedanceImaginary;
            if (!row.tag || !r || !x)
                continue;
            text += numtext::general(settings.frequency(static_cast<int>(j))) + "," + std::to_string(*row.tag) + ","
                + numtext::general(*r) + "," + numtext::general(*x) + ","
                + (row.impedanceReal && row.impedanceImaginary
                       ? SwrCell(engine::ComputeSwr(*row.impedanceReal, *row.impedanceImaginary, reference))
                       : std::string());
            if (withGain && j < gains.size())
                text += "," + optional(gains[j].maxGain) + "," + optional(gains[j].frontToBack);
            else if (withGain)
                text += ",,";
            text += "\n";
        }
    return text;
}

} // namespace vrnnec::analyses
