// The SWR minimum and band, the sweep's comma-separated text and the Smith chart's
// geometry.
#include "analyses/SmithChart.h"
#include "analyses/SweepSummary.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vrnnec::analyses;

namespace {

std::vector<SweepPointValues> swrs(const std::vector<double>& f, const std::vector<double>& s)
{
    std::vector<SweepPointValues> out;
    for (std::size_t j = 0; j < f.size(); ++j) {
        SweepPointValues v;
        v.frequency = f[j];
        if (!std::isnan(s[j]))
            v.swr = s[j];
        out.push_back(v);
    }
    return out;
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(SweepSummary, MinimumAndBandByLinearInterpolation)
{
    struct Case {
        std::vector<double> f, s;
        const char* text;
    };
    const Case cases[] = {
        // Crossings at 13.85 (3 -> 1: half way) and 14.15.
        {{13.8, 13.9, 14.0, 14.1, 14.2}, {3, 1.5, 1.2, 1.5, 3}, "minimum SWR 1.20 at 14 MHz, SWR<=2 from 13.8667 to 14.1333 MHz"},
        {{13.8, 14.0, 14.2}, {3, 1, 2.5}, "minimum SWR 1.00 at 14 MHz, SWR<=2 from 13.9 to 14.1333 MHz"},
        // Below 2 at the ends: the band ends at the first and last point.
        {{13.8, 14.0, 14.2}, {1.5, 1.1, 1.9}, "minimum SWR 1.10 at 14 MHz, SWR<=2 from 13.8 to 14.2 MHz"},
        {{13.8, 14.0, 14.2}, {2.5, 2.1, 3}, "minimum SWR 2.10 at 14 MHz, SWR<=2 nowhere"},
        // Exactly 2 counts; the first of equal minima wins.
        {{1, 2, 3}, {2, 5, 2}, "minimum SWR 2.00 at 1 MHz, SWR<=2 from 1 to 1 MHz"},
        // An infinite SWR ends a band; the band is the one around the minimum.
        {{1, 2, 3, 4, 5}, {1.5, kInf, 1.2, 1.8, 4}, "minimum SWR 1.20 at 3 MHz, SWR<=2 from 3 to 4.0909 MHz"},
        {{1, 2}, {kNone, kInf}, "no SWR"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SwrBandText(FindSwrBand(swrs(c.f, c.s))), c.text);
    const SwrBand band = FindSwrBand(swrs({13.8, 13.9, 14.0, 14.1, 14.2}, {3, 1.5, 1.2, 1.5, 3}));
    ASSERT_TRUE(band.low && band.high);
    EXPECT_NEAR(*band.low, 13.9 - 0.1 / 3, 1e-12);
    EXPECT_NEAR(*band.high, 14.1 + 0.1 / 3, 1e-12);
}

TEST(SweepSummary, CsvLinesPerFrequencyAndSource)
{
    vrnnec::engine::SweepListing listing;
    listing.sourceTags = {3, 5};
    for (double r : {50.0, 100.0}) {
        vrnnec::engine::SweepBlock block;
        vrnnec::engine::SourceRow a, b;
        a.tag = 3;
        a.impedanceReal = r;
        a.impedanceImaginary = 0;
        b.tag = 5;
        b.impedanceReal = 25;
        b.impedanceImaginary = -12.5;
        block.sources = {a, b};
        listing.blocks.push_back(block);
    }
    const SweepSettings settings{14, 0.4, 2, {}};
    EXPECT_EQ(SweepCsvText(listing, settings, {50, 0}),
              "MHz,Tag,R,X,SWR\n13.8,3,50,0,1.00\n13.8,5,25,-12.5,2.16\n14.2,3,100,0,2.00\n14.2,5,25,-12.5,2.16\n");
    EXPECT_EQ(SweepCsvText(listing, settings, {50, 0}, {{7.126, 20.5}, {{}, 30}}),
              "MHz,Tag,R,X,SWR,Gain dBi,F/B dB\n13.8,3,50,0,1.00,7.13,20.50\n13.8,5,25,-12.5,2.16,7.13,20.50\n"
              "14.2,3,100,0,2.00,,30.00\n14.2,5,25,-12.5,2.16,,30.00\n");
}

// Read as admittance, the heading names G and B, and the SWR is still the impedance's
// (not that of the siemens values taken as ohms).
TEST(SweepSummary, CsvOfAdmittanceNamesItAndKeepsTheImpedancesSwr)
{
    vrnnec::engine::SweepListing listing;
    listing.admittance = true;
    listing.sourceTags = {3};
    vrnnec::engine::SourceRow row;
    row.tag = 3;
    row.impedanceReal = 100;
    row.impedanceImaginary = 0;
    row.admittanceReal = 0.01;
    row.admittanceImaginary = 0;
    listing.blocks.push_back(vrnnec::engine::SweepBlock{});
    listing.blocks.back().sources = {row};
    EXPECT_EQ(SweepCsvText(listing, SweepSettings{14, 0.4, 3, {}}, {50, 0}), "MHz,Tag,G,B,SWR\n13.8,3,0.01,0,2.00\n");
}

// Values read as admittance are drawn as the impedance they stand for; points without a
// value or without a finite impedance are left out.
TEST(SmithChart, SweepPointsFromImpedanceOrAdmittance)
{
    const std::vector<SweepPointValues> values = {
        {14.0, 50, 50, 2.6}, {14.1, std::nullopt, 10, 1.5}, {14.2, 0, 0, INFINITY}, {14.3, 0.01, -0.01, 3}};
    const auto asImpedance = SweepSmithPoints(values, false, 50);
    ASSERT_EQ(asImpedance.size(), 3u);
    EXPECT_NEAR(asImpedance[0].u, 0.2, 1e-12);
    EXPECT_NEAR(asImpedance[0].v, 0.4, 1e-12);
    EXPECT_NEAR(asImpedance[1].u, -1, 1e-12);
    const auto asAdmittance = SweepSmithPoints(values, true, 50);
    ASSERT_EQ(asAdmittance.size(), 2u); // 1 / (0 + j0) has no finite value
    // 1 / (0.01 + j0.01 S) = 50 + j50 ohm; 1 / (50 + j50 S) = 0.01 - j0.01 ohm.
    EXPECT_NEAR(asAdmittance[1].u, 0.2, 1e-12);
    EXPECT_NEAR(asAdmittance[1].v, 0.4, 1e-12);
    EXPECT_NEAR(asAdmittance[0].u, -1, 1e-3);
}

TEST(SmithChart, PositionsAndCircles)
{
    struct Case {
        double r, x, reference, u, v;
    };
    const Case cases[] = {
        {50, 0, 50, 0, 0}, {100, 0, 50, 1.0 / 3, 0}, {0, 0, 50, -1, 0}, {50, 50, 50, 0.2, 0.4}, {0, 50, 50, 0, 1},
        {75, 0, 75, 0, 0},
    };
    for (const Case& c : cases) {
        const SmithPoint p = SmithPosition(c.r, c.x, c.reference);
        EXPECT_NEAR(p.u, c.u, 1e-12) << c.r << " " << c.x;
        EXPECT_NEAR(p.v, c.v, 1e-12) << c.r << " " << c.x;
    }
    // Every point of an impedance with the circle's resistance (reactance) lies on it.
    for (double r : {0.0, 0.2, 1.0, 5.0})
        for (double x : {-3.0, -0.5, 0.0, 0.7, 10.0}) {
            const SmithPoint p = SmithPosition(r, x, 1);
            const SmithCircle rc = ResistanceCircle(r);
            EXPECT_NEAR(std::hypot(p.u - rc.cu, p.v - rc.cv), rc.radius, 1e-12);
            if (x != 0) {
                const SmithCircle xc = ReactanceCircle(x);
                EXPECT_NEAR(std::hypot(p.u - xc.cu, p.v - xc.cv), xc.radius, 1e-12);
            }
        }
    // SWR 2: every impedance of SWR 2 against a real reference lies on its circle.
    const SmithCircle swr2 = SwrCircle(2);
    EXPECT_NEAR(swr2.radius, 1.0 / 3, 1e-15);
    for (const auto& [r, x] : {std::pair{100.0, 0.0}, std::pair{25.0, 0.0}, std::pair{40.0, 30.0}})
        EXPECT_NEAR(std::hypot(SmithPosition(r, x, 50).u, SmithPosition(r, x, 50).v), swr2.radius, 1e-6);
    const SmithGrid grid = MakeSmithGrid();
    EXPECT_EQ(grid.resistance.size(), grid.resistanceValues.size());
    EXPECT_EQ(grid.reactance.size(), grid.reactanceValues.size());
    for (const SmithLine& line : grid.reactance) {
        EXPECT_NEAR(std::hypot(line.front().u, line.front().v), 1, 1e-12); // starts on the rim
        EXPECT_NEAR(line.back().u, 1, 1e-12);
        for (const SmithPoint& p : line)
            EXPECT_LE(std::hypot(p.u, p.v), 1 + 1e-12);
    }
}
