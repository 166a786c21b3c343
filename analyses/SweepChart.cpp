#include "analyses/SweepChart.h"

#include "common/NumberText.h"

#include <algorithm>
#include <cmath>

namespace vrnnec::analyses {

namespace {

// A printed frequency (E11.4: 5 significant digits) belongs to the asked one when they
// differ by no more than half a unit of the fifth digit.
bool samePoint(double listed, double asked)
{
    const double larger = std::max(std::fabs(listed), std::fabs(asked));
    if (larger == 0)
        return true;
    const double unit = std::pow(10.0, std::floor(std::log10(larger)) - 4);
    return std::fabs(listed - asked) <= 0.5 * unit * (1 + 1e-9);
}

} // namespace

engine::SweepListing ReadSweep(const std::string& listingPath, const SweepSettings& settings, bool readAdmittance)
{
    engine::SweepListing listing = engine::ReadSweepListing(listingPath, settings.points, readAdmittance);
    if (!listing.ok())
        return listing;
    for (int j = 0; j < static_cast<int>(listing.blocks.size()); ++j)
        if (!samePoint(listing.blocks[static_cast<std::size_t>(j)].listedFrequency, settings.frequency(j))) {
            listing.message = engine::sweepmessages::kBadFrequency;
            listing.blocks.clear();
            break;
        }
    return listing;
}

std::vector<SweepPointValues> SweepValuesForTag(const engine::SweepListing& listing, const SweepSettings& settings,
                                                long long tag, engine::SwrReference& reference)
{
    std::vector<SweepPointValues> values;
    for (std::size_t j = 0; j < listing.blocks.size(); ++j) {
        SweepPointValues point;
        point.frequency = settings.frequency(static_cast<int>(j));
        for (const engine::SourceRow& row : listing.blocks[j].sources) {
            if (row.tag != tag)
                continue;
            point.r = listing.admittance ? row.admittanceReal : row.impedanceReal;
            point.x = listing.admittance ? row.admittanceImaginary : row.impedanceImaginary;
        }
        if (point.r && point.x)
            point.swr = engine::ComputeSwr(*point.r, *point.x, reference);
        values.push_back(point);
    }
    return values;
}

double RoundSwr(double swr)
{
    return static_cast<double>(numtext::roundHalfEven(swr * 100)) / 100;
}

std::string SweepChartData::swrTitle(char decimalSeparator) const
{
    std::string title = "SWR,  Max=";
    if (swrInfinite)
        return title + "inf";
    if (!highestSwr)
        return title;
    return title + numtext::withSeparator(numtext::general(RoundSwr(*highestSwr)), decimalSeparator);
}

SweepChartData MakeSweepChart(const std::vector<SweepPointValues>& values)
{
    SweepChartData chart;
    if (values.empty())
        return chart;
    chart.lowest = chart.highest = values.front().frequency;
    for (const SweepPointValues& v : values) {
        if (v.frequency < chart.lowest)
            chart.lowest = v.frequency;
        if (v.frequency > chart.highest)
            chart.highest = v.frequency;
        if (v.r && std::isfinite(*v.r))
            chart.r.emplace_back(v.frequency, *v.r);
        if (v.x && std::isfinite(*v.x))
            chart.x.emplace_back(v.frequency, *v.x);
        if (!v.swr)
            continue;
        if (!std::isfinite(*v.swr)) {
            chart.swrInfinite = true;
            continue;
        }
        chart.swr.emplace_back(v.frequency, *v.swr);
        if (!chart.highestSwr || *v.swr > *chart.highestSwr)
            chart.highestSwr = *v.swr;
    }
    chart.zeroLine = {{chart.lowest, 0.0}, {chart.highest, 0.0}};
    return chart;
}

SwrAxisRange SwrAxis(double highestSwr)
{
    const double high = std::isfinite(highestSwr) ? std::max(highestSwr, 1.5) : 1.5;
    SwrAxisRange axis;
    axis.step = 0.5;
    for (double decade = 1; (high - 1) / axis.step > kSwrAxisSteps; decade *= 10)
        for (double m : {1.0, 2.0, 5.0}) {
            axis.step = m * decade;
            if ((high - 1) / axis.step <= kSwrAxisSteps)
                break;
        }
    axis.top = 1 + std::ceil((high - 1) / axis.step) * axis.step;
    return axis;
}

} // namespace vrnnec::analyses
