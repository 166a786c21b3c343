// The reader on the engines' listings of the fixture decks: the classic listing as it
// is, and nec2c's listing after the rewrite into the classic layout. Both must give the
// same results within the engines' numeric differences.
#include "ListingTestSupport.h"

#include "engine/ClassicListing.h"
#include "engine/ListingReader.h"

#include "common/TextLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <map>

using namespace vrnnec;

using EngineOutput = listingtest::Reading;
using listingtest::TempFolder;
using Lines = std::vector<std::string>;

namespace {

const std::vector<std::string> kDecks = {
    "big",           "csdvs_source",  "dipole_free",   "dipole_perfect",    "dipole_sommerfeld", "green_write",
    "near_electric", "near_magnetic", "network_tl",    "patches",           "plane_wave",        "plane_wave_eta90",
    "stack",         "sweep",         "sweep_perfect", "sweep_two_sources", "two_sources",       "yagi3_loads",
};

const char* const kNoExcitation = "Impedance or exitation data in output NEC-2 file not found.";
const char* const kNoFrequency = "FREQUENCY data in output NEC-2 file not found.";
const char* const kNoCurrents = "CURRENTS data in output NEC-2 file not found.";
const char* const kNoPattern = "Radiation pattern data in output NEC-2 file not found.";

// What the reader reports on the classic listing of each deck that does not end with
// the two pattern cuts.
const std::map<std::string, std::string> kClassicMessages = {
    {"green_write", kNoExcitation},                         // the Green's function run computes no excitation
    {"near_electric", kNoPattern},                          // near fields instead of patterns
    {"near_magnetic", kNoPattern},  {"sweep", kNoCurrents}, // PT -1: no current table
    {"sweep_perfect", kNoCurrents}, {"sweep_two_sources", kNoCurrents},
};

engine::ReadingInputs inputs()
{
    engine::ReadingInputs in;
    in.runNumber = 4;
    in.antennaHeight = 10;
    return in;
}

listingtest::Reading readClassic(const std::string& deck)
{
    engine::SwrReference reference{50, 0};
    return listingtest::ReadWithTexts(listingtest::dataPath("listings/classic/" + deck + ".out"), inputs(), reference);
}

listingtest::Reading readRewritten(const std::string& deck)
{
    const std::string nec2c = listingtest::fileText(listingtest::dataPath("listings/nec2c/" + deck + ".out"));
    TempFolder folder;
    const std::string path = folder.writeText("Outdata.txo", engine::RewriteToClassicListing(nec2c));
    engine::SwrReference reference{50, 0};
    return listingtest::ReadWithTexts(path, inputs(), reference);
}

void expectNear(const engine::OptionalReal& r, const engine::OptionalReal& c, double tolerance)
{
    ASSERT_EQ(r.has_value(), c.has_value());
    if (c) {
        EXPECT_NEAR(*r, *c, tolerance);
    }
}

double maxCurrent(const std::vector<engine::CurrentRow>& rows)
{
    double largest = 0;
    for (const engine::CurrentRow& row : rows)
        largest = std::max(largest, row.magnitude.value_or(0));
    return largest;
}

// A memo line without the numbers the two engines may print differently.
bool engineDependent(const std::string& line)
{
    return line.rfind("Source in wire", 0) == 0 || line.rfind("Max Gain", 0) == 0;
}

class ListingFixtures : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(ListingFixtures, ClassicListingReadsToTheExpectedEnd)
{
    const std::string deck = GetParam();
    const EngineOutput out = readClassic(deck);
    const auto expected = kClassicMessages.find(deck);
    EXPECT_EQ(out.message, expected == kClassicMessages.end() ? "" : expected->second);
    ASSERT_TRUE(out.tags.has_value());
    EXPECT_FALSE(out.tags->empty());
    if (out.succeeded()) {
        ASSERT_EQ(out.patterns.azimuth.size(), 360u);
        ASSERT_EQ(out.patterns.elevation.size(), 181u);
        EXPECT_EQ(out.patterns.elevation.back().theta, -90);
        EXPECT_FALSE(out.currents.empty());
        EXPECT_NE(out.groundLabel, "NA");
    }
}

TEST_P(ListingFixtures, RewrittenNec2cListingGivesTheClassicResults)
{
    const std::string deck = GetParam();
    const EngineOutput classic = readClassic(deck);
    const EngineOutput rewritten = readRewritten(deck);
    if (deck == "green_write") {
        // nec2c refuses the WG card and ends its listing after the card echo.
        EXPECT_EQ(rewritten.message, kNoFrequency);
        EXPECT_EQ(rewritten.tags, classic.tags);
        return;
    }

    EXPECT_EQ(rewritten.message, classic.message);
    EXPECT_EQ(rewritten.stage, classic.stage);
    EXPECT_EQ(rewritten.tags, classic.tags);
    EXPECT_EQ(rewritten.frequency, classic.frequency);
    ASSERT_TRUE(classic.wavelength.has_value());
    ASSERT_TRUE(rewritten.wavelength.has_value());
    EXPECT_NEAR(*rewritten.wavelength, *classic.wavelength, 1e-4 * *classic.wavelength);
    EXPECT_EQ(rewritten.groundLabel, classic.groundLabel);
    EXPECT_EQ(rewritten.environmentLines, classic.environmentLines);
    EXPECT_EQ(rewritten.excitationLine, classic.excitationLine);

    ASSERT_EQ(rewritten.sources.size(), classic.sources.size());
    for (std::size_t i = 0; i < classic.sources.size(); ++i) {
        const auto& c = classic.sources[i];
        const auto& r = rewritten.sources[i];
        EXPECT_EQ(r.tag, c.tag);
        const std::complex<double> zc(c.r, c.x), zr(r.r, r.x);
        EXPECT_LE(std::abs(zr - zc), 2e-4 * std::abs(zc)) << "source " << i << ": " << zc << " vs " << zr;
        if (std::isinf(c.swr))
            EXPECT_TRUE(std::isinf(r.swr)); // a negative resistance
        else
            EXPECT_NEAR(r.swr, c.swr, 1e-3 * c.swr);
    }
    // Every field of the current rows and pattern rows, read at the columns of the one
    // column table from both listings: the rewriter puts each value where the readers
    // look for it.
    ASSERT_EQ(rewritten.currents.size(), classic.currents.size());
    for (std::size_t i = 0; i < classic.currents.size(); ++i) {
        SCOPED_TRACE("current row " + std::to_string(i));
        const engine::CurrentRow& c = classic.currents[i];
        const engine::CurrentRow& r = rewritten.currents[i];
        EXPECT_EQ(r.segment, c.segment);
        EXPECT_EQ(r.tag, c.tag);
        for (auto field :
             {&engine::CurrentRow::x, &engine::CurrentRow::y, &engine::CurrentRow::z, &engine::CurrentRow::length})
            expectNear(r.*field, c.*field, 1e-4);
        const double magnitude = c.magnitude.value_or(0);
        for (auto field : {&engine::CurrentRow::real, &engine::CurrentRow::imaginary, &engine::CurrentRow::magnitude})
            expectNear(r.*field, c.*field, 2e-3 * magnitude + 1e-12);
        if (magnitude > 1e-6 * maxCurrent(classic.currents)) {
            expectNear(r.phase, c.phase, 0.1);
            expectNear(r.chartPhase, c.chartPhase, 0.1);
        }
    }
    const auto sameCut = [](const std::vector<engine::PatternRow>& c, const std::vector<engine::PatternRow>& r) {
        ASSERT_EQ(r.size(), c.size());
        for (std::size_t i = 0; i < c.size(); ++i) {
            SCOPED_TRACE("pattern row " + std::to_string(i));
            EXPECT_EQ(r[i].theta, c[i].theta);
            EXPECT_EQ(r[i].phi, c[i].phi);
            for (auto field : {&engine::PatternRow::verticalGain, &engine::PatternRow::horizontalGain,
                               &engine::PatternRow::totalGain}) {
                ASSERT_EQ((r[i].*field).has_value(), (c[i].*field).has_value());
                if (!(c[i].*field))
                    continue;
                if (*(c[i].*field) > -60)
                    EXPECT_NEAR(*(r[i].*field), *(c[i].*field), 0.0100001);
                else
                    EXPECT_LT(*(r[i].*field), -59.99);
            }
        }
    };
    sameCut(classic.patterns.azimuth, rewritten.patterns.azimuth);
    sameCut(classic.patterns.elevation, rewritten.patterns.elevation);

    if (classic.succeeded()) {
        EXPECT_EQ(rewritten.azimuthOfMax, classic.azimuthOfMax);
        EXPECT_EQ(rewritten.elevationOfMax, classic.elevationOfMax);
        EXPECT_NEAR(rewritten.azimuthMaxGain, classic.azimuthMaxGain, 0.0100001);
        EXPECT_NEAR(rewritten.elevationMaxGain, classic.elevationMaxGain, 0.0100001);
        EXPECT_NEAR(rewritten.frontToBack, classic.frontToBack, 0.0200001);
        EXPECT_EQ(rewritten.azimuthCutElevation, classic.azimuthCutElevation);
        EXPECT_EQ(rewritten.elevationCutAzimuth, classic.elevationCutAzimuth);
    }

    // The memos hold the same lines, apart from the engines' last digits.
    const auto sameMemo = [](const Lines& c, const Lines& r) {
        ASSERT_EQ(r.size(), c.size());
        for (std::size_t i = 0; i < c.size(); ++i) {
            if (!engineDependent(c[i])) {
                EXPECT_EQ(r[i], c[i]);
            }
        }
    };
    sameMemo(classic.memos.impedanceScreen, rewritten.memos.impedanceScreen);
    sameMemo(classic.memos.memo1, rewritten.memos.memo1);

    // The table steps: same rows, same texts but for impedance, SWR and gains.
    ASSERT_EQ(rewritten.table.size(), classic.table.size());
    for (std::size_t i = 0; i < classic.table.size(); ++i) {
        const auto& c = classic.table[i];
        const auto& r = rewritten.table[i];
        EXPECT_EQ(r.addRow, c.addRow);
        EXPECT_EQ(r.firstColumn, c.firstColumn);
        ASSERT_EQ(r.cells.size(), c.cells.size());
        for (std::size_t k = 0; k < c.cells.size(); ++k) {
            const int col = c.firstColumn + static_cast<int>(k);
            const bool numeric = (c.cells[1] != "no src" && col >= 3 && col <= 5) || col == 9 || col == 12;
            if (!numeric) {
                EXPECT_EQ(r.cells[k], c.cells[k]) << "step " << i << " column " << col;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Decks, ListingFixtures, testing::ValuesIn(kDecks));

TEST(ListingFixtures, KnownValuesOfTheSommerfeldDipole)
{
    // Read by hand from the classic listing: 7.39870E+01 3.89348E+00 ohm at 14 MHz; the
    // azimuth cut at 20 degrees elevation peaks with 6.05 dBi at azimuth 0 and again at
    // 180 (the first one counts); the elevation cut peaks with 7.05 dBi at THETA 61 and
    // 60 and at -60 and -61 (the first one, 29 degrees elevation, counts).
    for (const EngineOutput& out : {readClassic("dipole_sommerfeld"), readRewritten("dipole_sommerfeld")}) {
        ASSERT_TRUE(out.succeeded()) << out.message;
        listingtest::ResultsTableModel table;
        table.replay(out.table);
        const auto& row = table.row(1);
        EXPECT_EQ(row[0], "4");
        EXPECT_EQ(row[1], "1");
        EXPECT_EQ(row[2], "14");
        EXPECT_EQ(row[3], "73.987");
        EXPECT_EQ(row[4].substr(0, 5), "+j3.8");
        EXPECT_EQ(row[5], "1.49");
        EXPECT_EQ(row[6], "Som.");
        EXPECT_EQ(row[7], "10");
        EXPECT_EQ(row[8], "20.0");
        EXPECT_EQ(row[9], "6.05");
        EXPECT_EQ(row[10], "0 deg");
        EXPECT_EQ(row[11], "0.0");
        EXPECT_EQ(row[12], "7.05");
        EXPECT_EQ(row[13], "29 deg");
        EXPECT_EQ(out.memos.impedanceScreen[1], "---Antenna environment---");
        EXPECT_EQ(out.memos.impedanceScreen[2], "FINITE GROUND.  SOMMERFELD SOLUTION");
        EXPECT_EQ(out.memos.impedanceScreen[3], "RELATIVE DIELECTRIC CONST.= 13.000");
        EXPECT_EQ(out.memos.impedanceScreen[4], "CONDUCTIVITY= 5.000E-03 MHOS/METER");
        EXPECT_EQ(out.currents.size(), 21u);
        EXPECT_NEAR(*out.wavelength, 21.414, 1e-9);
    }
}

TEST(ListingFixtures, TwoSourcesAndTheCurrentSlopeSource)
{
    EngineOutput out = readRewritten("two_sources");
    ASSERT_EQ(out.sources.size(), 2u);
    EXPECT_EQ(out.sources[0].tag, 3);
    EXPECT_EQ(out.sources[1].tag, 5);
    out = readRewritten("csdvs_source");
    ASSERT_EQ(out.sources.size(), 1u);
    EXPECT_NEAR(out.sources[0].r, 78.528, 1e-3);
    EXPECT_NEAR(out.sources[0].x, 15.714, 1e-3);
}

TEST(ListingFixtures, PlaneWaveRunsShowTheExcitationLine)
{
    for (const std::string deck : {"plane_wave", "plane_wave_eta90"}) {
        const EngineOutput out = readRewritten(deck);
        ASSERT_TRUE(out.succeeded()) << deck << ": " << out.message;
        ASSERT_TRUE(out.excitationLine.has_value());
        EXPECT_EQ(out.excitationLine->substr(0, 24), "    PLANE WAVE    THETA=");
        EXPECT_EQ(out.table.front().cells[1], "no src");
    }
}
