#include "app/GroundModel.h"

#include <gtest/gtest.h>

using namespace vrnnec;

namespace {

std::vector<std::string> presetItems()
{
    std::vector<std::string> items;
    for (const ground::Preset& preset : ground::presets())
        items.emplace_back(preset.text);
    return items;
}

TEST(GroundModel, PresetsInListOrder)
{
    const auto& list = ground::presets();
    ASSERT_EQ(list.size(), 12u);
    EXPECT_EQ(list[0].text, "Extremely poor (Eps=3, Sigma=1)");
    EXPECT_EQ(list[5].text, ground::kDefaultPresetText);
    EXPECT_EQ(list[7].text, "Marshy land (Eps=12, Sigma=7.5)");
    EXPECT_EQ(list[11].text, "Sea salt water (Eps=80, Sigma=5000)");
    EXPECT_DOUBLE_EQ(list[2].eps, 30);
    EXPECT_DOUBLE_EQ(list[9].sigma, 30);
}

TEST(GroundModel, EveryPresetTextNamesItsValues)
{
    for (const ground::Preset& preset : ground::presets()) {
        std::string eps;
        std::string sigma;
        const int index = ground::findItem(presetItems(), preset.text);
        ASSERT_TRUE(ground::presetFieldTexts(index, '.', eps, sigma)) << preset.text;
        const std::string expected = "(Eps=" + eps + ", Sigma=" + sigma + ")";
        EXPECT_NE(std::string(preset.text).find(expected), std::string::npos) << preset.text;
    }
}

TEST(GroundModel, PresetTextsUseShortestGeneralWithTheSeparator)
{
    std::string eps;
    std::string sigma;
    ASSERT_TRUE(ground::presetFieldTexts(7, '.', eps, sigma));
    EXPECT_EQ(eps, "12");
    EXPECT_EQ(sigma, "7.5");
    ASSERT_TRUE(ground::presetFieldTexts(7, ',', eps, sigma));
    EXPECT_EQ(sigma, "7,5");
    ASSERT_TRUE(ground::presetFieldTexts(11, ',', eps, sigma));
    EXPECT_EQ(eps, "80");
    EXPECT_EQ(sigma, "5000");
}

TEST(GroundModel, IndexOutsideThePresetsLeavesTheTexts)
{
    std::string eps = "keep";
    std::string sigma = "these";
    EXPECT_FALSE(ground::presetFieldTexts(-1, '.', eps, sigma));
    EXPECT_FALSE(ground::presetFieldTexts(12, '.', eps, sigma));
    EXPECT_EQ(eps, "keep");
    EXPECT_EQ(sigma, "these");
}

TEST(GroundModel, LookupStopsAtEqualOrEmptyItem)
{
    const std::vector<std::string> items{"a", "b", "", "c"};
    EXPECT_EQ(ground::findItem(items, "a"), 0);
    EXPECT_EQ(ground::findItem(items, "b"), 1);
    EXPECT_EQ(ground::findItem(items, "c"), -1); // behind the empty item
    EXPECT_EQ(ground::findItem(items, "x"), -1);
    EXPECT_EQ(ground::findItem(items, ""), 2);
    EXPECT_EQ(ground::findItem(presetItems(), "Average (Eps=13, Sigma=5) "), -1);
    EXPECT_EQ(ground::findItem(presetItems(), "average (Eps=13, Sigma=5)"), -1);
    EXPECT_EQ(ground::findItem({}, "a"), -1);
}

TEST(GroundModel, GroundTypeLeavesItsChoices)
{
    using antenna::GroundType;
    ground::ControlsState before;
    before.eps = "7";
    before.perfectChecked = false;
    before.sommerfeldChecked = true;
    const struct {
        GroundType type;
        bool perfect, sommerfeld, open;
    } cases[] = {
        {GroundType::FreeSpace, false, false, false},
        {GroundType::PerfectGround, true, false, false},
        {GroundType::RealGround, true, true, true},
    };
    for (const auto& c : cases) {
        const ground::ControlsState s = ground::ForGroundType(before, c.type);
        EXPECT_EQ(s.perfectEnabled, c.perfect) << static_cast<int>(c.type);
        EXPECT_EQ(s.sommerfeldEnabled, c.sommerfeld) << static_cast<int>(c.type);
        EXPECT_EQ(s.sommerfeldChecked, c.sommerfeld) << static_cast<int>(c.type);
        EXPECT_EQ(s.perfectChecked, !c.sommerfeld) << static_cast<int>(c.type);
        EXPECT_TRUE(s.epsEnabled == c.open && s.sigmaEnabled == c.open && s.standardEnabled == c.open);
        EXPECT_EQ(s.eps, "7");
    }
}

} // namespace
