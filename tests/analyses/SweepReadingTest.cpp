// The reading of a sweep listing: its stop rules and messages, the source tags, the
// values per tag and point, and the chart data.
#include "SweepTestSupport.h"

#include "analyses/SweepChart.h"

#include "engine/ClassicListing.h"
#include "engine/SweepListing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace vrnnec;
using namespace sweeptest;
using Lines = std::vector<std::string>;
namespace msg = engine::sweepmessages;

namespace {

Lines concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(SweepListing, ReadsEveryBlockOfTheRewrittenEngineListing)
{
    TempFolder folder;
    const std::string path = folder.file("Outdata.txo");
    ASSERT_EQ(engine::RewriteListingFile(dataPath("listings/nec2c/sweep_two_sources.out"), path), "");
    const engine::SweepListing listing = engine::ReadSweepListing(path, 5, false);
    ASSERT_EQ(listing.message, "");
    EXPECT_EQ(listing.sourceTags, (std::vector<long long>{3, 5}));
    ASSERT_EQ(listing.blocks.size(), 5u);
    const double frequencies[] = {13.9, 13.95, 14.0, 14.05, 14.1};
    for (std::size_t j = 0; j < 5; ++j) {
        EXPECT_DOUBLE_EQ(listing.blocks[j].listedFrequency, frequencies[j]);
        ASSERT_EQ(listing.blocks[j].sources.size(), 2u);
        EXPECT_EQ(listing.blocks[j].sources[0].tag, 3);
        EXPECT_EQ(listing.blocks[j].sources[1].tag, 5);
    }
    // The engine's own rows at 13.9 and 14.1 MHz.
    EXPECT_DOUBLE_EQ(*listing.blocks[0].sources[0].impedanceReal, -22.766);
    EXPECT_DOUBLE_EQ(*listing.blocks[0].sources[1].impedanceImaginary, 0.33415);
    EXPECT_DOUBLE_EQ(*listing.blocks[4].sources[1].impedanceReal, 61.652);
    // Fewer points than blocks read only the first ones.
    EXPECT_EQ(engine::ReadSweepListing(path, 2, false).blocks.size(), 2u);
    // The progress count sees the blocks in both layouts.
    EXPECT_EQ(engine::CountFrequencyBlocks(path), 5);
    EXPECT_EQ(engine::CountFrequencyBlocks(dataPath("listings/nec2c/sweep_two_sources.out")), 5);
    EXPECT_EQ(engine::CountFrequencyBlocks(folder.file("missing.txo")), 0);
}

TEST(SweepListing, TheCardEchoAfterTheLastPowerBudgetEndsItsTable)
{
    // nec2c glues the echo of the EN card to the last row of the last power budget.
    const std::string classic = engine::RewriteToClassicListing(readText(dataPath("listings/nec2c/sweep.out")));
    std::istringstream in(classic);
    Lines lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::size_t last = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find("EFFICIENCY") != std::string::npos)
            last = i;
    ASSERT_GT(last, 0u);
    ASSERT_LT(last + 2, lines.size());
    EXPECT_EQ(lines[last + 1], "");
    EXPECT_EQ(lines[last + 2].rfind(" ***** DATA CARD NO.", 0), 0u) << lines[last + 2];
}

TEST(SweepListing, StopsWithItsMessage)
{
    const Lines two = concat({block(13.8, {{1, 50, 1}}), block(14.2, {{1, 60, 2}})});
    Lines badFrequency = block(13.8, {{1, 50, 1}});
    badFrequency[2].replace(46, 11, "  1.38X+01 ");
    Lines badTag = block(13.8, {{1, 50, 1}});
    badTag[9].replace(0, 6, "     x");
    Lines badR = block(13.8, {{1, 50, 1}});
    badR[9].replace(60, 12, "    nonsense");
    Lines noTable = block(13.8, {{1, 50, 1}});
    noTable.erase(noTable.begin() + 5, noTable.end());
    struct Case {
        const char* name;
        Lines lines;
        int points;
        const char* message;
        std::size_t tags;
    };
    const Case cases[] = {
        {"two points", listing({two}), 2, "", 1},
        {"more points than blocks", listing({two}), 3, msg::kNoFrequency, 1},
        {"no frequency heading", {"1", "", "nothing", "", ""}, 3, msg::kNoFrequency, 0},
        {"heading on the last line", {"1", frequencyHeading()}, 3, msg::kNothingStored, 0},
        {"unreadable frequency", listing({badFrequency}), 1, msg::kBadFrequency, 1},
        {"unreadable tag", listing({badTag}), 1, msg::kBadInputParameters, 0},
        {"unreadable R", listing({badR}), 1, msg::kBadInputParameters, 1},
        {"block without input table", listing({noTable, block(14, {{1, 1, 1}})}), 1, msg::kNoInputParameters, 1},
        {"second block without input table", listing({block(14, {{1, 1, 1}}), noTable}), 2, msg::kNoInputParameters, 1},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const engine::SweepListing read =
            engine::ReadSweepListing(folder.write("Outdata.txo", c.lines), c.points, false);
        EXPECT_EQ(read.message, c.message);
        EXPECT_EQ(read.sourceTags.size(), c.tags);
        EXPECT_EQ(read.blocks.size(), read.ok() ? static_cast<std::size_t>(c.points) : 0u);
    }
    EXPECT_EQ(engine::ReadSweepListing(folder.file("missing.txo"), 3, false).message, msg::kOpenFailed);
}

TEST(SweepListing, TheLastLineOfTheFileIsNotRead)
{
    // A table not closed by an empty line ends with the lines; its row on the last line
    // of the file stays out.
    Lines lines = listing({block(14, {{1, 50, 0}, {2, 60, 0}, {3, 70, 0}})});
    lines.resize(lines.size() - 4); // the empty lines and the trailer: row 3 is the last line
    TempFolder folder;
    const engine::SweepListing read = engine::ReadSweepListing(folder.write("Outdata.txo", lines), 1, false);
    ASSERT_EQ(read.message, "");
    ASSERT_EQ(read.blocks.size(), 1u);
    EXPECT_EQ(read.blocks[0].sources.size(), 2u);
}

TEST(SweepValues, TakeTheAskedFrequencyAndTheTagsOwnRows)
{
    TempFolder folder;
    // Point 1 has no row for tag 2; point 2 has two rows for tag 1 (the last wins).
    const Lines lines = listing({block(13.8, {{1, 50, 10}, {2, 40, -5}}), block(14.0, {{1, 70, 20}}),
                                 block(14.2, {{1, 10, 1}, {2, 45, 0}, {1, 0, 30}})});
    const analyses::SweepSettings settings{14, 0.4, 3};
    const engine::SweepListing read = analyses::ReadSweep(folder.write("Outdata.txo", lines), settings, false);
    ASSERT_EQ(read.message, "");
    EXPECT_EQ(read.sourceTags, (std::vector<long long>{1, 2}));

    engine::SwrReference reference{50, 0};
    const auto tag1 = analyses::SweepValuesForTag(read, settings, 1, reference);
    const auto tag2 = analyses::SweepValuesForTag(read, settings, 2, reference);
    ASSERT_EQ(tag1.size(), 3u);
    ASSERT_EQ(tag2.size(), 3u);
    EXPECT_DOUBLE_EQ(tag1[2].frequency, settings.frequency(2));
    EXPECT_EQ(tag1[2].r, 0.0);
    EXPECT_EQ(tag1[2].x, 30.0);
    EXPECT_TRUE(std::isinf(*tag1[2].swr));
    EXPECT_EQ(tag2[0].r, 40.0);
    EXPECT_FALSE(tag2[1].r || tag2[1].x || tag2[1].swr);
    EXPECT_EQ(tag2[2].swr, engine::ComputeSwr(45, 0, reference));

    const analyses::SweepChartData chart1 = analyses::MakeSweepChart(tag1);
    EXPECT_EQ(chart1.swr.size(), 2u); // the infinite one is left out
    EXPECT_TRUE(chart1.swrInfinite);
    EXPECT_EQ(chart1.swrTitle('.'), "SWR,  Max=inf");
    EXPECT_DOUBLE_EQ(chart1.lowest, 13.8);
    EXPECT_DOUBLE_EQ(chart1.highest, 14.2);
    EXPECT_EQ(chart1.zeroLine, (std::vector<analyses::ChartPoint>{{chart1.lowest, 0}, {chart1.highest, 0}}));

    const analyses::SweepChartData chart2 = analyses::MakeSweepChart(tag2);
    EXPECT_EQ(chart2.r.size(), 2u); // no value at point 1
    EXPECT_EQ(chart2.swr.size(), 2u);
    EXPECT_EQ(chart2.swrTitle(','), "SWR,  Max=1,28");
}

TEST(SweepValues, TheAdmittanceColumnsWhenAsked)
{
    TempFolder folder;
    const analyses::SweepSettings settings{14, 0.4, 3};
    const Lines lines = listing({block(13.8, {{1, 50, 10}}), block(14.0, {{1, 70, 20}}), block(14.2, {{1, 1, 1}})});
    const engine::SweepListing read = analyses::ReadSweep(folder.write("Outdata.txo", lines), settings, true);
    engine::SwrReference reference{50, 0};
    const auto values = analyses::SweepValuesForTag(read, settings, 1, reference);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[1].r, 0.0125);
    EXPECT_EQ(values[1].x, -0.0025);
}

TEST(SweepValues, EachBlockMustBelongToItsPoint)
{
    struct Case {
        analyses::SweepSettings settings;
        std::vector<double> listed;
        bool belongs;
    };
    // 45 points over 100 kHz at 432.1 MHz: the listing's 5 digits merge neighbours.
    analyses::SweepSettings uhf{432.1, 0.1, 45};
    std::vector<double> uhfListed;
    for (int j = 0; j < 45; ++j)
        uhfListed.push_back(std::stod(std::to_string(std::round(uhf.frequency(j) * 100) / 100)));
    const Case cases[] = {
        {{14, 0.4, 3}, {13.8, 14, 14.2}, true},
        {uhf, uhfListed, true},
        {{14, 0.4, 3}, {13.8, 14.2, 14.4}, false},
        {{14, 0.4, 3}, {13.8, 14.01, 14.2}, false},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        std::vector<Lines> blocks;
        for (double f : c.listed)
            blocks.push_back(block(f, {{1, 50, 0}}));
        const engine::SweepListing read =
            analyses::ReadSweep(folder.write("Outdata.txo", listing(blocks)), c.settings, false);
        EXPECT_EQ(read.message, c.belongs ? "" : msg::kBadFrequency) << c.settings.centre;
        EXPECT_EQ(read.blocks.size(), c.belongs ? c.listed.size() : 0u);
    }
}

// The SWR axis steps by 0.5 up to 21 and by a round larger step beyond, never more than
// 40 steps, its top the highest SWR rounded up to a step.
TEST(SweepChart, SwrAxisKeepsItsStepsFewWhateverTheHighestSwr)
{
    struct Case {
        double highest, top, step;
    };
    const Case cases[] = {
        {1.0, 1.5, 0.5},     {1.2, 1.5, 0.5},       {2.26, 2.5, 0.5},   {21, 21, 0.5},
        {21.2, 22, 1},       {41, 41, 1},           {41.5, 43, 2},      {150, 151, 5},
        {5000, 5001, 200},   {25877.24, 26001, 1000}, {1e9, 1e9 + 1, 5e7}, {NAN, 1.5, 0.5},
        {INFINITY, 1.5, 0.5},
    };
    for (const Case& c : cases) {
        const analyses::SwrAxisRange axis = analyses::SwrAxis(c.highest);
        EXPECT_DOUBLE_EQ(axis.step, c.step) << c.highest;
        EXPECT_DOUBLE_EQ(axis.top, c.top) << c.highest;
        EXPECT_LE((axis.top - 1) / axis.step, analyses::kSwrAxisSteps + 1e-9) << c.highest;
    }
}

TEST(SweepChart, TitleRoundsTheHighestSwrToTwoDecimals)
{
    struct Case {
        std::vector<double> swr;
        const char* title;
    };
    const Case cases[] = {
        {{1.5, 3.456, 2}, "SWR,  Max=3.46"},
        {{1.125}, "SWR,  Max=1.12"}, // ties to even
        {{1, 1}, "SWR,  Max=1"},
        {{2, INFINITY}, "SWR,  Max=inf"},
        {{}, "SWR,  Max="},
    };
    for (const Case& c : cases) {
        std::vector<analyses::SweepPointValues> values;
        for (std::size_t j = 0; j < c.swr.size(); ++j)
            values.push_back({14.0 + j, 50, 0, c.swr[j]});
        if (c.swr.empty())
            values.push_back({14.0, std::nullopt, std::nullopt, std::nullopt});
        EXPECT_EQ(analyses::MakeSweepChart(values).swrTitle('.'), c.title);
    }
}

TEST(SweepListing, AFrequencyOfZeroKeepsItsBlockInTheClassicLayout)
{
    // nec2c writes "INF" for the wavelength at 0 MHz; the block still gets its classic
    // frequency line, so the blocks after it are found where a reader expects them.
    const std::string nec2c = std::string(31, ' ') + "---------------- COMMENTS ----------------\n\n"
        + std::string(31, ' ') + "--------- FREQUENCY --------\n" + std::string(32, ' ')
        + "FREQUENCY : 0.0000E+00 MHz\n" + std::string(32, ' ') + "WAVELENGTH:        INF Mtr\n\n"
        + std::string(31, ' ') + "--------- FREQUENCY --------\n" + std::string(32, ' ')
        + "FREQUENCY : 7.0000E+00 MHz\n" + std::string(32, ' ') + "WAVELENGTH: 4.2829E+01 Mtr\n\n";
    TempFolder folder;
    const std::string path = folder.file("Outdata.txo");
    std::ofstream(path, std::ios::binary) << engine::RewriteToClassicListing(nec2c) << "\n";
    std::ifstream in(path);
    Lines lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::vector<std::size_t> headings;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == frequencyHeading())
            headings.push_back(i);
    ASSERT_EQ(headings.size(), 2u);
    for (std::size_t h : headings) {
        ASSERT_LT(h + 3, lines.size());
        EXPECT_EQ(lines[h + 1], "");
        EXPECT_EQ(lines[h + 2].substr(36, 10), "FREQUENCY=");
    }
    EXPECT_EQ(lines[headings[0] + 2].substr(46, 11), " 0.0000E+00");
    EXPECT_EQ(lines[headings[0] + 3], std::string(36, ' ') + "WAVELENGTH=        INF METERS");
    EXPECT_EQ(lines[headings[1] + 2].substr(46, 11), " 7.0000E+00");
}
