// The comparison of two nec2c listings that the engine equality test relies on: it must
// pass round-off and catch every real difference.
#include "ListingCompare.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const Lines pattern = {
    "                             ---------- RADIATION PATTERNS -----------",
    "",
    " ---- ANGLES -----     ----- POWER GAINS -----       ---- POLARIZATION ----   ---- E(THETA) ----    ----- E(PHI) ------",
    "   70.00      0.00   -999.99     6.48     6.48      0.0000     90.00 LINEAR  0.0000E+00      0.00  1.3192E+00      1.09",
    "   70.00      1.00    -38.00     6.48     6.48      0.0000     89.66 LINEAR  7.8742E-03      1.09  1.3190E+00      1.09",
    "                               ---------- POWER BUDGET ---------",
    "                               INPUT POWER   =  1.2345E-02 Watts",
    "                               NETWORK LOSS  =  1.2273E-16 Watts",
    "                               FILL: 10 msec  FACTOR: 0 msec",
};

// `pattern` with line `line` replaced.
Lines with(std::size_t line, const std::string& text)
{
    Lines out = pattern;
    out[line] = text;
    return out;
}

struct Case {
    const char* what;
    Lines candidate;
    bool equal;
};

TEST(ListingCompare, PassesRoundOffAndCatchesRealDifferences)
{
    const std::vector<Case> cases = {
        {"the same listing", pattern, true},
        {"one unit in the last digit of a gain and a phase",
         with(4, "   70.00      1.00    -38.01     6.48     6.48      0.0000     89.67 LINEAR  7.8743E-03      1.08  1.3190E+00      1.09"), true},
        {"two units in the last digit of a gain",
         with(4, "   70.00      1.00    -38.02     6.48     6.48      0.0000     89.66 LINEAR  7.8742E-03      1.09  1.3190E+00      1.09"), false},
        {"two units in the last digit of a magnitude",
         with(4, "   70.00      1.00    -38.00     6.48     6.48      0.0000     89.66 LINEAR  7.8744E-03      1.09  1.3190E+00      1.09"), false},
        {"a round-off field with another phase",
         with(3, "   70.00      0.00   -999.99     6.48     6.48      0.0000     90.00 LINEAR  3.1000E-17    -57.20  1.3192E+00      1.09"), true},
        {"a small field that is no round-off",
         with(3, "   70.00      0.00   -999.99     6.48     6.48      0.0000     90.00 LINEAR  3.1000E-09    -57.20  1.3192E+00      1.09"), false},
        {"the tilt of a linear polarisation by 180 degrees",
         with(3, "   70.00      0.00   -999.99     6.48     6.48      0.0000    -90.00 LINEAR  0.0000E+00      0.00  1.3192E+00      1.09"), true},
        {"the tilt by 90 degrees",
         with(3, "   70.00      0.00   -999.99     6.48     6.48      0.0000      0.00 LINEAR  0.0000E+00      0.00  1.3192E+00      1.09"), false},
        {"a minor-axis gain of round-off size",
         with(3, "   70.00      0.00   -171.36     6.48     6.48      0.0000     90.00 LINEAR  0.0000E+00      0.00  1.3192E+00      1.09"), true},
        {"a gain of -40 dB for none",
         with(3, "   70.00      0.00    -40.00     6.48     6.48      0.0000     90.00 LINEAR  0.0000E+00      0.00  1.3192E+00      1.09"), false},
        {"another sense of polarisation",
         with(4, "   70.00      1.00    -38.00     6.48     6.48      0.0000     89.66 RIGHT   7.8742E-03      1.09  1.3190E+00      1.09"), false},
        {"a loss of round-off size", with(7, "                               NETWORK LOSS  =  8.7604E-17 Watts"), true},
        {"a power one unit apart", with(6, "                               INPUT POWER   =  1.2346E-02 Watts"), true},
        {"a power that differs by two units", with(6, "                               INPUT POWER   =  1.2347E-02 Watts"), false},
        {"another timing", with(8, "                               FILL: 0 msec  FACTOR: 120 msec"), true},
        {"negative zero", with(3, "   70.00      0.00   -999.99     6.48     6.48      0.0000     90.00 LINEAR  0.0000E+00     -0.00  1.3192E+00      1.09"), true},
        {"a missing line", Lines(pattern.begin(), pattern.end() - 1), false},
        {"a changed word", with(6, "                               INPUT POWR    =  1.2345E-02 Watts"), false},
    };
    for (const Case& c : cases) {
        const listingcompare::Comparison result = listingcompare::compare(pattern, c.candidate);
        EXPECT_EQ(result.differences.empty(), c.equal) << c.what;
        EXPECT_FALSE(result.singular) << c.what;
    }
}

TEST(ListingCompare, WholeNumbersExactlyAndPhasesAcrossTheHalfTurn)
{
    const Lines a = {"  12  1.0000E+00  179.99"};
    EXPECT_TRUE(listingcompare::compare(a, {"  12  1.0000E+00 -180.00"}).differences.empty());
    EXPECT_FALSE(listingcompare::compare(a, {"  12  1.0000E+00 -179.90"}).differences.empty());
    EXPECT_FALSE(listingcompare::compare(a, {"  13  1.0000E+00  179.99"}).differences.empty());
}

TEST(ListingCompare, SingularMatrixComparesTheWarnedPivots)
{
    const Lines reference = {"  GW 1 5", "  PIVOT(7)=   2.06333237E-11", "  PIVOT(8)=   3.35195374E-13", "  1  1.2E+14"};
    const Lines sameWarnings = {"  GW 1 5", "  PIVOT(7)=   7.28851322E-12", "  PIVOT(8)=   3.10982952E-13", "  1  9.9E+13"};
    const Lines otherWarnings = {"  GW 1 5", "  PIVOT(7)=   7.28851322E-12", "  PIVOT(9)=   3.10982952E-13", "  1  9.9E+13"};
    const Lines otherEcho = {"  GW 1 6", "  PIVOT(7)=   7.28851322E-12", "  PIVOT(8)=   3.10982952E-13", "  1  9.9E+13"};
    const auto same = listingcompare::compare(reference, sameWarnings);
    EXPECT_TRUE(same.singular);
    EXPECT_TRUE(same.differences.empty());
    EXPECT_FALSE(listingcompare::compare(reference, otherWarnings).differences.empty());
    EXPECT_FALSE(listingcompare::compare(reference, otherEcho).differences.empty());
}

} // namespace
