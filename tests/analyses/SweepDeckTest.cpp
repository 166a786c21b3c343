// The sweep deck made from the buffer deck: cards removed in any letter case, the
// source checks, the stepped FR card and the refused frequencies.
#include "analyses/SweepDeck.h"

#include <gtest/gtest.h>

using namespace vrnnec;
using Lines = std::vector<std::string>;
namespace msg = analyses::sweepmessages;

namespace {

const analyses::SweepSettings k14MHz{14, 0.4, 3};
const Lines kSweepTail{"FR 0 3 0 0 13.8 0.2", "PT -1", "XQ", "EN"};

Lines withTail(Lines lines)
{
    lines.insert(lines.end(), kSweepTail.begin(), kSweepTail.end());
    return lines;
}

} // namespace

TEST(SweepDeck, RemovesFrequencyPatternAndExecutionCardsAndAppendsTheSweep)
{
    struct Case {
        const char* name;
        Lines deck;
        Lines expected; // before the appended sweep cards
    };
    const Case cases[] = {
        {"program deck",
         {"CM x", "CE", "GW 1 11 0 -5 0 0 5 0 0.001", "GE 0", "EK", "LD 5 1 0 0 5.8E7", "GN 2 0 0 0 13 0.005",
          "EX 0 1 6 0 1 0", "FR 0 1 0 0 14.2 0", "RP 0 1 360 1000 70 0 0 1", "RP 0 181 1 1000 90 0 -1 0", "EN"},
         {"CM x", "CE", "GW 1 11 0 -5 0 0 5 0 0.001", "GE 0", "EK", "LD 5 1 0 0 5.8E7", "GN 2 0 0 0 13 0.005",
          "EX 0 1 6 0 1 0"}},
        {"every removed card, adjacent",
         {"GW 1 11 0 -5 0 0 5 0 0.001", "EX 0 1 6 0 1 0", "CP 1 1 1 2", "NE 0 1 1 1 0 0 0 0 0 0", "NH 0 1 1 1 0 0 0",
          "PQ -1", "PT -1", "XQ", "NT 1 1 2 1 0 0", "TL 1 1 2 1 50 1", "EN"},
         {"GW 1 11 0 -5 0 0 5 0 0.001", "EX 0 1 6 0 1 0", "NT 1 1 2 1 0 0", "TL 1 1 2 1 50 1"}},
        {"lower case cards",
         {"GW 1 11 0 -5 0 0 5 0 0.001", "ex 0 1 6 0 1 0", "fr 0 1 0 0 7 0", "rp 0 1 1 1000 0 0 0 0", "xq", "en"},
         {"GW 1 11 0 -5 0 0 5 0 0.001", "ex 0 1 6 0 1 0"}},
        {"EX 5 and commas",
         {"GW 1 11 0 -5 0 0 5 0 0.001", "EX 5 1 1 0 1 0", "EX,0,1,1", "EX  ,  5 1 2"},
         {"GW 1 11 0 -5 0 0 5 0 0.001", "EX 5 1 1 0 1 0", "EX,0,1,1", "EX  ,  5 1 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Lines deck = c.deck;
        EXPECT_EQ(analyses::PrepareSweepDeck(deck, k14MHz), "");
        EXPECT_EQ(deck, withTail(c.expected));
        // A second preparation starts from the prepared deck and does not grow it.
        EXPECT_EQ(analyses::PrepareSweepDeck(deck, k14MHz), "");
        EXPECT_EQ(deck, withTail(c.expected));
    }
}

TEST(SweepDeck, RefusesDecksItCannotSweep)
{
    struct Case {
        Lines deck;
        const char* message;
    };
    const Case cases[] = {
        {{}, msg::kEmptyBuffer},
        {{"GW 1 11 0 -5 0 0 5 0 0.001", "FR 0 1 0 0 14 0", "EN"}, msg::kSourceNeeded},
        {{"GW 1 11 0 -5 0 0 5 0 0.001", " EX 0 1 6 0 1 0", "EN"}, msg::kSourceNeeded}, // indented: not a card
        {{"GW 1 11 0 -5 0 0 5 0 0.001", "EX 1 1 6 0 1 0", "EN"}, msg::kVoltageSourcesOnly},
        {{"GW 1 11 0 -5 0 0 5 0 0.001", "EX 4 1 6 0 1 0", "EN"}, msg::kVoltageSourcesOnly},
        {{"GW 1 11 0 -5 0 0 5 0 0.001", "EX 0 1 6 0 1 0", "EX 1 1 6 0 1 0"}, msg::kVoltageSourcesOnly},
        {{"GF 0", "EX 0 1 6 0 1 0", "EN"}, msg::kGreenFunction},
        {{"gf", "EX 0 1 6 0 1 0", "EN"}, msg::kGreenFunction},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Lines deck = c.deck;
        EXPECT_EQ(analyses::PrepareSweepDeck(deck, k14MHz), c.message);
        EXPECT_EQ(std::count(deck.begin(), deck.end(), kSweepTail[0]), 0);
    }
}

TEST(SweepDeck, FrequencyCardStepsFromTheStartOverTheBand)
{
    struct Case {
        analyses::SweepSettings settings;
        const char* card;
    };
    const Case cases[] = {
        {{14, 0.4, 3}, "FR 0 3 0 0 13.8 0.2"},
        {{7.1, 0.2, 5}, "FR 0 5 0 0 7 0.05"},
        {{432.1, 0.1, 45}, "FR 0 45 0 0 432.05 0.00227272727272727"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(analyses::SweepFrequencyCard(c.settings), c.card);
    EXPECT_DOUBLE_EQ(analyses::SweepSettings({14, 0.4, 5}).frequency(4), 14.2);
}

TEST(SweepDeck, RefusesFrequenciesTheEngineCannotSweep)
{
    struct Case {
        analyses::SweepSettings settings;
        const char* message;
    };
    const Case cases[] = {
        {{14, 0.4, 3}, ""},
        {{0.3, 0.4, 3}, ""},
        {{0, 0.4, 3}, msg::kCheckFrequency},
        {{-14, 0.4, 3}, msg::kCheckFrequency},
        {{14, 0, 3}, msg::kBadBandWidth},
        {{14, -0.4, 3}, msg::kBadBandWidth},
        {{0.2, 0.4, 3}, msg::kBadBandWidth}, // starts at 0
        {{0.1, 0.4, 3}, msg::kBadBandWidth}, // starts below 0
        {{14, 0.4, 1}, msg::kBadPoints},
        {{14, 0.4, 47}, msg::kBadPoints},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settings.centre);
        EXPECT_EQ(analyses::CheckSweepSettings(c.settings), c.message);
    }
}
