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

TEST(CardDefinitions, DialogRowFromDefaultsOnlyWhenTheRowHasNoFields)
{
    const CardDefinition* gx = FindCardDefinition("GX");
    ASSERT_NE(gx, nullptr);
    EXPECT_EQ(CardDialogRow(*gx, CardRow{"GX"}), (CardRow{"GX", "0", "001"}));
    EXPECT_EQ(CardDialogRow(*gx, CardRow{"GX", "1"}), (CardRow{"GX", "1"}));

    // A row whose first field was emptied keeps its other fields: the dialog shows them
    // (OK would otherwise put the defaults over the card's own values).
    const struct {
        const char* id;
        CardRow row;
        CardRow shown;
    } cases[] = {
        {"LD", {"LD", "", "1", "1", "1", "50"}, {"LD", "", "1", "1", "1", "50"}},
        {"EX", {"EX", " ", "", "", "", "", "", "", "", "", "2"}, {"EX", " ", "", "", "", "", "", "", "", "", "2"}},
        {"LD", {"LD", " ", "  "}, {"LD", "0", "1", "2", "2", "0", "1E-6", "1E-10"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CardDialogRow(*FindCardDefinition(c.id), c.row), c.shown) << c.id;
}

} // namespace
