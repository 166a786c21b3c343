#include "common/DeckCards.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vrnnec::deckcards;
using Lines = std::vector<std::string>;

TEST(DeckCards, NameAndFields)
{
    EXPECT_EQ(CardName("fr,0,3"), "FR");
    EXPECT_EQ(CardName("E"), "E");
    const auto fields = CardFields("FR,0, 3\t0 0 14");
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[1], "3");
    EXPECT_EQ(fields[4], "14");
}

TEST(DeckCards, FrequenciesAreCountedOverEveryFRCard)
{
    struct Case {
        const char* name;
        Lines deck;
        long long count;
    };
    const Case cases[] = {
        {"no FR card", {"CM", "GW 1 3 0 0 0 0 0 1 0.001", "EN"}, 0},
        {"one step", {"FR 0 1 0 0 14 0", "EN"}, 1},
        {"a count of 0 is one", {"FR 0 0 0 0 14 0", "EN"}, 1},
        {"no count", {"FR 0", "EN"}, 1},
        {"three steps", {"FR 0 3 0 0 14 0.1", "EN"}, 3},
        {"two cards", {"FR 0 1 0 0 14 0", "XQ", "fr,0,1,0,0,21,0", "EN"}, 2},
        {"cards after EN are not read", {"FR 0 1 0 0 14 0", "EN", "FR 0 1 0 0 21 0"}, 1},
        {"unreadable count", {"FR 0 x 0 0 14 0", "EN"}, 2},
        {"negative count", {"FR 0 -1 0 0 14 0", "EN"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FrequencyCount(c.deck), c.count);
        EXPECT_EQ(AsksForSeveralFrequencies(c.deck), c.count > 1);
    }
}

TEST(DeckCards, EndCard)
{
    EXPECT_TRUE(HasEndCard({"CM", "GW 1 3 0 0 0 0 0 1 0.001", "en"}));
    EXPECT_FALSE(HasEndCard({"CM", "GW 1 3 0 0 0 0 0 1 0.001", "RP 0 1 360 1000 70 0 0 1"}));
    EXPECT_FALSE(HasEndCard({}));
}

TEST(DeckCards, FirstRefusedLine)
{
    const struct {
        const char* name;
        Lines deck;
        int refused;
    } cases[] = {
        {"every card taken", {"CM a", "CE", "GW 1 3 0 0 0 0 0 1 0.001", "GE", "WG", "EK", "NT", "TL", "XQ", "EN"}, -1},
        {"empty deck", {}, -1},
        {"unknown card", {"CM", "CE", "GW 1", "ZZ 1", "EN"}, 3},
        {"lower case is not the memo's", {"CM", "gw 1", "EN"}, 1},
        {"empty line", {"CM", "", "EN"}, 1},
        {"one character", {"G", "EN"}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstRefusedLine(c.deck), c.refused) << c.name;
}
