// The cards of a Green's function run: which decks may be written, the deck of the WG
// run, the rewrite of the edit window, and the lines of the edit window's text.
#include "analyses/GreenFunctionCards.h"

#include <gtest/gtest.h>

using namespace vrnnec;
using Lines = std::vector<std::string>;

TEST(GreenFunctionCards, DecksThatMayBeWritten)
{
    struct Case {
        Lines deck;
        bool accepted;
    };
    const Case cases[] = {
        {{"CM a", "CE", "GW 1 5 0 0 0 0 0 1 .001", "GE 1", "GN 1", "FR 0 1", "EX 0 1 1", "RP 0", "XQ", "EN"}, true},
        {{"CE", "GA", "GC", "GH", "GM", "GR", "GS", "GX", "SC", "SP", "SM", "CP", "EK",
          "GD", "LD", "NE", "NH", "NT", "NX", "PQ", "PT", "TL", "WG", "GF", "EN"},
         true},
        {{"CE", "", "EN"}, false},        // a blank line has no identifier
        {{"CE", "gw 1 5", "EN"}, false},  // identifiers are compared exactly
        {{"CE", "KH 0", "EN"}, false},    // removed from the edit window, never accepted
        {{"CE", " GW 1 5", "EN"}, false}, // untrimmed
        {{"CE", "G", "EN"}, false},
        {{}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.deck));
        EXPECT_EQ(analyses::FirstRefusedCard(c.deck) < 0, c.accepted);
    }
}

TEST(GreenFunctionCards, DeckOfTheWriteRun)
{
    struct Case {
        Lines deck;
        Lines expected;
    };
    const Case cases[] = {
        {{"CE", "GW 1 5", "GE 1", "GN 2 0 0 0 13 .005", "LD 5 1", "EK", "FR 0 1 0 0 14", "EX 0 1 3", "NT 1 1", "TL 1 1",
          "RP 0 1", "NE 0", "NH 0", "XQ", "EN"},
         {"CE", "GW 1 5", "GE 1", "GN 2 0 0 0 13 .005", "LD 5 1", "EK", "FR 0 1 0 0 14", "WG", "EN"}},
        // One WG and one EN at the end whatever the deck held.
        {{"CM", "WG", "CE", "GF", "EN", "CP 1", "PQ", "PT 0", "EN"}, {"CM", "CE", "GF", "WG", "EN"}},
        {{"GX 1 100", "GD 0", "NX", "SP 0", "SC 0", "SM 1"},
         {"GX 1 100", "GD 0", "NX", "SP 0", "SC 0", "SM 1", "WG", "EN"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.deck));
        EXPECT_EQ(analyses::GreenFunctionWriteDeck(c.deck), c.expected);
    }
}

TEST(GreenFunctionCards, EditWindowRewrittenToReadTheFile)
{
    struct Case {
        Lines deck;
        Lines expected;
    };
    const Case cases[] = {
        {{"CM", "CE", "GW", "GW", "GE", "GN", "FR", "EX", "RP", "EN"}, {"CM", "CE", "GF", "GE", "EX", "RP", "EN"}},
        {{"CM a", "CM b", "CE", "GA 1", "GH 2", "KH 0", "LD 1", "WG",   "GF",   "EK", "SP", "SC",
          "SM",   "GM",   "GR", "GS",   "GX",   "GC",   "EX 0", "NT 1", "TL 1", "XQ", "EN"},
         {"CM a", "CM b", "CE", "GF", "GE", "EX 0", "NT 1", "TL 1", "XQ", "EN"}},
        // Nothing but comments after the removal: GF and GE at the end.
        {{"CM", "CE", "GW 1", "GE 0", "FR 0"}, {"CM", "CE", "GF", "GE"}},
        {{"GW 1", "GE", "EX 0", "EN"}, {"GF", "GE", "EX 0", "EN"}},
        {{}, {"GF", "GE"}},
        // A comment after the structure stays where it is.
        {{"CE", "GW 1", "EX 0", "CM late", "EN"}, {"CE", "GF", "GE", "EX 0", "CM late", "EN"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.deck));
        EXPECT_EQ(analyses::RewriteToReadGreenFunction(c.deck), c.expected);
    }
}

TEST(GreenFunctionCards, ReadsGreenFunction)
{
    EXPECT_TRUE(analyses::ReadsGreenFunction({"CE", "GF", "EN"}));
    EXPECT_FALSE(analyses::ReadsGreenFunction({"CE", "gf", " GF", "EN"}));
}
