#include "editor/WireTools.h"

#include <gtest/gtest.h>

using namespace vrnnec;
using namespace vrnnec::editor;

namespace {

CardRow gw(const char* tag, const char* x1, const char* y1, const char* z1, const char* x2, const char* y2,
           const char* z2)
{
    return CardRow{"GW", tag, "10", x1, y1, z1, x2, y2, z2, "0,001", ""};
}

TEST(WireTools, LengthsInFixedNotation)
{
    struct Case {
        WirePoint begin, end;
        std::int64_t segments;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        {{0, 0, 0}, {3, 4, 0}, 10, '.', "Wire length:  5.00000;   Segment length: 0.50000;"},
        {{0, 0, 0}, {3, 4, 0}, 10, ',', "Wire length:  5,00000;   Segment length: 0,50000;"},
        {{1, 1, 1}, {1, 1, 3}, 0, '.', "Wire length:  2.00000;   Segment length: 0.00000;"},
        {{0, 0, 0}, {0, 0, 1}, 3, '.', "Wire length:  1.00000;   Segment length: 0.33333;"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WireLengthText(c.begin, c.end, c.segments, c.separator), c.text);
}

TEST(WireTools, IsolationInductanceAndItsChecks)
{
    struct Case {
        double eps, rc, rb, gwRadius;
        const char* message;
        double inductance;
    };
    // ln(2) * (1 - 1 / (3 * 0.9025)) * 2E-7 = 8.742737E-8 by hand.
    const Case cases[] = {
        {3, 0.002, 0.001, 0.001, "", 8.742737e-8},
        {3, 0.001, 0.001, 0.001, "", 0},
        {1.11, 0.002, 0.001, 0.001, "", 2.0 * 0.69314718 * (1 - 1 / (1.11 * 0.9025)) * 1e-7},
        {1.1, 0.002, 0.001, 0.001, kIsolationEpsMessage, -1},
        {3, 0.0009, 0.0005, 0.001, kIsolationRadiusMessage, -1},
        {3, 0, 0.001, 0, kIncorrectIsolationMessage, -1},
        {3, 0.002, -0.001, 0.001, kIncorrectIsolationMessage, -1},
    };
    for (const Case& c : cases) {
        double l = -1;
        EXPECT_EQ(IsolationInductance(c.eps, c.rc, c.rb, c.gwRadius, l), c.message);
        EXPECT_NEAR(l, c.inductance, 1e-13);
    }
}

// The coat's fields (three texts) and the replace fields (two) name the field refused.
TEST(WireTools, FieldsNameTheFieldThatIsRefused)
{
    struct Case {
        const char *a, *b, *bare; // bare == nullptr: the replace fields
        char separator;
        int refused;
        const char* fault; // the message's second line
    };
    const Case cases[] = {
        {"3", "0,002", "0,001", ',', -1, ""},
        {"3", "0.002", "0.001", ',', 1, "\"Radii in isolation, m:\" is not a number."},
        {"3", "0.002", "", '.', 2, "\"without isolation, m:\" is not a number."},
        {"3,5", "0.002", "0.001", '.', 0, "\"Dielectric constant, Eps:\" is not a number."},
        {"3", "-0.002", "0.001", '.', 1, "\"Radii in isolation, m:\" must be greater than 0."},
        {"3", "0.002", "0", '.', 2, "\"without isolation, m:\" must be greater than 0."},
        {"0", "0.002", "0.001", '.', -1, ""}, // Eps is judged by the inductance
        {"1,5", "-2", nullptr, ',', -1, ""},
        {"1.5", "2", nullptr, ',', 0, "\"Find in coordinates:\" is not a number."},
        {"1", "", nullptr, '.', 1, "\"Change it to:\" is not a number."},
    };
    for (const Case& c : cases) {
        const IsolationFields f = c.bare ? ReadIsolationFields(c.a, c.b, c.bare, c.separator) : IsolationFields{};
        const ReplaceValues v = c.bare ? ReplaceValues{} : ReadReplaceValues(c.a, c.b, c.separator);
        const std::string head = c.bare ? kIncorrectIsolationMessage : kIncorrectReplaceMessage;
        EXPECT_EQ(c.bare ? f.refused : v.refused, c.refused) << c.a << " " << c.b;
        EXPECT_EQ(c.bare ? f.message : v.message, c.refused < 0 ? std::string() : head + "\n" + c.fault) << c.a;
        if (c.bare && c.refused < 0) {
            EXPECT_GT(f.coatRadius, f.bareRadius);
        }
    }
    EXPECT_EQ(ReadReplaceValues("1,5", "-2", ',').find, 1.5);
}

TEST(WireTools, TheLoadRowAndItsPlace)
{
    EXPECT_EQ(IsolationLoadRow(1, 10, 8.742737e-8, ','),
              (CardRow{"LD", "2", "1", "1", "10", "0", "8,74274E-08", "0", "", "", ""}));
    std::vector<CardRow> rows = {gw("1", "0", "0", "0", "1", "0", "0"), CardRow{"GE", "0"}, CardRow{"FR", "0"}};
    EXPECT_EQ(IsolationLoadPlace(rows), 2);
    EXPECT_EQ(FindDistributedLoad(rows, 1), -1);
    rows.push_back(CardRow{"LD", "0", "1"});
    rows.push_back(CardRow{"LD", "3", "1"});
    rows.push_back(CardRow{"LD", "2", "1"});
    EXPECT_EQ(FindDistributedLoad(rows, 1), 4);
    EXPECT_EQ(FindDistributedLoad(rows, 2), -1);
    rows.erase(rows.begin() + 1);
    EXPECT_EQ(IsolationLoadPlace(rows), static_cast<int>(rows.size()));
}

TEST(WireTools, FieldTextsOfTheRowsCells)
{
    struct Case {
        const char* cell;
        bool integer;
        char separator;
        const char* text;
    };
    const Case cases[] = {
        {"", true, '.', "0"},       {"  ", false, ',', "0"},     {" 10 ", true, '.', "10"},
        {"0,5", false, ',', "0,5"}, {"1e-3", false, '.', "0.001"}, {"0.5", false, ',', "0.5"},
        {"abc", false, '.', "abc"}, {"2.5", true, '.', "2.5"},   {" x ", true, ',', "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WireFieldText(c.cell, c.integer, c.separator), c.text) << c.cell;
}

TEST(WireTools, ALowerCaseDeckFindsItsGroundCardAndCardDialogs)
{
    // Lower-case cards are cards: the coat's LD card goes right after "ge", not at the end,
    // and a two-letter row gets the identifier its tool (or card dialog) is found by.
    struct Case {
        std::vector<std::string> deck;
        int loadPlace, row; // IsolationLoadPlace; a two-letter row ...
        const char* id;     // ... and its identifier
    };
    const Case cases[] = {
        {{"ce", "gw 1 10 0 0 0 0 0 10 .001", "ge", "ex 0 1 5 0 1", "rp 0 1 1 1000 90 0 0 0", "en"}, 2, 1, "GE"},
        {{"CE", "GW 1 10 0 0 0 0 0 10 .001", "Ge", "ek", "FR 0 1 0 0 14", "XQ", "EN"}, 2, 2, "EK"},
        {{"CE", "GW 1 10 0 0 0 0 0 10 .001", "gw", "EX 0 1 5 0 1", "EN"}, 3, 1, "GW"},
    };
    for (const Case& c : cases) {
        const auto rows = LoadDeckTable(c.deck, ',');
        ASSERT_TRUE(rows);
        EXPECT_EQ(IsolationLoadPlace(*rows), c.loadPlace) << c.deck[2];
        EXPECT_EQ((*rows)[static_cast<std::size_t>(c.row)][0], c.id);
    }
}

TEST(WireTools, ReplaceWithAndWithoutMirroring)
{
    const std::vector<CardRow> table = {gw("1", "1", "-1", "0", "-1", "1", "2"), CardRow{"GE", "0"},
                                        gw("2", "0", "1", "1", "3", "-1", "1")};
    struct Case {
        Axes axes;
        bool mirror;
        std::vector<CardRow> expected;
    };
    const Case cases[] = {
        {Axes::All, true, {gw("1", "2", "-2", "0", "-2", "2", "2"), table[1], gw("2", "0", "2", "2", "3", "-2", "2")}},
        {Axes::All, false, {gw("1", "2", "-1", "0", "-1", "2", "2"), table[1], gw("2", "0", "2", "2", "3", "-1", "2")}},
        {Axes::X, true, {gw("1", "2", "-1", "0", "-2", "1", "2"), table[1], table[2]}},
        {Axes::Z, false, {table[0], table[1], gw("2", "0", "1", "2", "3", "-1", "2")}},
    };
    for (const Case& c : cases) {
        std::vector<CardRow> rows = table;
        const ReplaceOutcome outcome = ReplaceCoordinates(rows, 1, 2, c.axes, c.mirror, ',');
        EXPECT_EQ(outcome.message, "");
        EXPECT_EQ(rows, c.expected);
    }
}

TEST(WireTools, ReplaceChangesNothingWhenAGWRowDoesNotReadAndNamesTheCell)
{
    const std::vector<CardRow> table = {gw("1", "1", "0", "0", "1", "0", "0"), CardRow{"GE", "0"},
                                        gw("2", "1", "x", "0", "1", "0", "0"), gw("3", "1", "0", "0", "1", "0", "-")};
    struct Case {
        Axes axes;
        int row, column; // the cell named, -1 when every cell of the axes reads
    };
    const Case cases[] = {
        {Axes::All, 2, 4},
        {Axes::Y, 2, 4},
        {Axes::Z, 3, 8},
        {Axes::X, -1, -1},
    };
    for (const Case& c : cases) {
        std::vector<CardRow> rows = table;
        const ReplaceOutcome outcome = ReplaceCoordinates(rows, 1, 2, c.axes, true, ',');
        EXPECT_EQ(outcome.row, c.row);
        EXPECT_EQ(outcome.column, c.column);
        if (c.row < 0) {
            EXPECT_EQ(outcome.message, "");
            continue;
        }
        EXPECT_EQ(outcome.message, std::string(kIncorrectTableCoordinatesMessage) + "\nRow " + std::to_string(c.row + 1)
                                       + " (GW): field " + std::to_string(c.column) + " is not a number.");
        EXPECT_TRUE(outcome.changedRows.empty());
        EXPECT_EQ(rows, table);
    }
}

} // namespace
