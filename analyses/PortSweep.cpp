#include "analyses/PortSweep.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace vrnnec::analyses {

namespace {

bool isSourceCard(const std::string& line)
{
    return line.size() >= 2 && std::toupper(static_cast<unsigned char>(line[0])) == 'E'
        && std::toupper(static_cast<unsigned char>(line[1])) == 'X';
}

} // namespace

std::vector<std::string> SourceCards(const std::vector<std::string>& deck)
{
    std::vector<std::string> cards;
    std::copy_if(deck.begin(), deck.end(), std::back_inserter(cards), isSourceCard);
    return cards;
}

PortSweepData PortAdmittances(const engine::SweepListing& listing, const SweepSettings& settings)
{
    PortSweepData data;
    const auto fail = [&data](const std::string& message) {
        data = PortSweepData{};
        data.message = message;
        return data;
    };
    if (!listing.ok())
        return fail(listing.message);
    if (listing.blocks.empty())
        return fail(engine::sweepmessages::kNoOutputData);
    const std::vector<std::vector<engine::SourceRow>>& first = listing.blocks.front().portSources;
    const std::size_t n = first.size();
    if (n == 0)
        return fail(engine::sweepmessages::kNoInputParameters);
    // The row of port j: the one at 1 V in solution j (the same in every block).
    std::vector<std::size_t> rowOf(n);
    for (std::size_t j = 0; j < n; ++j) {
        const auto& rows = first[j];
        if (rows.size() != n)
            return fail(engine::sweepmessages::kBadInputParameters);
        const auto driven = std::find_if(rows.begin(), rows.end(), [](const engine::SourceRow& r) {
            return r.voltageReal && std::fabs(*r.voltageReal - 1) < 1e-6;
        });
        if (driven == rows.end())
            return fail(engine::sweepmessages::kBadInputParameters);
        rowOf[j] = static_cast<std::size_t>(driven - rows.begin());
        data.portTags.push_back(driven->tag.value_or(0));
    }
    for (std::size_t p = 0; p < listing.blocks.size(); ++p) {
        const auto& solutions = listing.blocks[p].portSources;
        if (solutions.size() != n)
            return fail(engine::sweepmessages::kBadInputParameters);
        ComplexMatrix y(static_cast<int>(n));
        for (std::size_t j = 0; j < n; ++j) {
            if (solutions[j].size() != n)
                return fail(engine::sweepmessages::kBadInputParameters);
            for (std::size_t i = 0; i < n; ++i) {
                const engine::SourceRow& row = solutions[j][rowOf[i]];
                if (!row.currentReal || !row.currentImaginary)
                    return fail(engine::sweepmessages::kBadInputParameters);
                y.at(static_cast<int>(i), static_cast<int>(j)) = Complex(*row.currentReal, *row.currentImaginary); // I / 1 V
            }
        }
        data.frequency.push_back(settings.frequency(static_cast<int>(p)));
        data.admittance.push_back(std::move(y));
    }
    return data;
}

std::vector<TouchstonePoint> OnePortScattering(const engine::SweepListing& listing, const SweepSettings& settings,
                                               long long tag, double reference)
{
    std::vector<TouchstonePoint> points;
    for (std::size_t j = 0; j < listing.blocks.size(); ++j) {
        ComplexMatrix s(1);
        bool found = false;
        for (const engine::SourceRow& row : listing.blocks[j].sources)
            if (row.tag == tag && row.impedanceReal && row.impedanceImaginary) {
                s.at(0, 0) = ReflectionCoefficient({*row.impedanceReal, *row.impedanceImaginary}, reference);
                found = true;
            }
        if (found)
            points.push_back({settings.frequency(static_cast<int>(j)), s});
    }
    return points;
}

std::vector<TouchstonePoint> PortScattering(const PortSweepData& data, double reference)
{
    std::vector<TouchstonePoint> points;
    for (std::size_t p = 0; p < data.admittance.size(); ++p) {
        auto s = ScatteringFromAdmittance(data.admittance[p], reference);
        if (!s)
            return {};
        points.push_back({data.frequency[p], std::move(*s)});
    }
    return points;
}

} // namespace vrnnec::analyses
