#include "common/TextLines.h"
#include "common/ListField.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace vrnnec;

namespace {

std::string writeTemp(const std::string& name, const std::string& content)
{
    const auto path = std::filesystem::temp_directory_path() / ("vrn_common_" + name);
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

} // namespace

TEST(LineReader, LineEndsAndLongLines)
{
    const std::string longLine(300, 'x');
    const auto path = writeTemp("ends.txt", "a\r\nb\nc\rd\r\n" + longLine + "\nlast");
    textlines::LineReader reader(path);
    ASSERT_TRUE(reader.isOpen());
    std::string line;
    std::vector<std::string> got;
    while (reader.next(line))
        got.push_back(line);
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(got[0], "a");
    EXPECT_EQ(got[1], "b");
    EXPECT_EQ(got[2], "c");
    EXPECT_EQ(got[3], "d");
    EXPECT_EQ(got[4], std::string(255, 'x'));
    EXPECT_EQ(got[5], "last");
    EXPECT_TRUE(reader.atEnd());
    // After the end every read yields an empty line.
    line = "junk";
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(line, "");
    std::filesystem::remove(path);
}

// A text in memory reads as the same text in a file.
TEST(LineReader, TextReadsAsTheFileWithIt)
{
    const std::string cases[] = {"", "a", "\n", "a\r\nb\nc\rd\r\n", std::string(300, 'y') + "\r\nz",
                                 std::string("nul\0inside\n", 12), "last line without end"};
    int k = 0;
    for (const std::string& text : cases) {
        SCOPED_TRACE(k);
        const auto path = writeTemp("text" + std::to_string(k++) + ".txt", text);
        std::vector<std::string> fromFile, fromText;
        ASSERT_TRUE(textlines::readAllLines(path, fromFile));
        std::string read;
        ASSERT_TRUE(textlines::readFileText(path, read));
        EXPECT_EQ(read, text);
        textlines::LineReader reader;
        ASSERT_TRUE(reader.openText(text));
        std::string line;
        while (reader.next(line))
            fromText.push_back(line);
        EXPECT_EQ(fromText, fromFile);
        EXPECT_TRUE(reader.atEnd());
        std::filesystem::remove(path);
    }
    std::string missing = "kept";
    EXPECT_FALSE(textlines::readFileText("/nonexistent/dir/file.txt", missing));
}

TEST(LineReader, MissingFileAndEmptyLines)
{
    textlines::LineReader reader;
    EXPECT_FALSE(reader.open("/nonexistent/dir/file.txt"));
    std::string line = "x";
    EXPECT_FALSE(reader.next(line));
    EXPECT_EQ(line, "");

    const auto path = writeTemp("empty_lines.txt", "\r\n\r\nz");
    std::vector<std::string> lines;
    ASSERT_TRUE(textlines::readAllLines(path, lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"", "", "z"}));
    std::filesystem::remove(path);
}

TEST(Columns, OneBasedInclusiveAndShortLines)
{
    const std::string line = "  1234  5.5E+01";
    EXPECT_EQ(textlines::columns(line, 3, 6), "1234");
    EXPECT_EQ(textlines::columns(line, 9, 40), "5.5E+01");
    EXPECT_EQ(textlines::columns(line, 40, 50), "");
    EXPECT_EQ(textlines::columnsFrom(line, 9), "5.5E+01");
    long long i = 0;
    EXPECT_TRUE(textlines::columnInteger(line, 1, 6, i));
    EXPECT_EQ(i, 1234);
    double d = 0;
    EXPECT_TRUE(textlines::columnReal(line, 7, 20, d));
    EXPECT_DOUBLE_EQ(d, 55);
    EXPECT_FALSE(textlines::columnReal(line, 30, 40, d)) << "an empty field is a read error";
    EXPECT_FALSE(textlines::columnReal(line, 1, 10, d)) << "two numbers in one field";
}

TEST(ListField, CommaAndOneSkippedCharacter)
{
    std::string_view rest = "4,\t2,\t1,  3.5,0";
    EXPECT_EQ(listfield::ReadListField(rest), "4");
    EXPECT_EQ(listfield::ReadListField(rest), "2");
    EXPECT_EQ(listfield::ReadListField(rest), "1");
    EXPECT_EQ(listfield::ReadListField(rest), " 3.5") << "further blanks lead the next field";
    EXPECT_EQ(listfield::ReadListField(rest), "") << "the character after the comma is skipped unseen";
    EXPECT_EQ(listfield::ReadListField(rest), "");

    rest = "0,5";
    EXPECT_EQ(listfield::ReadListField(rest), "0");
    EXPECT_EQ(rest, "");

    rest = "only";
    EXPECT_EQ(listfield::ReadListField(rest), "only");
    EXPECT_EQ(rest, "");

    rest = "last,";
    EXPECT_EQ(listfield::ReadListField(rest), "last");
    EXPECT_EQ(rest, "");
}
