// Damaged and truncated listings: every stop message of the reader, with the state the
// reading leaves behind (what was written stays; the pattern lines never survive a stop).
#include "ListingTestSupport.h"

#include "engine/ListingReader.h"

#include <gtest/gtest.h>

using namespace vrnnec;

using EngineOutput = listingtest::Reading;
using engine::ReadingStage;
using engine::SwrReference;
using listingtest::findLine;
using listingtest::SyntheticListing;
using listingtest::TempFolder;
using Lines = std::vector<std::string>;

namespace {

const char* const kBadSegmentation =
    "Invalid SEGMENTATION DATA data (may be due to incorrect cards in NEC-2 input). See NEC-2 output file.";
const char* const kBadFrequency =
    "Invalid FREQUENCY data (may be due to incorrect FR cards in NEC-2 input). See NEC-2 output file.";
const char* const kBadSource =
    "Invalid ANTENNA INPUT PARAMETERS data (may be due to incorrect cards in NEC-2 input). See NEC-2 output file.";
const char* const kNoPattern = "Radiation pattern data in output NEC-2 file not found.";
const char* const kBadPattern = "Radiation pattern data in Output NEC-2 file are ivalid (may be due to incorrect RP "
                                "card in NEC-2 input). See NEC-2 output file.";

listingtest::Reading readLines(const Lines& lines, SwrReference* reference = nullptr)
{
    TempFolder folder;
    engine::ReadingInputs inputs;
    inputs.runNumber = 3;
    SwrReference local{50, 0};
    return listingtest::ReadWithTexts(folder.write("Outdata.txo", lines), inputs, reference ? *reference : local);
}

int lineOf(const Lines& lines, const std::string& text, int from = 0)
{
    const int at = findLine(lines, text, from);
    if (at < 0)
        throw std::runtime_error("no line with " + text);
    return at;
}

void eraseLine(Lines& lines, const std::string& text)
{
    lines.erase(lines.begin() + lineOf(lines, text));
}

// Replaces columns from..to (1-based) of a line.
void putColumns(std::string& line, int from, int to, const std::string& text)
{
    ASSERT_EQ(static_cast<int>(text.size()), to - from + 1);
    line.replace(static_cast<std::size_t>(from - 1), text.size(), text);
}

void expectNoPatternResults(const EngineOutput& out)
{
    EXPECT_FALSE(out.succeeded());
    EXPECT_TRUE(out.patterns.empty());
    EXPECT_FALSE(out.maxTotalGain.has_value());
    EXPECT_EQ(out.memos.impedanceScreen.back(), out.memos.impedanceScreen.at(3)) << "no pattern lines in the memos";
    EXPECT_EQ(out.table.size(), 1u) << "only the source row";
}

} // namespace

TEST(ListingReaderStops, MissingListingLeavesEverythingAsItWas)
{
    SwrReference reference{0, 0};
    const listingtest::Reading out = listingtest::ReadWithTexts("/nonexistent/folder/Outdata.txo", {}, reference);
    EXPECT_EQ(out.message, "Error opening NEC-2 output file Outdata.txo");
    EXPECT_EQ(out.stage, ReadingStage::OpenListing);
    EXPECT_FALSE(out.tags.has_value()) << "the tag list is not cleared";
    EXPECT_FALSE(out.wavelength.has_value());
    EXPECT_TRUE(out.memos.impedanceScreen.empty());
    EXPECT_TRUE(out.table.empty());
    EXPECT_EQ(reference.r, 0) << "no SWR was computed";
}

TEST(ListingReaderStops, SegmentationHeadingMissing)
{
    Lines lines = SyntheticListing().lines();
    eraseLine(lines, "SEGMENTATION DATA");
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, "SEGMENTATION data in output NEC-2 file not found.");
    EXPECT_EQ(out.stage, ReadingStage::Segmentation);
    ASSERT_TRUE(out.tags.has_value());
    EXPECT_TRUE(out.tags->empty()) << "the tag list is cleared before the search";
    EXPECT_TRUE(out.memos.memo1.empty());
}

TEST(ListingReaderStops, UnreadableSegmentTag)
{
    SyntheticListing listing;
    listing.segmentTags = {1, 2, 3, 4};
    Lines lines = listing.lines();
    const int first = lineOf(lines, "SEGMENTATION DATA") + 9;
    putColumns(lines[static_cast<std::size_t>(first + 2)], 96, 100, "   3x");
    EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, kBadSegmentation);
    EXPECT_EQ(*out.tags, (Lines{"1", "2"})) << "the tags read so far stay";

    // A first row without a tag.
    lines = listing.lines();
    putColumns(lines[static_cast<std::size_t>(first)], 96, 100, "     ");
    out = readLines(lines);
    EXPECT_EQ(out.message, kBadSegmentation);
    EXPECT_TRUE(out.tags->empty());
}

TEST(ListingReaderStops, FileEndsInsideTheSegmentTable)
{
    SyntheticListing listing;
    listing.segmentTags = {1, 1, 2, 2, 2};
    Lines lines = listing.lines();
    lines.resize(static_cast<std::size_t>(lineOf(lines, "SEGMENTATION DATA") + 9 + 3));
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, kBadSegmentation);
    EXPECT_EQ(*out.tags, (Lines{"1", "2"}));
}

TEST(ListingReaderStops, FrequencyHeadingMissing)
{
    Lines lines = SyntheticListing().lines();
    eraseLine(lines, "- - - FREQUENCY - - -");
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, "FREQUENCY data in output NEC-2 file not found.");
    EXPECT_EQ(out.stage, ReadingStage::Frequency);
    EXPECT_EQ(*out.tags, Lines{"1"});
    EXPECT_TRUE(out.memos.impedanceScreen.empty());
}

TEST(ListingReaderStops, UnreadableFrequencyOrWavelength)
{
    Lines lines = SyntheticListing().lines();
    const int frequencyLine = lineOf(lines, "FREQUENCY=");
    putColumns(lines[static_cast<std::size_t>(frequencyLine)], 47, 58, " 1.4200F+01 ");
    EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, kBadFrequency);
    EXPECT_FALSE(out.frequency.has_value());
    EXPECT_TRUE(out.memos.memo1.empty());

    lines = SyntheticListing().lines();
    putColumns(lines[static_cast<std::size_t>(frequencyLine + 1)], 48, 59, "  METERS    ");
    out = readLines(lines);
    EXPECT_EQ(out.message, kBadFrequency);
    EXPECT_DOUBLE_EQ(out.frequency.value_or(0), 14.2);
    EXPECT_FALSE(out.wavelength.has_value()) << "the wavelength of the last reading stays";
    const Lines frequencyOnly{"Frequency:   14.2  MHz"};
    EXPECT_EQ(out.memos.impedanceScreen, frequencyOnly);
    EXPECT_EQ(out.memos.impedanceScreen1, frequencyOnly);
    EXPECT_EQ(out.memos.memo1, frequencyOnly);
    EXPECT_EQ(out.memos.nec2ResultSheetScreen, frequencyOnly);
}

TEST(ListingReaderStops, EnvironmentHeadingMissing)
{
    Lines lines = SyntheticListing().lines();
    eraseLine(lines, "ANTENNA ENVIRONMENT");
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, "ANTENNA ENVIRONMENT in output NEC-2 file not found.");
    EXPECT_DOUBLE_EQ(out.wavelength.value_or(0), 21.112);
    EXPECT_EQ(out.memos.memo1, Lines{"Frequency:   14.2  MHz"});
}

TEST(ListingReaderStops, NeitherInputParametersNorExcitation)
{
    Lines lines = SyntheticListing().lines();
    eraseLine(lines, "ANTENNA INPUT PARAMETERS");
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, "Impedance or exitation data in output NEC-2 file not found.");
    EXPECT_EQ(out.stage, ReadingStage::Excitation);
    EXPECT_EQ(out.memos.impedanceScreen,
              (Lines{"Frequency:   14.2  MHz", "---Antenna environment---", "    FREE SPACE"}));
    EXPECT_TRUE(out.table.empty());
}

TEST(ListingReaderStops, UnreadableSourceRowKeepsTheRowsBeforeIt)
{
    SyntheticListing listing;
    listing.sources = {{1, 73.123, 42.5}, {2, 50, 0}, {3, 50, 0}};
    Lines lines = listing.lines();
    const int firstRow = lineOf(lines, "ANTENNA INPUT PARAMETERS") + 4;
    putColumns(lines[static_cast<std::size_t>(firstRow + 1)], 73, 84, "  -.-       ");
    SwrReference reference{0, 0};
    EngineOutput out = readLines(lines, &reference);
    EXPECT_EQ(out.message, kBadSource);
    ASSERT_EQ(out.table.size(), 1u);
    EXPECT_EQ(out.table[0].cells[1], "1");
    EXPECT_EQ(out.memos.memo1.back(), "Source in wire N 1:      Z=73.123 + j 42.500   SWR(50+j0)=2.18");
    EXPECT_EQ(reference.r, 50) << "the first SWR replaced 0 + j0";

    lines = listing.lines();
    putColumns(lines[static_cast<std::size_t>(firstRow + 2)], 1, 6, "   3.0");
    out = readLines(lines);
    EXPECT_EQ(out.message, kBadSource);
    EXPECT_EQ(out.table.size(), 2u);
}

TEST(ListingReaderStops, CurrentsHeadingMissing)
{
    Lines lines = SyntheticListing().lines();
    eraseLine(lines, "CURRENTS AND LOCATION");
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, "CURRENTS data in output NEC-2 file not found.");
    EXPECT_EQ(out.stage, ReadingStage::Currents);
    EXPECT_TRUE(out.currents.empty());
    EXPECT_EQ(out.table.size(), 1u) << "the source row stays";
}

TEST(ListingReaderStops, ListingEndingRightAfterTheCurrents)
{
    Lines lines = SyntheticListing().lines();
    const int heading = lineOf(lines, "CURRENTS AND LOCATION");
    lines.resize(static_cast<std::size_t>(heading + 7 + 3)); // three rows, no empty line after them
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, kNoPattern);
    EXPECT_EQ(out.stage, ReadingStage::AzimuthPattern);
    ASSERT_EQ(out.currents.size(), 3u);
    EXPECT_EQ(out.currents.back().segment, engine::ReadCurrentRow(lines.back()).segment);
    EXPECT_TRUE(out.currents.back().segment.has_value());
    expectNoPatternResults(out);
}

TEST(ListingReaderStops, UnreadableAzimuthGain)
{
    Lines lines = SyntheticListing().lines();
    const int firstRow = lineOf(lines, "RADIATION PATTERNS") + 5;
    putColumns(lines[static_cast<std::size_t>(firstRow + 200)], 37, 44, "  ******");
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, kBadPattern);
    EXPECT_EQ(out.currents.size(), 3u) << "the currents stay";
    expectNoPatternResults(out);
}

TEST(ListingReaderStops, AzimuthBlockCutShort)
{
    Lines lines = SyntheticListing().lines();
    lines.resize(static_cast<std::size_t>(lineOf(lines, "RADIATION PATTERNS") + 5 + 359));
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, kBadPattern);
    expectNoPatternResults(out);
}

TEST(ListingReaderStops, UnreadableThetaOfTheLastAzimuthRow)
{
    Lines lines = SyntheticListing().lines();
    const int lastRow = lineOf(lines, "RADIATION PATTERNS") + 5 + 359;
    putColumns(lines[static_cast<std::size_t>(lastRow)], 1, 8, "   70,00");
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, kBadPattern);
    expectNoPatternResults(out);
}

TEST(ListingReaderStops, SecondPatternHeadingMissing)
{
    Lines lines = SyntheticListing().lines();
    const int second = lineOf(lines, "RADIATION PATTERNS", lineOf(lines, "RADIATION PATTERNS") + 1);
    lines.erase(lines.begin() + second);
    const EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, kNoPattern);
    EXPECT_EQ(out.stage, ReadingStage::ElevationPattern);
    expectNoPatternResults(out);
}

TEST(ListingReaderStops, UnreadableElevationGainOrPhi)
{
    Lines lines = SyntheticListing().lines();
    const int second = lineOf(lines, "RADIATION PATTERNS", lineOf(lines, "RADIATION PATTERNS") + 1);
    putColumns(lines[static_cast<std::size_t>(second + 5)], 37, 44, "        ");
    EngineOutput out = readLines(lines);
    EXPECT_EQ(out.message, kBadPattern);
    expectNoPatternResults(out);

    lines = SyntheticListing().lines();
    putColumns(lines[static_cast<std::size_t>(second + 5 + 180)], 10, 17, "    0.0.");
    out = readLines(lines);
    EXPECT_EQ(out.message, kBadPattern);
    expectNoPatternResults(out);
    EXPECT_EQ(out.currents.size(), 3u);
}
