// The distinct wire radii of a preview offered for coating: 200,000 wires over 1000
// radii met in a scrambled order, and 200,000 wires each of its own radius.
#include "engine/AntennaPreview.h"

#include <benchmark/benchmark.h>

using namespace vrnnec;

namespace {

void DistinctRadiiOfManyWires(benchmark::State& state)
{
    AntennaPreview preview;
    const int wires = static_cast<int>(state.range(0));
    const int radii = static_cast<int>(state.range(1));
    for (int i = 0; i < wires; ++i)
        preview.radiiMm.push_back(static_cast<double>((i * 7919LL) % radii) / 10);
    for (auto _ : state)
        benchmark::DoNotOptimize(DistinctRadiiMm(preview));
}

} // namespace

BENCHMARK(DistinctRadiiOfManyWires)->Args({200000, 1000})->Args({200000, 200000})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
