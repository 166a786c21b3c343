// The library side of the dielectric coat: shrink, radius match and the coat load.
#include "converter/CoatTransform.h"
#include "common/CoatParameters.h"
#include "converter/DeckWriter.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace vrnnec;

using namespace vrn;
using coat::CoatParameters;

namespace {

CoatParameters settingsFrom(const coat::CoatInputs& inputs)
{
    CoatParameters p;
    EXPECT_EQ(coat::computeCoatParameters(inputs, p), "");
    return p;
}

} // namespace

TEST(CoatTransform, ShrinkKeepsFiveDecimalsOnChosenAxes)
{
    CoatParameters coat = settingsFrom({1, 2, 3, 2.5, true, true, false});
    EXPECT_DOUBLE_EQ(coat.shrinkFactor, 0.975);
    std::vector<WireRecord> wires = {WireRecord{1.23456, -1.23456, 1.23456, 0, 10, 7.777777, 0.001, -1}};
    ApplyShrink(wires, coat);
    EXPECT_EQ(wires[0].x1, 1.2037);
    EXPECT_EQ(wires[0].y1, -1.2037);
    EXPECT_EQ(wires[0].z1, 1.23456);
    EXPECT_EQ(wires[0].y2, 9.75);
    EXPECT_EQ(wires[0].z2, 7.777777);
    // A factor of 1 still puts the chosen axes on the 0.01 mm grid.
    coat = settingsFrom({1, 2, 3, 0, false, false, true});
    ApplyShrink(wires, coat);
    EXPECT_EQ(wires[0].z2, 7.77778);
    EXPECT_EQ(wires[0].x1, 1.2037);
    EXPECT_EQ(ShrinkCoordinate(-1.234567, 1), -1.23457);
    EXPECT_EQ(ShrinkCoordinate(-1.234564, 1), -1.23456);
    // The plain calculation switches the shrink off.
    wires = {WireRecord{1.234567, 0, 0, 0, 0, 1, 0.001, -1}};
    ApplyShrink(wires, CoatParameters{});
    EXPECT_EQ(wires[0].x1, 1.234567);
}

TEST(CoatTransform, RadiusMatch)
{
    EXPECT_TRUE(IsCoated(0.0008, settingsFrom({0.8, 1, 3})));
    EXPECT_FALSE(IsCoated(0.00081, settingsFrom({0.8, 1, 3})));
    // 0.017 mm * 0.001 differs from 0.000017 in the last bit; it is still the same radius.
    ASSERT_NE(0.017 * 0.001, 0.000017);
    EXPECT_TRUE(IsCoated(0.000017, settingsFrom({0.017, 1, 3})));
    EXPECT_FALSE(IsCoated(0.001, CoatParameters{}));
}

TEST(CoatTransform, CoatLoadAndRadiusInTheDeck)
{
    AntennaModel m;
    m.frequency = 14;
    m.densityDm2 = 40;
    m.wires = {WireRecord{0, -5, 1, 0, 5, 1, 0.001, 4}, WireRecord{1, -5, 1, 1, 5, 1, 0.0015, 4}};
    conversion::ConversionOptions o;
    o.coat = settingsFrom({1, 2, 3});
    const Segmentation s = SegmentWires(m, o, "a.vrn");
    std::string deck = WriteCards(m, s, 0, o).text;
    EXPECT_EQ(testfiles::cardsStartingWith(deck, "LD"), std::vector<std::string>{"LD 2 1 1 4 0 8.74274E-08 0"});
    EXPECT_EQ(testfiles::cardsStartingWith(deck, "GW 1")[0], "GW 1 4 0 -5 1 0 5 1 0.002");
    EXPECT_EQ(testfiles::cardsStartingWith(deck, "GW 2")[0], "GW 2 4 1 -5 1 1 5 1 0.0015");
    // Rw = Rc: no inductance, the same radius again.
    o.coat = settingsFrom({1.5, 1.5, 3});
    deck = WriteCards(m, s, 0, o).text;
    EXPECT_TRUE(testfiles::cardsStartingWith(deck, "LD").empty());
    EXPECT_EQ(testfiles::cardsStartingWith(deck, "GW 2")[0], "GW 2 4 1 -5 1 1 5 1 0.0015");
    // A small positive inductance for eps just above the limit.
    o.coat = settingsFrom({1, 2, 1.11});
    EXPECT_GT(o.coat.inductance, 0);
    EXPECT_LT(o.coat.inductance, 1e-9);
    EXPECT_EQ(testfiles::cardsStartingWith(WriteCards(m, s, 0, o).text, "LD 2").size(), 1u);
}
