// Segmentation, model checks and cards, on models built in the test.
#include "TestFiles.h"

#include "common/CoatParameters.h"
#include "converter/DeckWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vrnnec;

using namespace vrn;
using antenna::GroundType;
using antenna::WireMaterial;
using conversion::ConversionOptions;
using testfiles::cardsStartingWith;
using testfiles::deckLines;

namespace {

const std::string kName = "ant.vrn";

WireRecord wire(double x1, double y1, double z1, double x2, double y2, double z2, double radius, long long code)
{
    return WireRecord{x1, y1, z1, x2, y2, z2, radius, code};
}

AntennaModel modelWith(std::vector<WireRecord> wires, double frequency = 14)
{
    AntennaModel m;
    m.frequency = m.fileFrequency = frequency;
    m.wires = std::move(wires);
    m.densityDm1 = 400;
    m.densityDm2 = 40;
    return m;
}

// Segments of one wire of 11 m along Y.
Segmentation elevenMetres(long long code, long long dm1, long long dm2, const ConversionOptions& o)
{
    AntennaModel m = modelWith({wire(0, 0, 5, 0, 11, 5, 0.001, code)});
    m.densityDm1 = dm1;
    m.densityDm2 = dm2;
    return SegmentWires(m, o, kName);
}

DeckCards cardsOf(const AntennaModel& m, const ConversionOptions& o, double height = 0)
{
    const Segmentation s = SegmentWires(m, o, kName);
    EXPECT_EQ(s.error, "");
    return WriteCards(m, s, height, o);
}

} // namespace

TEST(Segmentation, AutomaticDensities)
{
    ConversionOptions o;
    EXPECT_EQ(elevenMetres(-1, 400, 40, o).segments[0], 22); // round(20.53) + 1
    EXPECT_EQ(elevenMetres(-2, 400, 30, o).segments[0], 16); // round(15.4) + 1
    EXPECT_EQ(elevenMetres(-3, 400, 28, o).segments[0], 15); // round(14.37) + 1
    o.useCSDVS = true;
    EXPECT_EQ(elevenMetres(-3, 400, 28, o).segments[0], 16);
    EXPECT_EQ(elevenMetres(-1, 400, 40, o).segments[0], 22);
    o.useCSDVS = false;
    o.useDM2 = false;
    EXPECT_EQ(elevenMetres(-1, 30, 40, o).segments[0], 16); // DM1 now
    EXPECT_EQ(elevenMetres(0, 400, 30, o).segments[0], 16); // code 0 keeps DM2
    EXPECT_EQ(elevenMetres(9, 400, 30, o).segments[0], 9);
    // Ties round to even: 10 m at 15 MHz, DM2 5 gives 2.5 -> 2.
    AntennaModel m = modelWith({wire(0, 0, 1, 10, 0, 1, 0.001, 0)}, 15);
    m.densityDm2 = 5;
    EXPECT_EQ(SegmentWires(m, o, kName).segments[0], 3);
}

TEST(Segmentation, ThinWireChecksAndCodes)
{
    ConversionOptions o;
    const std::string tooDense = "Segmentation is too dense for accurate calculations. File:  ant.vrn!";
    AntennaModel thick = modelWith({wire(0, 0, 1, 1, 0, 1, 0.04, 10)});
    EXPECT_EQ(SegmentWires(thick, o, kName).error, tooDense); // 1 / 80 < 0.04
    o.useEK = true;
    EXPECT_EQ(SegmentWires(thick, o, kName).error, ""); // 1 / 20 >= 0.04
    o.useEK = false;
    // Automatic: 300 / (40 * 14 * 8) = 0.067.
    AntennaModel autoWire = modelWith({wire(0, 0, 1, 1, 0, 1, 0.066, -1)});
    EXPECT_EQ(SegmentWires(autoWire, o, kName).error, "");
    autoWire.wires[0].radius = 0.068;
    EXPECT_EQ(SegmentWires(autoWire, o, kName).error, tooDense);

    // The first failing wire in file order decides the message.
    const std::string badCode = "Error in VORNA segmentation. File:  ant.vrn!";
    AntennaModel two = modelWith({wire(0, 0, 1, 1, 0, 1, 0.04, 10), wire(0, 0, 1, 1, 0, 1, 0.001, -4)});
    EXPECT_EQ(SegmentWires(two, o, kName).error, tooDense);
    std::swap(two.wires[0], two.wires[1]);
    EXPECT_EQ(SegmentWires(two, o, kName).error, badCode);
}

TEST(Segmentation, TotalLimit)
{
    ConversionOptions o;
    // 1000 wires of 3 segments: exactly 3000 passes.
    AntennaModel m = modelWith(std::vector<WireRecord>(1000, wire(0, 0, 1, 1, 0, 1, 0.001, 3)));
    Segmentation s = SegmentWires(m, o, kName);
    EXPECT_EQ(s.error, "");
    EXPECT_EQ(s.total, 3000);
    m.wires.push_back(wire(0, 0, 1, 1, 0, 1, 0.001, 1));
    s = SegmentWires(m, o, kName);
    EXPECT_EQ(s.error, "Number of segments too much (>3000, =3001). File:  ant.vrn!");
    // Every stack copy adds the segments of the described wires: 250 wires of 3
    // segments in a 2 x 2 stack make exactly 3000, one more segment makes 3004.
    m.wires.resize(250);
    m.stackPresent = true;
    m.stack = StackSpec{2, 2, 1, 1, 0};
    s = SegmentWires(m, o, kName);
    EXPECT_EQ(s.error, "");
    EXPECT_EQ(s.total, 3000);
    m.wires.push_back(wire(0, 0, 1, 1, 0, 1, 0.001, 1));
    EXPECT_EQ(SegmentWires(m, o, kName).error, "Number of segments too much (>3000, =3004). File:  ant.vrn!");
    // Copies as many as the tags allow: the count saturates instead of overflowing.
    AntennaModel huge = modelWith(std::vector<WireRecord>(3, wire(0, 0, 0, 1000, 0, 0, 1e-12, 2147483646)));
    huge.stackPresent = true;
    huge.stack = StackSpec{46340, 46340, 1, 1, 0};
    s = SegmentWires(huge, o, kName);
    EXPECT_EQ(s.total, std::numeric_limits<long long>::max());
    EXPECT_EQ(s.error.rfind("Number of segments too much (>3000, =", 0), 0u);
}

TEST(GroundChecks, PlaneAndRealGround)
{
    const std::string under = "One or more wires are under ground  (or gorizontal wire lie on ground). This is "
                              "impossible for modelling over ground plane. File:  ant.vrn!";
    const std::string touching = "One or more wires are touching ground. This is impossible on Sommerfeld-Norton "
                                 "plane. File:  ant.vrn!";
    const std::string underPerfect = "One or more wires are under ground (or gorizontal wire lie on ground). This is "
                                     "impossible for modelling over ground plane. File:  ant.vrn!";
    AntennaModel horizontal = modelWith({wire(0, 0, 0, 5, 0, 0, 0.001, -1)});
    AntennaModel vertical = modelWith({wire(0, 0, 0, 0, 0, 5, 0.001, -1)});
    const StackShifts none;
    horizontal.groundType = vertical.groundType = GroundType::PerfectGround;
    EXPECT_EQ(CheckGround(horizontal, 0, none, false, kName), under);
    EXPECT_EQ(CheckGround(vertical, 0, none, false, kName), "");
    EXPECT_EQ(CheckGround(horizontal, 0.5, none, false, kName), "");
    EXPECT_EQ(CheckGround(vertical, -0.1, none, false, kName), under);
    horizontal.groundType = vertical.groundType = GroundType::RealGround;
    EXPECT_EQ(CheckGround(vertical, 0, none, false, kName), touching);
    EXPECT_EQ(CheckGround(vertical, 0, none, true, kName), "");
    EXPECT_EQ(CheckGround(horizontal, 0, none, true, kName), underPerfect);
    EXPECT_EQ(CheckGround(horizontal, 1, none, false, kName), "");
    horizontal.groundType = GroundType::FreeSpace;
    EXPECT_EQ(CheckGround(horizontal, -10, none, false, kName), "");

    // The stack shift moves the described wires down: centred stack of 3, 7 m apart.
    AntennaModel stacked = modelWith({wire(0, 0, 0, 5, 0, 0, 0.001, -1)});
    stacked.groundType = GroundType::RealGround;
    stacked.stackPresent = true;
    stacked.stack = StackSpec{1, 3, 0, 7, 0};
    const StackShifts shifts = ComputeStackShifts(stacked);
    EXPECT_DOUBLE_EQ(shifts.z, -7);
    EXPECT_EQ(CheckGround(stacked, 7, shifts, false, kName), touching);
    EXPECT_EQ(CheckGround(stacked, 7.5, shifts, false, kName), "");
}

TEST(StackShifts, Modes)
{
    AntennaModel m = modelWith({});
    m.stackPresent = true;
    m.stack = StackSpec{3, 4, 2, 6, 0};
    EXPECT_DOUBLE_EQ(ComputeStackShifts(m).y, -2);
    EXPECT_DOUBLE_EQ(ComputeStackShifts(m).z, -9);
    m.stack.mode = 1;
    EXPECT_DOUBLE_EQ(ComputeStackShifts(m).z, 0);
    m.stack.mode = 2;
    EXPECT_DOUBLE_EQ(ComputeStackShifts(m).z, -18);
    m.stack.mode = 7;
    EXPECT_DOUBLE_EQ(ComputeStackShifts(m).z, 0);
    m.stackPresent = false;
    EXPECT_DOUBLE_EQ(ComputeStackShifts(m).y, 0);
}

TEST(Placement, SegmentsOfSourcesAndLoads)
{
    EXPECT_EQ(SegmentAt(5, WirePosition::Centre), 2); // round(2.5)
    EXPECT_EQ(SegmentAt(7, WirePosition::Centre), 4);
    EXPECT_EQ(SegmentAt(7, WirePosition::Begin), 1);
    EXPECT_EQ(SegmentAt(7, WirePosition::End), 7);
    EXPECT_EQ(SegmentAt(1, WirePosition::Centre), 1); // round(0.5) = 0, raised to 1
    EXPECT_EQ(CsdvsSourceSegment(10, SegmentAt(10, WirePosition::Begin)), 2);
    EXPECT_EQ(CsdvsSourceSegment(10, SegmentAt(10, WirePosition::End)), 9);
    EXPECT_EQ(CsdvsSourceSegment(10, SegmentAt(10, WirePosition::Centre)), 6);
    EXPECT_EQ(CsdvsSourceSegment(2, SegmentAt(2, WirePosition::End)), 2);
}

TEST(Azimuth, NormalisedLikeTheTurnRule)
{
    EXPECT_EQ(NormaliseAzimuth(-30), 330);
    EXPECT_EQ(NormaliseAzimuth(725), 5);
    EXPECT_EQ(NormaliseAzimuth(360), 0);
    EXPECT_FALSE(std::signbit(NormaliseAzimuth(-720)));
    EXPECT_EQ(NormaliseAzimuth(-1e-20), 0); // -1e-20 + 360 rounds to 360
    for (double a : {1e300, -1e300, 1e17, -4.9e-324}) {
        const double n = NormaliseAzimuth(a);
        EXPECT_TRUE(n >= 0 && n < 360) << a;
    }
    // The rule as stated, for values where its loop ends quickly.
    auto byTurns = [](double a) {
        while (a < 0)
            a += 360;
        return a - 360 * std::trunc(a / 360);
    };
    for (double a = -100000.3; a < 100000; a += 97.13)
        ASSERT_EQ(NormaliseAzimuth(a), byTurns(a)) << a;
    for (double a : {-0.1, -359.99999999999994, -360.00000000000006, 719.9999999999999, 0.30000000000000004})
        EXPECT_EQ(NormaliseAzimuth(a), byTurns(a)) << a;
}

TEST(Cards, PlainDeckLayout)
{
    AntennaModel m = modelWith({wire(0, -5.035, 0, 0, 5.035, 0, 0.001, -1)}, 14.15);
    m.sources = {SourceRecord{1, WirePosition::Centre, 0, 1}};
    ConversionOptions o;
    const DeckCards cards = cardsOf(m, o);
    EXPECT_EQ(cards.error, "");
    EXPECT_EQ(cards.text,
              "CE\r\n"
              "GW 1 20 0 -5.035 0 0 5.035 0 0.001\r\n"
              "GS 0 0 1\r\n"
              "GE 0\r\n"
              "FR 0 1 0 0 14.15 0\r\n"
              "EX 0 1 10 0 1.0000 0.0000\r\n"
              "RP 0 1 360 1000 70 0 0 1\r\n"
              "RP 0 181 1 1000 90 0 -1 0\r\n"
              "EN");
    ASSERT_TRUE(cards.sommerfeldUsed.has_value());
    EXPECT_FALSE(*cards.sommerfeldUsed);
    EXPECT_EQ(cards.azimuthDeg, 0.0);
}

TEST(Cards, StackCopiesCarryLoadsCoatsMaterialAndSources)
{
    // N = 4, nY = 2, nZ = 3 centred: copies 1..5 carry tags 5..24.
    std::vector<WireRecord> wires(4, wire(0, -1, 0, 0, 1, 0, 0.001, 5));
    wires[1].radius = 0.002;
    AntennaModel m = modelWith(wires);
    m.stackPresent = true;
    m.stack = StackSpec{2, 3, 4, 6, 0};
    m.groundType = GroundType::RealGround;
    m.material = WireMaterial::Lossy3;
    m.sources = {SourceRecord{2, WirePosition::Centre, 0, 1}};
    m.loadCount = 1;
    m.loadSwitch = 1;
    m.loads = {LoadRecord{2, WirePosition::Begin, LoadType::Impedance, 0, 0, 0, 50, 25}};
    ConversionOptions o;
    ASSERT_EQ(coat::computeCoatParameters({2, 3, 3, 0, false, false, false}, o.coat), "");
    const DeckCards cards = cardsOf(m, o, 20);
    const std::vector<int> tags = {2, 6, 10, 14, 18, 22};
    const auto loads = cardsStartingWith(cards.text, "LD 4");
    const auto coats = cardsStartingWith(cards.text, "LD 2");
    const auto sources = cardsStartingWith(cards.text, "EX");
    ASSERT_EQ(loads.size(), tags.size());
    ASSERT_EQ(coats.size(), tags.size());
    ASSERT_EQ(sources.size(), tags.size());
    for (std::size_t k = 0; k < tags.size(); ++k) {
        const std::string tag = std::to_string(tags[k]);
        EXPECT_EQ(loads[k], "LD 4 " + tag + " 1 1 50 25");
        EXPECT_EQ(coats[k], "LD 2 " + tag + " 1 5 0 " + testfiles::cardField(coats[0], 6) + " 0");
        EXPECT_EQ(sources[k], "EX 0 " + tag + " 2 0 1.0000 0.0000");
    }
    EXPECT_EQ(cardsStartingWith(cards.text, "LD 5").size(), 24u);
    EXPECT_EQ(cardsStartingWith(cards.text, "LD 5")[1], "LD 5 5 0 0 25000000");
    EXPECT_EQ(cardsStartingWith(cards.text, "GM"),
              (std::vector<std::string>{"GM 0 0 0 0 0 0 -2 0 0", "GM 4 1 0 0 0 0 4 0 0", "GM 0 0 0 0 0 0 0 -6 0",
                                        "GM 8 2 0 0 0 0 0 6 0", "GM 0 0 0 0 0 0 0 20 0"}));
    // The coated wire gets the coat radius; the others keep theirs.
    EXPECT_EQ(cardsStartingWith(cards.text, "GW 2")[0], "GW 2 5 0 -1 0 0 1 0 0.003");
    EXPECT_EQ(cardsStartingWith(cards.text, "GW 1")[0], "GW 1 5 0 -1 0 0 1 0 0.001");
    EXPECT_EQ(cardsStartingWith(cards.text, "GN")[0], "GN 2 0 0 0 13 0.005");
    EXPECT_EQ(cards.sommerfeldUsed, true);

    // Mode 1 writes no Z shift card.
    m.stack.mode = 1;
    EXPECT_EQ(cardsStartingWith(cardsOf(m, o, 20).text, "GM").size(), 4u);
}

TEST(Cards, LoadResistanceFromQ)
{
    AntennaModel m = modelWith({wire(0, 0, 1, 0, 0, 7, 0.001, 4)}, 7.1);
    m.loadCount = 1;
    m.loadSwitch = 1;
    auto ldFor = [&](double l, double c, double q) {
        m.loads = {LoadRecord{1, WirePosition::Centre, LoadType::ParallelLcq, l, c, q, 0, 0}};
        return cardsStartingWith(cardsOf(m, ConversionOptions{}).text, "LD 1")[0];
    };
    EXPECT_EQ(ldFor(18.5, 0, 200), "LD 1 1 2 2 165059.278 1.85E-5 0");
    EXPECT_EQ(ldFor(10, 100, 50), "LD 1 1 2 2 15811.388 1E-5 1E-10"); // 50 * 1000 * sqrt(0.1)
    EXPECT_EQ(ldFor(0, 100, 100), "LD 1 1 2 2 22416.189 0 1E-10");    // Q / (2 pi f C 1e-6)
    EXPECT_EQ(ldFor(10, 100, 0), "LD 1 1 2 2 0 1E-5 1E-10");
    EXPECT_EQ(ldFor(0, 0, 100), "LD 1 1 2 2 0 0 0");
    m.loadSwitch = 0;
    EXPECT_TRUE(cardsStartingWith(cardsOf(m, ConversionOptions{}).text, "LD").empty());
}

TEST(Cards, GroundTypesMaterialsAndOptions)
{
    AntennaModel m = modelWith({wire(0, -5, 1, 0, 5, 1, 0.001, -1)});
    m.sources = {SourceRecord{1, WirePosition::End, 90, 2}, SourceRecord{1, WirePosition::Begin, 180, 1}};
    ConversionOptions o;
    o.useEK = true;
    o.groundEps = 7.5;
    o.groundSigma = 0.02;
    m.groundType = GroundType::PerfectGround;
    m.material = WireMaterial::Lossy5;
    DeckCards cards = cardsOf(m, o, 3);
    EXPECT_EQ(cardsStartingWith(cards.text, "GE")[0], "GE 1");
    EXPECT_EQ(cardsStartingWith(cards.text, "GN")[0], "GN 1");
    EXPECT_EQ(cardsStartingWith(cards.text, "EK").size(), 1u);
    EXPECT_EQ(cardsStartingWith(cards.text, "LD 5")[0], "LD 5 1 0 0 1388888");
    const auto ex = cardsStartingWith(cards.text, "EX");
    EXPECT_EQ(ex[0], "EX 0 1 20 0 0.0000 2.0000");
    EXPECT_EQ(ex[1], "EX 0 1 1 0 -1.0000 0.0000");
    m.groundType = GroundType::RealGround;
    o.perfectGround = true;
    cards = cardsOf(m, o, 3);
    EXPECT_EQ(cardsStartingWith(cards.text, "GN")[0], "GN 1");
    EXPECT_EQ(cards.sommerfeldUsed, false);
    o.perfectGround = false;
    cards = cardsOf(m, o, 3);
    EXPECT_EQ(cardsStartingWith(cards.text, "GN")[0], "GN 2 0 0 0 7.5 0.02");
    // An unknown ground type: GE 0, no GN card, the caller's flag untouched.
    m.groundType = static_cast<GroundType>(4);
    m.material = static_cast<WireMaterial>(9);
    cards = cardsOf(m, o, 3);
    EXPECT_EQ(cardsStartingWith(cards.text, "GE")[0], "GE 0");
    EXPECT_TRUE(cardsStartingWith(cards.text, "GN").empty());
    EXPECT_TRUE(cardsStartingWith(cards.text, "LD").empty());
    EXPECT_FALSE(cards.sommerfeldUsed.has_value());
    EXPECT_EQ(cardsStartingWith(cards.text, "GM")[0], "GM 0 0 0 0 0 0 0 3 0");

    // CSDVS: EX type 5 on an even segment count.
    o.useCSDVS = true;
    m.sources = {SourceRecord{1, WirePosition::Centre, 0, 1}};
    cards = cardsOf(m, o, 3);
    EXPECT_EQ(cardsStartingWith(cards.text, "GW")[0].substr(0, 8), "GW 1 20 ");
    EXPECT_EQ(cardsStartingWith(cards.text, "EX")[0], "EX 5 1 11 0 1.0000 0.0000");
    // Every line but "EN" ends with CR LF.
    const auto lines = deckLines(cards.text);
    EXPECT_EQ(lines.back(), "EN");
    EXPECT_EQ(cards.text.size() - lines.back().size(), cards.text.rfind("\r\n") + 2);
}

TEST(Cards, WritingStepsStopWithPartialDecks)
{
    AntennaModel m = modelWith({wire(0, -5, 1, 0, 5, 1, 0.001, 1), wire(0, -5, 2, 0, 5, 2, 0.001, 4)});
    m.sources = {SourceRecord{2, WirePosition::Centre, 0, 1}, SourceRecord{1, WirePosition::Centre, 0, 1}};
    ConversionOptions o;
    o.useCSDVS = true;
    Segmentation s = SegmentWires(m, o, kName);
    s.segments[0] = 1; // a wire of one segment cannot carry a CSDVS source
    DeckCards cards = WriteCards(m, s, 0, o);
    EXPECT_EQ(cards.error, "Segmentation of wire N 1 must be more dense.");
    EXPECT_TRUE(cards.text.ends_with("EX 5 2 2 0 1.0000 0.0000\r\n"));
    EXPECT_FALSE(cards.azimuthDeg.has_value());

    o.useCSDVS = false;
    o.azimuthDeg = -30;
    for (double theta : {181.0, -5.0, std::nan("")}) {
        o.thetaDeg = theta;
        cards = cardsOf(m, o);
        EXPECT_EQ(cards.error, "Error in elevation angle value.");
        EXPECT_TRUE(cards.text.ends_with("EX 0 1 1 0 1.0000 0.0000\r\n"));
        EXPECT_FALSE(cards.azimuthDeg.has_value());
    }
    o.thetaDeg = 180;
    cards = cardsOf(m, o);
    EXPECT_EQ(cards.error, "");
    EXPECT_EQ(cards.azimuthDeg, 330.0);
    EXPECT_EQ(cardsStartingWith(cards.text, "RP")[1], "RP 0 181 1 1000 90 330 -1 0");
}
