#include "engine/Swr.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vrnnec;

using engine::ComputeSwr;
using engine::SwrReference;

TEST(Swr, RealLoadsAgainstARealReference)
{
    SwrReference fifty{50, 0};
    EXPECT_NEAR(ComputeSwr(50, 0, fifty), 1.0, 1e-12);
    EXPECT_NEAR(ComputeSwr(100, 0, fifty), 2.0, 1e-12);
    EXPECT_NEAR(ComputeSwr(25, 0, fifty), 2.0, 1e-12);
    SwrReference seventyFive{75, 0};
    EXPECT_NEAR(ComputeSwr(50, 0, seventyFive), 1.5, 1e-12);
    // The reference is left as it was.
    EXPECT_EQ(fifty.r, 50);
    EXPECT_EQ(seventyFive.r, 75);
}

TEST(Swr, ComplexLoadAndComplexReference)
{
    SwrReference fifty{50, 0};
    // The example of a source line: 73.123 + j42.5 against 50 ohm.
    const double g = std::hypot(23.123, 42.5) / std::hypot(123.123, 42.5);
    EXPECT_NEAR(ComputeSwr(73.123, 42.5, fifty), (1 + g) / (1 - g), 1e-9);
    EXPECT_EQ(engine::SwrText(ComputeSwr(73.123, 42.5, fifty)), "2.18");

    // A load equal to a complex reference is matched; its conjugate is not.
    SwrReference complex{50, 25};
    EXPECT_NEAR(ComputeSwr(50, 25, complex), 1.0, 1e-12);
    EXPECT_GT(ComputeSwr(50, -25, complex), 1.5);
}

TEST(Swr, ZeroReferenceBecomesFiftyOhm)
{
    SwrReference zero{0, 0};
    EXPECT_NEAR(ComputeSwr(100, 0, zero), 2.0, 1e-12);
    EXPECT_EQ(zero.r, 50);
    EXPECT_EQ(zero.x, 0);
    EXPECT_TRUE(engine::IsStandardSwrReference(zero));

    // Only exactly 0 + j0 is replaced.
    SwrReference reactive{0, 50};
    ComputeSwr(50, 0, reactive);
    EXPECT_EQ(reactive.r, 0);
    EXPECT_EQ(reactive.x, 50);
}

TEST(Swr, NoFiniteValueGivesInfinityShownAsInf)
{
    SwrReference fifty{50, 0};
    EXPECT_TRUE(std::isinf(ComputeSwr(0, 30, fifty)));  // |reflection| = 1
    EXPECT_TRUE(std::isinf(ComputeSwr(-10, 5, fifty))); // |reflection| > 1
    EXPECT_TRUE(std::isinf(ComputeSwr(-50, 0, fifty))); // Z = -Z0: 0 / 0
    EXPECT_GT(ComputeSwr(-10, 5, fifty), 0);
    EXPECT_EQ(engine::SwrText(ComputeSwr(-10, 5, fifty)), "inf");
    EXPECT_EQ(engine::SwrText(1.0), "1.00");
    EXPECT_EQ(engine::SwrText(12.345), "12.35");
}

TEST(Swr, StandardReferenceIsExactlyFiftyPlusJZero)
{
    EXPECT_TRUE(engine::IsStandardSwrReference({50, 0}));
    EXPECT_FALSE(engine::IsStandardSwrReference({75, 0}));
    EXPECT_FALSE(engine::IsStandardSwrReference({50, 0.001}));
    EXPECT_FALSE(engine::IsStandardSwrReference({0, 0}));
}
