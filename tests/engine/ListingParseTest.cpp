// The typed parse: headings at the columns the classic heading lines give, the rows of
// every frequency block of a multi-frequency listing, and the source row's fields.
#include "ListingTestSupport.h"

#include "engine/ListingColumns.h"
#include "engine/ListingParse.h"

#include "common/TextLines.h"

#include <gtest/gtest.h>

using namespace vrnnec;

using Lines = std::vector<std::string>;

TEST(ListingColumns, HeadingsStandWhereTheClassicHeadingLinesPutThem)
{
    struct Case {
        std::string line;
        engine::columns::Heading heading;
    };
    const Case cases[] = {
        {listingtest::segmentationHeadingLine(), engine::columns::kSegmentation},
        {listingtest::frequencyHeadingLine(), engine::columns::kFrequency},
        {listingtest::environmentHeadingLine(), engine::columns::kEnvironment},
        {listingtest::inputParametersHeadingLine(), engine::columns::kInputParameters},
        {listingtest::excitationHeadingLine(), engine::columns::kExcitation},
        {listingtest::currentsHeadingLine(), engine::columns::kCurrents},
        {listingtest::patternHeadingLine(), engine::columns::kPatterns},
        {std::string(40, ' ') + "- - - POWER BUDGET - - -", engine::columns::kPowerBudget},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(textlines::columns(c.line, c.heading.from, c.heading.to), c.heading.text);
        EXPECT_EQ(c.heading.to - c.heading.from + 1, static_cast<int>(c.heading.text.size()));
    }
    // The first rows as the classic engine writes them.
    EXPECT_EQ(engine::columns::kSegmentation.firstRow, 9);
    EXPECT_EQ(engine::columns::kInputParameters.firstRow, 4);
    EXPECT_EQ(engine::columns::kCurrents.firstRow, 7);
}

TEST(ListingParse, EveryFrequencyBlockOfAMultiFrequencyListing)
{
    // The listing of one frequency, then the same sections again at 21 MHz.
    const Lines first = listingtest::SyntheticListing().lines();
    listingtest::SyntheticListing second;
    second.frequency = 21.0;
    second.wavelength = 14.276;
    second.sources = {{1, 36.5, -12.5}, {2, 50, 0}};
    Lines lines = first;
    const Lines again = second.lines();
    lines.insert(lines.end(), again.begin() + listingtest::findLine(again, "- - FREQUENCY - -"), again.end());
    listingtest::TempFolder folder;
    const engine::ListingData data = engine::ParseListing(folder.write("Outdata.txo", lines));

    ASSERT_TRUE(data.complete()) << data.message;
    ASSERT_EQ(data.blocks.size(), 2u);
    EXPECT_EQ(data.blocks[0].frequency, 14.2);
    const engine::FrequencyBlock& b = data.blocks[1];
    EXPECT_EQ(b.frequency, 21.0);
    EXPECT_EQ(b.wavelength, 14.276);
    EXPECT_TRUE(b.environmentFound);
    EXPECT_EQ(b.environmentLines, Lines{"    FREE SPACE"});
    ASSERT_EQ(b.sources.size(), 2u);
    EXPECT_EQ(b.sources[0].impedanceReal, 36.5);
    EXPECT_EQ(b.sources[0].impedanceImaginary, -12.5);
    EXPECT_EQ(b.sources[1].tag, 2);
    EXPECT_EQ(b.currents.size(), data.blocks[0].currents.size());
    EXPECT_EQ(b.patterns.azimuth.size(), 360u);
    EXPECT_EQ(b.patterns.elevation.size(), 181u);
}

TEST(ListingParse, SourceRowFieldsAndTheSlopeMarker)
{
    const std::string plain = "     1    11 1.00000E+00 0.00000E+00 1.36559E-02-7.27232E-04 7.30236E+01 3.88887E+00 "
                              "1.36559E-02-7.27232E-04 6.82797E-03";
    std::string marked = plain;
    marked.replace(6, 6, " *  11");
    for (const std::string& line : {plain, marked}) {
        SCOPED_TRACE(line);
        const engine::SourceRow row = engine::ReadSourceRow(line);
        EXPECT_EQ(row.slopeDiscontinuity, line == marked);
        EXPECT_EQ(row.tag, 1);
        EXPECT_EQ(row.segment, 11);
        EXPECT_EQ(row.voltageReal, 1.0);
        EXPECT_EQ(row.currentImaginary, -7.27232e-4);
        EXPECT_EQ(row.impedanceReal, 73.0236);
        EXPECT_EQ(row.impedanceImaginary, 3.88887);
        EXPECT_EQ(row.admittanceReal, 1.36559e-2);
        EXPECT_EQ(row.power, 6.82797e-3);
    }
    EXPECT_FALSE(engine::ReadSourceRow("   x").tag.has_value());
}

TEST(ListingParse, TheElevationCutRunsFromTheta90ToMinus90)
{
    struct Case {
        int fromLastRow; // 0 the last elevation row, 180 the first
        const char* theta;
        bool complete;
    };
    const Case cases[] = {
        {0, "  -90.00", true}, {0, "  -89.00", false}, {180, "   80.00", false}, {180, "   90.00", true}};
    const Lines original = listingtest::SyntheticListing().lines();
    int last = -1;
    for (std::size_t i = 0; i < original.size(); ++i)
        if (original[i].rfind("  -90.00", 0) == 0)
            last = static_cast<int>(i);
    ASSERT_GT(last, 180);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.theta);
        Lines lines = original;
        std::string& row = lines[static_cast<std::size_t>(last - c.fromLastRow)];
        row.replace(0, 8, c.theta);
        listingtest::TempFolder folder;
        const engine::ListingData data = engine::ParseListing(folder.write("Outdata.txo", lines));
        EXPECT_EQ(data.complete(), c.complete);
        if (!c.complete) {
            EXPECT_EQ(data.message, engine::listingmessages::kBadPattern);
        }
    }
}
