// What the optimizer aims at: goals with weights (and targets), summed into one value to
// make as small as possible. The values come from the typed results of the listing: the
// parse of a single-frequency run and, for a band, the parse of the sweep. Plain C++.
#pragma once

#include "engine/ListingData.h"
#include "engine/SweepListing.h"
#include "engine/Swr.h"

#include <optional>
#include <string>
#include <vector>

namespace vrnnec::analyses {

enum class GoalKind { Swr, X, R, Gain, FrontToBack };

struct OptimizeGoal {
    GoalKind kind = GoalKind::Swr;
    double target = 1; // SWR or ohm; unused by x, gain and fb
    double weight = 1;
};

// "swr", "x", "r", "gain", "fb".
std::string GoalKindName(GoalKind kind);
std::optional<GoalKind> GoalKindFromName(const std::string& name);
bool GoalHasTarget(GoalKind kind);
// Whether the goal needs the pattern cuts of a single-frequency run.
bool GoalNeedsPattern(GoalKind kind);

// "KIND[:TARGET]:WEIGHT": "x:1", "swr:2:1", "r:50:1", "gain:1", "fb:0.5". swr takes an
// optional target (default 1), r needs one; the weight must be above 0.
std::optional<OptimizeGoal> ParseGoal(const std::string& text, std::string& message);

// The value every failed evaluation counts as.
inline constexpr double kFailedGoal = 1e6;
// An SWR without a finite value counts as this.
inline constexpr double kInfiniteSwr = 1e4;

// What one evaluation computed, all of the first source. Unset values were not asked for
// or could not be read.
struct EvaluationValues {
    std::optional<double> r, x;   // ohm, at the centre frequency
    std::optional<double> swr;    // at the centre, or the largest over the band
    std::optional<double> gain;   // dBi, the larger maximum of the two cuts
    std::optional<double> frontToBack; // dB
};

// The values of a single-frequency run's parse (r, x, swr at its frequency; gain and
// front-to-back when its pattern cuts were read).
EvaluationValues ValuesOfRun(const engine::ListingData& listing, engine::SwrReference reference);
// Adds the values of a band's sweep: the largest SWR over the band, and r and x of its
// centre point (the middle of an odd number of points).
void AddValuesOfSweep(EvaluationValues& values, const engine::SweepListing& sweep, engine::SwrReference reference);

// The sum of the weighted goal terms: swr max(0, SWR - target), x |X| / R0,
// r |R - target| / R0, gain -G, fb -F/B. kFailedGoal when a needed value is missing.
double GoalValue(const std::vector<OptimizeGoal>& goals, const EvaluationValues& values,
                 const engine::SwrReference& reference);

} // namespace vrnnec::analyses
