// The full reader of antenna description files.
#include "TestFiles.h"

#include "converter/AntennaFile.h"

#include <gtest/gtest.h>

using namespace vrnnec;

using namespace vrn;
using testfiles::TempDir;
using testfiles::VrnText;

namespace {

struct Read {
    AntennaModel model;
    AntennaFileReading reading;
    std::string path;
};

Read readText(const TempDir& dir, const std::string& text, std::optional<double> frequency = std::nullopt)
{
    Read r;
    r.path = dir.write("a.vrn", text);
    r.reading = ReadAntennaFile(r.path, r.model, frequency);
    return r;
}

std::string errorOf(const TempDir& dir, const VrnText& vrn)
{
    return readText(dir, vrn.text()).reading.error;
}

} // namespace

TEST(AntennaFile, ReadsEverySection)
{
    TempDir dir;
    VrnText vrn;
    vrn.frequency = "7.1";
    vrn.wires = {"0,\t0,\t0,\t0,\t0,\t3,\t0.0015,\t-1", "1.5,\t-2,\t3,\t0,\t0,\t6.25,\t0.002,\t7"};
    vrn.sources = {"w1b,\t45,\t2", "W2E,\t-90,\t0.5"};
    vrn.loadCount = "2,\t1";
    vrn.loads = {"w2c,\t0,\t18.5,\t10,\t200", "w1e,\t1,\t12.5,\t-35"};
    vrn.segmentation = "300,\t30,\t2,\t1";
    vrn.ground = "2,\t12.5,\t3,\t75,\t0,\t0,\t-10";
    const Read r = readText(dir, vrn.text());
    ASSERT_EQ(r.reading.error, "");
    const AntennaModel& m = r.model;
    EXPECT_DOUBLE_EQ(m.frequency, 7.1);
    EXPECT_DOUBLE_EQ(m.fileFrequency, 7.1);
    ASSERT_EQ(m.wires.size(), 2u);
    EXPECT_FALSE(m.stackPresent);
    const WireRecord& w = m.wires[1];
    EXPECT_EQ(std::vector<double>({w.x1, w.y1, w.z1, w.x2, w.y2, w.z2, w.radius}),
              std::vector<double>({1.5, -2, 3, 0, 0, 6.25, 0.002}));
    EXPECT_EQ(w.segmentation, 7);
    ASSERT_EQ(m.sources.size(), 2u);
    EXPECT_EQ(m.sources[0].wire, 1);
    EXPECT_EQ(m.sources[0].position, WirePosition::Begin);
    EXPECT_DOUBLE_EQ(m.sources[0].phaseDeg, 45);
    EXPECT_DOUBLE_EQ(m.sources[0].amplitude, 2);
    EXPECT_EQ(m.sources[1].wire, 2);
    EXPECT_EQ(m.sources[1].position, WirePosition::End);
    EXPECT_EQ(m.loadCount, 2);
    EXPECT_EQ(m.loadSwitch, 1);
    ASSERT_EQ(m.loads.size(), 2u);
    EXPECT_EQ(m.loads[0].type, LoadType::ParallelLcq);
    EXPECT_EQ(m.loads[0].position, WirePosition::Centre);
    EXPECT_EQ(std::vector<double>({m.loads[0].inductance, m.loads[0].capacitance, m.loads[0].quality}),
              std::vector<double>({18.5, 10, 200}));
    EXPECT_EQ(m.loads[1].type, LoadType::Impedance);
    EXPECT_EQ(m.loads[1].wire, 1);
    EXPECT_DOUBLE_EQ(m.loads[1].resistance, 12.5);
    EXPECT_DOUBLE_EQ(m.loads[1].reactance, -35);
    EXPECT_EQ(m.densityDm1, 300);
    EXPECT_EQ(m.densityDm2, 30);
    EXPECT_EQ(m.groundType, antenna::GroundType::RealGround);
    EXPECT_DOUBLE_EQ(m.height, 12.5);
    EXPECT_EQ(m.material, antenna::WireMaterial::Lossy3);
}

TEST(AntennaFile, WireCountLineAndStack)
{
    TempDir dir;
    VrnText vrn;
    vrn.wires.assign(4, "0,\t-5,\t1,\t0,\t5,\t1,\t0.001,\t-1");

    vrn.wireCount = "4";
    Read r = readText(dir, vrn.text());
    ASSERT_EQ(r.reading.error, "");
    EXPECT_EQ(r.model.wires.size(), 4u);
    EXPECT_FALSE(r.model.stackPresent);

    vrn.wireCount = "4,\t2,\t1,\t3.5,\t0,\t0";
    r = readText(dir, vrn.text());
    ASSERT_EQ(r.reading.error, "");
    EXPECT_TRUE(r.model.stackPresent);
    EXPECT_EQ(r.model.stack.countY, 2);
    EXPECT_EQ(r.model.stack.countZ, 1);
    EXPECT_DOUBLE_EQ(r.model.stack.spacingY, 3.5);
    EXPECT_EQ(r.model.wires.size(), 4u);

    // Stack counts and mode are rounded, ties to even.
    vrn.wireCount = "4,\t2.5,\t3.5,\t1,\t2,\t1.5";
    r = readText(dir, vrn.text());
    ASSERT_EQ(r.reading.error, "");
    EXPECT_EQ(r.model.stack.countY, 2);
    EXPECT_EQ(r.model.stack.countZ, 4);
    EXPECT_EQ(r.model.stack.mode, 2);

    const std::string stackError = "Incorrect stack data. File:  " + r.path + "!";
    for (const char* line : {"4,\t1,\t1,\t1,\t1,\t0", "4,\t-1,\t-2,\t1,\t1,\t0", "4,\t0,\t5,\t1,\t1,\t0",
                             "4,\t0.5,\t1,\t1,\t1,\t0", "4,\t100000,\t100000,\t1,\t1,\t0"}) {
        vrn.wireCount = line;
        EXPECT_EQ(errorOf(dir, vrn), stackError) << line;
    }
}

TEST(AntennaFile, PositionTokens)
{
    const std::string tokenError = "token error";
    long long wire = 0;
    WirePosition position = WirePosition::Begin;
    EXPECT_EQ(DecodePositionToken("w12c", 12, tokenError, wire, position), "");
    EXPECT_EQ(wire, 12);
    EXPECT_EQ(position, WirePosition::Centre);
    EXPECT_EQ(DecodePositionToken("W3e", 4, tokenError, wire, position), "");
    EXPECT_EQ(wire, 3);
    EXPECT_EQ(position, WirePosition::End);
    EXPECT_EQ(DecodePositionToken("w1B", 4, tokenError, wire, position), "");
    EXPECT_EQ(position, WirePosition::Begin);

    EXPECT_EQ(DecodePositionToken("x3e", 4, tokenError, wire, position), tokenError);
    EXPECT_EQ(DecodePositionToken("", 4, tokenError, wire, position), tokenError);
    // No existing wire: refused instead of reading outside the wire table.
    EXPECT_EQ(DecodePositionToken("w0c", 4, tokenError, wire, position), tokenError);
    EXPECT_EQ(DecodePositionToken("w5c", 4, tokenError, wire, position), tokenError);
    EXPECT_EQ(DecodePositionToken("w-1c", 4, tokenError, wire, position), tokenError);
    // The wire number is the text between the first character and the letter.
    EXPECT_EQ(DecodePositionToken("w1", 4, tokenError, wire, position), "'' is not a valid integer value");
    EXPECT_EQ(DecodePositionToken("wxc", 4, tokenError, wire, position), "'x' is not a valid integer value");
    EXPECT_EQ(DecodePositionToken("w1bc", 4, tokenError, wire, position), "'1bc' is not a valid integer value");
}

TEST(AntennaFile, SourceAndLoadTokenMessages)
{
    TempDir dir;
    VrnText vrn;
    const std::string path = dir.file("a.vrn");
    vrn.sources = {"x1c,\t0,\t1"};
    EXPECT_EQ(errorOf(dir, vrn), "Error in file format:  " + path + " in source lines! ");
    vrn.sources = {"w2c,\t0,\t1"};
    EXPECT_EQ(errorOf(dir, vrn), "Error in file format:  " + path + " in source lines! ");
    vrn.sources = {"w1c,\t0,\t1"};
    vrn.loadCount = "1,\t1";
    vrn.loads = {"q1c,\t1,\t1,\t1"};
    EXPECT_EQ(errorOf(dir, vrn), "Error in file format:  " + path + " in loads lines! ");
    vrn.loads = {"w9c,\t1,\t1,\t1"};
    EXPECT_EQ(errorOf(dir, vrn), "Error in file format:  " + path + " in loads lines! ");
    vrn.loads = {"wAc,\t1,\t1,\t1"};
    EXPECT_EQ(errorOf(dir, vrn), "'A' is not a valid integer value");
    // All source lines are read before the tokens are decoded.
    vrn.loads.clear();
    vrn.loadCount = "0,\t1";
    vrn.sources = {"x1c,\t0,\t1", "w1c,\tabc,\t1"};
    EXPECT_EQ(errorOf(dir, vrn), "'abc' is not a valid floating point value");
}

TEST(AntennaFile, LoadTable)
{
    TempDir dir;
    VrnText vrn;
    const std::string path = dir.file("a.vrn");
    // Switch 0: the lines are consumed without being parsed.
    vrn.loadCount = "2,\t0";
    vrn.loads = {"garbage", "x9z,\t7"};
    Read r = readText(dir, vrn.text());
    ASSERT_EQ(r.reading.error, "");
    EXPECT_EQ(r.model.loadCount, 2);
    EXPECT_EQ(r.model.loadSwitch, 0);
    EXPECT_TRUE(r.model.loads.empty());
    EXPECT_EQ(r.model.groundType, antenna::GroundType::FreeSpace);

    // A second line of type 2 fails even when the first is valid.
    vrn.loadCount = "2,\t1";
    vrn.loads = {"w1c,\t1,\t10,\t0", "w1c,\t2,\t1,\t1,\t1"};
    EXPECT_EQ(errorOf(dir, vrn), "Loads error or S-parameters load present. File: " + path + " !");
    // The load type is truncated: 1.9 is type 1.
    vrn.loads = {"w1c,\t1.9,\t10,\t5"};
    vrn.loadCount = "1.7,\t1.2";
    r = readText(dir, vrn.text());
    ASSERT_EQ(r.reading.error, "");
    ASSERT_EQ(r.model.loads.size(), 1u);
    EXPECT_EQ(r.model.loads[0].type, LoadType::Impedance);
    EXPECT_EQ(r.model.loadCount, 1);
    // A huge count of unused loads in a file that ends reads as empty lines: format error.
    vrn.loadCount = "2000000000,\t0";
    vrn.loads.clear();
    EXPECT_EQ(errorOf(dir, vrn), "Error in file format:  " + path + "!");
}

TEST(AntennaFile, RadiusChecksAfterTheWholeTable)
{
    TempDir dir;
    VrnText vrn;
    const std::string path = dir.file("a.vrn");
    const std::string tapered =
        "VORNA file contains tapered wires (combined radii wires) or wires with very small radius. File:  " + path
        + "!";
    for (const char* radius : {"1e-25", "0", "-0.001", "1e-20"}) {
        vrn.wires = {std::string("0,\t-5,\t0,\t0,\t5,\t0,\t") + radius + ",\t-1"};
        EXPECT_EQ(errorOf(dir, vrn), tapered) << radius;
    }
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t1.1e-20,\t-1"};
    EXPECT_EQ(errorOf(dir, vrn), "");
    // The check runs after all wire lines are read.
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0,\t-1", "0,\t-5,\t0,\t0,\t5,\tz,\t0.001,\t-1"};
    EXPECT_EQ(errorOf(dir, vrn), "'z' is not a valid floating point value");
}

TEST(AntennaFile, MarkersAndTruncatedFiles)
{
    TempDir dir;
    VrnText vrn;
    const std::string path = dir.file("a.vrn");
    const std::string formatError = "Error in file format:  " + path + "!";
    vrn.titleLines = {"Title", "Second title"};
    EXPECT_EQ(errorOf(dir, vrn), formatError);

    // Cut the file after every line: each cut ends in a format or conversion message.
    const std::string full = VrnText().text();
    std::size_t pos = 0;
    int cuts = 0;
    while ((pos = full.find("\r\n", pos)) != std::string::npos) {
        pos += 2;
        if (pos == full.size())
            break;
        const std::string error = readText(dir, full.substr(0, pos)).reading.error;
        EXPECT_TRUE(error == formatError || error == "'' is not a valid floating point value") << pos << error;
        ++cuts;
    }
    EXPECT_EQ(cuts, 14);
    EXPECT_EQ(readText(dir, full).reading.error, "");
    EXPECT_EQ(readText(dir, "").reading.error, formatError);
}

TEST(AntennaFile, NumberFields)
{
    TempDir dir;
    VrnText vrn;
    const std::string path = dir.file("a.vrn");
    vrn.frequency = "  14.5  ";
    EXPECT_DOUBLE_EQ(readText(dir, vrn.text()).model.frequency, 14.5);
    // A comma ends the field: 0,5 reads 0.
    vrn.frequency = "0,5";
    EXPECT_EQ(errorOf(dir, vrn), "Frequency parameter invalid (<=0). Calculations impossible. File:  " + path + "!");
    vrn.frequency = "14MHz";
    EXPECT_EQ(errorOf(dir, vrn), "'14MHz' is not a valid floating point value");
    vrn.frequency = "1e999";
    EXPECT_EQ(errorOf(dir, vrn), "'1e999' is not a valid floating point value");
    vrn.frequency = "14";
    // Integer fields are truncated toward zero.
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t-1.9", "0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t3.9"};
    vrn.segmentation = "400.9,\t40.7,\t2,\t1";
    vrn.ground = "2.9,\t10,\t6.5,\t50,\t0,\t0,\t0";
    Read r = readText(dir, vrn.text());
    ASSERT_EQ(r.reading.error, "");
    EXPECT_EQ(r.model.wires[0].segmentation, -1);
    EXPECT_EQ(r.model.wires[1].segmentation, 3);
    EXPECT_EQ(r.model.densityDm1, 400);
    EXPECT_EQ(r.model.densityDm2, 40);
    EXPECT_EQ(r.model.groundType, antenna::GroundType::RealGround);
    EXPECT_EQ(r.model.material, antenna::WireMaterial::Lossy6);
    // A line that ends before its last field.
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0.001"};
    EXPECT_EQ(errorOf(dir, vrn), "'' is not a valid floating point value");
}

TEST(AntennaFile, LineEndsAndLongLines)
{
    TempDir dir;
    VrnText vrn;
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t3"};
    vrn.lineEnd = "\n";
    const Read lf = readText(dir, vrn.text());
    vrn.lineEnd = "\r\n";
    const Read crlf = readText(dir, vrn.text());
    ASSERT_EQ(lf.reading.error, "");
    ASSERT_EQ(crlf.reading.error, "");
    EXPECT_EQ(lf.model.wires[0].segmentation, 3);
    EXPECT_EQ(crlf.model.wires[0].segmentation, 3);
    EXPECT_EQ(lf.model.sources[0].wire, crlf.model.sources[0].wire);

    // Characters after the 255th are lost: the code -12 is cut to -1.
    std::string line = "0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t";
    line += std::string(253 - line.size(), ' ') + "-12";
    ASSERT_EQ(line.size(), 256u);
    vrn.wires = {line};
    const Read cut = readText(dir, vrn.text());
    ASSERT_EQ(cut.reading.error, "");
    EXPECT_EQ(cut.model.wires[0].segmentation, -1);
}

TEST(AntennaFile, FrequencyOverrideAndOpenErrors)
{
    TempDir dir;
    VrnText vrn;
    vrn.frequency = "0";
    Read r = readText(dir, vrn.text(), 21.2);
    EXPECT_EQ(r.reading.error, "");
    EXPECT_TRUE(r.reading.frequencyRead);
    EXPECT_DOUBLE_EQ(r.model.frequency, 21.2);
    EXPECT_DOUBLE_EQ(r.model.fileFrequency, 0);

    vrn.frequency = "14";
    // The frequency check comes before the rest of the file is read.
    const std::string text = vrn.text();
    r = readText(dir, text.substr(0, text.find("14\r\n") + 4), -1.0);
    EXPECT_EQ(r.reading.error, "Frequency parameter invalid (<=0). Calculations impossible. File:  " + r.path + "!");
    EXPECT_TRUE(r.reading.frequencyRead);
    EXPECT_DOUBLE_EQ(r.model.fileFrequency, 14);

    AntennaModel model;
    const std::string missing = dir.file("missing.vrn");
    EXPECT_EQ(ReadAntennaFile(missing, model).error, "Error opening VORNA file  " + missing + "!");
    EXPECT_EQ(ReadAntennaFile(dir.path().string(), model).error,
              "Error opening VORNA file  " + dir.path().string() + "!");
}

TEST(AntennaFile, LongNamesAreShortenedInMessages)
{
    TempDir dir;
    const std::string longName = dir.file(std::string(240, 'n') + ".vrn");
    AntennaModel model;
    const std::string error = ReadAntennaFile(longName, model).error;
    ASSERT_EQ(error.size(), 255u);
    EXPECT_EQ(error.substr(0, 26), "Error opening VORNA file  ");
    EXPECT_EQ(error.back(), '!');
    EXPECT_EQ(error.substr(26, 254 - 26), longName.substr(0, 254 - 26));
}
