// Every reader of a listing (and the rewrite of nec2c listings) on the fixture listings
// cut at every line (every 50th line of the large ones), every tenth line also in its
// middle: an engine that stops writing anywhere must leave a listing the readers stop on
// with a message, never a crash.
#include "ListingTestSupport.h"

#include "engine/ClassicListing.h"
#include "engine/ListingParse.h"
#include "engine/ListingReader.h"
#include "engine/NearFieldListing.h"
#include "engine/SweepListing.h"
#include "engine/ViewerSectionsParse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace vrnnec;

using listingtest::TempFolder;

namespace {

const std::vector<std::string> kListings = {
    "big",           "csdvs_source",  "dipole_free",   "dipole_perfect",    "dipole_sommerfeld", "green_write",
    "near_electric", "near_magnetic", "network_tl",    "patches",           "plane_wave",        "plane_wave_eta90",
    "stack",         "sweep",         "sweep_perfect", "sweep_two_sources", "two_sources",       "yagi3_loads",
};

constexpr std::size_t kLargeListingLines = 2000;
constexpr int kSweepPoints = 3;

// What every reader takes from one listing file.
struct Readings {
    bool summaryComplete = false;
    double maxTotalGain = 0;
    std::size_t viewerSegments = 0;
    std::size_t viewerCurrents = 0;
    std::size_t sweepBlocks = 0;
    int frequencyBlocks = 0;
    std::size_t nearRows[2] = {0, 0};
    bool oneReadingAgrees = false; // the parse with the viewer's sections reads as the two apart
};

bool sameSections(const engine::ViewerSections& a, const engine::ViewerSections& b)
{
    return a.opened == b.opened && a.segmentationFound == b.segmentationFound && a.currentsFound == b.currentsFound
        && a.segments.size() == b.segments.size() && a.patches.size() == b.patches.size()
        && a.loads.size() == b.loads.size() && a.ports.size() == b.ports.size()
        && a.sources.size() == b.sources.size() && a.currents.size() == b.currents.size()
        && (a.segments.empty() || a.segments.back().tag == b.segments.back().tag)
        && (a.currents.empty() || a.currents.back().magnitude == b.currents.back().magnitude);
}

Readings readAll(const std::string& path)
{
    Readings r;
    for (bool admittance : {false, true}) {
        engine::ParseOptions options;
        options.readAdmittance = admittance;
        const engine::ListingData listing = engine::ParseListing(path, options);
        engine::ReadingInputs inputs;
        inputs.runNumber = 1;
        inputs.readAdmittance = admittance;
        engine::SwrReference reference{0, 0};
        const engine::EngineOutput out = engine::SummariseListing(listing, inputs, reference);
        if (!admittance) {
            r.summaryComplete = out.succeeded();
            r.maxTotalGain = out.maxTotalGain.value_or(0);
        }
    }
    r.sweepBlocks = engine::ReadSweepListing(path, kSweepPoints, false).blocks.size();
    const engine::ViewerSections viewer = engine::ParseViewerSections(path);
    engine::ParseOptions both;
    both.viewerSections = true;
    const engine::ListingData once = engine::ParseListing(path, both);
    const engine::ListingData apart = engine::ParseListing(path, {});
    r.oneReadingAgrees = once.viewer && !apart.viewer && once.stage == apart.stage && once.message == apart.message
        && once.segmentTags == apart.segmentTags && once.blocks.size() == apart.blocks.size()
        && (once.blocks.empty() || once.blocks[0].currents.size() == apart.blocks[0].currents.size())
        && sameSections(*once.viewer, viewer);
    r.viewerSegments = viewer.segments.size();
    r.viewerCurrents = viewer.currents.size();
    r.frequencyBlocks = engine::CountFrequencyBlocks(path);
    r.nearRows[0] = engine::ReadNearFieldListing(path, engine::NearField::Electric).rows.size();
    r.nearRows[1] = engine::ReadNearFieldListing(path, engine::NearField::Magnetic).rows.size();
    return r;
}

class ListingCut : public ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(ListingCut, EveryReaderStopsOnTheCut)
{
    const std::string text = listingtest::fileText(listingtest::dataPath("listings/" + GetParam() + ".out"));
    std::vector<std::size_t> lineEnds; // offset just after each line feed
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n')
            lineEnds.push_back(i + 1);
    ASSERT_GT(lineEnds.size(), 10u);
    const std::size_t step = lineEnds.size() > kLargeListingLines ? 50 : 1;

    TempFolder folder;
    const std::string cutPath = folder.file("cut.out");
    const Readings full = readAll(listingtest::dataPath("listings/" + GetParam() + ".out"));
    EXPECT_TRUE(full.oneReadingAgrees);
    const bool nec2c = engine::IsNec2cListing(text);

    int lastBlocks = 0;
    for (std::size_t k = 0; k < lineEnds.size(); k += step) {
        const std::size_t start = k == 0 ? 0 : lineEnds[k - 1];
        // Every tenth line is also cut in its middle.
        std::vector<std::size_t> cuts{start};
        if (k % 10 == 0)
            cuts.push_back(start + (lineEnds[k] - start) / 2);
        for (std::size_t cut : cuts) {
            folder.writeText("cut.out", text.substr(0, cut));
            const Readings r = readAll(cutPath);
            if (nec2c) // the rewrite into the classic layout ends like the listing
                engine::RewriteToClassicListing(std::string_view(text).substr(0, cut));
            SCOPED_TRACE(GetParam() + " cut after " + std::to_string(cut) + " bytes");
            // A cut listing holds no more than the whole one, and what it completes is
            // what the whole listing gives.
            if (r.summaryComplete) {
                EXPECT_TRUE(full.summaryComplete);
                EXPECT_EQ(r.maxTotalGain, full.maxTotalGain);
            }
            EXPECT_TRUE(r.oneReadingAgrees);
            EXPECT_LE(r.viewerSegments, full.viewerSegments);
            EXPECT_LE(r.viewerCurrents, full.viewerCurrents);
            EXPECT_LE(r.sweepBlocks, full.sweepBlocks);
            EXPECT_LE(r.nearRows[0], full.nearRows[0]);
            EXPECT_LE(r.nearRows[1], full.nearRows[1]);
            EXPECT_GE(r.frequencyBlocks, lastBlocks);
            EXPECT_LE(r.frequencyBlocks, full.frequencyBlocks);
            lastBlocks = r.frequencyBlocks;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Classic, ListingCut, ::testing::ValuesIn([] {
                             std::vector<std::string> names;
                             for (const std::string& n : kListings)
                                 names.push_back("classic/" + n);
                             return names;
                         }()),
                         [](const auto& info) { return info.param.substr(8); });
INSTANTIATE_TEST_SUITE_P(Nec2c, ListingCut, ::testing::ValuesIn([] {
                             std::vector<std::string> names;
                             for (const std::string& n : kListings)
                                 names.push_back("nec2c/" + n);
                             return names;
                         }()),
                         [](const auto& info) { return info.param.substr(6); });
