// The optimizer's plain parts: variables read from and written to GW cards, their
// refusals, the goals and their sum from typed results, and the NLopt searches on
// functions whose minimum is known.
#include "analyses/OptimizeGoals.h"
#include "analyses/OptimizeRun.h"
#include "analyses/OptimizeSearch.h"
#include "analyses/OptimizeVariables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <thread>

using namespace vrnnec;
using namespace vrnnec::analyses;

namespace {

const std::vector<std::string> kDeck = {
    "CM three wires",
    "CE",
    "GW 1 21 0 -5.25 0 0 5.25 0 0.001",
    "GW 2 11 1 0 0 4 4 0 0.002",
    "gw,3,5,  0,0,1, 0,0,1, .001",
    "GS 0 0 1",
    "GE 0",
    "FR 0 1 0 0 14.2 0",
    "EX 0 1 11 0 1.0000 0.0000",
    "RP 0 1 360 1000 70 0 0 1",
    "RP 0 181 1 1000 90 0 -1 0",
    "EN",
};

OptimizeVariable var(VariableKind kind, long long tag, double min, double max, char axis = 'x')
{
    return OptimizeVariable{kind, tag, axis, min, max};
}

} // namespace

TEST(OptimizeVariables, ParseReadsEachKindAndRefusesMalformedTexts)
{
    struct Case {
        const char* text;
        bool ok;
        VariableKind kind;
        long long tag;
        char axis;
        double min, max;
    };
    const Case cases[] = {
        {"length:1:9:11", true, VariableKind::Length, 1, 'x', 9, 11},
        {"move:2:z:-1.5:2.5", true, VariableKind::Move, 2, 'z', -1.5, 2.5},
        {"radius:3:0.0005:0.002", true, VariableKind::Radius, 3, 'x', 0.0005, 0.002},
        {"length:1:9", false, {}, 0, 0, 0, 0},
        {"move:2:w:1:2", false, {}, 0, 0, 0, 0},
        {"move:2:1:2", false, {}, 0, 0, 0, 0},
        {"width:1:1:2", false, {}, 0, 0, 0, 0},
        {"length:a:1:2", false, {}, 0, 0, 0, 0},
        {"length:1:1:2:3", false, {}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string message;
        const auto v = ParseVariable(c.text, message);
        ASSERT_EQ(v.has_value(), c.ok) << message;
        if (!c.ok) {
            EXPECT_NE(message.find(c.text), std::string::npos) << message;
            continue;
        }
        EXPECT_EQ(v->kind, c.kind);
        EXPECT_EQ(v->tag, c.tag);
        if (c.kind == VariableKind::Move) {
            EXPECT_EQ(v->axis, c.axis);
        }
        EXPECT_EQ(v->min, c.min);
        EXPECT_EQ(v->max, c.max);
    }
}

TEST(OptimizeVariables, RefusalsNameTheVariable)
{
    struct Case {
        OptimizeVariable variable;
        const char* expected; // the start of the message
    };
    const Case cases[] = {
        {var(VariableKind::Length, 7, 9, 11), "length 7: no GW card has the tag 7"},
        {var(VariableKind::Length, 1, 11, 11), "length 1: the minimum 11 m must be below the maximum 11 m"},
        {var(VariableKind::Move, 2, 5, 4, 'y'), "move 2 y: the minimum 5 m must be below"},
        {var(VariableKind::Length, 1, 11, 12), "length 1: its value in the deck, 10.5 m, is outside 11 to 12 m"},
        {var(VariableKind::Radius, 2, 0.003, 0.01), "radius 2: its value in the deck, 0.002 m, is outside"},
        {var(VariableKind::Move, 2, 3, 4, 'x'), "move 2 x: its value in the deck, 2.5 m, is outside"},
        {var(VariableKind::Radius, 1, 0, 0.01), "radius 1: the minimum must be above 0 m"},
        {var(VariableKind::Length, 3, 0.5, 2), "length 3: the wire has no length"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const std::string message = CheckVariables(kDeck, {c.variable});
        EXPECT_EQ(message.rfind(c.expected, 0), 0u) << message;
    }
    // Given twice, and a GW card that does not read.
    EXPECT_EQ(CheckVariables(kDeck, {var(VariableKind::Length, 1, 9, 11), var(VariableKind::Length, 1, 8, 12)}),
              "length 1: the variable is given twice.");
    std::vector<std::string> bad = kDeck;
    bad[2] = "GW 1 21 0 -5.25 0 0 abc 0 0.001";
    EXPECT_EQ(CheckVariables(bad, {var(VariableKind::Length, 1, 9, 11)}),
              "length 1: the GW card of the tag 1 does not read.");
    // A variable set that fits.
    EXPECT_EQ(CheckVariables(kDeck, {var(VariableKind::Length, 1, 9, 11), var(VariableKind::Move, 3, -1, 2, 'z'),
                                     var(VariableKind::Radius, 2, 0.001, 0.003)}),
              "");
}

TEST(OptimizeVariables, ApplyChangesOnlyTheNamedWires)
{
    struct Case {
        OptimizeVariable variable;
        double value;
        std::size_t line;
        const char* expected;
    };
    const Case cases[] = {
        // Symmetric about the centre, along the wire.
        {var(VariableKind::Length, 1, 9, 11), 10, 2, "GW 1 21 0 -5 0 0 5 0 0.001"},
        // An oblique wire of length 5 from (1,0,0) to (4,4,0), centre (2.5,2,0).
        {var(VariableKind::Length, 2, 1, 20), 10, 3, "GW 2 11 -0.5 -2 0 5.5 6 0 0.002"},
        {var(VariableKind::Move, 2, -5, 5, 'y'), -1, 3, "GW 2 11 1 -3 0 4 1 0 0.002"},
        {var(VariableKind::Move, 3, -5, 5, 'z'), 2.25, 4, "GW 3 5 0 0 2.25 0 0 2.25 0.001"},
        {var(VariableKind::Radius, 1, 0.0001, 0.01), 0.0025, 2, "GW 1 21 0 -5.25 0 0 5.25 0 0.0025"},
        // Rounded to nine significant digits.
        {var(VariableKind::Length, 1, 9, 11), 10.123456789123, 2, "GW 1 21 0 -5.0617284 0 0 5.0617284 0 0.001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const std::vector<std::string> out = ApplyVariables(kDeck, {c.variable}, {c.value});
        ASSERT_EQ(out.size(), kDeck.size());
        for (std::size_t i = 0; i < out.size(); ++i)
            EXPECT_EQ(out[i], i == c.line ? std::string(c.expected) : kDeck[i]) << i;
        EXPECT_NEAR(*VariableValue(out, c.variable), c.value, 1e-7);
    }
    // Two variables on one wire: the length keeps the moved centre.
    const std::vector<std::string> both = ApplyVariables(
        kDeck, {var(VariableKind::Move, 1, -5, 5, 'x'), var(VariableKind::Length, 1, 5, 15)}, {2, 12});
    EXPECT_EQ(both[2], "GW 1 21 2 -6 0 2 6 0 0.001");
}

TEST(OptimizeVariables, ResultLinesAndNames)
{
    EXPECT_EQ(VariableResultLine(var(VariableKind::Length, 1, 9, 11), 10.123), "length 1 = 10.123 m");
    EXPECT_EQ(VariableResultLine(var(VariableKind::Move, 4, 0, 9, 'z'), 7.5), "move 4 z = 7.5 m");
    EXPECT_EQ(VariableResultLine(var(VariableKind::Radius, 2, 0, 1), 0.0015), "radius 2 = 0.0015 m");
}

TEST(OptimizeGoals, ParseReadsTargetsAndWeights)
{
    struct Case {
        const char* text;
        bool ok;
        GoalKind kind;
        double target, weight;
    };
    const Case cases[] = {
        {"x:1", true, GoalKind::X, 1, 1},
        {"swr:0.5", true, GoalKind::Swr, 1, 0.5},
        {"swr:2:1", true, GoalKind::Swr, 2, 1},
        {"r:50:2", true, GoalKind::R, 50, 2},
        {"gain:1", true, GoalKind::Gain, 1, 1},
        {"fb:3", true, GoalKind::FrontToBack, 1, 3},
        {"r:1", false, {}, 0, 0},
        {"x:1:1", false, {}, 0, 0},
        {"fb", false, {}, 0, 0},
        {"swr:0.5:1", false, {}, 0, 0},
        {"gain:0", false, {}, 0, 0},
        {"gain:-1", false, {}, 0, 0},
        {"q:1", false, {}, 0, 0},
        {"swr:x:1", false, {}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string message;
        const auto goal = ParseGoal(c.text, message);
        ASSERT_EQ(goal.has_value(), c.ok) << message;
        if (!c.ok) {
            EXPECT_NE(message.find(c.text), std::string::npos) << message;
            continue;
        }
        EXPECT_EQ(goal->kind, c.kind);
        if (GoalHasTarget(c.kind)) {
            EXPECT_EQ(goal->target, c.target);
        }
        EXPECT_EQ(goal->weight, c.weight);
    }
}

TEST(OptimizeGoals, ValueSumsWeightedTerms)
{
    EvaluationValues values;
    values.r = 60;
    values.x = -25;
    values.swr = 1.8;
    values.gain = 7.5;
    values.frontToBack = 20;
    const engine::SwrReference ref{50, 0};
    struct Case {
        std::vector<OptimizeGoal> goals;
        double expected;
    };
    const Case cases[] = {
        {{{GoalKind::X, 1, 1}}, 0.5},
        {{{GoalKind::X, 1, 2}}, 1.0},
        {{{GoalKind::R, 50, 1}}, 0.2},
        {{{GoalKind::Swr, 1, 1}}, 0.8},
        {{{GoalKind::Swr, 2, 1}}, 0},
        {{{GoalKind::Gain, 1, 1}}, -7.5},
        {{{GoalKind::FrontToBack, 1, 0.5}}, -10},
        {{{GoalKind::FrontToBack, 1, 1}, {GoalKind::Swr, 1.5, 2}}, -20 + 0.6},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(GoalValue(c.goals, values, ref), c.expected, 1e-12);
    // Against a reference of 75 ohm, and with a value missing.
    EXPECT_NEAR(GoalValue({{GoalKind::X, 1, 1}}, values, {75, 0}), 25.0 / 75, 1e-12);
    EvaluationValues none;
    none.swr = 1.2;
    EXPECT_EQ(GoalValue({{GoalKind::Swr, 1, 1}, {GoalKind::Gain, 1, 1}}, none, ref), kFailedGoal);
}

TEST(OptimizeGoals, ValuesComeFromTheTypedListing)
{
    engine::ListingData listing;
    listing.blocks.resize(1);
    engine::SourceRow row;
    row.impedanceReal = 50;
    row.impedanceImaginary = 50;
    listing.blocks[0].sources.push_back(row);
    listing.stage = engine::ReadingStage::ElevationPattern; // no pattern read
    EvaluationValues v = ValuesOfRun(listing, {50, 0});
    EXPECT_EQ(v.r, 50);
    EXPECT_EQ(v.x, 50);
    EXPECT_NEAR(*v.swr, 2.618, 1e-3);
    EXPECT_FALSE(v.gain);

    // With both cuts: 10 dBi ahead (azimuth 0), -2 dBi behind.
    listing.stage = engine::ReadingStage::Complete;
    listing.opened = true;
    listing.blocks[0].frequency = 14;
    listing.blocks[0].wavelength = 21.4;
    listing.blocks[0].environmentFound = true;
    for (int k = 0; k < 360; ++k) {
        engine::PatternRow p;
        p.theta = 70;
        p.phi = k;
        p.totalGain = k == 0 ? 10 : k == 180 ? -2 : 0;
        listing.blocks[0].patterns.azimuth.push_back(p);
    }
    for (int m = 0; m < 181; ++m) {
        engine::PatternRow p;
        p.theta = 90 - m;
        p.phi = 0;
        p.totalGain = m == 20 ? 10.5 : 0;
        listing.blocks[0].patterns.elevation.push_back(p);
    }
    v = ValuesOfRun(listing, {50, 0});
    EXPECT_EQ(v.gain, 10.5);
    EXPECT_EQ(v.frontToBack, 12);

    // A band: the largest SWR, and R and X of the middle point.
    engine::SweepListing sweep;
    for (double x : {-80.0, 0.0, 30.0}) {
        engine::SweepBlock block;
        engine::SourceRow s;
        s.impedanceReal = 50;
        s.impedanceImaginary = x;
        block.sources.push_back(s);
        sweep.blocks.push_back(block);
    }
    AddValuesOfSweep(v, sweep, {50, 0});
    EXPECT_EQ(v.x, 0);
    EXPECT_NEAR(*v.swr, 4.329, 0.001);
}

TEST(OptimizeSearch, FindsTheMinimumOfKnownFunctions)
{
    struct Case {
        const char* name;
        SearchMethod method;
        int searches;
        std::vector<double> start, lower, upper, minimum;
        std::function<double(const std::vector<double>&)> f;
        double tolerance;
    };
    const auto bowl = [](const std::vector<double>& p) {
        return std::fabs(p[0] - 10.3) * 3; // a V like |X| against a length
    };
    const auto twoD = [](const std::vector<double>& p) {
        return (p[0] - 1) * (p[0] - 1) + 4 * (p[1] + 0.5) * (p[1] + 0.5);
    };
    // Two valleys: the local method from 0.3 stays in the nearer, shallower one, the
    // global one finds the deeper.
    const auto valleys = [](const std::vector<double>& p) {
        return std::min((p[0] - 0.2) * (p[0] - 0.2), (p[0] - 0.85) * (p[0] - 0.85) - 0.1);
    };
    const Case cases[] = {
        {"V, local", SearchMethod::Local, 1, {9.2}, {9}, {11}, {10.3}, bowl, 1e-4},
        {"V, local, three at once", SearchMethod::Local, 3, {9.2}, {9}, {11}, {10.3}, bowl, 1e-4},
        {"bowl, local", SearchMethod::Local, 2, {0, 0}, {-2, -2}, {2, 2}, {1, -0.5}, twoD, 1e-3},
        {"valleys, local", SearchMethod::Local, 1, {0.3}, {0}, {1}, {0.2}, valleys, 1e-3},
        {"valleys, global", SearchMethod::Global, 2, {0.3}, {0}, {1}, {0.85}, valleys, 1e-3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchSettings s;
        s.method = c.method;
        s.searches = c.searches;
        s.start = c.start;
        s.lower = c.lower;
        s.upper = c.upper;
        s.maxEvaluations = 400;
        std::atomic<bool> stop{false};
        std::mutex mutex;
        int calls = 0;
        const SearchResult r = RunSearch(
            s,
            [&](const std::vector<double>& p) {
                std::lock_guard lock(mutex);
                ++calls;
                for (std::size_t k = 0; k < p.size(); ++k) {
                    EXPECT_GE(p[k], c.lower[k]);
                    EXPECT_LE(p[k], c.upper[k]);
                }
                return c.f(p);
            },
            stop);
        ASSERT_TRUE(r.evaluated);
        EXPECT_EQ(r.evaluations, calls);
        EXPECT_LE(calls, 400);
        for (std::size_t k = 0; k < c.minimum.size(); ++k)
            EXPECT_NEAR(r.best[k], c.minimum[k], c.tolerance) << k;
        EXPECT_EQ(r.bestValue, c.f(r.best));
    }
}

TEST(OptimizeSearch, KeepsToTheBudgetAndStops)
{
    SearchSettings s;
    s.method = SearchMethod::Global;
    s.searches = 3;
    s.start = {0.5, 0.5};
    s.lower = {0, 0};
    s.upper = {1, 1};
    s.maxEvaluations = 25;
    std::atomic<bool> stop{false};
    std::atomic<int> calls{0};
    const auto f = [&](const std::vector<double>& p) {
        ++calls;
        return std::sin(7 * p[0]) + std::cos(5 * p[1]);
    };
    EXPECT_EQ(RunSearch(s, f, stop).evaluations, 25);
    EXPECT_EQ(calls, 25);

    // A stop during the run: no evaluation starts after it.
    calls = 0;
    s.maxEvaluations = 10000;
    const auto stopping = [&](const std::vector<double>& p) {
        if (++calls == 30)
            stop = true;
        return p[0];
    };
    const SearchResult r = RunSearch(s, stopping, stop);
    EXPECT_LE(calls.load(), 30 + 3);
    EXPECT_EQ(r.evaluations, calls.load());

    // The searches after the first start elsewhere, inside the unit cube.
    const std::vector<double> a = SearchStart({0.5, 0.5}, 0), b = SearchStart({0.5, 0.5}, 1);
    EXPECT_EQ(a, (std::vector<double>{0.5, 0.5}));
    EXPECT_NE(b, a);
    for (double u : b) {
        EXPECT_GE(u, 0);
        EXPECT_LT(u, 1);
    }
}

// Apply puts only the changed wires, found as they were, into the deck as it is now.
TEST(OptimizeApply, MergesTheChangedWiresIntoTheDeckAsItIsNow)
{
    const std::vector<std::string> best = ApplyVariables(kDeck, {var(VariableKind::Length, 2, 1, 9)}, {6});
    ASSERT_NE(best[3], kDeck[3]);
    struct Case {
        const char* name;
        std::vector<std::string> current;
        int wireLine; // where the changed wire lands; -1: refused
    };
    std::vector<std::string> comment = kDeck, inserted = kDeck, changedWire = kDeck, twice = kDeck;
    comment[0] = "CM my three wires";
    inserted.insert(inserted.begin() + 2, "GW 9 3 0 0 0 0 0 1 0.001");
    changedWire[3] = "GW 2 31 1 0 0 4 4 0 0.002";
    twice.push_back(kDeck[3]); // after EN: the nearer one is the wire
    const Case cases[] = {
        {"comment changed", comment, 3},
        {"wire inserted before", inserted, 4},
        {"same line twice", twice, 3},
        {"the wire itself changed", changedWire, -1},
        {"another deck", {"CM", "CE", "GW 2 5 0 0 0 0 0 1 0.001", "EN"}, -1},
    };
    for (const Case& c : cases) {
        std::string message;
        const auto merged = MergeBestDeck(c.current, kDeck, best, message);
        if (c.wireLine < 0) {
            EXPECT_FALSE(merged) << c.name;
            EXPECT_TRUE(message.starts_with("The wire with tag 2 is no longer in the NEC-2 input")) << c.name << message;
            continue;
        }
        ASSERT_TRUE(merged) << c.name;
        std::vector<std::string> expected = c.current;
        expected[static_cast<std::size_t>(c.wireLine)] = best[3];
        EXPECT_EQ(*merged, expected) << c.name;
    }

    // The card table's rows: the same rule, row for row.
    const auto rows = editor::LoadDeckTable(kDeck, '.');
    ASSERT_TRUE(rows);
    std::vector<editor::CardRow> edited = *rows;
    edited.back()[2] = "7"; // some other row edited in the table
    std::string message;
    const auto merged = MergeBestRows(edited, kDeck, best, '.', message);
    ASSERT_TRUE(merged && merged->size() == edited.size());
    const std::size_t wire = std::ranges::find_if(edited, [](const auto& r) { return r[0] == "GW" && r[1] == "2"; })
                             - edited.begin();
    ASSERT_NE((*merged)[wire], edited[wire]);
    edited[wire] = (*merged)[wire];
    EXPECT_EQ(*merged, edited);
    edited[wire][2] = "31"; // the wire itself changed in the table
    EXPECT_FALSE(MergeBestRows(edited, kDeck, best, '.', message));
}

// Frequency and band settings refused before any evaluation, each with its message.
TEST(OptimizePlan, RefusesSettingsTheEvaluationsCannotRun)
{
    ASSERT_TRUE(kDeck[7].starts_with("FR"));
    std::vector<std::string> noFrequency = kDeck, negative = kDeck;
    noFrequency.erase(noFrequency.begin() + 7);
    negative[7] = "FR 0 1 0 0 -14.2 0";
    struct Case {
        const char* name;
        const std::vector<std::string>* deck;
        std::optional<double> centre;
        double bandKHz;
        int points, goals; // goals: how many (of the default kind)
        std::string message;
    };
    const Case cases[] = {
        {"the deck's frequency", &kDeck, std::nullopt, 0, 3, 1, ""},
        {"a centre, no FR card", &noFrequency, 14.2, 0, 3, 1, ""},
        {"a band", &kDeck, std::nullopt, 500, 5, 1, ""},
        {"no FR card, no centre", &noFrequency, std::nullopt, 0, 3, 1,
         "The deck has no FR card to take the frequency from: please enter the centre frequency."},
        {"negative FR card", &negative, std::nullopt, 0, 3, 1, "Check value of frequency!"},
        {"centre 0", &kDeck, 0.0, 0, 3, 1, "Check value of frequency!"},
        {"negative band", &kDeck, std::nullopt, -5, 3, 1, "Incorrect value of Band Width!"},
        {"band below 0 MHz", &kDeck, 0.1, 500, 3, 1, "Incorrect value of Band Width!"},
        {"even points", &kDeck, std::nullopt, 500, 4, 1, "Incorrect value of points!"},
        {"no goal", &kDeck, std::nullopt, 0, 3, 0, "At least one goal is needed."},
    };
    for (const Case& c : cases) {
        OptimizeSettings settings;
        settings.centre = c.centre;
        settings.bandKHz = c.bandKHz;
        settings.points = c.points;
        EvaluationPlan plan;
        const std::vector<OptimizeGoal> goals(static_cast<std::size_t>(c.goals));
        EXPECT_EQ(PlanEvaluations(*c.deck, goals, settings, plan), c.message) << c.name;
    }
}
