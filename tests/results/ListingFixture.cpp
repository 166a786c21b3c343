#include "ListingFixture.h"

#include "engine/ListingParse.h"

#include <cstdio>
#include <stdexcept>

using namespace vrnnec;

namespace fixture {

std::string listingPath(const std::string& name)
{
    return std::string(TEST_DATA_DIR) + "/listings/" + name;
}

namespace {

engine::FrequencyBlock firstBlock(const std::string& listing)
{
    const engine::ListingData data = engine::ParseListing(listingPath(listing));
    if (!data.complete())
        throw std::runtime_error(listing + ": " + data.message);
    return data.blocks.front();
}

} // namespace

engine::PatternCuts patternCuts(const std::string& listing)
{
    return firstBlock(listing).patterns;
}

std::vector<engine::CurrentRow> currents(const std::string& listing)
{
    return firstBlock(listing).currents;
}

std::vector<engine::CurrentRow> currentRows(const std::vector<std::string>& lines)
{
    std::vector<engine::CurrentRow> rows;
    for (const std::string& line : lines)
        rows.push_back(engine::ReadCurrentRow(line));
    return rows;
}

std::string patternRow(double theta, double phi, double vertical, double horizontal, double total)
{
    char text[128];
    std::snprintf(text, sizeof text, " %7.2f%9.2f   %8.2f%8.2f%8.2f    0.00000     0.00  LINEAR", theta, phi, vertical,
                  horizontal, total);
    return text;
}

std::string patternHeading()
{
    return std::string(48, ' ') + "- - - RADIATION PATTERNS - - -";
}

std::string currentRow(int segment, int tag, double x, double y, double z, double length, double re, double im,
                       double magnitude, double phase)
{
    char text[128];
    std::snprintf(text, sizeof text, " %5d%5d%9.4f%9.4f%9.4f%9.5f %12.4E%12.4E%12.4E%9.3f", segment, tag, x, y, z,
                  length, re, im, magnitude, phase);
    return text;
}

} // namespace fixture
