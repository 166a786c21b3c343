// Card rows to clipboard text and back, with the point and the comma as separator.
#include "editor/RowClipboard.h"

#include <gtest/gtest.h>

using namespace vrnnec::editor;

namespace {

CardRow row(std::initializer_list<std::string> cells)
{
    CardRow r;
    std::size_t i = 0;
    for (const std::string& cell : cells)
        r[i++] = cell;
    return r;
}

TEST(RowClipboard, RowsBecomeDeckLines)
{
    const struct {
        char separator;
        std::vector<CardRow> rows;
        std::string text;
    } cases[] = {
        {'.', {row({"GW", "1", "10", "0", "0", "0", "0", "0", "10", "0.001"})}, "GW 1 10 0 0 0 0 0 10 0.001\n"},
        {',', {row({"FR", "0", "1", "0", "0", "14,2"}), row({"EK"})}, "FR 0 1 0 0 14.2\nEK\n"},
        // A row empty throughout is no card and is left out.
        {'.', {row({}), row({"GE", "0"})}, "GE 0\n"},
        {'.', {}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RowsToDeckText(c.rows, c.separator), c.text) << c.text;
}

TEST(RowClipboard, PastedTextBecomesRows)
{
    const struct {
        char separator;
        std::string text;
        std::vector<CardRow> rows;
    } cases[] = {
        {'.', "GW 1 10 0 0 0 0 0 10 .001\n", {row({"GW", "1", "10", "0", "0", "0", "0", "0", "10", "0.001"})}},
        {',', "fr 0 1 0 0 14.2\r\nEX 0 1 5 0 1\r\n", {row({"FR", "0", "1", "0", "0", "14,2"}), row({"EX", "0", "1", "5", "0", "1"})}},
        // Comment, end and blank lines are no rows; the last line needs no line end.
        {'.', "CM a dipole\nCE\n\n  \nGE 1\nEN", {row({"GE", "1"})}},
        // A field that does not read keeps its text, so that storing refuses it later.
        {'.', "LD 0 1 x", {row({"LD", "0", "1", "x"})}},
        {'.', "CM only\nEN\n", {}},
        {'.', "", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeckTextToRows(c.text, c.separator), c.rows) << c.text;
}

TEST(RowClipboard, CutAndPasteKeepsEveryFieldInItsColumnAndItsText)
{
    // An emptied field between filled ones is written as 0 (as storing the table does), so
    // the fields after it keep their columns; a field that does not read keeps its text.
    const struct {
        char separator;
        CardRow cut, pasted;
    } cases[] = {
        {'.', row({"EX", "0", "1", "5", "", "1", "0"}), row({"EX", "0", "1", "5", "0", "1", "0"})},
        {',', row({"GN", "2", "", " ", "", "13", "0,005"}), row({"GN", "2", "0", "0", "0", "13", "0,005"})},
        {',', row({"LD", "5", "1", "abc", "1", "50"}), row({"LD", "5", "1", "abc", "1", "50"})},
        // A point typed in the comma locale is clipboard text like any deck's.
        {',', row({"GW", "1", "5", "0", "0", "0.5", "0", "0", "1", "0,001"}),
         row({"GW", "1", "5", "0", "0", "0,5", "0", "0", "1", "0,001"})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeckTextToRows(RowsToDeckText({c.cut}, c.separator), c.separator), std::vector<CardRow>{c.pasted})
            << RowsToDeckText({c.cut}, c.separator);
}

TEST(RowClipboard, CopyThenPasteGivesTheSameRows)
{
    for (char separator : {'.', ','}) {
        const std::string half = separator == '.' ? "0.5" : "0,5";
        const std::vector<CardRow> rows{row({"GW", "1", "21", "0", "-5", "10", "0", "5", "10", "1E-3"}),
                                        row({"LD", "5", "1", "0", "0", "5" + std::string(1, separator) + "8E7"}),
                                        row({"GH", "2", "40", half})};
        const std::vector<CardRow> back = DeckTextToRows(RowsToDeckText(rows, separator), separator);
        ASSERT_EQ(back.size(), rows.size());
        EXPECT_EQ(back[2][3], half);
        EXPECT_EQ(RowsToDeckText(back, separator), RowsToDeckText(rows, separator));
    }
}

} // namespace
