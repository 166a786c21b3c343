// The deck of a full pattern run: the step check, the ground decision, the card and the
// rewrite of a deck; and the parse of the listing's full pattern table.
#include "ListingTestSupport.h"

#include "engine/ListingParse.h"
#include "engine/PatternDeck.h"

#include <gtest/gtest.h>

using namespace vrnnec;

using Lines = std::vector<std::string>;

TEST(PatternDeck, StepsFromOneToThirtyThatDivideNinety)
{
    const long long accepted[] = {1, 2, 3, 5, 6, 9, 10, 15, 18, 30};
    const long long refused[] = {0, -5, 4, 7, 8, 12, 20, 25, 45, 90, 180};
    for (long long s : accepted)
        EXPECT_TRUE(engine::PatternStepAcceptable(s)) << s;
    for (long long s : refused)
        EXPECT_FALSE(engine::PatternStepAcceptable(s)) << s;
}

TEST(PatternDeck, FullPatternCardCountsTheDirections)
{
    struct Case {
        int step;
        bool ground;
        const char* card;
    };
    const Case cases[] = {
        {5, false, "RP 0 37 72 1000 0 0 5 5"},    {5, true, "RP 0 19 72 1000 0 0 5 5"},
        {1, false, "RP 0 181 360 1000 0 0 1 1"},  {30, true, "RP 0 4 12 1000 0 0 30 30"},
        {18, false, "RP 0 11 20 1000 0 0 18 18"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::FullPatternCard(c.step, c.ground), c.card) << c.step;
}

TEST(PatternDeck, GroundFromTheLastGroundCardOrTheGeometryEnd)
{
    struct Case {
        Lines deck;
        bool ground;
    };
    const Case cases[] = {
        {{"CE", "GW 1 21 0 -5 0 0 5 0 0.001", "GE 0", "FR 0 1 0 0 14 0", "EN"}, false},
        {{"CE", "GE 0", "GN 1", "EN"}, true},
        {{"CE", "GE 1", "GN 2 0 0 0 13 0.005", "EN"}, true},
        {{"CE", "GE 1", "GN -1", "EN"}, false},         // the ground taken away again
        {{"CE", "GE 0", "GN 1", "GN -1", "EN"}, false}, // the last GN card counts
        {{"CE", "GE 1", "EN"}, true},                   // a ground plane without GN
        {{"CE", "ge -1", "EN"}, true},                  // any letter case
        {{"CE", "GE,0", "gn,0,0,0,0,13,0.005", "EN"}, true},
        {{"CE", "GE 0", "EN", "GN 1"}, false}, // nothing after EN is read
    };
    for (const Case& c : cases)
        EXPECT_EQ(engine::DeckHasGround(c.deck), c.ground) << c.deck[2];
}

TEST(PatternDeck, RewriteReplacesEveryPatternCardAndEndsTheDeck)
{
    const Lines deck{"CM a comment",
                     "CE",
                     "GW 1 21 0 -5.25 0 0 5.25 0 0.001",
                     "GE 1",
                     "GN 1",
                     "FR 0 1 0 0 14 0",
                     "rp 0 1 360 1000 70 0 0 1",
                     "EX 0 1 11 0 1 0",
                     "RP 0 181 1 1000 90 0 -1 0",
                     "EN",
                     "GW 2 3 0 0 0 1 1 1 0.001"};
    const engine::FullPatternDeck out = engine::MakeFullPatternDeck(deck, 10);
    ASSERT_TRUE(out.message.empty());
    EXPECT_TRUE(out.overGround);
    EXPECT_EQ(out.text,
              "CM a comment\r\nCE\r\nGW 1 21 0 -5.25 0 0 5.25 0 0.001\r\nGE 1\r\nGN 1\r\n"
              "FR 0 1 0 0 14 0\r\nEX 0 1 11 0 1 0\r\nRP 0 10 36 1000 0 0 10 10\r\nEN\r\n");

    const engine::FullPatternDeck free = engine::MakeFullPatternDeck({"CE", "GW 1 3 0 0 0 0 0 1 0.001", "GE 0"}, 5);
    EXPECT_FALSE(free.overGround);
    EXPECT_EQ(free.text, "CE\r\nGW 1 3 0 0 0 0 0 1 0.001\r\nGE 0\r\nRP 0 37 72 1000 0 0 5 5\r\nEN\r\n");

    for (long long bad : {0LL, 7LL, 45LL}) {
        const engine::FullPatternDeck refused = engine::MakeFullPatternDeck(deck, bad);
        EXPECT_EQ(refused.message, engine::kPatternStepMessage);
        EXPECT_TRUE(refused.text.empty());
    }
}

namespace {

engine::ListingData parseFull(const std::string& relative)
{
    engine::ParseOptions options;
    options.fullPattern = true;
    return engine::ParseListing(listingtest::dataPath(relative), options);
}

} // namespace

TEST(FullPatternParse, EveryDirectionOfTheTableInTheListingsOrder)
{
    struct Case {
        const char* listing;
        std::size_t rows;
        double lastTheta;
    };
    const Case cases[] = {{"pattern/dipole_free_15.out", 13 * 24, 180}, {"pattern/dipole_perfect_15.out", 7 * 24, 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listing);
        const engine::ListingData data = parseFull(c.listing);
        ASSERT_TRUE(data.complete()) << data.message;
        const std::vector<engine::PatternTableRow>& rows = data.blocks.front().fullPattern;
        ASSERT_EQ(rows.size(), c.rows);
        EXPECT_TRUE(data.blocks.front().patterns.empty());
        // PHI outside, THETA inside: row k is theta (k mod NTH) * 15, phi (k div NTH) * 15.
        const std::size_t thetas = static_cast<std::size_t>(c.lastTheta / 15) + 1;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            ASSERT_EQ(rows[k].values.theta, static_cast<double>(k % thetas * 15)) << k;
            ASSERT_EQ(rows[k].values.phi, static_cast<double>(k / thetas * 15)) << k;
        }
    }
}

TEST(FullPatternParse, TextsAreTheFieldsAsPrinted)
{
    const engine::ListingData data = parseFull("pattern/dipole_perfect_15.out");
    ASSERT_TRUE(data.complete()) << data.message;
    const std::vector<engine::PatternTableRow>& rows = data.blocks.front().fullPattern;
    // "   90.00     0.00    -999.99 -999.99 -999.99 ..." and "    0.00    15.00     -17.50   -6.06   -5.76"
    const engine::PatternRowTexts& ninety = rows[6].texts;
    EXPECT_EQ(ninety.theta, "90.00");
    EXPECT_EQ(ninety.phi, "0.00");
    EXPECT_EQ(ninety.verticalGain, "-999.99");
    EXPECT_EQ(ninety.horizontalGain, "-999.99");
    EXPECT_EQ(ninety.totalGain, "-999.99");
    const engine::PatternRowTexts& next = rows[7].texts;
    EXPECT_EQ(next.phi, "15.00");
    EXPECT_EQ(next.verticalGain, "-17.50");
    EXPECT_EQ(next.horizontalGain, "-6.06");
    EXPECT_EQ(next.totalGain, "-5.76");
    EXPECT_EQ(rows[7].values.verticalGain, -17.5);
}

TEST(FullPatternParse, AnUnreadableOrMissingTableStops)
{
    const Lines good = listingtest::fileLines(listingtest::dataPath("pattern/dipole_free_15.out"));
    const int heading = listingtest::findLine(good, "RADIATION PATTERNS");
    ASSERT_GT(heading, 0);
    struct Case {
        const char* name;
        Lines lines;
        const char* message;
    };
    Lines garbled = good;
    garbled[static_cast<std::size_t>(heading + 20)].replace(30, 5, " x.yz");
    Lines noRows = good;
    noRows[static_cast<std::size_t>(heading + 5)].clear();
    const Lines cut(good.begin(), good.begin() + heading);
    const Case cases[] = {{"an unreadable gain", garbled, engine::listingmessages::kBadPattern},
                          {"an empty table", noRows, engine::listingmessages::kBadPattern},
                          {"no pattern heading", cut, engine::listingmessages::kNoPattern}};
    listingtest::TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        engine::ParseOptions options;
        options.fullPattern = true;
        const engine::ListingData data = engine::ParseListing(folder.write("Outdata.txo", c.lines), options);
        EXPECT_FALSE(data.complete());
        EXPECT_EQ(data.message, c.message);
        ASSERT_FALSE(data.blocks.empty());
        EXPECT_TRUE(data.blocks.front().fullPattern.empty());
    }
    // The two cuts' reading of a full pattern listing stops: its table is not the cuts.
    EXPECT_FALSE(engine::ParseListing(listingtest::dataPath("pattern/dipole_free_15.out")).complete());
}

TEST(FullPatternParse, TheCalculationsSummaryOfAFullPatternListingHasNoCuts)
{
    engine::SwrReference reference{50, 0};
    const engine::EngineOutput out =
        engine::SummariseListing(parseFull("pattern/dipole_free_15.out"), engine::ReadingInputs{}, reference);
    ASSERT_EQ(out.sources.size(), 1u); // the rest of the summary as for any listing
    EXPECT_FALSE(out.maxTotalGain);
    EXPECT_TRUE(out.patterns.empty());
}
