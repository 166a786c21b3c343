#include "common/CoatParameters.h"
#include "common/NumberText.h"

#include <gtest/gtest.h>

using namespace vrnnec;

using coat::CoatInputs;
using coat::CoatParameters;

TEST(CoatParameters, InductanceOfTheCoat)
{
    CoatParameters p;
    ASSERT_EQ(coat::computeCoatParameters(CoatInputs{1, 2, 3, 0, true, true, false}, p), "");
    EXPECT_DOUBLE_EQ(p.wireRadius, 0.001);
    EXPECT_DOUBLE_EQ(p.coatRadius, 0.002);
    EXPECT_EQ(numtext::deckExponent6(p.inductance), "8.74274E-08");
    EXPECT_DOUBLE_EQ(p.shrinkFactor, 1);
    EXPECT_TRUE(p.shrinkX);
    EXPECT_FALSE(p.shrinkZ);

    ASSERT_EQ(coat::computeCoatParameters(CoatInputs{1, 1, 3, 2.5}, p), "");
    EXPECT_EQ(p.inductance, 0);
    EXPECT_DOUBLE_EQ(p.shrinkFactor, 0.975);

    ASSERT_EQ(coat::computeCoatParameters(CoatInputs{1, 2, 1.11, 0}, p), "");
    EXPECT_GT(p.inductance, 0);
    EXPECT_LT(p.inductance, 1e-9);
}

TEST(CoatParameters, Checks)
{
    CoatParameters p;
    p.inductance = 123;
    EXPECT_EQ(coat::computeCoatParameters(CoatInputs{2, 1, 3, 0}, p),
              "Radius of coated wire must be not lower than uncoated one.");
    EXPECT_EQ(coat::computeCoatParameters(CoatInputs{2, 1, 1.0, 0}, p),
              "Radius of coated wire must be not lower than uncoated one.")
        << "the radius check comes first, whatever the permittivity";
    EXPECT_EQ(coat::computeCoatParameters(CoatInputs{1, 2, 1.1, 0}, p),
              "Dielectric constant of wire coats must be greater.");
    EXPECT_EQ(p.inductance, 123) << "a failed check leaves the output alone";
}

TEST(CoatParameters, PlainCalculationSwitchesEverythingOff)
{
    const CoatParameters p = coat::plainParameters();
    EXPECT_EQ(p.wireRadius, 0);
    EXPECT_EQ(p.coatRadius, 0);
    EXPECT_EQ(p.inductance, 0);
    EXPECT_EQ(p.shrinkFactor, 1);
    EXPECT_FALSE(p.shrinkX || p.shrinkY || p.shrinkZ);
}

TEST(CoatParameters, ShrinkLeavingNoWireIsRefused)
{
    const std::string refused = "Making wires shorter on 100 % or more leaves no wire.";
    struct Case {
        double percent;
        bool x, y, z;
        std::string message;
    };
    const Case cases[] = {{87.5, true, false, false, ""},
                          {-10, true, true, true, ""},
                          {100, true, true, true, refused},
                          {250, false, true, false, refused},
                          {100, false, false, false, ""}}; // no axis chosen: no wire is made shorter
    for (const Case& c : cases) {
        CoatParameters p;
        p.shrinkFactor = 7;
        EXPECT_EQ(coat::computeShrink(c.percent, c.x, c.y, c.z, p), c.message) << c.percent;
        EXPECT_DOUBLE_EQ(p.shrinkFactor, c.message.empty() ? 1 - c.percent / 100 : 7) << c.percent;
        EXPECT_EQ(p.shrinkY, c.message.empty() && c.y) << c.percent;
    }
    // The coated calculation gets the same refusal, after its own two checks.
    CoatParameters p;
    EXPECT_EQ(coat::computeCoatParameters(CoatInputs{1, 2, 3, 100}, p), refused);
    EXPECT_EQ(coat::computeCoatParameters(CoatInputs{2, 1, 3, 100}, p),
              "Radius of coated wire must be not lower than uncoated one.");
    EXPECT_EQ(p.coatRadius, 0);
}
