// The card table: which identifier opens which tool, and the values the card dialog
// starts with.
#include "editor/CardDefinitions.h"

#include <gtest/gtest.h>

using namespace vrnnec;
using namespace vrnnec::editor;

namespace {

TEST(CardDefinitions, ToolsByIdentifier)
{
    const struct {
        std::string id;
        CardTool tool;
    } cases[] = {
        {"GW", CardTool::WireTools},  {"GM", CardTool::CardDialog}, {"LD", CardTool::CardDialog},
        {"EK", CardTool::CardDialog}, {"TL", CardTool::CardDialog}, {"RP", CardTool::None},
        {"GF", CardTool::None},       {"", CardTool::None},         {"gw", CardTool::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToolForCard(c.id), c.tool) << c.id;
}

TEST(CardDefinitions, EveryCardFitsARow)
{
    EXPECT_EQ(CardDefinitions().size(), 18u);
    for (const CardDefinition& card : CardDefinitions()) {
        EXPECT_LE(card.captions.size(), 10u) << card.id;
        EXPECT_EQ(card.defaults.size(), card.captions.size()) << card.id;
        EXPECT_FALSE(card.help.empty()) << card.id;
    }
}

TEST(CardDefinitions, DialogRowFromDefaultsOrFromTheTableRow)
{
    const CardDefinition* ge = FindCardDefinition("GE");
    ASSERT_NE(ge, nullptr);
    EXPECT_EQ(ge->captions.front(), "GP flag");
    EXPECT_EQ(CardDialogRow(*ge, CardRow{"GE"}), (CardRow{"GE", "0"}));

    const CardDefinition* ld = FindCardDefinition("LD");
    ASSERT_NE(ld, nullptr);
    const CardRow own{"LD", "5", "1", "1", "1", "50"};
    EXPECT_EQ(CardDialogRow(*ld, own), own);
    EXPECT_EQ(ld->captions[5], "F2(L,jX)");

    const CardDefinition* gx = FindCardDefinition("GX");
    ASSERT_NE(gx, nullptr);
    EXPECT_EQ(CardDialogRow(*gx, CardRow{"GX"}), (CardRow{"GX", "0", "001"}));
}

TEST(CardDefinitions, EkHasOnlyItsIdentifierAndOneHelpLine)
{
    const CardDefinition* ek = FindCardDefinition("EK");
    ASSERT_NE(ek, nullptr);
    EXPECT_TRUE(ek->captions.empty());
    EXPECT_EQ(CardDialogRow(*ek, CardRow{"EK"}), CardRow{"EK"});
    ASSERT_EQ(ek->help.size(), 1u);
    EXPECT_EQ(ek->help[0], "If this card present the \"Extended Thin Wire Cernel\" option is swithed.");
}

} // namespace
