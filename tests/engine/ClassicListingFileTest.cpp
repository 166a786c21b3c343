// The rewriter's sections with a layout of their own (current sources, loads), and the
// rewriter on files and as the tool nec2c-classic the engine scripts run: in place,
// classic listings copied unchanged, failures leaving the output alone.
#include "ListingTestSupport.h"

#include "engine/ClassicListing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using namespace vrnnec;

using listingtest::dataPath;
using listingtest::fileText;
using listingtest::TempFolder;
using Lines = std::vector<std::string>;

using listingtest::rewrittenLines;

TEST(ClassicListing, CurrentSourceExcitation)
{
    // patch_plate: an EX 4 current source; the reader takes the 5th line after the heading.
    const Lines classic = listingtest::fileLines(dataPath("examples/classic/patch_plate.out"));
    const Lines rewritten = rewrittenLines(dataPath("examples/nec2c/patch_plate.out"));
    const int c = listingtest::findLine(classic, "- - - EXCITATION - - -");
    const int r = listingtest::findLine(rewritten, "- - - EXCITATION - - -");
    ASSERT_GE(c, 0);
    ASSERT_GE(r, 0);
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(rewritten[static_cast<std::size_t>(r + i)], classic[static_cast<std::size_t>(c + i)]) << "+" << i;
}

TEST(ClassicListing, LoadTableKeepsTheClassicRowSpacing)
{
    const Lines lines = rewrittenLines(dataPath("listings/nec2c/yagi3_loads.out"));
    const int heading = listingtest::findLine(lines, "- - - STRUCTURE IMPEDANCE LOADING - - -");
    ASSERT_GE(heading, 0);
    // From the heading to the line after the note, as the classic engine writes it.
    const Lines classic = listingtest::fileLines(dataPath("listings/classic/yagi3_loads.out"));
    const int c = listingtest::findLine(classic, "- - - STRUCTURE IMPEDANCE LOADING - - -");
    const int note = listingtest::findLine(classic, "LOADED TWICE");
    ASSERT_GT(note, c);
    EXPECT_EQ(Lines(lines.begin() + heading, lines.begin() + heading + (note - c) + 2),
              Lines(classic.begin() + c, classic.begin() + note + 2));
}

TEST(ClassicListingFile, RewritesInPlaceAndCopiesClassicListings)
{
    TempFolder folder;
    const std::string nec2c = fileText(dataPath("listings/nec2c/two_sources.out"));
    const std::string expected = engine::RewriteToClassicListing(nec2c);
    const std::string path = folder.writeText("Outdata.txo", nec2c);
    EXPECT_EQ(engine::RewriteListingFile(path, path), "");
    EXPECT_EQ(fileText(path), expected);
    // Again: now classic, left as it is.
    EXPECT_EQ(engine::RewriteListingFile(path, path), "");
    EXPECT_EQ(fileText(path), expected);

    const std::string copy = folder.file("copy.txo");
    const std::string classic = fileText(dataPath("listings/classic/two_sources.out"));
    EXPECT_EQ(engine::RewriteListingFile(dataPath("listings/classic/two_sources.out"), copy), "");
    EXPECT_EQ(fileText(copy), classic);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST(ClassicListingFile, FailuresLeaveTheOutputAlone)
{
    TempFolder folder;
    const std::string out = folder.writeText("Outdata.txo", "old listing\n");
    std::string error = engine::RewriteListingFile(folder.file("missing.txo"), out);
    EXPECT_NE(error.find("missing.txo"), std::string::npos) << error;
    EXPECT_EQ(fileText(out), "old listing\n");

    error = engine::RewriteListingFile(dataPath("listings/nec2c/dipole_free.out"),
                                       folder.file("no/such/folder/Outdata.txo"));
    EXPECT_NE(error.find("no/such/folder/Outdata.txo"), std::string::npos) << error;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

namespace {

int runTool(const std::string& arguments)
{
    const int status = std::system((std::string(NEC2C_CLASSIC_TOOL) + " " + arguments + " 2>/dev/null").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(Nec2cClassicTool, RewritesAFixtureListing)
{
    TempFolder folder;
    const std::string nec2c = dataPath("listings/nec2c/dipole_sommerfeld.out");
    const std::string out = folder.file("Outdata.txo");
    ASSERT_EQ(runTool("'" + nec2c + "' '" + out + "'"), 0);
    EXPECT_EQ(fileText(out), engine::RewriteToClassicListing(fileText(nec2c)));
    // The reader gets the classic impedance from the tool's output.
    const Lines lines = listingtest::fileLines(out);
    const int heading = listingtest::findLine(lines, "ANTENNA INPUT PARAMETERS");
    EXPECT_EQ(lines[static_cast<std::size_t>(heading + 4)].substr(60, 24), " 7.39870E+01 3.89330E+00");

    // In place, as the engine script runs it.
    const std::string inPlace = folder.writeText("listing.txo", fileText(nec2c));
    ASSERT_EQ(runTool("'" + inPlace + "' '" + inPlace + "'"), 0);
    EXPECT_EQ(fileText(inPlace), fileText(out));
}

TEST(Nec2cClassicTool, ExitCodes)
{
    TempFolder folder;
    EXPECT_EQ(runTool(""), 2);
    EXPECT_EQ(runTool("only-one-argument"), 2);
    EXPECT_EQ(runTool("'" + folder.file("missing") + "' '" + folder.file("out") + "'"), 1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("out")));
}
