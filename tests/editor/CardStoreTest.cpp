// Decks into card rows and back, with the point and the comma as the user's decimal
// separator.
#include "editor/CardRows.h"

#include <gtest/gtest.h>

using namespace vrnnec;
using namespace vrnnec::editor;

namespace {

using Deck = std::vector<std::string>;

class Store : public ::testing::TestWithParam<char> {};
INSTANTIATE_TEST_SUITE_P(Locales, Store, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "point" : "comma"; });

std::string local(std::string text, char separator)
{
    for (char& c : text)
        if (c == '.')
            c = separator;
    return text;
}

TEST_P(Store, LeadingCommentsStayLateCommentsAndOwnEndGo)
{
    const char sep = GetParam();
    const Deck deck = {"CM test", "CE", "GW 1 5 0 0 0 1 0 0 0.001", "CM late", "GE", "EN"};
    const auto rows = LoadDeckTable(deck, sep);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 2u);
    EXPECT_EQ((*rows)[0], (CardRow{"GW", "1", "5", "0", "0", "0", "1", "0", "0", local("0.001", sep), ""}));
    EXPECT_EQ((*rows)[1], (CardRow{"GE"}));

    const StoreResult stored = StoreDeckTable(deck, *rows, sep);
    ASSERT_TRUE(stored.ok) << stored.message;
    EXPECT_EQ(stored.deck, (Deck{"CM test", "CE", "GW 1 5 0 0 0 1 0 0 0.001", "GE", "EN"}));
}

TEST_P(Store, FieldsBeyondTheTenthAndEmptyLines)
{
    const char sep = GetParam();
    const auto rows = LoadDeckTable({"CE", "EX 0 1 2 3 4 5 6 7 8 9 10 11", "", "x"}, sep);
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 3u);
    EXPECT_EQ((*rows)[0][10], "9");
    EXPECT_EQ((*rows)[1], CardRow{});
    EXPECT_EQ((*rows)[2], CardRow{});
}

TEST_P(Store, AnUnreadableLoadedFieldKeepsItsTextAndBlocksTheStore)
{
    const char sep = GetParam();
    const Deck deck = {"CE", "LD 5 1 abc 1 50", "EN"};
    const auto rows = LoadDeckTable(deck, sep);
    ASSERT_TRUE(rows);
    EXPECT_EQ((*rows)[0][3], "abc");
    EXPECT_EQ((*rows)[0][4], "1");
    const StoreResult stored = StoreDeckTable(deck, *rows, sep);
    EXPECT_FALSE(stored.ok);
    EXPECT_EQ(stored.message, "Incorrect numbers occurs in table!\nRow 1 (LD): field 3 is not a number.");
    EXPECT_EQ(stored.row, 0);
    EXPECT_EQ(stored.column, 3);
    EXPECT_TRUE(stored.deck.empty());
}

TEST_P(Store, RowRules)
{
    const char sep = GetParam();
    const Deck deck = {"  CM lead", "ce", "GE", "EN"};
    const struct {
        std::vector<CardRow> rows;
        bool ok;
        Deck expected;
        int row;
    } cases[] = {
        // A gap between filled fields is written as 0, never as two blanks.
        {{{"LD", "5", "1", "", "1", local("50.0", sep)}}, true, {"  CM lead", "ce", "LD 5 1 0 1 50", "EN"}, -1},
        // Rows with comment or end identifiers and empty rows are not cards.
        {{{"en"}, {" CM", "1"}, {}, {"GE", "0"}}, true, {"  CM lead", "ce", "GE 0", "EN"}, -1},
        // Fields without an identifier are refused, naming the row.
        {{{"GE"}, {"", "", "3"}}, false, {}, 1},
        {{{"GE", "1E"}}, false, {}, 0},
        {{{"GE", "-"}}, false, {}, 0},
    };
    for (const auto& c : cases) {
        const StoreResult stored = StoreDeckTable(deck, c.rows, sep);
        EXPECT_EQ(stored.ok, c.ok) << stored.message;
        EXPECT_EQ(stored.deck, c.expected);
        EXPECT_EQ(stored.row, c.row);
    }
    EXPECT_EQ(StoreDeckTable(deck, {{"GE"}, {"", "", "3"}}, sep).message, "Row 2: the Card ID is missing.");
}

TEST(Store, CardIdentifiersAreTwoLettersOrDigits)
{
    const Deck deck = {"CM lead", "CE", "GE", "EN"};
    const struct {
        CardRow id;
        std::string message; // empty: stored
    } cases[] = {
        {{"GW", "1"}, ""},
        {{" gw ", "1"}, ""},
        {{"1A", "1"}, ""},
        {{"G", "1"}, "Row 2 (G): the Card ID is not two letters or digits."},
        {{"GWX", "1"}, "Row 2 (GWX): the Card ID is not two letters or digits."},
        {{"G\nW", "1"}, "Row 2 (G?W): the Card ID is not two letters or digits."},
        {{"G-"}, "Row 2 (G-): the Card ID is not two letters or digits."},
        {{"free text here"}, "Row 2 (free text here): the Card ID is not two letters or digits."},
    };
    for (const auto& c : cases) {
        const StoreResult stored = StoreDeckTable(deck, {{"GE"}, c.id}, '.');
        EXPECT_EQ(stored.message, c.message) << c.id[0];
        EXPECT_EQ(stored.ok, c.message.empty()) << c.id[0];
        EXPECT_EQ(stored.row, c.message.empty() ? -1 : 1) << c.id[0];
        for (const std::string& line : stored.deck)
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    }
}

TEST(Store, LineBreaksInFieldsAndEmptiedTablesAreRefused)
{
    const Deck deck = {"CM lead", "CE", "GE", "EN"};
    const struct {
        std::vector<CardRow> rows;
        std::string message;
    } cases[] = {
        {{{"GW", "1\n2"}}, "Incorrect numbers occurs in table!\nRow 1 (GW): field 1 is not a number."},
        {{{"GW", "1", "\r"}}, "Incorrect numbers occurs in table!\nRow 1 (GW): field 2 is not a number."},
        {{}, "The table has no cards: a deck needs at least one card besides CM, CE and EN."},
        {{{}, {" CM"}, {"EN"}}, "The table has no cards: a deck needs at least one card besides CM, CE and EN."},
    };
    for (const auto& c : cases) {
        const StoreResult stored = StoreDeckTable(deck, c.rows, '.');
        EXPECT_FALSE(stored.ok);
        EXPECT_EQ(stored.message, c.message);
        EXPECT_TRUE(stored.deck.empty());
    }
}

TEST(Store, CommaLocaleShowsCommaAndWritesPoint)
{
    const auto rows = LoadDeckTable({"CE", "GW 1 1 0 0 0.5 0 0 1 1e-3", "EN"}, ',');
    ASSERT_TRUE(rows);
    EXPECT_EQ((*rows)[0][5], "0,5");
    EXPECT_EQ((*rows)[0][9], "0,001");
    EXPECT_EQ(StoreDeckTable({"CE"}, *rows, ',').deck, (Deck{"CE", "GW 1 1 0 0 0.5 0 0 1 0.001", "EN"}));
    // A point typed under the comma is not a number there.
    CardRow typed = (*rows)[0];
    typed[5] = "0.5";
    EXPECT_FALSE(StoreDeckTable({"CE"}, {typed}, ',').ok);
}

} // namespace
