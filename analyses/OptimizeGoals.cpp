#include "analyses/OptimizeGoals.h"

#include "common/SplitText.h"

#include "analyses/OptimizeVariables.h"
#include "engine/ListingReader.h"

#include "common/NumberText.h"

#include <algorithm>
#include <cmath>

namespace vrnnec::analyses {

namespace {

double finiteSwr(double swr)
{
    return std::isfinite(swr) ? swr : kInfiniteSwr;
}

} // namespace

std::string GoalKindName(GoalKind kind)
{
    switch (kind) {
    case GoalKind::Swr:
        return "swr";
    case GoalKind::X:
        return "x";
    case GoalKind::R:
        return "r";
    case GoalKind::Gain:
        return "gain";
    default:
        return "fb";
    }
}

std::optional<GoalKind> GoalKindFromName(const std::string& name)
{
    for (GoalKind kind : {GoalKind::Swr, GoalKind::X, GoalKind::R, GoalKind::Gain, GoalKind::FrontToBack})
        if (GoalKindName(kind) == name)
            return kind;
    return std::nullopt;
}

bool GoalHasTarget(GoalKind kind)
{
    return kind == GoalKind::Swr || kind == GoalKind::R;
}

bool GoalNeedsPattern(GoalKind kind)
{
    return kind == GoalKind::Gain || kind == GoalKind::FrontToBack;
}

std::optional<OptimizeGoal> ParseGoal(const std::string& text, std::string& message)
{
    const std::vector<std::string> p = splittext::At(text, ':');
    const auto kind = p.empty() ? std::nullopt : GoalKindFromName(p[0]);
    if (!kind) {
        message = "Unknown goal in \"" + text + "\" (swr, x, r, gain or fb).";
        return std::nullopt;
    }
    OptimizeGoal goal;
    goal.kind = *kind;
    const bool targetGiven = p.size() == 3;
    const bool shapeOk = *kind == GoalKind::Swr ? (p.size() == 2 || p.size() == 3)
                         : *kind == GoalKind::R ? p.size() == 3
                                                : p.size() == 2;
    if (!shapeOk) {
        message = "The goal \"" + text + "\" must read "
            + (*kind == GoalKind::Swr ? std::string("swr[:TARGET]:WEIGHT.")
               : *kind == GoalKind::R ? std::string("r:TARGET:WEIGHT.")
                                      : p[0] + ":WEIGHT.");
        return std::nullopt;
    }
    if ((targetGiven && !numtext::parseReal(p[1], goal.target)) || !numtext::parseReal(p.back(), goal.weight)) {
        message = "The goal \"" + text + "\" has a number that does not read.";
        return std::nullopt;
    }
    if (!(goal.weight > 0)) {
        message = "The goal \"" + text + "\" needs a weight above 0.";
        return std::nullopt;
    }
    if (*kind == GoalKind::Swr && goal.target < 1) {
        message = "The goal \"" + text + "\" needs an SWR target of 1 or more.";
        return std::nullopt;
    }
    return goal;
}

EvaluationValues ValuesOfRun(const engine::ListingData& listing, engine::SwrReference reference)
{
    EvaluationValues values;
    if (listing.blocks.empty() || listing.blocks.front().sources.empty())
        return values;
    const engine::SourceRow& source = listing.blocks.front().sources.front();
    if (source.impedanceReal && source.impedanceImaginary) {
        values.r = *source.impedanceReal;
        values.x = *source.impedanceImaginary;
        values.swr = finiteSwr(engine::ComputeSwr(*values.r, *values.x, reference));
    }
    if (listing.complete()) {
        const engine::EngineOutput summary = engine::SummariseListing(listing, {}, reference);
        values.gain = std::max(summary.azimuthMaxGain, summary.elevationMaxGain);
        values.frontToBack = summary.frontToBack;
    }
    return values;
}

void AddValuesOfSweep(EvaluationValues& values, const engine::SweepListing& sweep, engine::SwrReference reference)
{
    if (!sweep.ok() || sweep.blocks.empty())
        return;
    std::optional<double> largest;
    for (const engine::SweepBlock& block : sweep.blocks) {
        if (block.sources.empty() || !block.sources.front().impedanceReal || !block.sources.front().impedanceImaginary)
            return;
        const double swr = finiteSwr(engine::ComputeSwr(*block.sources.front().impedanceReal,
                                                        *block.sources.front().impedanceImaginary, reference));
        largest = largest ? std::max(*largest, swr) : swr;
    }
    values.swr = largest;
    const engine::SourceRow& centre = sweep.blocks[sweep.blocks.size() / 2].sources.front();
    values.r = *centre.impedanceReal;
    values.x = *centre.impedanceImaginary;
}

double GoalValue(const std::vector<OptimizeGoal>& goals, const EvaluationValues& values,
                 const engine::SwrReference& reference)
{
    const double r0 = reference.r == 0 && reference.x == 0 ? 50 : reference.r;
    const double scale = r0 > 0 ? r0 : 50;
    double sum = 0;
    for (const OptimizeGoal& goal : goals) {
        double term = 0;
        switch (goal.kind) {
        case GoalKind::Swr:
            if (!values.swr)
                return kFailedGoal;
            term = std::max(0.0, *values.swr - goal.target);
            break;
        case GoalKind::X:
            if (!values.x)
                return kFailedGoal;
            term = std::fabs(*values.x) / scale;
            break;
        case GoalKind::R:
            if (!values.r)
                return kFailedGoal;
            term = std::fabs(*values.r - goal.target) / scale;
            break;
        case GoalKind::Gain:
            if (!values.gain)
                return kFailedGoal;
            term = -*values.gain;
            break;
        case GoalKind::FrontToBack:
            if (!values.frontToBack)
                return kFailedGoal;
            term = -*values.frontToBack;
            break;
        }
        sum += goal.weight * term;
    }
    return sum;
}

} // namespace vrnnec::analyses
