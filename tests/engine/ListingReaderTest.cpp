// The reader on small classic listings: what a successful reading produces, and the
// rules for tags, sources, SWR, maxima, directions and the front-to-back ratio.
#include "ListingTestSupport.h"

#include "engine/ListingReader.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vrnnec;

using EngineOutput = listingtest::Reading;
using engine::ReadingInputs;
using engine::SwrReference;
using listingtest::ResultsTableModel;
using listingtest::SyntheticListing;
using listingtest::TempFolder;
using Lines = std::vector<std::string>;

namespace {

ReadingInputs defaultInputs()
{
    ReadingInputs inputs;
    inputs.runNumber = 7;
    inputs.antennaHeight = 30;
    return inputs;
}

listingtest::Reading readLines(const Lines& lines, const ReadingInputs& inputs, SwrReference& reference)
{
    TempFolder folder;
    return listingtest::ReadWithTexts(folder.write("Outdata.txo", lines), inputs, reference);
}

EngineOutput readListing(const SyntheticListing& listing, SwrReference reference = {50, 0},
                         ReadingInputs inputs = defaultInputs())
{
    return readLines(listing.lines(), inputs, reference);
}

} // namespace

TEST(ListingReader, FullReadingWritesTheFourMemosInOrder)
{
    const EngineOutput out = readListing(SyntheticListing());
    ASSERT_EQ(out.message, "");
    ASSERT_TRUE(out.succeeded());

    const std::string source = "Source in wire N 1:      Z=73.123 + j 42.500   SWR(50+j0)=2.18";
    const std::string azimuth = "Max Gain: 4.00 dBi  at azimuth: 0 deg,  F/B: 9.00 dB";
    const std::string elevation = "Max Gain: 1.00 dBi at elevation  90 deg";
    EXPECT_EQ(out.memos.impedanceScreen,
              (Lines{"Frequency:   14.2  MHz", "---Antenna environment---", "    FREE SPACE", source,
                     "----- Azimuth diagram -----", "Elevation angle: 20.0 deg", azimuth, "-----Elevation diagram-----",
                     "Azimuth angle: 0.0 deg", elevation, "***"}));
    const Lines others{"Frequency:   14.2  MHz",
                       "Antenna environment:",
                       "    FREE SPACE",
                       source,
                       "Elevation angle: 20.0 deg",
                       azimuth,
                       "Azimuth angle: 0.0 deg",
                       elevation};
    EXPECT_EQ(out.memos.impedanceScreen1, others);
    Lines withEnd = others;
    withEnd.push_back("***");
    EXPECT_EQ(out.memos.memo1, withEnd);
    EXPECT_EQ(out.memos.nec2ResultSheetScreen, withEnd);
}

TEST(ListingReader, OneSourceFillsRowOneOfTheTable)
{
    const EngineOutput out = readListing(SyntheticListing());
    ResultsTableModel table;
    table.replay(out.table);
    ASSERT_EQ(table.rows().size(), 1u);
    EXPECT_EQ(table.row(1),
              (ResultsTableModel::Row{"7", "1", "14.2", "73.123", "+j42.500", "2.18", "Fr.Sp.", "30", "20.0", "4.00",
                                      "0 deg", "0.0", "1.00", "90 deg", "-"}));
}

TEST(ListingReader, ResultValuesOfASuccessfulReading)
{
    SyntheticListing listing;
    listing.segmentTags = {1, 1, 2, 2, 2, 3};
    const EngineOutput out = readListing(listing);
    ASSERT_TRUE(out.succeeded()) << out.message;
    EXPECT_EQ(*out.tags, (Lines{"1", "2", "3"}));
    EXPECT_DOUBLE_EQ(*out.frequency, 14.2);
    EXPECT_DOUBLE_EQ(*out.wavelength, 21.112);
    EXPECT_EQ(out.groundLabel, "Fr.Sp.");
    EXPECT_EQ(out.environmentLines, Lines{"    FREE SPACE"});
    ASSERT_EQ(out.sources.size(), 1u);
    EXPECT_EQ(out.sources[0].tag, 1);
    EXPECT_NEAR(out.sources[0].r, 73.123, 1e-9);
    EXPECT_NEAR(out.sources[0].x, 42.5, 1e-9);
    EXPECT_NEAR(out.sources[0].swr, 2.182, 1e-3);
    EXPECT_FALSE(out.excitationLine.has_value());
    EXPECT_DOUBLE_EQ(out.azimuthCutElevation, 20);
    EXPECT_DOUBLE_EQ(out.azimuthMaxGain, 4);
    EXPECT_EQ(out.azimuthOfMax, 0);
    EXPECT_DOUBLE_EQ(out.frontToBack, 9);
    EXPECT_DOUBLE_EQ(out.elevationCutAzimuth, 0);
    EXPECT_DOUBLE_EQ(out.elevationMaxGain, 1);
    EXPECT_EQ(out.elevationOfMax, 90);
    EXPECT_DOUBLE_EQ(*out.maxTotalGain, 4);

    // The current rows, each read at its columns; the two cuts with their rows.
    const Lines lines = listing.lines();
    const int firstCurrent = listingtest::findLine(lines, "CURRENTS AND LOCATION") + 7;
    ASSERT_EQ(out.currents.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        const engine::CurrentRow expected = engine::ReadCurrentRow(lines[static_cast<std::size_t>(firstCurrent + i)]);
        EXPECT_EQ(out.currents[static_cast<std::size_t>(i)].segment, expected.segment);
        EXPECT_EQ(out.currents[static_cast<std::size_t>(i)].magnitude, expected.magnitude);
        EXPECT_TRUE(expected.magnitude.has_value());
    }
    ASSERT_EQ(out.patterns.azimuth.size(), 360u);
    ASSERT_EQ(out.patterns.elevation.size(), 181u);
    EXPECT_EQ(out.patterns.azimuth.front().phi, 0);
    EXPECT_EQ(out.patterns.elevation.back().theta, -90);
    EXPECT_EQ(out.patterns.elevation.back().phi, 0);
}

TEST(ListingReader, TagListCollapsesOnlyConsecutiveRepeats)
{
    SyntheticListing listing;
    listing.segmentTags = {1, 1, 2, 2, 1};
    EXPECT_EQ(*readListing(listing).tags, (Lines{"1", "2", "1"}));
}

TEST(ListingReader, TwoSourcesPushTheEarlierResultsDown)
{
    ResultsTableModel table;
    table.replay(readListing(SyntheticListing()).table); // the first result of the program
    ASSERT_EQ(table.rows().size(), 1u);

    SyntheticListing listing;
    listing.segmentTags = {3, 3, 3, 5, 5, 5};
    listing.sources = {{3, 60, -5}, {5, 40, 10}};
    ReadingInputs inputs = defaultInputs();
    inputs.runNumber = 8;
    const EngineOutput out = readListing(listing, {50, 0}, inputs);
    ASSERT_TRUE(out.succeeded()) << out.message;
    ASSERT_EQ(out.memos.memo1.size(), 10u);
    EXPECT_EQ(out.memos.memo1[3].substr(0, 19), "Source in wire N 3:");
    EXPECT_EQ(out.memos.memo1[4].substr(0, 19), "Source in wire N 5:");

    table.replay(out.table);
    ASSERT_EQ(table.rows().size(), 3u);
    EXPECT_EQ(table.row(1)[0], "8");
    EXPECT_EQ(table.row(1)[1], "5");
    EXPECT_EQ(table.row(1)[6], "Fr.Sp.");
    EXPECT_EQ(table.row(1)[14], "-");
    EXPECT_EQ(table.row(2)[0], "8");
    EXPECT_EQ(table.row(2)[1], "3");
    EXPECT_EQ(table.row(2)[4], "-j5.000");
    for (int c = 6; c < 15; ++c)
        EXPECT_EQ(table.row(2)[static_cast<std::size_t>(c)], "") << "column " << c;
    EXPECT_EQ(table.row(3)[0], "7");
    EXPECT_EQ(table.row(3)[13], "90 deg");
}

TEST(ListingReader, PlaneWaveGivesANoSourceRowAndTheExcitationLine)
{
    SyntheticListing listing;
    listing.planeWave = true;
    const EngineOutput out = readListing(listing);
    ASSERT_TRUE(out.succeeded()) << out.message;
    EXPECT_TRUE(out.sources.empty());
    ASSERT_TRUE(out.excitationLine.has_value());
    EXPECT_EQ(*out.excitationLine, listingtest::planeWaveLine());
    for (const Lines* memo : {&out.memos.impedanceScreen, &out.memos.impedanceScreen1, &out.memos.memo1,
                              &out.memos.nec2ResultSheetScreen}) {
        const auto at = std::find(memo->begin(), memo->end(), "Exitation:");
        ASSERT_NE(at, memo->end());
        ASSERT_NE(at + 1, memo->end());
        EXPECT_EQ(*(at + 1), listingtest::planeWaveLine());
    }
    ResultsTableModel table;
    table.replay(out.table);
    EXPECT_EQ(table.row(1),
              (ResultsTableModel::Row{"7", "no src", "14.2", "NA", "NA", "NA", "Fr.Sp.", "30", "20.0", "4.00", "0 deg",
                                      "0.0", "1.00", "90 deg", "-"}));
}

TEST(ListingReader, OtherExcitationLineIsTheFifthAfterTheHeading)
{
    // A current source: the line 2 below the heading is not a plane wave, so the
    // excitation line is the 5th after the heading.
    Lines lines = SyntheticListing().lines();
    const int heading = listingtest::findLine(lines, "ANTENNA INPUT PARAMETERS");
    lines[static_cast<std::size_t>(heading)] = listingtest::excitationHeadingLine();
    lines[static_cast<std::size_t>(heading + 2)] = "   POSITION (METERS)";
    lines[static_cast<std::size_t>(heading + 5)] = "    CURRENT SOURCE       0.00000";
    SwrReference reference{50, 0};
    const EngineOutput out = readLines(lines, defaultInputs(), reference);
    ASSERT_TRUE(out.succeeded()) << out.message;
    EXPECT_EQ(out.excitationLine.value_or(""), "    CURRENT SOURCE       0.00000");
}

TEST(ListingReader, SwrAgainstFiftySeventyFiveAndZero)
{
    SyntheticListing listing;
    listing.sources = {{1, 50, 0}};

    const EngineOutput fifty = readListing(listing, {50, 0});
    EXPECT_EQ(fifty.table[0].cells[5], "1.00");
    EXPECT_EQ(fifty.memos.memo1[3], "Source in wire N 1:      Z=50.000 + j 0.000   SWR(50+j0)=1.00");

    const EngineOutput seventyFive = readListing(listing, {75, 0});
    EXPECT_EQ(seventyFive.table[0].cells[5], "1.50*");
    EXPECT_EQ(seventyFive.memos.memo1[3], "Source in wire N 1:      Z=50.000 + j 0.000   SWR(75+j0)=1.50");

    SwrReference zero{0, 0};
    const EngineOutput againstZero = readLines(listing.lines(), defaultInputs(), zero);
    EXPECT_EQ(zero.r, 50);
    EXPECT_EQ(zero.x, 0);
    EXPECT_EQ(againstZero.table[0].cells[5], "1.00");
    EXPECT_EQ(againstZero.memos.memo1[3], fifty.memos.memo1[3]);

    const EngineOutput capacitiveReference = readListing(listing, {50, -25.5});
    const std::string& line = capacitiveReference.memos.memo1[3];
    EXPECT_EQ(line.substr(line.find("SWR(")), "SWR(50-j25.5)=1.66");
    EXPECT_EQ(capacitiveReference.table[0].cells[5], "1.66*");
}

TEST(ListingReader, NegativeReactance)
{
    SyntheticListing listing;
    listing.sources = {{1, 36.5, -12.5}};
    const EngineOutput out = readListing(listing);
    EXPECT_EQ(out.memos.impedanceScreen[3], "Source in wire N 1:      Z=36.500 - j 12.500   SWR(50+j0)=1.53");
    EXPECT_EQ(out.table[0].cells[3], "36.500");
    EXPECT_EQ(out.table[0].cells[4], "-j12.500");
}

TEST(ListingReader, SwrWithoutFiniteValueIsShownAsInf)
{
    SyntheticListing listing;
    listing.sources = {{1, 0, 30}};
    const EngineOutput out = readListing(listing);
    EXPECT_EQ(out.table[0].cells[5], "inf");
    EXPECT_EQ(out.memos.memo1[3], "Source in wire N 1:      Z=0.000 + j 30.000   SWR(50+j0)=inf");
    EXPECT_EQ(readListing(listing, {75, 0}).table[0].cells[5], "inf*");
}

TEST(ListingReader, FrontToBackIsCappedAtThirtyDecibels)
{
    SyntheticListing listing;
    listing.azimuthGains.assign(360, -20);
    listing.azimuthGains[0] = 10;
    listing.azimuthGains[180] = -35; // 45 dB below the maximum
    EngineOutput out = readListing(listing);
    EXPECT_DOUBLE_EQ(out.frontToBack, 30);
    EXPECT_EQ(out.memos.memo1[5], "Max Gain: 10.00 dBi  at azimuth: 0 deg,  F/B: 30.00 dB");

    // The floor is 30 dB below the larger maximum of both cuts.
    listing.azimuthGains[0] = 0;
    listing.azimuthGains[180] = -25;
    listing.elevationGains[40] = 10;
    out = readListing(listing);
    EXPECT_DOUBLE_EQ(*out.maxTotalGain, 10);
    EXPECT_DOUBLE_EQ(out.frontToBack, 20);
}

TEST(ListingReader, EqualMaximaReportTheFirstAndTheBackWrapsAround)
{
    SyntheticListing listing;
    listing.azimuthGains.assign(360, -3);
    listing.azimuthGains[10] = 8;
    listing.azimuthGains[190] = 8;
    EngineOutput out = readListing(listing);
    EXPECT_EQ(out.azimuthOfMax, 10);
    EXPECT_DOUBLE_EQ(out.frontToBack, 0);
    EXPECT_EQ(out.table.back().cells[4], "10 deg");

    listing.azimuthGains.assign(360, -3);
    listing.azimuthGains[200] = 6;
    listing.azimuthGains[20] = 1;
    out = readListing(listing);
    EXPECT_EQ(out.azimuthOfMax, 200);
    EXPECT_DOUBLE_EQ(out.frontToBack, 5);
}

TEST(ListingReader, ElevationPastTheZenithCountsFromTheBackHorizon)
{
    SyntheticListing listing;
    listing.elevationGains.assign(181, -10);
    listing.elevationGains[150] = 3; // row 151
    EngineOutput out = readListing(listing);
    EXPECT_EQ(out.elevationOfMax, 30);
    EXPECT_EQ(out.memos.memo1.at(7), "Max Gain: 3.00 dBi at elevation  30 deg");
    EXPECT_EQ(out.table.back().cells[7], "30 deg");

    listing.elevationGains[150] = -10;
    listing.elevationGains[90] = 3; // row 91, the zenith
    EXPECT_EQ(readListing(listing).elevationOfMax, 90);
    listing.elevationGains[90] = -10;
    listing.elevationGains[180] = 3; // the back horizon
    EXPECT_EQ(readListing(listing).elevationOfMax, 0);
}

TEST(ListingReader, CutAnglesComeFromThetaAndPhiOfTheLastRows)
{
    SyntheticListing listing;
    listing.azimuthTheta = 57.5;
    listing.elevationPhi = 123.4;
    const EngineOutput out = readListing(listing);
    EXPECT_DOUBLE_EQ(out.azimuthCutElevation, 32.5);
    EXPECT_DOUBLE_EQ(out.elevationCutAzimuth, 123.4);
    EXPECT_EQ(out.table.back().cells[2], "32.5");
    EXPECT_EQ(out.table.back().cells[5], "123.0");
    EXPECT_EQ(out.memos.impedanceScreen[8], "Azimuth angle: 123.0 deg");
}

TEST(ListingReader, AdmittanceColumnsReplaceTheImpedanceWhenAsked)
{
    SyntheticListing listing;
    listing.sources = {{1, 73.123, 42.5, 0.0125, -0.0025}};
    ReadingInputs inputs = defaultInputs();
    inputs.readAdmittance = true;
    const EngineOutput out = readListing(listing, {50, 0}, inputs);
    ASSERT_EQ(out.sources.size(), 1u);
    EXPECT_DOUBLE_EQ(out.sources[0].r, 0.0125);
    EXPECT_DOUBLE_EQ(out.sources[0].x, -0.0025);
    EXPECT_EQ(out.table[0].cells[3], "0.013");
    EXPECT_EQ(out.table[0].cells[4], "-j0.003");
}

TEST(ListingReader, HeightUnknownAndCoatedRun)
{
    ReadingInputs inputs = defaultInputs();
    inputs.antennaHeight = 12.25;
    inputs.coatedRun = true;
    EngineOutput out = readListing(SyntheticListing(), {50, 0}, inputs);
    EXPECT_EQ(out.table.back().cells[1], "12.25");
    EXPECT_EQ(out.table.back().cells[8], "Diel");
    inputs.heightUnknown = true;
    out = readListing(SyntheticListing(), {50, 0}, inputs);
    EXPECT_EQ(out.table.back().cells[1], "NA");
}

TEST(ListingReader, EnvironmentShowsAtMostThreeLinesFromColumn41)
{
    SyntheticListing listing;
    const std::string pad(40, ' ');
    listing.environment = {pad + "FINITE GROUND.  SOMMERFELD SOLUTION", pad + "RELATIVE DIELECTRIC CONST.= 13.000",
                           pad + "CONDUCTIVITY= 5.000E-03 MHOS/METER",
                           pad + "COMPLEX DIELECTRIC CONSTANT= 1.30000E+01-6.42000E+00"};
    const EngineOutput out = readListing(listing);
    ASSERT_TRUE(out.succeeded()) << out.message;
    EXPECT_EQ(out.groundLabel, "Som.");
    const Lines expected{"FINITE GROUND.  SOMMERFELD SOLUTION", "RELATIVE DIELECTRIC CONST.= 13.000",
                         "CONDUCTIVITY= 5.000E-03 MHOS/METER"};
    EXPECT_EQ(out.environmentLines, expected);
    EXPECT_EQ(Lines(out.memos.memo1.begin() + 2, out.memos.memo1.begin() + 5), expected);

    // A line without text from column 41 on is passed over but counts.
    listing.environment = {std::string(44, ' ') + "FREE SPACE", "     (short line)", pad + "THIRD", pad + "FOURTH"};
    EXPECT_EQ(readListing(listing).environmentLines, (Lines{"    FREE SPACE", "THIRD"}));
}

TEST(ListingReader, GroundLabels)
{
    EXPECT_EQ(engine::GroundLabel("FINITE GROUND.  SOMMERFELD SOLUTION"), "Som.");
    EXPECT_EQ(engine::GroundLabel("  PERFECT GROUND"), "Perf.");
    EXPECT_EQ(engine::GroundLabel("    FREE SPACE"), "Fr.Sp.");
    EXPECT_EQ(engine::GroundLabel("FINITE GROUND.  REFLECTION COEFFICIENT APPROXIMATION"), "Refl.");
    EXPECT_EQ(engine::GroundLabel("PERFECT GROUND"), "NA");
    EXPECT_EQ(engine::GroundLabel("FINITE GROUND - SOMMERFELD SOLUTION"), "NA");
    EXPECT_EQ(engine::GroundLabel(""), "NA");
}

TEST(ListingReader, SourceLineOfThePartsExample)
{
    SwrReference fifty{50, 0};
    const double swr = engine::ComputeSwr(73.123, 42.5, fifty);
    EXPECT_EQ(results::SourceLine(1, 73.123, 42.5, swr, fifty),
              "Source in wire N 1:      Z=73.123 + j 42.500   SWR(50+j0)=2.18");
    EXPECT_EQ(results::SourceLine(12, 1234.5678, -0.0004, 1.0, {37.5, -0.25}),
              "Source in wire N 12:      Z=1234.568 - j 0.000   SWR(37.5-j0.25)=1.00");
}
