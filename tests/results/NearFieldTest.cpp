// Near fields: the grid checks, the deck with its NE or NH card, the reading of the
// field block and the power budget line, and the comma-separated file.
#include "results/NearField.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vrnnec;
using Lines = std::vector<std::string>;
namespace msg = results::nearfieldmessages;
using results::NearField;

namespace {

std::string outputPath(const std::string& name)
{
    return std::string(TEST_OUTPUT_DIR) + "/" + name;
}

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string fieldRow(double x, double y, double z, double ex, double px, double ez, double pz)
{
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "    %9.4f  %9.4f  %9.4f    %11.4E  %7.2f   %11.4E  %7.2f   %11.4E  %7.2f", x,
                  y, z, ex, px, 0.0, 0.0, ez, pz);
    return buffer;
}

const std::string kElectricHeading = std::string(35, ' ') + "- - - NEAR ELECTRIC FIELDS - - -";
const std::string kBudgetHeading = std::string(40, ' ') + "- - - POWER BUDGET - - -";
const std::string kInputPower = std::string(43, ' ') + "INPUT POWER   = 6.7393E-03 WATTS";

Lines fieldBlock(const Lines& rows)
{
    Lines l = {kElectricHeading, "", "    -  LOCATION  -", "        X", "      METERS"};
    l.insert(l.end(), rows.begin(), rows.end());
    return l;
}

} // namespace

TEST(NearFieldGrid, CountsAreTakenAbsoluteAndLimited)
{
    struct Case {
        long long points[3];
        const char* message;
    };
    const Case cases[] = {
        {{-3, 1, 2}, ""},
        {{5, 5, 5}, ""},
        {{1000, 1000, 1}, ""},
        {{0, 5, 5}, msg::kNoPoints},
        {{5, 5, 0}, msg::kNoPoints},
        {{1000, 1000, 2}, msg::kTooManyPoints},
        {{100000, 100000, 100000}, msg::kTooManyPoints}, // wraps in 32 bits
        {{2147483647, 2147483647, 2}, msg::kTooManyPoints},
    };
    for (const Case& c : cases) {
        results::NearFieldGrid grid;
        std::copy(std::begin(c.points), std::end(c.points), grid.points);
        EXPECT_EQ(results::CheckNearFieldGrid(grid), c.message) << c.points[0];
    }
    results::NearFieldGrid grid{{-3, 1, 2}, {0, 0, 0.5}, {0.25, 1, 1}};
    ASSERT_EQ(results::CheckNearFieldGrid(grid), "");
    EXPECT_EQ(results::NearFieldCard(NearField::Electric, grid), "NE 0 3 1 2 0 0 0.5 0.25 1 1");
    EXPECT_EQ(results::NearFieldCard(NearField::Magnetic, results::NearFieldGrid{}), "NH 0 5 5 5 0 0 0 1 1 1");
}

TEST(NearFieldDeck, RemovesRunCardsAndAppendsTheFieldCard)
{
    struct Case {
        const char* name;
        Lines deck;
        const char* message;
        Lines expected;
    };
    const Case cases[] = {
        {"edit window deck",
         {"CM dipole", "CE", "GW 1 21 0 -5.25 0 0 5.25 0 0.001", "GE 0", "FR 0 1 0 0 14 0", "EX 0 1 11 0 1 0",
          "RP 0 1 360 1000 70 0 0 1", "XQ", "PT -1", "CP 1 1 1 2", "PQ -1", "NE 0 1 1 1 0 0 0", "NH 0 1 1 1", "WG",
          "EN"},
         "",
         {"CM dipole", "CE", "GW 1 21 0 -5.25 0 0 5.25 0 0.001", "GE 0", "FR 0 1 0 0 14 0", "EX 0 1 11 0 1 0",
          "NE 0 5 5 5 0 0 0 1 1 1", "EN"}},
        {"comma fields, one frequency",
         {"GW 1 21 0 -5 0 0 5 0 0.001", "FR,0,1,0,0,14", "EX 0 1 11 0 1 0"},
         "",
         {"GW 1 21 0 -5 0 0 5 0 0.001", "FR,0,1,0,0,14", "EX 0 1 11 0 1 0", "NE 0 5 5 5 0 0 0 1 1 1", "EN"}},
        {"lower-case comment",
         {"cm dipole", "GW 1 21 0 -5 0 0 5 0 0.001"},
         "Incorrect card are present.\nLine 1 (cm): this card cannot be used here.",
         {}},
        {"empty line", {"GW 1 21 0 -5 0 0 5 0 0.001", "", "EN"}, "Incorrect card are present.\nLine 2: the line is empty.", {}},
        {"blank line",
         {"GW 1 21 0 -5 0 0 5 0 0.001", "FR 0 1 0 0 14 0", "  ", "EN"},
         "Incorrect card are present.\nLine 3: the line is empty.",
         {}},
        {"unknown card after others",
         {"CM a", "CE", "GW 1 21 0 -5 0 0 5 0 0.001", "GE", "ZZ 1 2", "EN"},
         "Incorrect card are present.\nLine 5 (ZZ): this card cannot be used here.",
         {}},
        {"several frequencies",
         {"GW 1 21 0 -5 0 0 5 0 0.001", "FR 0 7 0 0 13.8 0.1", "EN"},
         msg::kSeveralFrequencies,
         {}},
        {"two FR cards of one frequency each",
         {"GW 1 21 0 -5 0 0 5 0 0.001", "FR 0 1 0 0 14 0", "XQ", "FR 0 1 0 0 21 0", "EN"},
         msg::kSeveralFrequencies,
         {}},
        {"several frequencies, commas",
         {"GW 1 21 0 -5 0 0 5 0 0.001", "FR,0,3,0,0,13.8,0.1"},
         msg::kSeveralFrequencies,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Lines deck = c.deck;
        EXPECT_EQ(results::PrepareNearFieldDeck(deck, NearField::Electric, results::NearFieldGrid{}), c.message);
        if (*c.message == '\0') {
            EXPECT_EQ(deck, c.expected);
        }
    }
}

TEST(NearFieldListing, ReadsTheFirstBlockAndThePowerBudgetLine)
{
    const std::string row1 = fieldRow(1, 0, 0.5, 2, 0, 0, 0);
    const std::string row2 = fieldRow(2, 0, 0.5, 1.5, 90, 0.25, -45);
    struct Case {
        const char* name;
        Lines lines;
        bool finalLineEnd;
        engine::NearFieldReading status;
        std::optional<std::string> budget;
        std::size_t rows;
    };
    const Case cases[] = {
        {"budget first",
         [&] {
             Lines l = {"1", kBudgetHeading, "", kInputPower, ""};
             for (const auto& s : fieldBlock({row1, row2, "", ""}))
                 l.push_back(s);
             return l;
         }(),
         true, engine::NearFieldReading::Read, "INPUT POWER   = 6.7393E-03 WATTS", 2},
        {"no budget", fieldBlock({row1, row2, ""}), true, engine::NearFieldReading::Read, std::nullopt, 2},
        {"last row on the last line", fieldBlock({row1, row2}), false, engine::NearFieldReading::Read, std::nullopt, 2},
        {"a second block",
         [&] {
             Lines l = fieldBlock({row1, ""});
             for (const auto& s : fieldBlock({row1, row2, ""}))
                 l.push_back(s);
             return l;
         }(),
         true, engine::NearFieldReading::Read, std::nullopt, 1},
        {"no field block",
         {"1", kBudgetHeading, "", kInputPower, ""},
         true,
         engine::NearFieldReading::HeadingMissing,
         "INPUT POWER   = 6.7393E-03 WATTS",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text;
        for (std::size_t i = 0; i < c.lines.size(); ++i)
            text += c.lines[i] + (i + 1 < c.lines.size() || c.finalLineEnd ? "\n" : "");
        const std::string path = outputPath("near.out");
        writeText(path, text);
        const engine::NearFieldListing listing = engine::ReadNearFieldListing(path, NearField::Electric);
        EXPECT_EQ(listing.status, c.status);
        EXPECT_EQ(listing.powerBudgetLine, c.budget);
        ASSERT_EQ(listing.rows.size(), c.rows);
        if (c.rows == 2) {
            EXPECT_EQ(listing.rows[1].x, 2.0);
            EXPECT_EQ(listing.rows[1].z, 0.5);
            EXPECT_EQ(listing.rows[1].magnitude[0], 1.5);
            EXPECT_EQ(listing.rows[1].phase[0], 90.0);
            EXPECT_EQ(listing.rows[1].magnitude[2], 0.25);
            EXPECT_EQ(listing.rows[1].phase[2], -45.0);
        }
        // The magnetic twin does not take the electric block.
        EXPECT_NE(engine::ReadNearFieldListing(path, NearField::Magnetic).status, engine::NearFieldReading::Read);
    }
    EXPECT_EQ(engine::ReadNearFieldListing(outputPath("missing.out"), NearField::Electric).status,
              engine::NearFieldReading::ListingMissing);
}

TEST(NearFieldCsv, ThreeLinesPerPointInExponentFormat)
{
    engine::NearFieldRow row;
    row.x = 1;
    row.y = 0;
    row.z = 0.5;
    row.magnitude[0] = 2;
    row.phase[0] = 0;
    row.magnitude[1] = 1;
    row.phase[1] = 90;
    row.magnitude[2] = 0.001;
    row.phase[2] = -180;
    std::string text;
    ASSERT_TRUE(results::NearFieldCsvText({row}, NearField::Magnetic, text));
    EXPECT_EQ(text,
              "X(m),Y(m),Z(m),VECTOR,REAL(AT/m),IMAGINARY(AT/m),MAGNITUDE(AT/m),PHASE(DEG)\r\n"
              "1,0,0.5,X,2.000000E+00,0.000000E+00,2.000000E+00,0\r\n"
              "1,0,0.5,Y,6.123234E-17,1.000000E+00,1.000000E+00,90\r\n"
              "1,0,0.5,Z,-1.000000E-03,-1.224647E-19,1.000000E-03,-180\r\n");
}

TEST(NearFieldCsv, AnUnreadableRowLeavesNoFileAndAnEarlierOneIntact)
{
    engine::NearFieldRow good = engine::ReadNearFieldRow(fieldRow(1, 0, 0.5, 2, 0, 0, 0));
    engine::NearFieldRow bad = good;
    bad.phase[1].reset();
    const std::string fresh = outputPath("fresh.csv");
    std::filesystem::remove(fresh);
    EXPECT_EQ(results::WriteNearFieldCsv({good, bad}, NearField::Magnetic, fresh),
              "Invalid NEAR MAGNETIC FIELD data in NEC-2 output file. See output NEc-2 file for details.");
    EXPECT_FALSE(std::filesystem::exists(fresh));

    const std::string earlier = outputPath("earlier.csv");
    writeText(earlier, "earlier");
    EXPECT_EQ(results::WriteNearFieldCsv({bad}, NearField::Electric, earlier),
              "Invalid NEAR ELECTRIC FIELD data in NEC-2 output file. See output NEc-2 file for details.");
    EXPECT_EQ(readText(earlier), "earlier");
    EXPECT_EQ(results::WriteNearFieldCsv({good}, NearField::Electric, earlier), "");
    EXPECT_EQ(readText(earlier).substr(0, 5), "X(m),");
    EXPECT_EQ(results::WriteNearFieldCsv({good}, NearField::Electric, outputPath("no/such/folder.csv")),
              "Error opening file to save Near Electric Fields.");
}
