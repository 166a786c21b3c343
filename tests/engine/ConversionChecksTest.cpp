// The checks of the conversion step before the library is called.
#include "engine/Conversion.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vrnnec;

TEST(ConversionChecks, GroundValuesWithoutPhysicalMeaning)
{
    const std::string eps = "Relative dielectric constant of the ground must not be lower than 1.";
    const std::string sigma = "Conductivity of the ground must not be negative.";
    struct Case {
        double eps, sigma;
        bool perfect;
        std::string message;
    };
    const Case cases[] = {
        {13, 0.005, false, ""},           {1, 0, false, ""},     {0.999, 0.005, false, eps}, {-13, 0.005, false, eps},
        {13, -0.001, false, sigma},       {0.5, -1, false, eps}, {0.5, -1, true, ""}, // over perfect ground the values
                                                                                      // are not used
        {std::nan(""), 0.005, false, ""}, // not finite: the library's own message
        {13, -INFINITY, false, ""},
    };
    for (const Case& c : cases) {
        conversion::ConversionOptions o;
        o.groundEps = c.eps;
        o.groundSigma = c.sigma;
        o.perfectGround = c.perfect;
        EXPECT_EQ(engine::checkConversionValues(o), c.message) << c.eps << " " << c.sigma << " " << c.perfect;
    }
}
