// The card row operations on single lines and fields, with the point and the comma as
// the user's decimal separator.
#include "editor/CardRows.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vrnnec;
using namespace vrnnec::editor;

namespace {

// Texts below are written with the point; this puts in the separator under test.
std::string local(std::string text, char separator)
{
    std::replace(text.begin(), text.end(), '.', separator);
    return text;
}

class BothSeparators : public ::testing::TestWithParam<char> {};
INSTANTIATE_TEST_SUITE_P(Locales, BothSeparators, ::testing::Values('.', ','),
                         [](const auto& info) { return info.param == '.' ? "point" : "comma"; });

TEST(SplitCardLine, NormalisesIdentifierAndSeparators)
{
    const struct {
        std::string line, expected;
    } cases[] = {
        {"gw 1 10 0 0 0 0 0 10 .001", "GW,1,10,0,0,0,0,0,10,.001"},
        {"GW,1,,10", "GW,1,10"},
        {"GW1 10", "GW,1,10"},
        {"  GE  1 ,, ", "GE,1"},
        {"ge", "ge"},
        {"EK\r", "EK"},
        {"GW\t1 2", "GW,\t1,2"},
        {"x", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCardLine(c.line), c.expected) << c.line;
}

TEST(SplitCardLine, CutsLongLinesOnceAndKeepsTheLastFieldOfA255CharacterLine)
{
    std::string line = "GW 1";
    line += std::string(255 - line.size() - 2, ' ') + " 7";
    ASSERT_EQ(line.size(), 255u);
    EXPECT_EQ(SplitCardLine(line), "GW,1,7");
    EXPECT_EQ(SplitCardLine(line + "89"), "GW,1,7");
}

TEST_P(BothSeparators, FieldToTableText)
{
    const char sep = GetParam();
    const struct {
        std::string field, expected;
    } cases[] = {
        {"007", "7"},
        {"+5", "5"},
        {".001", "0.001"},
        {"1e-5", "1E-5"},
        {"1e20", "1E20"},
        {" 12 ", "12"},
        {"0.5", "0.5"},
        {"-2.50", "-2.5"},
        {"abc", ""},
        {"1.2.3", ""},
        {"", ""},
        {"3000000000", "3000000000"},
        // More than 15 digits only where 15 would not read back as the same value.
        {"6.696428571428571", "6.696428571428571"},
        {"0.1000000000000000055", "0.1"},
        {"-1.0000000000000002", "-1.0000000000000002"},
        {"123456789012345678", "1.2345678901234568E17"},
        {"1.2345678901234567e-20", "1.2345678901234567E-20"},
        {"0.00012345678901234567", "0.00012345678901234567"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FieldToTableText(c.field, sep), local(c.expected, sep)) << c.field;
}

TEST_P(BothSeparators, FieldToDeckText)
{
    const char sep = GetParam();
    const struct {
        std::string text, expected;
    } cases[] = {
        {"", ""},
        {"  ", ""},
        {".", "0"},
        {"x", "0"},
        {"5", "5"},
        {"-", "0"},
        {"007", "7"},
        {"-0012", "-12"},
        {"0.5", "0.5"},
        {"1e-5", "1E-5"},
        {"2.50E3", "2500"},
        {"abc", "0"},
        {"6.696428571428571", "6.696428571428571"},
        {"1e100", "1E100"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FieldToDeckText(local(c.text, sep), sep), c.expected) << c.text;
}

TEST_P(BothSeparators, JoinCardLine)
{
    const char sep = GetParam();
    CardRow row{" gw ", "1", "", local("0.5", sep), "1e-3"};
    EXPECT_EQ(JoinCardLine(row, sep), "GW 1  0.5 0.001");
    EXPECT_EQ(JoinCardLine(CardRow{"ek"}, sep), "EK");
}

TEST_P(BothSeparators, CheckFieldText)
{
    const char sep = GetParam();
    for (const char* text : {"", ".", "-", "12", "-3", "1E-5", "1e-5", "0.5", " 7 ", "3000000000"})
        EXPECT_TRUE(CheckFieldText(local(text, sep), sep)) << text;
    for (const char* text : {"1E", "abc", "1.2.3", "+", "-.", "5x"})
        EXPECT_FALSE(CheckFieldText(local(text, sep), sep)) << text;
}

TEST_P(BothSeparators, FillFieldGaps)
{
    const char sep = GetParam();
    const struct {
        CardRow before;
        int column;
        CardRow after;
    } cases[] = {
        {{"LD", "", "", "5"}, 3, {"LD", "0", "0", "5"}},
        {{"LD", "", "", ""}, 3, {"LD", "", "", ""}},
        {{"LD", "1", "."}, 2, {"LD", "1", ""}},
        {{"LD", "", "-", "", "7"}, 2, {"LD", "0", "0", "", "7"}},
        {{"LD", ".", "", "", "7"}, 1, {"LD", "0", "", "", "7"}},
        {{"-", "", "4"}, 0, {"", "", "4"}},
        {{"EX", "", "", "", "", "", "", "", "", "", "9"}, 10, {"EX", "0", "0", "0", "0", "0", "0", "0", "0", "0", "9"}},
    };
    for (const auto& c : cases) {
        CardRow row = c.before, expected = c.after;
        for (CardRow* r : {&row, &expected})
            for (std::string& cell : *r)
                cell = local(cell, sep);
        FillFieldGaps(row, c.column, sep);
        EXPECT_EQ(row, expected) << "column " << c.column << " of " << c.before[1] << "|" << c.before[2];
    }
}

} // namespace
