#include "app/IniFile.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>

using namespace vrnnec;

namespace {

namespace fs = std::filesystem;

// The folder as a path.
struct TempFolder : testsupport::TempFolder {
    fs::path path() const { return fs::path(testsupport::TempFolder::path()); }
};

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const fs::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

TEST(IniFile, ReadsPlainLayoutWithCrLfCommentsAndBlanks)
{
    IniFile ini;
    ini.parse("; written by hand\r\n"
              "[Ground Settings]\r\n"
              "Standard=Poor (Eps=13, Sigma=2)\r\n"
              "  EPS = 13,5  \r\n"
              "; Sigma=99\r\n"
              "\r\n"
              "[angles]\r\n"
              "Elevation=\"100\"\r\n"
              "Azimuth=\r\n");
    EXPECT_EQ(ini.readString("Ground Settings", "Standard", "x"), "Poor (Eps=13, Sigma=2)");
    EXPECT_EQ(ini.readString("ground settings", "eps", "x"), "13,5");
    EXPECT_EQ(ini.readString("Ground Settings", "Sigma", "5"), "5");
    EXPECT_EQ(ini.readString("Angles", "Elevation", "20"), "100");
    EXPECT_TRUE(ini.hasKey("Angles", "Azimuth"));
    EXPECT_EQ(ini.readString("Angles", "Azimuth", "0"), "");
    EXPECT_EQ(ini.readString("Missing", "Azimuth", "d"), "d");
    EXPECT_FALSE(ini.hasKey("Ground Settings", "Sigma"));
}

TEST(IniFile, FirstOfEqualSectionsAndKeysCounts)
{
    IniFile ini;
    ini.parse("[A]\nk=1\nk=2\n[A]\nk=3\nj=4\n");
    EXPECT_EQ(ini.readString("A", "k", ""), "1");
    EXPECT_EQ(ini.readString("A", "j", "none"), "none");
}

TEST(IniFile, WritesPlainLayoutInOrderOfFirstWrite)
{
    IniFile ini;
    ini.writeString("Directories", "CurrentDir", "/home/user/antennas");
    ini.writeString("Ground Settings", "Standard", "Average (Eps=13, Sigma=5)");
    ini.writeString("Ground Settings", "EPS", "13");
    ini.writeString("Angles", "Elevation", "20");
    ini.writeString("Ground Settings", "Sigma", "5");
    EXPECT_EQ(ini.text(),
              "[Directories]\n"
              "CurrentDir=/home/user/antennas\n"
              "[Ground Settings]\n"
              "Standard=Average (Eps=13, Sigma=5)\n"
              "EPS=13\n"
              "Sigma=5\n"
              "[Angles]\n"
              "Elevation=20\n");
}

TEST(IniFile, RewritingKeepsOtherContentAndReplacesValuesInPlace)
{
    IniFile ini;
    ini.parse("; notes\n[Angles]\nElevation = 30\nColour=red\n\n[Other]\nx=1\n");
    ini.writeString("angles", "ELEVATION", "45");
    ini.writeString("Angles", "Azimuth", "10");
    ini.writeString("Other", "y", "line\r\nbreak");
    EXPECT_EQ(ini.text(), "; notes\n[Angles]\nElevation=45\nColour=red\nAzimuth=10\n\n[Other]\nx=1\ny=line  break\n");
    EXPECT_EQ(ini.readString("Angles", "Elevation", ""), "45");
}

TEST(IniFile, SaveAndLoadRoundTrip)
{
    TempFolder folder;
    const fs::path path = folder.path() / "VRN_NEC.ini";
    IniFile ini;
    EXPECT_FALSE(ini.load(path.string()));
    ini.writeString("Ground Settings", "Standard", "Sea salt water (Eps=80, Sigma=5000)");
    ini.writeString("Other Parameters", "RIsolation", "2,5");
    ASSERT_TRUE(ini.save(path.string()));
    EXPECT_EQ(readFile(path),
              "[Ground Settings]\nStandard=Sea salt water (Eps=80, Sigma=5000)\n"
              "[Other Parameters]\nRIsolation=2,5\n");

    IniFile again;
    ASSERT_TRUE(again.load(path.string()));
    EXPECT_EQ(again.readString("Other Parameters", "RIsolation", ""), "2,5");
    EXPECT_EQ(again.text(), ini.text());
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(IniFile, FolderInPlaceOfTheFileNeitherLoadsNorSaves)
{
    TempFolder folder;
    IniFile ini;
    ini.parse("[A]\nk=v\n");
    EXPECT_FALSE(ini.load(folder.path().string()));
    EXPECT_EQ(ini.readString("A", "k", "default"), "default");
    ini.writeString("A", "k", "v");
    EXPECT_FALSE(ini.save(folder.path().string()));
    EXPECT_TRUE(fs::is_directory(folder.path()));
}

TEST(IniFile, SaveIntoMissingFolderFails)
{
    TempFolder folder;
    IniFile ini;
    ini.writeString("A", "k", "v");
    EXPECT_FALSE(ini.save((folder.path() / "no such folder" / "VRN_NEC.ini").string()));
}

// A write that breaks off (here: the file size limit, as with a full disk) leaves the
// previous file as it was and no temporary file behind.
TEST(IniFile, FailedWriteKeepsThePreviousFile)
{
    TempFolder folder;
    const fs::path path = folder.path() / "VRN_NEC.ini";
    const std::string previous = "[Angles]\nElevation=33\n";
    writeFile(path, previous);

    IniFile ini;
    ASSERT_TRUE(ini.load(path.string()));
    ini.writeString("Angles", "Elevation", "45");
    ini.writeString("Long", "Text", std::string(4096, 'x'));

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const bool saved_ok = ini.save(path.string());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(readFile(path), previous);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);

    // Without the limit the same content goes through.
    EXPECT_TRUE(ini.save(path.string()));
    IniFile written;
    ASSERT_TRUE(written.load(path.string()));
    EXPECT_EQ(written.readString("Angles", "Elevation", ""), "45");
}

} // namespace
