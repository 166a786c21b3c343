#include "ListingFixture.h"

#include "results/WireCurrents.h"

#include <gtest/gtest.h>

using namespace vrnnec;

using namespace results;
using fixture::currentRow;

namespace {

const std::string kInvalid =
    "Invalid CURRENTS data (may be due to incorrect cards in NEC-2 input). See NEC-2 output file.";

} // namespace

TEST(WireCurrents, DistancesInWavelengthsOrMetres)
{
    const std::vector<std::string> rows{
        currentRow(1, 1, 0, -0.05, 0.5, 0.05, 1e-3, 0, 1e-3, 0),
        currentRow(2, 1, 0, 0.0, 0.5, 0.05, 2e-3, 0, 2e-3, 0),
        currentRow(3, 1, 0, 0.05, 0.5, 0.05, 1e-3, 0, 1e-3, 0),
        currentRow(4, 2, 0.1, 0.0, 0.5, 0.07, 5e-4, 0, 5e-4, 0),
    };
    const WireCurrentChart inLambda = ChartWireCurrents(fixture::currentRows(rows), 20.0, 1, true, false);
    EXPECT_EQ(inLambda.message, "");
    ASSERT_EQ(inLambda.points.size(), 3u);
    EXPECT_NEAR(inLambda.points[0].distance, 0.05, 1e-12);
    EXPECT_NEAR(inLambda.points[1].distance, 0.10, 1e-12);
    EXPECT_NEAR(inLambda.points[2].distance, 0.15, 1e-12);
    EXPECT_DOUBLE_EQ(inLambda.points[1].current, 2e-3);

    const WireCurrentChart inMetres = ChartWireCurrents(fixture::currentRows(rows), 20.0, 1, false, false);
    ASSERT_EQ(inMetres.points.size(), 3u);
    EXPECT_NEAR(inMetres.points[0].distance, 1.0, 1e-12);
    EXPECT_NEAR(inMetres.points[1].distance, 2.0, 1e-12);
    EXPECT_NEAR(inMetres.points[2].distance, 3.0, 1e-12);

    // Each wire starts again at 0.
    const WireCurrentChart second = ChartWireCurrents(fixture::currentRows(rows), 20.0, 2, true, false);
    ASSERT_EQ(second.points.size(), 1u);
    EXPECT_NEAR(second.points[0].distance, 0.07, 1e-12);
}

TEST(WireCurrents, PhaseIndicatorTurnsCurrentsOver)
{
    const std::vector<std::string> rows{
        currentRow(1, 1, 0, 0, 0, 0.1, 0, 0, 1e-3, 120.0),
        currentRow(2, 1, 0, 0, 0, 0.1, 0, 0, 2e-3, 90.0),
        currentRow(3, 1, 0, 0, 0, 0.1, 0, 0, 3e-3, -90.0),
        currentRow(4, 1, 0, 0, 0, 0.1, 0, 0, 4e-3, -89.999),
    };
    const WireCurrentChart on = ChartWireCurrents(fixture::currentRows(rows), 10.0, 1, true, true);
    ASSERT_EQ(on.points.size(), 4u);
    EXPECT_DOUBLE_EQ(on.points[0].current, -1e-3);
    EXPECT_DOUBLE_EQ(on.points[1].current, 2e-3);
    EXPECT_DOUBLE_EQ(on.points[2].current, -3e-3);
    EXPECT_DOUBLE_EQ(on.points[3].current, 4e-3);
    EXPECT_TRUE(on.setAxis);
    EXPECT_DOUBLE_EQ(on.axisMinimum, -4e-3);
    EXPECT_DOUBLE_EQ(on.axisMaximum, 4e-3);

    const WireCurrentChart off = ChartWireCurrents(fixture::currentRows(rows), 10.0, 1, true, false);
    EXPECT_DOUBLE_EQ(off.points[0].current, 1e-3);
    EXPECT_DOUBLE_EQ(off.points[2].current, 3e-3);
    EXPECT_DOUBLE_EQ(off.axisMinimum, 0.0);
    EXPECT_DOUBLE_EQ(off.axisMaximum, 4e-3);
}

TEST(WireCurrents, OneScaleForAllWiresOfTheSampleYagi)
{
    // The largest current of the Yagi (6.1447E-03 A) is on the driven wire, tag 2.
    const auto sample = fixture::currents("classic/yagi3_loads.out");
    ASSERT_EQ(sample.size(), 33u);
    const WireCurrentChart reflector = ChartWireCurrents(sample, 21.414, 1, true, false);
    EXPECT_EQ(reflector.message, "");
    EXPECT_EQ(reflector.title, "Current in wire N 1. Max current: 0.0061447 Amp.");
    EXPECT_DOUBLE_EQ(reflector.axisMaximum, 6.1447e-3);
    ASSERT_EQ(reflector.points.size(), 11u);
    EXPECT_NEAR(reflector.points.back().distance, 11 * 0.04627, 1e-9);
    EXPECT_DOUBLE_EQ(reflector.points[5].current, 1.7950e-3);

    // The director's phase (about 160 degrees) turns its currents over.
    const WireCurrentChart director = ChartWireCurrents(sample, 21.414, 3, false, true);
    ASSERT_EQ(director.points.size(), 11u);
    EXPECT_DOUBLE_EQ(director.points[0].current, -5.5137e-4);
    EXPECT_NEAR(director.points[0].distance, 0.04245 * 21.414, 1e-9);
    EXPECT_DOUBLE_EQ(director.axisMinimum, -6.1447e-3);

    // The maximum on the very first segment of another wire.
    const std::vector<std::string> firstIsLargest{
        currentRow(1, 7, 0, 0, 0, 0.1, 0, 0, 9.5e-2, 0),
        currentRow(2, 7, 0, 0, 0, 0.1, 0, 0, 1e-3, 0),
        currentRow(3, 8, 0, 0, 0, 0.1, 0, 0, 2e-3, 0),
    };
    const WireCurrentChart other = ChartWireCurrents(fixture::currentRows(firstIsLargest), 10.0, 8, true, false);
    EXPECT_DOUBLE_EQ(other.axisMaximum, 9.5e-2);
    EXPECT_EQ(other.title, "Current in wire N 8. Max current: 0.095 Amp.");
}

TEST(WireCurrents, NoRowsOfTheTagStillWriteTheTitle)
{
    const auto sample = fixture::currents("classic/yagi3_loads.out");
    const WireCurrentChart chart = ChartWireCurrents(sample, 21.414, 9, true, false);
    EXPECT_EQ(chart.message, "");
    EXPECT_TRUE(chart.replaceSeries);
    EXPECT_TRUE(chart.points.empty());
    EXPECT_EQ(chart.title, "Current in wire N 9. Max current: 0.0061447 Amp.");
}

TEST(WireCurrents, ErrorMessages)
{
    const WireCurrentChart empty = ChartWireCurrents({}, 10.0, 1, true, false);
    EXPECT_EQ(empty.message, "CURRENTS data not found");
    EXPECT_EQ(empty.title, "");
    EXPECT_FALSE(empty.setAxis);
    EXPECT_FALSE(empty.replaceSeries);

    std::vector<std::string> rows{
        currentRow(1, 1, 0, 0, 0, 0.1, 0, 0, 1e-3, 0),
        currentRow(2, 2, 0, 0, 0, 0.1, 0, 0, 2e-3, 0),
    };
    // Unreadable magnitude: stops before the axis.
    {
        auto broken = rows;
        broken[1].replace(72, 12, "     garbage");
        const WireCurrentChart chart = ChartWireCurrents(fixture::currentRows(broken), 10.0, 1, true, false);
        EXPECT_EQ(chart.message, kInvalid);
        EXPECT_FALSE(chart.setAxis);
        EXPECT_FALSE(chart.replaceSeries);
        EXPECT_EQ(chart.title, "");
    }
    // Unreadable tag: the axis is set, the series left alone.
    {
        auto broken = rows;
        broken[1].replace(6, 5, "   x2");
        const WireCurrentChart chart = ChartWireCurrents(fixture::currentRows(broken), 10.0, 1, true, false);
        EXPECT_EQ(chart.message, kInvalid);
        EXPECT_TRUE(chart.setAxis);
        EXPECT_FALSE(chart.replaceSeries);
    }
    // Unreadable phase on the charted wire: the series is cleared.
    {
        auto broken = rows;
        broken[0].replace(85, 8, "  -x.yyy");
        const WireCurrentChart chart = ChartWireCurrents(fixture::currentRows(broken), 10.0, 1, true, false);
        EXPECT_EQ(chart.message, kInvalid);
        EXPECT_TRUE(chart.replaceSeries);
        EXPECT_TRUE(chart.points.empty());
        EXPECT_EQ(chart.title, "");
        // Another wire does not read that phase.
        EXPECT_EQ(ChartWireCurrents(fixture::currentRows(broken), 10.0, 2, true, false).message, "");
    }
    // Unreadable length.
    {
        auto broken = rows;
        broken[0].replace(38, 9, "         ");
        EXPECT_EQ(ChartWireCurrents(fixture::currentRows(broken), 10.0, 1, true, false).message, kInvalid);
    }
}

TEST(WireCurrents, TagFieldRule)
{
    const std::vector<std::string> items{"1", "2", "3", "12"};
    TagChoice c = chooseTag("03", items);
    EXPECT_EQ(c.action, TagChoice::Action::Chart);
    EXPECT_EQ(c.tag, 3);
    c = chooseTag("12", items);
    EXPECT_EQ(c.action, TagChoice::Action::Chart);
    EXPECT_EQ(c.tag, 12);
    EXPECT_EQ(chooseTag("+2", items).tag, 2);

    EXPECT_EQ(chooseTag("", items).action, TagChoice::Action::Nothing);
    EXPECT_EQ(chooseTag("4", items).action, TagChoice::Action::Nothing);
    EXPECT_EQ(chooseTag("-1", items).action, TagChoice::Action::Nothing);

    c = chooseTag("1.5", items);
    EXPECT_EQ(c.action, TagChoice::Action::Error);
    EXPECT_EQ(c.message, "'1.5' is not a valid integer value");
    c = chooseTag("w1", items);
    EXPECT_EQ(c.action, TagChoice::Action::Error);
    EXPECT_EQ(c.message, "'w1' is not a valid integer value");
}
