#include "common/DeckText.h"

#include <gtest/gtest.h>

using namespace vrnnec::decktext;
using Lines = std::vector<std::string>;

TEST(DeckText, SplitsAtEveryLineEndAndCutsOnce)
{
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines;
    };
    const Case cases[] = {
        {"empty", "", {}},
        {"CR LF", "CM\r\nEN\r\n", {"CM", "EN"}},
        {"LF and lone CR", "CM\nCE\rEN", {"CM", "CE", "EN"}},
        {"empty lines kept", "CM\r\n\r\nEN", {"CM", "", "EN"}},
        {"0xA0 and bytes that are not UTF-8", "CM a\xA0" "b\xFF\xC3\r\nEN", {"CM a\xA0" "b\xFF\xC3", "EN"}},
        {"a long line is cut to 255 bytes", std::string(300, 'C') + "\nEN", {std::string(255, 'C'), "EN"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitLines(c.bytes), c.lines);
    }
}

TEST(DeckText, JoinedLinesComeBackByteForByte)
{
    const Lines lines{"CM \xA0\x80\xFE", "", "GW 1 3 0 0 0 0 0 1 0.001", "EN"};
    const std::string bytes = JoinLines(lines);
    EXPECT_EQ(bytes, "CM \xA0\x80\xFE\r\n\r\nGW 1 3 0 0 0 0 0 1 0.001\r\nEN\r\n");
    EXPECT_EQ(SplitLines(bytes), lines);
    EXPECT_EQ(CutLine(std::string(256, 'x')).size(), 255u);
    EXPECT_EQ(CutLine("EN"), "EN");
}

TEST(DeckText, LinesWithTheirEndsGiveTheTextBack)
{
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines, ends;
    };
    const Case cases[] = {
        {"empty", "", {}, {}},
        {"mixed ends", "CM\r\nCE\nGW\rEN", {"CM", "CE", "GW", "EN"}, {"\r\n", "\n", "\r", ""}},
        {"CR at the very end", "EN\r", {"EN"}, {"\r"}},
        {"LF CR is two ends", "CM\n\rEN\n", {"CM", "", "EN"}, {"\n", "\r", "\n"}},
        {"long lines are not cut", std::string(300, 'C') + "\r\n", {std::string(300, 'C')}, {"\r\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LinesWithEnds split = SplitKeepingEnds(c.bytes);
        EXPECT_EQ(split.lines, c.lines);
        EXPECT_EQ(split.ends, c.ends);
        std::string joined;
        for (std::size_t i = 0; i < split.lines.size(); ++i)
            joined += split.lines[i] + split.ends[i];
        EXPECT_EQ(joined, c.bytes);
    }
}
