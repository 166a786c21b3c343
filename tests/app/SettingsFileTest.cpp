#include "app/SettingsFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace vrnnec;

namespace {

namespace fs = std::filesystem;

std::string textOf(const settings::Loaded& loaded, const std::string& control)
{
    for (const auto& [name, text] : loaded.texts)
        if (name == control)
            return text;
    return "<missing>";
}

std::string flagsOf(const settings::Loaded& loaded)
{
    std::string out;
    for (const auto& [name, checked] : loaded.flags)
        out += name + (checked ? "=1 " : "=0 ");
    return out;
}

IniFile iniOf(const std::string& text)
{
    IniFile ini;
    ini.parse(text);
    return ini;
}

TEST(SettingsFile, KeysInFileOrderWithTheirDefaults)
{
    std::string sections;
    for (const settings::Key& key : settings::keys())
        if (sections.empty() || sections.substr(sections.rfind('|') + 1) != key.section)
            sections += "|" + std::string(key.section);
    EXPECT_EQ(sections, "|Directories|Ground Settings|NEC2SwrZ|Angles|Conversion Flags|Other Flags|Other Parameters");
    EXPECT_EQ(settings::keys().size(), 19u);
}

TEST(SettingsFile, MissingFileGivesTheDefaults)
{
    const settings::Loaded loaded = settings::load(IniFile(), "/opt/program", '.');
    EXPECT_EQ(loaded.currentDir, "/opt/program");
    EXPECT_EQ(textOf(loaded, "GroundListComboBox"), "Average (Eps=13, Sigma=5)");
    EXPECT_EQ(textOf(loaded, "EPSField"), "13");
    EXPECT_EQ(textOf(loaded, "SigmaField"), "5");
    EXPECT_EQ(textOf(loaded, "ZSwrReNEC2Field"), "50");
    EXPECT_EQ(textOf(loaded, "ZSwrImNEC2Field"), "0");
    EXPECT_EQ(textOf(loaded, "AngleElevField"), "20");
    EXPECT_EQ(textOf(loaded, "AngleAzField"), "0");
    EXPECT_EQ(textOf(loaded, "RDField"), "2");
    EXPECT_EQ(textOf(loaded, "EpsDielField"), "3");
    EXPECT_EQ(loaded.elevationBar, 20);
    EXPECT_EQ(loaded.azimuthBar, 0);
    EXPECT_EQ(flagsOf(loaded),
              "EKSwitchCheck=0 CDSVSCheck=0 DM2AllSegmentationCheck=1 ShowNEC2InputCheck=0 "
              "X_Shrinking_CheckBox=1 Y_Shrinking_CheckBox=1 Z_Shrinking_CheckBox=1 "
              "EditNEC2InputCheck=0 ReadADMCheck=0 ");
    EXPECT_TRUE(loaded.message.empty());
}

TEST(SettingsFile, NumberTextsGetTheUsersSeparator)
{
    EXPECT_EQ(settings::normaliseSeparator("13,5", '.'), "13.5");
    EXPECT_EQ(settings::normaliseSeparator("1.000.5", ','), "1,000,5");
    EXPECT_EQ(settings::normaliseSeparator("13,5", '\''), "13,5");

    const IniFile ini = iniOf("[Ground Settings]\nEPS=13,5\nSigma=7.5\n[Angles]\nElevation=22,5\n");
    settings::Loaded loaded = settings::load(ini, "/p", '.');
    EXPECT_EQ(textOf(loaded, "EPSField"), "13.5");
    EXPECT_EQ(textOf(loaded, "SigmaField"), "7.5");
    EXPECT_EQ(loaded.elevationBar, 22); // 22.5 rounds to even
    loaded = settings::load(ini, "/p", ',');
    EXPECT_EQ(textOf(loaded, "EPSField"), "13,5");
    EXPECT_EQ(textOf(loaded, "SigmaField"), "7,5");
    EXPECT_EQ(loaded.elevationBar, 22);
    // The standard ground is a text, not a number.
    EXPECT_EQ(textOf(settings::load(iniOf("[Ground Settings]\nStandard=Marshy land (Eps=12, Sigma=7.5)\n"), "/p", ','),
                     "GroundListComboBox"),
              "Marshy land (Eps=12, Sigma=7.5)");
}

TEST(SettingsFile, NumberTextsAreCutAndNotChecked)
{
    const settings::Loaded loaded = settings::load(
        iniOf("[Other Parameters]\nRIsolation=" + std::string(300, '7') + "\nEpsIsolation=abc\n"), "/p", '.');
    EXPECT_EQ(textOf(loaded, "RDField"), std::string(255, '7'));
    EXPECT_EQ(textOf(loaded, "EpsDielField"), "abc");
    EXPECT_TRUE(loaded.message.empty());
}

TEST(SettingsFile, AngleBarsFollowTheLoadedAngles)
{
    settings::Loaded loaded = settings::load(iniOf("[Angles]\nElevation=100\nAzimuth=370\n"), "/p", '.');
    EXPECT_EQ(textOf(loaded, "AngleElevField"), "100");
    EXPECT_EQ(loaded.elevationBar, 80);
    EXPECT_EQ(loaded.azimuthBar, 10);
    loaded = settings::load(iniOf("[Angles]\nElevation=-20\n"), "/p", '.');
    EXPECT_EQ(loaded.elevationBar, 200);
}

TEST(SettingsFile, FlagsOtherThanZeroOrOneKeepTheirBox)
{
    const settings::Loaded loaded = settings::load(
        iniOf("[Conversion Flags]\nDM2Seg=2\nEThWK=1\n[Other Flags]\nXShrink=-1\nReadAdmittance=1\n"), "/p", '.');
    EXPECT_EQ(flagsOf(loaded),
              "EKSwitchCheck=1 CDSVSCheck=0 ShowNEC2InputCheck=0 "
              "Y_Shrinking_CheckBox=1 Z_Shrinking_CheckBox=1 "
              "EditNEC2InputCheck=0 ReadADMCheck=1 ");
}

TEST(SettingsFile, FlagThatIsNoIntegerStopsLoadingThere)
{
    const settings::Loaded loaded =
        settings::load(iniOf("[Conversion Flags]\nEThWK=1\nCSDVS=yes\n[Angles]\nElevation=45\n"), "/p", '.');
    EXPECT_EQ(loaded.message, "'yes' is not a valid integer value");
    EXPECT_TRUE(loaded.flags.empty());
    EXPECT_FALSE(loaded.elevationBar.has_value());
    // The texts before the flags are loaded.
    EXPECT_EQ(textOf(loaded, "AngleElevField"), "45");
}

TEST(SettingsFile, AngleThatIsNoNumberStopsThePositioning)
{
    settings::Loaded loaded =
        settings::load(iniOf("[Angles]\nElevation=high\nAzimuth=10\n[Other Flags]\nXShrink=0\n"), "/p", '.');
    EXPECT_EQ(loaded.message, "'high' is not a valid floating point value");
    EXPECT_FALSE(loaded.elevationBar.has_value());
    EXPECT_FALSE(loaded.azimuthBar.has_value());
    EXPECT_TRUE(loaded.flags.empty());
    EXPECT_EQ(textOf(loaded, "AngleElevField"), "high");

    loaded = settings::load(iniOf("[Angles]\nElevation=30\nAzimuth=\n"), "/p", '.');
    EXPECT_EQ(loaded.message, "'' is not a valid floating point value");
    EXPECT_EQ(loaded.elevationBar, 30);
    EXPECT_FALSE(loaded.azimuthBar.has_value());
    EXPECT_TRUE(loaded.flags.empty());

    // Beyond the range of a double is no number either.
    loaded = settings::load(iniOf("[Angles]\nElevation=1e999\n"), "/p", '.');
    EXPECT_EQ(loaded.message, "'1e999' is not a valid floating point value");
}

class SettingsSave : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "settings-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }

    fs::path folder_;
};

TEST_F(SettingsSave, WritesEveryKeyInTableOrder)
{
    const fs::path path = folder_ / "VRN_NEC.ini";
    const std::map<std::string, std::string, std::less<>> values{{"GroundListComboBox", "Poor (Eps=13, Sigma=2)"},
                                                                 {"EPSField", "13,5"},
                                                                 {"SigmaField", "2"},
                                                                 {"ZSwrReNEC2Field", "75"},
                                                                 {"ZSwrImNEC2Field", "-5"},
                                                                 {"AngleElevField", "100"},
                                                                 {"AngleAzField", "370"},
                                                                 {"EKSwitchCheck", "1"},
                                                                 {"CDSVSCheck", "0"},
                                                                 {"DM2AllSegmentationCheck", "0"},
                                                                 {"ShowNEC2InputCheck", "1"},
                                                                 {"X_Shrinking_CheckBox", "0"},
                                                                 {"Y_Shrinking_CheckBox", "1"},
                                                                 {"Z_Shrinking_CheckBox", "0"},
                                                                 {"EditNEC2InputCheck", "1"},
                                                                 {"ReadADMCheck", "0"},
                                                                 {"RDField", "2.5"},
                                                                 {"EpsDielField", "4"}};
    EXPECT_EQ(settings::save(path.string(), "/home/u/ant", values), "");
    EXPECT_EQ(read(path),
              "[Directories]\nCurrentDir=/home/u/ant\n"
              "[Ground Settings]\nStandard=Poor (Eps=13, Sigma=2)\nEPS=13,5\nSigma=2\n"
              "[NEC2SwrZ]\nRe=75\nIm=-5\n"
              "[Angles]\nElevation=100\nAzimuth=370\n"
              "[Conversion Flags]\nEThWK=1\nCSDVS=0\nDM2Seg=0\nConvOnly=1\n"
              "[Other Flags]\nXShrink=0\nYShrink=1\nZShrink=0\nEnableTextEdit=1\nReadAdmittance=0\n"
              "[Other Parameters]\nRIsolation=2.5\nEpsIsolation=4\n");

    // What was written loads back unchanged (point locale: the comma text becomes a point).
    IniFile ini;
    ASSERT_TRUE(ini.load(path.string()));
    const settings::Loaded loaded = settings::load(ini, "/p", ',');
    EXPECT_EQ(loaded.currentDir, "/home/u/ant");
    EXPECT_EQ(textOf(loaded, "EPSField"), "13,5");
    EXPECT_EQ(textOf(loaded, "RDField"), "2,5");
    EXPECT_EQ(loaded.elevationBar, 80);
    EXPECT_EQ(loaded.azimuthBar, 10);
    EXPECT_EQ(flagsOf(loaded),
              "EKSwitchCheck=1 CDSVSCheck=0 DM2AllSegmentationCheck=0 ShowNEC2InputCheck=1 "
              "X_Shrinking_CheckBox=0 Y_Shrinking_CheckBox=1 Z_Shrinking_CheckBox=0 "
              "EditNEC2InputCheck=1 ReadADMCheck=0 ");
}

TEST_F(SettingsSave, KeepsForeignContentOfAnExistingFile)
{
    const fs::path path = folder_ / "VRN_NEC.ini";
    std::ofstream(path) << "; my notes\n[Angles]\nElevation=5\nComment=keep me\n[Window]\nLeft=10\n";
    EXPECT_EQ(settings::save(path.string(), "/d", {{"AngleElevField", "15"}}), "");
    const std::string written = read(path);
    EXPECT_EQ(written.rfind("; my notes\n[Angles]\nElevation=15\nComment=keep me\nAzimuth=0\n[Window]\nLeft=10\n", 0),
              0u)
        << written;
    EXPECT_NE(written.find("[Directories]\nCurrentDir=/d\n"), std::string::npos);
}

TEST_F(SettingsSave, UnwritableFileGivesTheMessage)
{
    const fs::path path = folder_ / "gone" / "VRN_NEC.ini";
    EXPECT_EQ(settings::save(path.string(), "/d", {}), "Unable to write to " + path.string());
    const std::string longPath = "/" + std::string(300, 'a') + "/VRN_NEC.ini";
    const std::string message = settings::save(longPath, "/d", {});
    EXPECT_EQ(message.size(), 255u);
    EXPECT_EQ(message.rfind("Unable to write to /aaa", 0), 0u);
}

} // namespace
