// The viewer's reading of listings into its model: fixture listings of both engines,
// and small listings for each rule of the segments, currents, loads, ports and sources.
#include "ViewerListings.h"

#include "viewer/ViewFit.h"
#include "viewer/ViewerModel.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vrnnec;
using namespace vrnnec::viewer;
using viewertest::ListingBuilder;
using viewertest::wire;

namespace {

ViewerModel read(const ListingBuilder& listing, const std::string& name)
{
    return ReadViewerModel(listing.write(name));
}

} // namespace

// Both engines' listings (nec2c's through the rewriter) give the same model.
class FixtureModels : public ::testing::TestWithParam<const char*> {};

TEST_P(FixtureModels, ClassicAndRewrittenNec2cListingsGiveTheSameModel)
{
    const std::string name = std::string(GetParam()) + ".out";
    const ViewerModel classic = ReadViewerModel(viewertest::dataPath("listings/classic/" + name));
    const ViewerModel nec2c = ReadViewerModel(viewertest::rewritten(name));
    ASSERT_EQ(classic.ReadError, 0);
    ASSERT_EQ(nec2c.ReadError, 0);
    ASSERT_EQ(classic.SegmentCount, nec2c.SegmentCount);
    EXPECT_EQ(classic.SegmentTag, nec2c.SegmentTag);
    EXPECT_EQ(classic.SlopeClass, nec2c.SlopeClass);
    EXPECT_EQ(classic.LoadSegment, nec2c.LoadSegment);
    EXPECT_EQ(classic.PortSegment, nec2c.PortSegment);
    EXPECT_EQ(classic.SourceSegment, nec2c.SourceSegment);
    EXPECT_EQ(classic.SourceAtEnd, nec2c.SourceAtEnd);
    EXPECT_EQ(classic.HasCurrents, nec2c.HasCurrents);
    ASSERT_EQ(classic.Patches.size(), nec2c.Patches.size());
    for (int i = 0; i < classic.SegmentCount; ++i)
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(classic.End1[i][a], nec2c.End1[i][a], 2e-4) << "segment " << i + 1;
            EXPECT_NEAR(classic.End2[i][a], nec2c.End2[i][a], 2e-4) << "segment " << i + 1;
            EXPECT_NEAR(classic.CurrentSize[i], nec2c.CurrentSize[i], 2e-3 * classic.CurrentSize[i] + 1e-9);
        }
}

INSTANTIATE_TEST_SUITE_P(Listings, FixtureModels,
                         ::testing::Values("dipole_free", "yagi3_loads", "network_tl", "patches", "csdvs_source",
                                           "two_sources", "stack", "plane_wave", "sweep_perfect"));

TEST(FixtureModel, MarkersOfTheFixturesSitOnTheirSegments)
{
    const ViewerModel yagi = ReadViewerModel(viewertest::dataPath("listings/classic/yagi3_loads.out"));
    EXPECT_EQ(yagi.SegmentCount, 33);
    EXPECT_EQ(yagi.LoadSegment, (std::vector<long long>{17, 28})); // tag 2 and 3, 6th segment each
    EXPECT_EQ(yagi.SourceSegment, (std::vector<long long>{17}));

    const ViewerModel tl = ReadViewerModel(viewertest::dataPath("listings/classic/network_tl.out"));
    EXPECT_EQ(tl.PortSegment, (std::vector<long long>{32, 5, 26, 11}));

    const ViewerModel patches = ReadViewerModel(viewertest::dataPath("listings/classic/patches.out"));
    ASSERT_EQ(patches.Patches.size(), 20u);
    EXPECT_DOUBLE_EQ(patches.Patches[4].centre[1], -1.0);
    EXPECT_DOUBLE_EQ(patches.Patches[4].normal[1], -1.0);
    EXPECT_DOUBLE_EQ(patches.Patches[4].tangent2[2], 1.0);

    const ViewerModel csdvs = ReadViewerModel(viewertest::dataPath("listings/classic/csdvs_source.out"));
    EXPECT_EQ(csdvs.SourceAtEnd, (std::vector<std::uint8_t>{1}));
    EXPECT_EQ(csdvs.SourceSegment.size(), 1u);
}

TEST(ViewerReading, ListingsWithoutSegmentRowsAreReadErrorOne)
{
    EXPECT_EQ(ReadViewerModel("/nonexistent/Outdata.txo").ReadError, readerror::kNoSegmentation);
    EXPECT_EQ(read(ListingBuilder().segments({}).currents({{1, 1, 1, 0}}), "empty.txo").ReadError,
              readerror::kNoSegmentation);
    // A structure of patches alone prints no segmentation data.
    EXPECT_EQ(read(ListingBuilder().patches({{0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 0}}), "patchonly.txo").ReadError,
              readerror::kNoSegmentation);
}

TEST(ViewerReading, UnreadableFieldIsReadErrorTwo)
{
    std::vector<viewertest::SegmentSpec> rows = wire(3, 1);
    EXPECT_EQ(read(ListingBuilder().segments(rows), "good.txo").ReadError, 0);
    rows[1].radius = std::nan(""); // printed "nan"
    const ViewerModel bad = read(ListingBuilder().segments(rows), "bad.txo");
    EXPECT_EQ(bad.ReadError, readerror::kBadNumber);
    // Nothing of the rows before the unreadable one is kept.
    EXPECT_EQ(bad.SegmentCount, 0);
    EXPECT_TRUE(bad.End1.empty());
}

TEST(ViewerReading, SegmentSlopeClassesAndEnds)
{
    struct Case {
        double alpha;
        int slope;
    };
    const Case cases[] = {{0, 1}, {60, 1}, {-60, 1}, {60.5, -1}, {90, -1}, {-90, -1}, {180, 1}};
    std::vector<viewertest::SegmentSpec> rows;
    for (const Case& c : cases)
        rows.push_back({1, 2, 3, 2, c.alpha, 0, 0.001, 1});
    const ViewerModel m = read(ListingBuilder().segments(rows), "slopes.txo");
    ASSERT_EQ(m.SegmentCount, 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(m.SlopeClass[i], cases[i].slope) << "alpha " << cases[i].alpha;
    // Horizontal along X: ends 1 either side of the centre; vertical: along Z.
    EXPECT_NEAR(m.End1[0][0], 0, 1e-12);
    EXPECT_NEAR(m.End2[0][0], 2, 1e-12);
    EXPECT_NEAR(m.End1[4][2], 2, 1e-12);
    EXPECT_NEAR(m.End2[4][2], 4, 1e-12);
}

TEST(ViewerReading, CurrentsBelongToTheSegmentTheirRowNames)
{
    // Only segments 2 to 4 printed (PT 0 1 2 4), and a row beyond the segments.
    const ViewerModel m = read(ListingBuilder()
                                   .segments(wire(5, 1))
                                   .currents({{2, 1, 0.5, 10}, {3, 1, 1.0, 90}, {4, 1, 0.25, -90.5}, {9, 1, 7.0, 0}}),
                               "partial.txo");
    ASSERT_EQ(m.ReadError, 0);
    EXPECT_TRUE(m.HasCurrents);
    EXPECT_EQ(m.CurrentSize, (std::vector<double>{0, 0.5, 1.0, 0.25, 0}));
    EXPECT_EQ(m.CurrentSign, (std::vector<double>{0, 1, 1, -1, 0}));
}

TEST(ViewerReading, OnlyTheFirstCurrentsTableCounts)
{
    const ViewerModel m =
        read(ListingBuilder().segments(wire(2, 1)).currents({{1, 1, 1, 0}, {2, 1, 2, 0}}).currents({{1, 1, 5, 0}}),
             "twoblocks.txo");
    EXPECT_EQ(m.CurrentSize, (std::vector<double>{1, 2}));
}

TEST(ViewerReading, SingleSegmentLoadsFindTheirSegment)
{
    // Tags 1, 2, 1, 2, 2: tag 2 is not contiguous.
    std::vector<viewertest::SegmentSpec> rows;
    for (int tag : {1, 2, 1, 2, 2})
        rows.push_back({0, static_cast<double>(rows.size()), 0, 1, 0, 90, 0.001, tag});
    const ViewerModel m = read(ListingBuilder().segments(rows).loads({
                                   {"2", "2", "2"}, // 2nd segment of tag 2: segment 4
                                   {"", "3", "3"},  // absolute segment 3 (blank tag)
                                   {"1", "1", "2"}, // spread over two segments: dropped
                                   {"1", "", ""},   // whole wire: dropped
                                   {"2", "0", "0"}, // m below 1: no marker
                                   {"2", "4", "4"}, // beyond the tag: no marker
                                   {"7", "1", "1"}, // no such tag
                                   {"", "9", "9"},  // beyond the structure
                               }),
                               "loads.txo");
    ASSERT_EQ(m.ReadError, 0);
    EXPECT_EQ(m.LoadSegment, (std::vector<long long>{4, 3, 6, 6, 6, 6}));
}

TEST(ViewerReading, AllZeroCurrentsOpenWithoutCurrents)
{
    ViewerModel m =
        read(ListingBuilder().segments(wire(3, 1)).currents({{1, 1, 0, 0}, {2, 1, 0, 0}, {3, 1, 0, 0}}), "zero.txo");
    ASSERT_TRUE(m.HasCurrents);
    FitModelToView(m, ViewMode::Center);
    EXPECT_EQ(m.ReadError, 0);
    EXPECT_FALSE(m.HasCurrents);
}
