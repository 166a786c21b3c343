// The realistic sample antennas of tests/data/vrn, with the results their README lists.
#include "ExportHarness.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using exporttest::ExportCall;
using testfiles::cardField;
using testfiles::cardsStartingWith;
using testfiles::readFile;
using testfiles::TempDir;

namespace {

struct Sample {
    std::string file;
    std::vector<long long> segments; // per wire, plain defaults
    long long totalDm1CsdvsEk;       // total with DM1, CSDVS and EThWK
    std::vector<std::string> cards;  // cards the deck must contain, in this order
    bool sommerfeld;
    double height; // written back
};

const std::vector<Sample> kSamples = {
    {"dipole_14mhz_free_space.vrn", {20}, 192, {"GE 0", "EX 0 1 10 0 1.0000 0.0000"}, false, 0},
    {"inverted_v_7mhz_12m_real_ground.vrn",
     {3, 11, 11},
     204,
     {"GM 0 0 0 0 0 0 0 12 0", "GN 2 0 0 0 13 0.005"},
     true,
     12},
    {"yagi3_14mhz_copper_real_ground.vrn",
     {21, 20, 19},
     576,
     {"GM 0 0 0 0 0 0 0 15 0", "LD 5 1 0 0 58139534", "LD 5 2 0 0 58139534", "LD 5 3 0 0 58139534",
      "GN 2 0 0 0 13 0.005", "EX 0 2 10 0 1.0000 0.0000"},
     true,
     15},
    {"vertical_quarter_wave_4_radials_perfect_ground.vrn",
     {11, 11, 11, 11, 11},
     506,
     {"GM 0 0 0 0 0 0 0 3 0", "GN 1", "EX 0 1 1 0 1.0000 0.0000"},
     false,
     3},
    {"quad2_14mhz_two_radii.vrn", {11, 11, 11, 11, 12, 12, 12, 12}, 848, {"EX 0 1 6 0 1.0000 0.0000"}, true, 18},
    {"yagi3_21mhz_stacked_2_high.vrn",
     {21, 20, 19},
     584,
     {"GM 0 0 0 0 0 0 0 -3.5 0", "GM 3 1 0 0 0 0 0 7 0", "GM 0 0 0 0 0 0 0 14 0", "EX 0 2 10 0 1.0000 0.0000",
      "EX 0 5 10 0 1.0000 0.0000"},
     true,
     14},
    {"short_vertical_loaded_lc_and_rx.vrn",
     {4, 4},
     60,
     {"LD 1 2 1 1 165059.278 1.85E-5 0", "LD 4 1 1 1 12.5 -35", "GN 1"},
     false,
     0},
    {"dipole_21mhz_75ohm_reference.vrn", {20}, 20, {"GM 0 0 0 0 0 0 0 10 0", "GN 1"}, false, 10},
};

std::string samplePath(const std::string& name)
{
    return std::string(TEST_DATA_DIR) + "/vrn/" + name;
}

std::vector<long long> segmentsOf(const std::string& deck)
{
    std::vector<long long> segments;
    for (const std::string& gw : cardsStartingWith(deck, "GW "))
        segments.push_back(std::stoll(cardField(gw, 2)));
    return segments;
}

} // namespace

TEST(Samples, PlainDefaultsGiveTheListedResults)
{
    TempDir dir;
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.file);
        ExportCall call(samplePath(s.file), dir.file("deck.nec"));
        call.sommerfeldUsed = !s.sommerfeld;
        ASSERT_EQ(call.run(), "");
        const std::string deck = readFile(dir.file("deck.nec"));
        EXPECT_EQ(segmentsOf(deck), s.segments);
        const std::vector<std::string> lines = testfiles::deckLines(deck);
        auto at = lines.begin();
        for (const std::string& card : s.cards) {
            at = std::find(at, lines.end(), card);
            EXPECT_NE(at, lines.end()) << card;
        }
        EXPECT_EQ(call.sommerfeldUsed, s.sommerfeld);
        EXPECT_EQ(call.heightM, s.height);
        EXPECT_EQ(lines.back(), "EN");
        const auto rp = cardsStartingWith(deck, "RP");
        EXPECT_EQ(rp, (std::vector<std::string>{"RP 0 1 360 1000 70 0 0 1", "RP 0 181 1 1000 90 0 -1 0"}));
        if (!s.sommerfeld) {
            EXPECT_TRUE(cardsStartingWith(deck, "GN 2").empty());
        }
        if (s.height == 0) {
            EXPECT_TRUE(cardsStartingWith(deck, "GM").empty());
        }
    }
}

TEST(Samples, TotalsWithDm1CsdvsAndEk)
{
    TempDir dir;
    for (const Sample& s : kSamples) {
        SCOPED_TRACE(s.file);
        ExportCall call(samplePath(s.file), dir.file("deck.nec"));
        call.useDM2 = false;
        call.useCSDVS = true;
        call.useEK = true;
        ASSERT_EQ(call.run(), "");
        const std::string deck = readFile(dir.file("deck.nec"));
        long long total = 0;
        for (long long n : segmentsOf(deck)) {
            EXPECT_EQ(n % 2, 0);
            total += n;
        }
        EXPECT_EQ(total, s.totalDm1CsdvsEk);
        EXPECT_EQ(cardsStartingWith(deck, "EK").size(), 1u);
        for (const std::string& ex : cardsStartingWith(deck, "EX"))
            EXPECT_EQ(ex.substr(0, 5), "EX 5 ");
    }
}

TEST(Samples, SwrReferenceDoesNotReachTheDeck)
{
    TempDir dir;
    const std::string original = readFile(samplePath("dipole_21mhz_75ohm_reference.vrn"));
    std::string fifty = original;
    const auto at = fifty.find("\t75,");
    ASSERT_NE(at, std::string::npos);
    fifty.replace(at, 4, "\t50,");
    ExportCall a(samplePath("dipole_21mhz_75ohm_reference.vrn"), dir.file("a.nec"));
    ExportCall b(dir.write("fifty.vrn", fifty), dir.file("b.nec"));
    ASSERT_EQ(a.run(), "");
    ASSERT_EQ(b.run(), "");
    EXPECT_EQ(readFile(dir.file("a.nec")), readFile(dir.file("b.nec")));
}
