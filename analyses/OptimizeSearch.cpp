#include "analyses/OptimizeSearch.h"

#include <nlopt.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <mutex>
#include <thread>

namespace vrnnec::analyses {

namespace {

// Convergence in the unit cube of the ranges: a millionth of each range.
constexpr double kUnitTolerance = 1e-6;
constexpr double kLocalStep = 0.1;
constexpr double kRefineStep = 0.05;
// The share of the budget of a global search that its global phase may use.
constexpr double kGlobalShare = 0.7;

struct Shared {
    Shared(const SearchSettings& s, const SearchObjective& o, const std::atomic<bool>& halt)
        : settings(s), objective(o), stop(halt)
    {
    }
    const SearchSettings& settings;
    const SearchObjective& objective;
    const std::atomic<bool>& stop;
    std::atomic<int> started{0};
    std::mutex mutex;
    SearchResult result;
};

struct Search {
    Shared* shared = nullptr;
    nlopt_opt opt = nullptr;
    int ownLimit = std::numeric_limits<int>::max(); // evaluations of this phase at most
    int own = 0;
};

std::vector<double> toPoint(const SearchSettings& s, const double* unit)
{
    std::vector<double> point(s.lower.size());
    for (std::size_t k = 0; k < point.size(); ++k)
        point[k] = s.lower[k] + std::clamp(unit[k], 0.0, 1.0) * (s.upper[k] - s.lower[k]);
    return point;
}

double evaluate(unsigned n, const double* x, double* /*gradient*/, void* data)
{
    auto* search = static_cast<Search*>(data);
    Shared& shared = *search->shared;
    if (shared.stop || search->own >= search->ownLimit) {
        nlopt_force_stop(search->opt);
        return std::numeric_limits<double>::max();
    }
    if (shared.started.fetch_add(1) >= shared.settings.maxEvaluations) {
        shared.started.fetch_sub(1);
        nlopt_force_stop(search->opt);
        return std::numeric_limits<double>::max();
    }
    ++search->own;
    const std::vector<double> point = toPoint(shared.settings, x);
    const double value = shared.objective(point);
    {
        std::lock_guard lock(shared.mutex);
        if (!shared.result.evaluated || value < shared.result.bestValue) {
            shared.result.evaluated = true;
            shared.result.bestValue = value;
            shared.result.best = point;
        }
    }
    (void)n;
    return value;
}

// One phase: `algorithm` from `unit` (changed to the phase's best point).
void runPhase(Shared& shared, nlopt_algorithm algorithm, std::vector<double>& unit, double step, int limit)
{
    const unsigned n = static_cast<unsigned>(unit.size());
    Search search;
    search.shared = &shared;
    search.opt = nlopt_create(algorithm, n);
    search.ownLimit = limit;
    if (!search.opt)
        return;
    nlopt_set_lower_bounds1(search.opt, 0.0);
    nlopt_set_upper_bounds1(search.opt, 1.0);
    nlopt_set_min_objective(search.opt, &evaluate, &search);
    nlopt_set_xtol_abs1(search.opt, kUnitTolerance);
    nlopt_set_initial_step1(search.opt, step);
    double value = 0;
    nlopt_optimize(search.opt, unit.data(), &value);
    nlopt_destroy(search.opt);
}

void runOne(Shared& shared, int index, std::vector<double> unit)
{
    const SearchSettings& s = shared.settings;
    if (s.method == SearchMethod::Global) {
        nlopt_srand(s.seed + static_cast<unsigned>(index));
        const int share = std::max(1, s.maxEvaluations / std::max(1, s.searches));
        runPhase(shared, NLOPT_GN_CRS2_LM, unit, kLocalStep, std::max(1, static_cast<int>(share * kGlobalShare)));
        // The local method from the best point of this search's global phase (the unit
        // point nlopt left in `unit`).
        runPhase(shared, NLOPT_LN_SBPLX, unit, kRefineStep, std::numeric_limits<int>::max());
    } else {
        runPhase(shared, NLOPT_LN_SBPLX, unit, kLocalStep, std::numeric_limits<int>::max());
    }
}

} // namespace

std::vector<double> SearchStart(const std::vector<double>& unitStart, int index)
{
    std::vector<double> unit = unitStart;
    for (std::size_t k = 0; k < unit.size(); ++k) {
        // Kronecker sequence: steps of the fractional part of the square root of a prime.
        static const double primes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
        const double root = std::sqrt(primes[k % 12]);
        const double alpha = root - std::floor(root);
        const double moved = unit[k] + index * alpha;
        unit[k] = moved - std::floor(moved);
    }
    return unit;
}

SearchResult RunSearch(const SearchSettings& settings, const SearchObjective& objective,
                       const std::atomic<bool>& stop)
{
    Shared shared(settings, objective, stop);
    shared.result.best = settings.start;
    std::vector<double> unit(settings.start.size());
    for (std::size_t k = 0; k < unit.size(); ++k)
        unit[k] = std::clamp((settings.start[k] - settings.lower[k]) / (settings.upper[k] - settings.lower[k]), 0.0,
                             1.0);
    const int searches = std::max(1, std::min(settings.searches, settings.maxEvaluations));
    std::vector<std::thread> threads;
    for (int i = 1; i < searches; ++i)
        threads.emplace_back(runOne, std::ref(shared), i, SearchStart(unit, i));
    runOne(shared, 0, unit);
    for (std::thread& t : threads)
        t.join();
    shared.result.evaluations = std::min(shared.started.load(), settings.maxEvaluations);
    return shared.result;
}

} // namespace vrnnec::analyses
