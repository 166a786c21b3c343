// The program's preview reader of antenna description files.
#include "TestFiles.h"

#include "engine/AntennaPreview.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vrnnec;

using testfiles::TempDir;
using testfiles::VrnText;

namespace {

AntennaPreviewReading previewOf(const TempDir& dir, const std::string& text)
{
    return ReadAntennaPreview(dir.write("p.vrn", text));
}

} // namespace

TEST(AntennaPreview, ReadsFrequencyRadiiAndGround)
{
    const AntennaPreviewReading quad =
        ReadAntennaPreview(std::string(TEST_DATA_DIR) + "/vrn/quad2_14mhz_two_radii.vrn");
    ASSERT_TRUE(quad.ok()) << quad.message;
    EXPECT_EQ(quad.preview.frequency, 14.2);
    EXPECT_EQ(quad.preview.radiiMm, (std::vector<double>{1, 1, 1, 1, 1.5, 1.5, 1.5, 1.5}));
    EXPECT_EQ(DistinctRadiiMm(quad.preview), (std::vector<double>{1, 1.5}));
    EXPECT_EQ(quad.preview.groundType, antenna::GroundType::RealGround);
    EXPECT_EQ(quad.preview.height, 18);
    EXPECT_EQ(quad.preview.swrReferenceR, 50);

    // The stacked sample: the stack fields are ignored.
    const AntennaPreviewReading stacked =
        ReadAntennaPreview(std::string(TEST_DATA_DIR) + "/vrn/yagi3_21mhz_stacked_2_high.vrn");
    ASSERT_TRUE(stacked.ok()) << stacked.message;
    EXPECT_EQ(stacked.preview.radiiMm.size(), 3u);

    TempDir dir;
    VrnText vrn;
    vrn.frequency = "7.05";
    vrn.wires = {"0,\t0,\t0,\t0,\t0,\t1,\t0.0008,\t-1", "0,\t0,\t1,\t0,\t0,\t2,\t0.0012,\t-1",
                 "0,\t0,\t2,\t0,\t0,\t3,\t0.0008,\t-1"};
    vrn.ground = "1,\t7.5,\t0,\t75,\t0,\t0,\t-12.5";
    const AntennaPreviewReading r = previewOf(dir, vrn.text());
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.preview.frequency, 7.05);
    EXPECT_EQ(DistinctRadiiMm(r.preview), (std::vector<double>{0.0008 * 1000, 0.0012 * 1000}));
    EXPECT_EQ(r.preview.groundType, antenna::GroundType::PerfectGround);
    EXPECT_EQ(r.preview.height, 7.5);
    EXPECT_EQ(r.preview.swrReferenceR, 75);
    EXPECT_EQ(r.preview.swrReferenceX, -12.5);

    // Free space: the height is 0 whatever the file says.
    vrn.ground = "0,\t25,\t0,\t50,\t0,\t0,\t0";
    EXPECT_EQ(previewOf(dir, vrn.text()).preview.height, 0);
}

TEST(AntennaPreview, FindsSectionsByMarkers)
{
    TempDir dir;
    VrnText vrn;
    vrn.titleLines = {"Title", "Second title line"};
    vrn.wireCount = "1.4"; // rounded
    vrn.loadCount = "2,\t1";
    vrn.loads = {"w1c,\t0,\t1,\t1,\t1", "w1c,\t1,\t5,\t5"};
    vrn.lineEnd = "\n";
    const AntennaPreviewReading r = previewOf(dir, vrn.text());
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.preview.radiiMm, std::vector<double>{1});
    // A radius the full reader refuses is still positive for the preview.
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t1e-25,\t-1"};
    EXPECT_TRUE(previewOf(dir, vrn.text()).ok());
}

TEST(AntennaPreview, Messages)
{
    TempDir dir;
    const std::string path = dir.file("p.vrn");
    EXPECT_EQ(ReadAntennaPreview(dir.file("none.vrn")).message, "VORNA file not found:  " + dir.file("none.vrn"));

    VrnText vrn;
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t-1", "0,\t-5,\t0,\t0,\t5,\t0,\t0,\t-1",
                 "0,\t-5,\t0,\t0,\t5,\t0,\tbad,\t-1"};
    EXPECT_EQ(previewOf(dir, vrn.text()).message,
              "Tapered (combined radii) wires or zero radius wires present in file  " + path);
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t-0.5,\t-1"};
    EXPECT_EQ(previewOf(dir, vrn.text()).message,
              "Tapered (combined radii) wires or zero radius wires present in file  " + path);
    vrn.wires = {"0,\t-5,\t0,\t0,\t5,\t0,\t0.001,\t-1"};

    for (const char* ground : {"3,\t0,\t0,\t50,\t0,\t0,\t0", " 1,\t0,\t0,\t50,\t0,\t0,\t0", ""}) {
        vrn.ground = ground;
        EXPECT_EQ(previewOf(dir, vrn.text()).message, "Error in VORNA file format:  " + path) << ground;
    }
    vrn.ground = "1,\t10,\t0,\tfifty,\t0,\t0,\t0";
    EXPECT_EQ(previewOf(dir, vrn.text()).message, "'fifty' is not a valid floating point value");
    vrn.ground = "2,\t10,\t0,\t50";
    EXPECT_EQ(previewOf(dir, vrn.text()).message, "'' is not a valid floating point value");
    vrn.ground = "2,\t10,\t0,\t50,\t0,\t0,\t0";
    vrn.frequency = "MHz";
    EXPECT_EQ(previewOf(dir, vrn.text()).message, "'MHz' is not a valid floating point value");

    // Files without enough markers end with the format message instead of searching on.
    EXPECT_EQ(previewOf(dir, "no markers at all\r\n").message, "Error in VORNA file format:  " + path);
    const std::string full = VrnText().text();
    const std::string cut = full.substr(0, full.find("*** Segmentation"));
    EXPECT_EQ(previewOf(dir, cut).message, "Error in VORNA file format:  " + path);

    // Long paths: the message is cut to 255 characters.
    const std::string longPath = dir.file(std::string(240, 'q'));
    const std::string message = ReadAntennaPreview(longPath).message;
    EXPECT_EQ(message.size(), 255u);
    EXPECT_EQ(message, ("VORNA file not found:  " + longPath).substr(0, 255));
}

TEST(AntennaPreview, DistinctRadiiKeepFirstAppearance)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        const char* name;
        std::vector<double> radii;
        std::vector<double> distinct;
    };
    const std::vector<Case> cases = {
        {"empty", {}, {}},
        {"descending with repeats", {3, 2, 3, 1, 2, 1}, {3, 2, 1}},
        {"negative zero equals zero", {-0.0, 0.0, 1}, {-0.0, 1}},
    };
    for (const Case& c : cases) {
        AntennaPreview p;
        p.radiiMm = c.radii;
        EXPECT_EQ(DistinctRadiiMm(p), c.distinct) << c.name;
    }
    // A NaN equals nothing: each one stays, in place.
    AntennaPreview withNan;
    withNan.radiiMm = {1, nan, 1, nan, 2};
    const std::vector<double> d = DistinctRadiiMm(withNan);
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[0], 1);
    EXPECT_TRUE(std::isnan(d[1]) && std::isnan(d[2]));
    EXPECT_EQ(d[3], 2);

    // 200,000 wires over 1000 radii met in a scrambled order.
    AntennaPreview many;
    std::vector<double> expected;
    for (int i = 0; i < 200000; ++i) {
        const double r = static_cast<double>((i * 7919) % 1000) / 10;
        many.radiiMm.push_back(r);
        if (i < 1000)
            expected.push_back(r);
    }
    EXPECT_EQ(DistinctRadiiMm(many), expected);
}
