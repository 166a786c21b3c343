#include "editor/PatternCards.h"

#include <gtest/gtest.h>

using namespace vrnnec;
using namespace vrnnec::editor;

using Lines = std::vector<std::string>;

namespace {

struct PairCase {
    const char* name;
    Lines deck;
    bool ok;
    int azimuthMode;
    int elevationMode;
    std::size_t attentionLines;
};

class PairCheckTest : public ::testing::TestWithParam<PairCase> {};

TEST_P(PairCheckTest, RecognisesTheDirectPair)
{
    const PairCase& c = GetParam();
    const RPPairCheck check = CheckRPPair(c.deck);
    EXPECT_EQ(check.ok, c.ok);
    EXPECT_EQ(check.azimuthMode, c.azimuthMode);
    EXPECT_EQ(check.elevationMode, c.elevationMode);
    EXPECT_EQ(check.attentionLines().size(), c.attentionLines);
}

const std::string kAz0 = "RP 0 1 360 1000 70 0 0 1";
const std::string kEl0 = "RP 0 181 1 1000 90 0 -1 0";

INSTANTIATE_TEST_SUITE_P(
    Decks, PairCheckTest,
    ::testing::Values(
        PairCase{"pair", {"CM", "GW 1", kAz0, kEl0, "EN"}, true, 0, 0, 0},
        PairCase{"commentBetween", {"CM", kAz0, "CM x", kEl0, "EN"}, false, 0, 0, 0},
        PairCase{"trailingBlank", {"CM", kAz0 + " ", kEl0, "EN"}, false, 0, 0, 0},
        PairCase{"missing", {"CM", "GW 1", "EN"}, false, -1, -1, 0},
        PairCase{"pairOnFirstLineIgnored", {kAz0, kEl0, "EN"}, false, -1, 0, 3},
        PairCase{"modes3", {"CM", "RP 3 1 360 1000 70 0 0 1", "RP 3 181 1 1000 90 0 -1 0", "EN"}, true, 3, 3, 0},
        PairCase{"modes1", {"CM", "RP 1 1 360 1000 70 0 0 1", "RP 1 181 1 1000 90 0 -1 0", "EN"}, true, 1, 1, 3},
        PairCase{"modesDiffer", {"CM", "RP 2 1 360 1000 70 0 0 1", "RP 4 181 1 1000 90 0 -1 0", "EN"}, true, 2, 4, 3},
        PairCase{"lowerCase", {"CM", "rp 0 1 360 1000 70 0 0 1", "rp 0 181 1 1000 90 0 -1 0", "EN"}, true, 0, 0, 0},
        PairCase{"reversed", {"CM", kEl0, kAz0, "EN"}, false, 0, 0, 0},
        PairCase{"twoPairs", {"CM", kAz0, kEl0, kAz0, kEl0, "EN"}, false, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RewriteCase {
    const char* name;
    Lines deck;
    bool modeZeroElevationCounts;
    Lines expected;
    std::optional<std::string> message;
};

class RewriteTest : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteTest, EndsWithThePairAndEN)
{
    const RewriteCase& c = GetParam();
    Lines lines = c.deck;
    const RPRewrite r = RewriteRPCards(lines, 70, 0, c.modeZeroElevationCounts);
    EXPECT_EQ(lines, c.expected);
    EXPECT_EQ(r.modeMessage, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Decks, RewriteTest,
    ::testing::Values(
        RewriteCase{"plain",
                    {"CM a", "GW 1", "RP 0 1 360 1000 10 0 0 1", "EN"},
                    true,
                    {"CM a", "GW 1", kAz0, kEl0, "EN"},
                    std::nullopt},
        RewriteCase{"linesAfterEN",
                    {"CM a", "EN", "XQ", "rp 0 1 1 1000 0 0 0 0", "en"},
                    true,
                    {"CM a", "XQ", kAz0, kEl0, "EN"},
                    std::nullopt},
        RewriteCase{"modes2and4",
                    {"CM", "RP 2 1 360 1000 70 0 0 1", "RP 4 181 1 1000 90 0 -1 0", "EN"},
                    false,
                    {"CM", "RP 4 1 360 1000 70 0 0 1", "RP 4 181 1 1000 90 0 -1 0", "EN"},
                    "All RP cards will be as RP 4 ...."},
        RewriteCase{"elevation0NotCounting",
                    {"CM", "RP 2 1 360 1000 70 0 0 1", "RP 0 181 1 1000 90 0 -1 0", "EN"},
                    false,
                    {"CM", "RP 2 1 360 1000 70 0 0 1", "RP 2 181 1 1000 90 0 -1 0", "EN"},
                    std::nullopt},
        RewriteCase{"elevation0Counting",
                    {"CM", "RP 2 1 360 1000 70 0 0 1", "RP 0 181 1 1000 90 0 -1 0", "EN"},
                    true,
                    {"CM", kAz0, kEl0, "EN"},
                    "All RP cards will be as RP 0 ...."},
        RewriteCase{"azimuth0NeverRecognised",
                    {"CM", "RP 5 1 360 1000 70 0 0 1", "RP 0 1 360 1000 70 0 0 1", "EN"},
                    false,
                    {"CM", "RP 5 1 360 1000 70 0 0 1", "RP 5 181 1 1000 90 0 -1 0", "EN"},
                    std::nullopt},
        RewriteCase{"lowerCaseMode6",
                    {"CM", "rp 6 1 360 1000 70 0 0 1", "rp 6 181 1 1000 90 0 -1 0", "en"},
                    true,
                    {"CM", "RP 6 1 360 1000 70 0 0 1", "RP 6 181 1 1000 90 0 -1 0", "EN"},
                    std::nullopt},
        RewriteCase{"trailingBlankRemoved", {"CM", kAz0 + " ", "EN"}, true, {"CM", kAz0, kEl0, "EN"}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PatternCards, CardTextsWriteAnglesInGeneralForm)
{
    EXPECT_EQ(AzimuthCard(0, 70), "RP 0 1 360 1000 70 0 0 1");
    EXPECT_EQ(AzimuthCard(3, 67.5), "RP 3 1 360 1000 67.5 0 0 1");
    EXPECT_EQ(ElevationCard(0, 0), "RP 0 181 1 1000 90 0 -1 0");
    EXPECT_EQ(ElevationCard(2, 12.25), "RP 2 181 1 1000 90 12.25 -1 0");
}

struct AngleCase {
    double elevation;
    double azimuth;
    bool ok;
};

class AngleRuleTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(AngleRuleTest, AcceptsTheClosedRanges)
{
    EXPECT_EQ(AnglesAcceptable(GetParam().elevation, GetParam().azimuth), GetParam().ok);
}

INSTANTIATE_TEST_SUITE_P(Angles, AngleRuleTest,
                         ::testing::Values(AngleCase{90, 360, true}, AngleCase{0, 0, true}, AngleCase{20, 0, true},
                                           AngleCase{90.5, 0, false}, AngleCase{-0.5, 0, false},
                                           AngleCase{20, -1, false}, AngleCase{20, 360.5, false}));

struct FrequencyCase {
    Lines deck;
    bool several;
};

class FrequencyTest : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(FrequencyTest, RefusesAStepCountOtherThanOne)
{
    EXPECT_EQ(AsksForSeveralFrequencies(GetParam().deck), GetParam().several);
}

INSTANTIATE_TEST_SUITE_P(Decks, FrequencyTest,
                         ::testing::Values(FrequencyCase{{"CM", "FR 0 1 0 0 14 0", "EN"}, false},
                                           FrequencyCase{{"CM", "FR 0 0 0 0 14 0", "EN"}, false},
                                           FrequencyCase{{"CM", "FR 0 3 0 0 14 0.1", "EN"}, true},
                                           FrequencyCase{{"CM", "fr 0 3 0 0 14 0.1", "EN"}, true},
                                           FrequencyCase{{"CM", "FR,0,2,0,0,14,0.1", "EN"}, true},
                                           FrequencyCase{{"CM", "GW 1 3 0 0 0 0 0 1 0.001", "EN"}, false},
                                           // Two FR cards ask for two frequencies, one each.
                                           FrequencyCase{{"CM", "FR 0 1 0 0 14 0", "XQ", "FR 0 1 0 0 21 0", "EN"},
                                                         true},
                                           FrequencyCase{{"CM", "FR 0 1 0 0 14 0", "EN", "FR 0 1 0 0 21 0"}, false}));

TEST(PatternCards, CompleteAngleTexts)
{
    EXPECT_FALSE(IsCompleteAngleText("", ','));
    EXPECT_FALSE(IsCompleteAngleText("-", ','));
    EXPECT_FALSE(IsCompleteAngleText("+", ','));
    EXPECT_FALSE(IsCompleteAngleText(",", ','));
    EXPECT_TRUE(IsCompleteAngleText(".", ','));
    EXPECT_TRUE(IsCompleteAngleText("-5", ','));
}

} // namespace
