#include "engine/ListingReader.h"

#include "common/NumberText.h"

#include <cmath>

namespace vrnnec::engine {

namespace {

std::string integerText(long long value)
{
    return std::to_string(value);
}

// The tag list of `TagNumField`: a tag added only when it differs from the one before.
std::vector<std::string> tagItems(const std::vector<long long>& segmentTags)
{
    std::vector<std::string> items;
    for (long long tag : segmentTags) {
        std::string text = integerText(tag);
        if (items.empty() || text != items.back())
            items.push_back(std::move(text));
    }
    return items;
}

} // namespace

std::string GroundLabel(const std::string& environmentText)
{
    if (environmentText == "FINITE GROUND.  SOMMERFELD SOLUTION")
        return "Som.";
    if (environmentText == "  PERFECT GROUND")
        return "Perf.";
    if (environmentText == "    FREE SPACE")
        return "Fr.Sp.";
    if (environmentText == "FINITE GROUND.  REFLECTION COEFFICIENT APPROXIMATION")
        return "Refl.";
    return "NA";
}

EngineOutput ReadEngineOutput(const std::string& listingPath, const ReadingInputs& inputs, SwrReference& swrReference)
{
    ParseOptions options;
    options.readAdmittance = inputs.readAdmittance;
    return SummariseListing(ParseListing(listingPath, options), inputs, swrReference);
}

EngineOutput SummariseListing(const ListingData& listing, const ReadingInputs& inputs, SwrReference& swrReference)
{
    EngineOutput out;
    out.message = listing.message;
    out.stage = listing.stage;
    if (!listing.opened)
        return out;
    out.tags = tagItems(listing.segmentTags);
    if (listing.blocks.empty())
        return out;
    const FrequencyBlock& block = listing.blocks.front();

    // Frequency and wavelength.
    if (!block.frequency)
        return out;
    out.frequency = block.frequency;
    if (!block.wavelength)
        return out;
    out.wavelength = block.wavelength;

    // Ground environment.
    if (!block.environmentFound)
        return out;
    out.environmentRead = true;
    out.groundLabel = GroundLabel(block.environmentText);
    out.environmentLines = block.environmentLines;

    // Sources or other excitation.
    for (const SourceRow& row : block.sources) {
        SourceResult source;
        source.tag = row.tag.value_or(0);
        source.r = (inputs.readAdmittance ? row.admittanceReal : row.impedanceReal).value_or(0);
        source.x = (inputs.readAdmittance ? row.admittanceImaginary : row.impedanceImaginary).value_or(0);
        source.swr = ComputeSwr(source.r, source.x, swrReference);
        out.sources.push_back(source);
    }
    if (block.excitationLine) {
        out.excitationLine = block.excitationLine;
    }

    out.currents = block.currents;
    // A full pattern run has no cuts to summarise.
    if (!listing.complete() || block.patterns.azimuth.empty() || block.patterns.elevation.empty())
        return out;

    // Pattern maxima and the front-to-back ratio; a complete reading has both cuts with
    // every total gain, the theta of the last azimuth row and the phi of the last
    // elevation row.
    const PatternCuts& cuts = block.patterns;
    std::vector<double> az, el;
    for (const PatternRow& row : cuts.azimuth)
        az.push_back(row.totalGain.value_or(0));
    for (const PatternRow& row : cuts.elevation)
        el.push_back(row.totalGain.value_or(0));
    const double azimuthCutElevation = 90 - cuts.azimuth.back().theta.value_or(0);
    const double phi = cuts.elevation.back().phi.value_or(0);
    int kAz = 0; // 0-based: row k + 1
    for (int k = 1; k < kAzimuthRows; ++k)
        if (az[k] > az[kAz])
            kAz = k;
    const double azMax = az[kAz];
    int mEl = 0; // 0-based: row m + 1
    for (int m = 1; m < kElevationRows; ++m)
        if (el[m] > el[mEl])
            mEl = m;
    const double elMax = el[mEl];
    const double maxTotalGain = azMax < elMax ? elMax : azMax;
    // Front-to-back ratio against a floor 30 dB below the overall maximum.
    const double floor = maxTotalGain - 30;
    for (double& gain : az)
        if (gain < floor)
            gain = floor;
    int kBack = kAz + 180;
    if (kBack >= kAzimuthRows)
        kBack -= kAzimuthRows;
    const double frontToBack = az[kAz] - az[kBack];
    const int elevationOfMax = mEl <= 90 ? mEl : 180 - mEl;

    out.azimuthCutElevation = azimuthCutElevation;
    out.azimuthMaxGain = azMax;
    out.azimuthOfMax = kAz;
    out.frontToBack = frontToBack;
    out.elevationCutAzimuth = phi;
    out.elevationMaxGain = elMax;
    out.elevationOfMax = elevationOfMax;
    out.maxTotalGain = maxTotalGain;

    out.patterns = cuts;
    return out;
}

} // namespace vrnnec::engine