// The pattern surface: a redraw as a rotation causes it (the scene of the 3000-segment
// fixture with its currents and a 5-degree pattern surface kept, a new matrix, the replay
// into a 300 x 300 framebuffer, finished), and the surface and its scene built from the
// parsed pattern table of a 5-degree run (37 x 72 directions). Run under xvfb-run.
#include "engine/ListingParse.h"
#include "viewer/PatternSurface.h"
#include "viewer/SceneRenderer.h"
#include "viewer/ViewFit.h"
#include "viewer/ViewerModel.h"

#include "RedrawBench.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <string>

using namespace vrnnec;
using namespace vrnnec::viewer;

namespace {

const std::string kListing = std::string(TEST_DATA_DIR) + "/listings/classic/big.out";
const std::string kPattern = std::string(TEST_DATA_DIR) + "/pattern/dipole_free_5.out";

std::vector<engine::PatternTableRow> patternRows()
{
    engine::ParseOptions options;
    options.fullPattern = true;
    const engine::ListingData data = engine::ParseListing(kPattern, options);
    return data.complete() ? data.blocks.front().fullPattern : std::vector<engine::PatternTableRow>{};
}

void BM_PatternRedraw(benchmark::State& state)
{
    ViewerModel model = ReadViewerModel(kListing);
    FitModelToView(model, ViewMode::Center);
    const PatternSurfaceResult surface = BuildPatternSurface(patternRows());
    if (model.ReadError != 0 || !model.HasCurrents || !surface.surface) {
        state.SkipWithError("the big listing or the pattern did not read");
        return;
    }
    SceneState sceneState;
    sceneState.showCurrents = true;
    sceneState.selectedTag = 1;
    sceneState.pattern = &*surface.surface;
    const Scene scene = BuildScene(model, sceneState);
    BenchRedraw(state, scene);
    state.counters["segments"] = model.SegmentCount;
    state.counters["triangles"] = static_cast<double>(surface.surface->triangles.size());
}
BENCHMARK(BM_PatternRedraw)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// The surface of the parsed table and its part of the scene.
void BM_PatternSurfaceScene(benchmark::State& state)
{
    const std::vector<engine::PatternTableRow> rows = patternRows();
    if (rows.size() != 37u * 72u) {
        state.SkipWithError("the 5-degree pattern did not read");
        return;
    }
    for (auto _ : state) {
        const PatternSurfaceResult surface = BuildPatternSurface(rows);
        Scene scene;
        AddPatternSurface(scene, *surface.surface, {0, 0, 0}, 1.0);
        benchmark::DoNotOptimize(scene);
    }
    state.counters["directions"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_PatternSurfaceScene)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
