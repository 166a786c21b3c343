// necdeck tidy: its exit codes and messages, and every sample deck through it and the
// engine (the tidied deck must compute what the original computes).
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <regex>

using testfiles::readFile;
using testfiles::TempDir;

namespace {

std::string quoted(const std::string& text)
{
    return "'" + text + "'";
}

// Runs a shell command in `dir`; returns the exit code.
int runIn(const TempDir& dir, const std::string& command)
{
    const int status = std::system(("cd " + quoted(dir.path().string()) + " && " + command).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string tidy(const std::string& args)
{
    return std::string(NECDECK_PROGRAM) + " tidy " + args + " >out.txt 2>err.txt";
}

TEST(Tidy, ExitCodesAndMessages)
{
    TempDir dir;
    dir.write("cards.nec", "CM a\nGW 1 3 0 0 0 1 0 0 .001\rGE\r\nEN");
    dir.write("comments.nec", "CM a\r\nCE\r\nEN\r\n");
    dir.write("short.nec", "GE\r\nEN\r\n");
    dir.write("letters.nec", "CE\r\nLD 5 1 abc\r\nEN\r\n");
    // The refused card is named by its line in the file, comment lines counted.
    dir.write("late.nec", "CM a\r\nCM b\r\nCE\r\nGW 1 3 0 0 0 1 0 0 .001\r\nGE 0\r\nEX 0 1 x\r\nEN\r\n");
    const struct {
        std::string args;
        int code;
        std::string out, err;
    } cases[] = {
        {"cards.nec", 0, "CM a\r\nGW 1 3 0 0 0 1 0 0 0.001\r\nGE\r\nEN\r\n", ""},
        {"comments.nec", 1, "", "The deck has no cards to edit.\n"},
        {"short.nec", 1, "", "The deck has no cards to edit.\n"},
        {"letters.nec", 1, "", "Incorrect numbers occurs in table!\nLine 2 (LD): field 3 is not a number.\n"},
        {"late.nec", 1, "", "Incorrect numbers occurs in table!\nLine 6 (EX): field 3 is not a number.\n"},
        {"missing.nec", 1, "", "File missing.nec is not found.\n"},
        {".", 1, "", ". is a folder, not a deck.\n"},
        {"cards.nec .", 1, "", ". is a folder, not an output file.\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(runIn(dir, tidy(c.args)), c.code) << c.args;
        EXPECT_EQ(readFile(dir.file("out.txt")), c.out) << c.args;
        EXPECT_EQ(readFile(dir.file("err.txt")), c.err) << c.args;
    }
    for (const std::string args : {"", "a b c"}) {
        EXPECT_EQ(runIn(dir, tidy(args)), 2) << args;
        EXPECT_NE(readFile(dir.file("err.txt")).find("necdeck tidy DECK [OUT]"), std::string::npos);
    }
    EXPECT_EQ(runIn(dir, tidy("--bogus cards.nec")), 2);
    EXPECT_EQ(readFile(dir.file("err.txt")).rfind("Unknown option --bogus.\n\nusage:", 0), 0u);
    // OUT gets the deck; a refused store leaves it as it was.
    EXPECT_EQ(runIn(dir, tidy("cards.nec tidy.nec")), 0);
    EXPECT_EQ(runIn(dir, tidy("letters.nec tidy.nec")), 1);
    EXPECT_EQ(readFile(dir.file("tidy.nec")), "CM a\r\nGW 1 3 0 0 0 1 0 0 0.001\r\nGE\r\nEN\r\n");
}

// The listing's sections that hold what the engine computed: input parameters,
// currents, near fields and patterns, each up to the next section heading.
std::vector<std::string> computedSections(const std::string& listing)
{
    static const std::regex heading(R"(^\s*-{3,} ([A-Z][A-Z ]*[A-Z]) -{3,}\s*$)");
    static const std::vector<std::string> kept = {"ANTENNA INPUT PARAMETERS", "CURRENTS AND LOCATION",
                                                  "NEAR ELECTRIC FIELDS", "NEAR MAGNETIC FIELDS", "RADIATION PATTERNS"};
    std::vector<std::string> lines;
    bool keep = false;
    std::size_t start = 0;
    while (start < listing.size()) {
        std::size_t end = listing.find('\n', start);
        if (end == std::string::npos)
            end = listing.size();
        const std::string line = listing.substr(start, end - start);
        start = end + 1;
        std::smatch match;
        if (std::regex_match(line, match, heading))
            keep = std::find(kept.begin(), kept.end(), match[1].str()) != kept.end();
        else if (line.find("DATA CARD No:") != std::string::npos)
            keep = false;
        if (keep)
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> sampleDecks()
{
    std::vector<std::string> decks;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(TEST_DATA_DIR))
        if (entry.path().extension() == ".nec")
            decks.push_back(std::filesystem::relative(entry.path(), TEST_DATA_DIR).string());
    std::sort(decks.begin(), decks.end());
    return decks;
}

bool hasEndCard(const std::string& deck)
{
    return std::regex_search(deck, std::regex(R"((^|[\r\n])\s*[Ee][Nn])"));
}

class RoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(RoundTrip, TheTidiedDeckComputesWhatTheOriginalComputes)
{
    TempDir dir;
    const std::string deck = std::string(TEST_DATA_DIR) + "/" + GetParam();
    const int tidied = runIn(dir, tidy(quoted(deck) + " tidy.nec"));
    const std::string engine = "timeout 200 " + std::string(NEC2C_PROGRAM);
    const int original = runIn(dir, engine + " -i " + quoted(deck) + " -o original.out >/dev/null 2>&1");
    if (tidied == 1) {
        // Only a deck the engine refuses as well may be refused.
        EXPECT_NE(original, 0) << readFile(dir.file("err.txt"));
        return;
    }
    ASSERT_EQ(tidied, 0) << readFile(dir.file("err.txt"));
    const int again = runIn(dir, engine + " -i tidy.nec -o tidy.out >/dev/null 2>&1");
    if (original != 0) {
        // The stored deck always ends with its EN card; only a missing one may mend a run.
        if (hasEndCard(readFile(deck))) {
            EXPECT_EQ(again, original);
        }
        return;
    }
    ASSERT_EQ(again, 0);
    const std::vector<std::string> before = computedSections(readFile(dir.file("original.out")));
    EXPECT_FALSE(before.empty());
    EXPECT_EQ(computedSections(readFile(dir.file("tidy.out"))), before);
}

INSTANTIATE_TEST_SUITE_P(SampleDecks, RoundTrip, ::testing::ValuesIn(sampleDecks()), [](const auto& info) {
    std::string name = info.param.substr(0, info.param.size() - 4);
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

} // namespace
