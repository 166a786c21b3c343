// The search over the variables, by NLopt's algorithms: a derivative-free local method
// (Subplex), or a global one (controlled random search with local mutation) followed by
// the local one from its best point. Several searches run at once, each in a thread of
// its own, so that that many evaluations are under way together: the first starts from
// the deck's values, the others from points spread over the ranges. They share one
// budget of evaluations and one stop. Plain C++ (NLopt and std::thread).
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace vrnnec::analyses {

enum class SearchMethod { Local, Global };

struct SearchSettings {
    SearchMethod method = SearchMethod::Local;
    std::vector<double> start, lower, upper; // one value per variable, lower < upper
    int maxEvaluations = 200;
    int searches = 1;   // searches at once (at least 1)
    unsigned seed = 1;  // of the global method's random points
};

// Evaluates the goal at a point (one value per variable); called from several threads
// at once, it may block until the engine has run. Returns the goal value.
using SearchObjective = std::function<double(const std::vector<double>& point)>;

struct SearchResult {
    std::vector<double> best; // the start when nothing was evaluated
    double bestValue = 0;
    int evaluations = 0; // evaluations started
    bool evaluated = false;
};

// Runs the searches and returns once all have ended: converged, out of budget, or
// stopped through `stop` (checked before every evaluation).
SearchResult RunSearch(const SearchSettings& settings, const SearchObjective& objective,
                       const std::atomic<bool>& stop);

// The start of search `index` in the unit cube: the deck's start for index 0, else a
// point of a low-discrepancy sequence from it.
std::vector<double> SearchStart(const std::vector<double>& unitStart, int index);

} // namespace vrnnec::analyses
