#include "app/SwrReferenceFields.h"

#include <gtest/gtest.h>

using namespace vrnnec;

namespace {

TEST(SwrReferenceFields, NumbersWithTheUsersSeparatorAreKept)
{
    swrfields::Check check = swrfields::checkTexts("75", "-12.5", '.');
    EXPECT_TRUE(check.accepted);
    EXPECT_DOUBLE_EQ(check.r, 75);
    EXPECT_DOUBLE_EQ(check.x, -12.5);
    EXPECT_TRUE(check.message.empty());

    check = swrfields::checkTexts("37,5", "1,25", ',');
    EXPECT_TRUE(check.accepted);
    EXPECT_DOUBLE_EQ(check.r, 37.5);
    EXPECT_DOUBLE_EQ(check.x, 1.25);
}

TEST(SwrReferenceFields, StartsOfNumbersReadAsZero)
{
    for (const char* x : {"", "-", "+", "."}) {
        const swrfields::Check check = swrfields::checkTexts("50", x, '.');
        EXPECT_TRUE(check.accepted) << x;
        EXPECT_DOUBLE_EQ(check.x, 0) << x;
    }
    // The separator alone counts only when it is the user's separator.
    EXPECT_TRUE(swrfields::checkTexts("50", ",", ',').accepted);
    EXPECT_FALSE(swrfields::checkTexts("50", ".", ',').accepted);
}

TEST(SwrReferenceFields, RefusedTextsGiveTheirMessageAndTheStandardReference)
{
    swrfields::Check check = swrfields::checkTexts("", "0", '.');
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message, "R<0 or R=0 is incorrect");
    EXPECT_DOUBLE_EQ(check.r, 50);
    EXPECT_DOUBLE_EQ(check.x, 0);

    check = swrfields::checkTexts("-3", "7", '.');
    EXPECT_EQ(check.message, "R<0 or R=0 is incorrect");

    check = swrfields::checkTexts("75", "abc", '.');
    EXPECT_FALSE(check.accepted);
    EXPECT_EQ(check.message, "Incorrect number value!");
    EXPECT_DOUBLE_EQ(check.r, 50);

    // A point is no number where the separator is the comma.
    check = swrfields::checkTexts("7.5", "0", ',');
    EXPECT_EQ(check.message, "Incorrect number value!");
}

} // namespace
