// vrn2nec: its command line, its conversion step and the program itself with the engine.
#include "TestFiles.h"
#include "Vrn2NecConversion.h"
#include "Vrn2NecOptions.h"
#include "engine/Conversion.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

using namespace vrnnec;

using testfiles::cardsStartingWith;
using testfiles::readFile;
using testfiles::TempDir;
using testfiles::VrnText;
using namespace vrn2nec;

namespace {

ParsedCommandLine parse(std::vector<std::string> args)
{
    return ParseOptions(args);
}

std::string sample(const std::string& name)
{
    return std::string(TEST_DATA_DIR) + "/vrn/" + name;
}

// Runs a shell command in `dir`; returns the exit code.
int runIn(const TempDir& dir, const std::string& command)
{
    const int status = std::system(("cd '" + dir.path().string() + "' && " + command).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The names in a folder, sorted.
std::vector<std::string> entriesOf(const TempDir& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

unsigned permissionsOf(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

const std::vector<std::string> kSamples = {
    "dipole_14mhz_free_space.vrn",         "dipole_21mhz_75ohm_reference.vrn",
    "inverted_v_7mhz_12m_real_ground.vrn", "quad2_14mhz_two_radii.vrn",
    "short_vertical_loaded_lc_and_rx.vrn", "vertical_quarter_wave_4_radials_perfect_ground.vrn",
    "yagi3_14mhz_copper_real_ground.vrn",  "yagi3_21mhz_stacked_2_high.vrn",
};

} // namespace

TEST(Vrn2NecOptions, DefaultsAndFlags)
{
    ParsedCommandLine p = parse({"dir.v1/ant.vrn"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.input, "dir.v1/ant.vrn");
    EXPECT_EQ(p.options.deck, "dir.v1/ant.nec");
    const conversion::ConversionOptions& d = p.options.conversion;
    EXPECT_TRUE(d.useDM2);
    EXPECT_FALSE(d.useCSDVS || d.useEK || d.perfectGround);
    EXPECT_EQ(d.thetaDeg, 70); // elevation 20
    EXPECT_EQ(d.azimuthDeg, 0);
    EXPECT_FALSE(d.changeFrequency || d.changeHeight || p.options.coat || p.options.shrink);
    EXPECT_EQ(d.groundEps, 13);
    EXPECT_EQ(d.groundSigma, 0.005);
    EXPECT_EQ(d.coat.shrinkFactor, 1);
    EXPECT_FALSE(d.coat.wireRadius != 0 || d.coat.shrinkX || d.coat.shrinkY || d.coat.shrinkZ);

    p = parse({"--dm1",    "--csdvs",
               "--ek",     "--elevation",
               "35.5",     "--azimuth",
               "-90",      "--freq",
               "7.1",      "--height",
               "12",       "--ground-eps",
               "5",        "--ground-sigma",
               "0.001",    "--perfect-ground",
               "--coat",   "1",
               "2.5",      "3",
               "--shrink", "2.5:xz",
               "in",       "out.deck"});
    ASSERT_EQ(p.error, "");
    const Options& o = p.options;
    const conversion::ConversionOptions& c = o.conversion;
    EXPECT_FALSE(c.useDM2);
    EXPECT_TRUE(c.useCSDVS && c.useEK && c.perfectGround);
    EXPECT_EQ(c.thetaDeg, 54.5);
    EXPECT_EQ(c.azimuthDeg, -90);
    EXPECT_TRUE(c.changeFrequency && c.changeHeight);
    EXPECT_EQ(c.frequencyMHz, 7.1);
    EXPECT_EQ(c.heightM, 12);
    EXPECT_EQ(c.groundEps, 5);
    EXPECT_EQ(c.groundSigma, 0.001);
    ASSERT_TRUE(o.coat);
    EXPECT_EQ(o.coat->coatRadiusMm, 2.5);
    ASSERT_TRUE(o.shrink);
    EXPECT_EQ(o.shrink->percent, 2.5);
    EXPECT_TRUE(o.shrink->x && !o.shrink->y && o.shrink->z);
    EXPECT_EQ(o.input, "in");
    EXPECT_EQ(o.deck, "out.deck");
    EXPECT_EQ(DefaultDeckPath("plain"), "plain.nec");
    EXPECT_TRUE(parse({"--help"}).help);
}

TEST(Vrn2NecOptions, Mistakes)
{
    EXPECT_EQ(parse({}).error, "No antenna file given.");
    EXPECT_EQ(parse({"a", "b", "c"}).error, "Too many file names: give INPUT.vrn and at most one DECK.");
    EXPECT_EQ(parse({"--frq", "1", "a"}).error, "Unknown option --frq.");
    EXPECT_EQ(parse({"a", "--freq"}).error, "Option --freq needs a value.");
    EXPECT_EQ(parse({"--freq", "14,1", "a"}).error, "'14,1' is not a valid floating point value (option --freq).");
    EXPECT_EQ(parse({"--coat", "1", "2", "a"}).error, "'a' is not a valid floating point value (option --coat).");
    EXPECT_EQ(parse({"--shrink", "2:w", "a"}).error, "Option --shrink takes the axes as letters x, y and z, not 'w'.");
    EXPECT_EQ(parse({"--shrink", "2:", "a"}).error, "Option --shrink needs at least one axis after the colon.");
    EXPECT_EQ(parse({"--shrink", "x", "a"}).error, "'x' is not a valid floating point value (option --shrink).");
    // Options that would otherwise be dropped without a word.
    EXPECT_EQ(parse({"--run", "a.vrn", "a.nec"}).error,
              "With --run no DECK is written: give only INPUT.vrn (--keep DIR keeps the deck).");
    EXPECT_EQ(parse({"--run", "--polarization", "vh", "a.vrn"}).error, "Option --polarization goes with --diagrams.");
    EXPECT_EQ(parse({"--diagrams", "d", "a.vrn"}).error, "Options --keep, --diagrams and --currents go with --run.");
    EXPECT_EQ(parse({"--polarization", "v", "--diagrams", "d", "--run", "a.vrn"}).error, "");
    EXPECT_EQ(parse({"a.vrn", "a.nec"}).error, "");
}

TEST(Vrn2NecConversion, ReportsAndMessages)
{
    TempDir dir;
    Options o = parse({sample("yagi3_14mhz_copper_real_ground.vrn"), dir.file("y.nec")}).options;
    o.conversion.azimuthDeg = -90;
    std::ostringstream out, err;
    ConversionReport report;
    ASSERT_EQ(ConvertAntenna(o, out, err, report), 0) << err.str();
    EXPECT_EQ(out.str(),
              "Deck: " + dir.file("y.nec")
                  + "\nFrequency: 14.15 MHz\nHeight: 15 m\nAzimuth: 270 deg\nSommerfeld GN card: yes\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(report.thetaDeg, 70);

    // Coat: wires of 2 mm coated to 3 mm; the default shrink of 0 % keeps five decimals.
    o.coat = CoatRequest{2, 3, 3};
    ASSERT_EQ(ConvertAntenna(o, out, err, report), 0) << err.str();
    const std::string deck = readFile(dir.file("y.nec"));
    EXPECT_EQ(cardsStartingWith(deck, "GW 1")[0], "GW 1 21 -2.6 -5.3 0 -2.6 5.3 0 0.003");
    EXPECT_EQ(cardsStartingWith(deck, "LD 2").size(), 3u);

    std::ostringstream err2;
    o.coat = CoatRequest{2, 1, 3};
    EXPECT_EQ(ConvertAntenna(o, out, err2, report), 1);
    EXPECT_EQ(err2.str(), "Radius of coated wire must be not lower than uncoated one.\n");
    std::ostringstream err3;
    o.coat = CoatRequest{1, 2, 1.1};
    EXPECT_EQ(ConvertAntenna(o, out, err3, report), 1);
    EXPECT_EQ(err3.str(), "Dielectric constant of wire coats must be greater.\n");

    // The library's text goes to the error stream.
    std::ostringstream err4;
    o.coat.reset();
    o.conversion.thetaDeg = 90 - 95;
    EXPECT_EQ(ConvertAntenna(o, out, err4, report), 1);
    EXPECT_EQ(err4.str(), "Error in elevation angle value.\n");

    // Paths the library cannot take are refused before the call.
    std::ostringstream err5;
    o.conversion.thetaDeg = 70;
    o.deck = dir.file(std::string(256, 'd'));
    EXPECT_EQ(ConvertAntenna(o, out, err5, report), 1);
    EXPECT_TRUE(err5.str().starts_with("Path longer than 255 bytes (")) << err5.str();
}

TEST(Vrn2NecProgram, EverySampleRunsThroughTheEngine)
{
    const std::string engine = NEC2C_PROGRAM;
    ASSERT_FALSE(engine.empty() || engine.ends_with("NOTFOUND")) << "nec2c is not installed";
    for (const std::string& name : kSamples) {
        SCOPED_TRACE(name);
        TempDir dir;
        std::filesystem::copy_file(sample(name), dir.file("in.vrn"));
        ASSERT_EQ(runIn(dir, std::string("'") + VRN2NEC_PROGRAM + "' in.vrn > report.txt"), 0);
        EXPECT_TRUE(readFile(dir.file("report.txt")).starts_with("Deck: in.nec\n"));
        ASSERT_TRUE(std::filesystem::exists(dir.file("in.nec")));
        ASSERT_EQ(runIn(dir, "'" + engine + "' -i in.nec -o out.txt > engine.txt 2>&1"), 0)
            << readFile(dir.file("engine.txt"));
        EXPECT_NE(readFile(dir.file("out.txt")).find("ANTENNA INPUT PARAMETERS"), std::string::npos);
    }
}

TEST(Vrn2NecProgram, ExitCodes)
{
    TempDir dir;
    const std::string program = std::string("'") + VRN2NEC_PROGRAM + "'";
    EXPECT_EQ(runIn(dir, program + " --help > out.txt"), 0);
    EXPECT_TRUE(readFile(dir.file("out.txt")).starts_with("Usage: vrn2nec"));
    EXPECT_EQ(runIn(dir, program + " missing.vrn 2> err.txt"), 1);
    EXPECT_EQ(readFile(dir.file("err.txt")), "Error opening VORNA file  missing.vrn!\n");
    EXPECT_EQ(runIn(dir, program + " --bogus x.vrn 2> err.txt"), 2);
    EXPECT_TRUE(readFile(dir.file("err.txt")).starts_with("Unknown option --bogus."));
    const std::string longName(300, 'v');
    EXPECT_EQ(runIn(dir, program + " " + longName + " 2> err.txt"), 1);
    EXPECT_TRUE(readFile(dir.file("err.txt")).starts_with("Path longer than 255 bytes (300)"));
}

TEST(Vrn2NecConversion, FailuresLeaveAnExistingDeckAsItWas)
{
    TempDir dir;
    const std::string input = dir.file("in.vrn");
    const std::string deck = dir.file("deck.nec");
    std::filesystem::copy_file(sample("yagi3_14mhz_copper_real_ground.vrn"), input);
    const std::string oldDeck = "old deck\r\nEN";
    struct Case {
        std::vector<std::string> options;
        std::string message;
    };
    const Case cases[] = {
        // Fails while the cards are written, after most of them.
        {{"--elevation", "200"}, "Error in elevation angle value."},
        {{"--ground-eps", "0.5"}, "Relative dielectric constant of the ground must not be lower than 1."},
        {{"--ground-sigma", "-0.001"}, "Conductivity of the ground must not be negative."},
        {{"--shrink", "120:z"}, "Making wires shorter on 100 % or more leaves no wire."},
        {{"--coat", "1", "2", "3"}, "No wire of radius 1 mm to coat in " + input + "."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        dir.write("deck.nec", oldDeck);
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {input, deck});
        std::ostringstream out, err;
        ConversionReport report;
        EXPECT_EQ(ConvertAntenna(parse(args).options, out, err, report), 1);
        EXPECT_EQ(err.str(), c.message + "\n");
        EXPECT_EQ(readFile(deck), oldDeck);
        EXPECT_EQ(entriesOf(dir), (std::vector<std::string>{"deck.nec", "in.vrn"})) << "a file was left behind";
    }
}

TEST(Vrn2NecConversion, SuccessReplacesTheDeckAndKeepsItsPermissions)
{
    TempDir dir;
    const std::string deck = dir.write("deck.nec", "old deck");
    ASSERT_EQ(::chmod(deck.c_str(), 0640), 0);
    Options o = parse({sample("dipole_14mhz_free_space.vrn"), deck}).options;
    std::ostringstream out, err;
    ConversionReport report;
    ASSERT_EQ(ConvertAntenna(o, out, err, report), 0) << err.str();
    EXPECT_TRUE(readFile(deck).starts_with("CE\r\nGW 1 ")) << readFile(deck);
    EXPECT_EQ(permissionsOf(deck), 0640u);
    // A new deck gets the permissions of any new file.
    o.deck = dir.file("new.nec");
    ASSERT_EQ(ConvertAntenna(o, out, err, report), 0) << err.str();
    const std::string plain = dir.write("plain.txt", "");
    EXPECT_EQ(permissionsOf(o.deck), permissionsOf(plain));
    // A deck that is a link: the file it names gets the deck, as writing through it would.
    std::filesystem::create_symlink("deck.nec", dir.file("link.nec"));
    o.deck = dir.file("link.nec");
    o.conversion.azimuthDeg = 90;
    ASSERT_EQ(ConvertAntenna(o, out, err, report), 0) << err.str();
    EXPECT_TRUE(std::filesystem::is_symlink(o.deck));
    EXPECT_EQ(cardsStartingWith(readFile(deck), "RP")[1], "RP 0 181 1 1000 90 90 -1 0");
    EXPECT_EQ(entriesOf(dir), (std::vector<std::string>{"deck.nec", "link.nec", "new.nec", "plain.txt"}));
    // The file beside a deck of the longest path the library takes still fits it.
    const std::string folder = dir.path().string() + "/";
    ASSERT_LT(folder.size(), engine::kMaxPathBytes - 100);
    o.deck = folder + std::string(engine::kMaxPathBytes - folder.size(), 'd');
    ASSERT_EQ(ConvertAntenna(o, out, err, report), 0) << err.str();
    EXPECT_TRUE(readFile(o.deck).starts_with("CE\r\n"));
    EXPECT_EQ(entriesOf(dir).size(), 5u);
}

TEST(Vrn2NecConversion, CoatNeedsAWireOfThatRadius)
{
    TempDir dir;
    VrnText vrn;
    vrn.wires = {"0,\t-5,\t1,\t0,\t5,\t1,\t0.0008,\t-1", "0,\t-5,\t2,\t0,\t5,\t2,\t0.0015,\t-1"};
    const std::string input = dir.write("two.vrn", vrn.text());
    const std::string deck = dir.file("two.nec");
    struct Case {
        std::string radiusMm;
        bool coated;
    };
    const Case cases[] = {{"0.8", true}, {"1.5", true}, {"0.81", false}, {"1", false}, {"0.0008", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radiusMm);
        std::filesystem::remove(deck);
        Options o = parse({"--coat", c.radiusMm, "3", "3", input, deck}).options;
        std::ostringstream out, err;
        ConversionReport report;
        if (c.coated) {
            ASSERT_EQ(ConvertAntenna(o, out, err, report), 0) << err.str();
            EXPECT_EQ(cardsStartingWith(readFile(deck), "LD 2").size(), 1u);
        } else {
            EXPECT_EQ(ConvertAntenna(o, out, err, report), 1);
            EXPECT_EQ(err.str(), "No wire of radius " + c.radiusMm + " mm to coat in " + input + ".\n");
            EXPECT_FALSE(std::filesystem::exists(deck));
        }
    }
}

TEST(Vrn2NecProgram, RefusesToOverwriteTheAntennaFile)
{
    const std::string program = std::string("'") + VRN2NEC_PROGRAM + "'";
    const std::string original = readFile(sample("dipole_14mhz_free_space.vrn"));
    struct Case {
        std::string setup;
        std::string files;
    };
    const Case cases[] = {
        {"true", "ant.nec"}, // the default deck is the input itself
        {"true", "ant.nec ant.nec"},
        {"mkdir sub", "ant.nec sub/../ant.nec"},
        {"ln ant.nec hard.nec", "ant.nec hard.nec"},
        {"ln -s ant.nec soft.nec", "ant.nec soft.nec"},
        {"ln -s ant.nec soft.vrn", "soft.vrn ant.nec"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.files);
        TempDir dir;
        dir.write("ant.nec", original);
        ASSERT_EQ(runIn(dir, c.setup), 0);
        EXPECT_EQ(runIn(dir, program + " " + c.files + " 2> err.txt"), 1);
        const auto space = c.files.find(' ');
        const std::string input = c.files.substr(0, space);
        const std::string deck = space == std::string::npos ? input : c.files.substr(space + 1);
        EXPECT_EQ(readFile(dir.file("err.txt")), "The deck " + deck + " is the antenna file"
                                                     + (deck == input ? "" : " " + input)
                                                     + " being read; nothing was written.\n");
        EXPECT_EQ(readFile(dir.file("ant.nec")), original);
    }
}

// "vrn2nec *.vrn" names the second antenna file as the deck: such a deck is refused.
TEST(Vrn2NecProgram, NeverWritesADeckNamedLikeAnAntennaFile)
{
    const std::string program = std::string("'") + VRN2NEC_PROGRAM + "'";
    const std::string original = readFile(sample("dipole_14mhz_free_space.vrn"));
    const struct {
        std::string files, deck; // deck: the one named in the refusal; empty: the conversion runs
    } cases[] = {
        {"a.vrn b.vrn", "b.vrn"},
        {"a.vrn new.Vrn", "new.Vrn"},
        {"a.vrn sub/../b.vrn", "sub/../b.vrn"},
        {"a.vrn b.vrn.nec", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files);
        TempDir dir;
        dir.write("a.vrn", original);
        dir.write("b.vrn", original);
        ASSERT_EQ(runIn(dir, "mkdir sub"), 0);
        const int code = runIn(dir, program + " " + c.files + " > out.txt 2> err.txt");
        EXPECT_EQ(code, c.deck.empty() ? 0 : 1) << readFile(dir.file("err.txt"));
        if (!c.deck.empty()) {
            EXPECT_EQ(readFile(dir.file("err.txt")),
                      "The deck " + c.deck
                          + " is named like an antenna file (.vrn); give the deck another name. Nothing was written.\n");
            EXPECT_FALSE(std::filesystem::exists(dir.file("new.Vrn")));
        }
        for (const char* name : {"a.vrn", "b.vrn"})
            EXPECT_EQ(readFile(dir.file(name)), original) << name;
    }
}
