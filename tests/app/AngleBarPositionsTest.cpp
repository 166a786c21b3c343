#include "app/AngleBarPositions.h"

#include <gtest/gtest.h>

using namespace vrnnec;

namespace {

TEST(AngleBarPositions, ElevationFoldsAtTheZenith)
{
    EXPECT_EQ(anglebars::elevationPosition(20), 20);
    EXPECT_EQ(anglebars::elevationPosition(90), 90);
    EXPECT_EQ(anglebars::elevationPosition(100), 80);
    EXPECT_EQ(anglebars::elevationPosition(179), 1);
    EXPECT_EQ(anglebars::elevationPosition(180), 0);
    EXPECT_EQ(anglebars::elevationPosition(200), 20);
    // The remainder keeps the sign of the angle: below the horizon the bar runs past
    // its end and is clamped there.
    EXPECT_EQ(anglebars::elevationPosition(-20), 200);
    EXPECT_EQ(anglebars::clampPosition(anglebars::elevationPosition(-20), 0, 90), 90);
}

TEST(AngleBarPositions, AnglesAreRoundedHalfToEven)
{
    EXPECT_EQ(anglebars::elevationPosition(20.5), 20);
    EXPECT_EQ(anglebars::elevationPosition(21.5), 22);
    EXPECT_EQ(anglebars::azimuthPosition(10.49), 10);
    EXPECT_EQ(anglebars::azimuthPosition(359.5), 0);
}

TEST(AngleBarPositions, AzimuthWrapsAtFullCircle)
{
    EXPECT_EQ(anglebars::azimuthPosition(370), 10);
    EXPECT_EQ(anglebars::azimuthPosition(360), 0);
    EXPECT_EQ(anglebars::azimuthPosition(-10), -10);
    EXPECT_EQ(anglebars::clampPosition(anglebars::azimuthPosition(-10), 0, 360), 0);
    EXPECT_EQ(anglebars::clampPosition(anglebars::azimuthPosition(725), 0, 360), 5);
}

TEST(AngleBarPositions, HugeAnglesStayInRange)
{
    const long long elevation = anglebars::elevationPosition(1e300);
    EXPECT_GE(elevation, 0);
    EXPECT_LT(elevation, 360);
    const long long azimuth = anglebars::azimuthPosition(-1e300);
    EXPECT_GT(azimuth, -360);
    EXPECT_LE(azimuth, 0);
}

} // namespace
