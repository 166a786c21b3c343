// The viewer on the listing of the big fixture deck (3000 segments, currents printed):
// a redraw as a rotation causes it (the scene kept, a new matrix, the replay into a
// 300 x 300 framebuffer, finished), the scene built again as a zoom change causes it,
// and the reading and fit of the model. Run under xvfb-run for the OpenGL part.
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

ViewerModel fittedModel()
{
    ViewerModel model = ReadViewerModel(kListing);
    FitModelToView(model, ViewMode::Center);
    return model;
}

SceneState withCurrents()
{
    SceneState state;
    state.showCurrents = true;
    state.selectedTag = 1;
    return state;
}

void BM_ViewerRedraw(benchmark::State& state)
{
    const ViewerModel model = fittedModel();
    if (model.ReadError != 0 || !model.HasCurrents) {
        state.SkipWithError("the big listing did not read with currents");
        return;
    }
    const Scene scene = BuildScene(model, withCurrents());
    BenchRedraw(state, scene);
    state.counters["segments"] = model.SegmentCount;
}
BENCHMARK(BM_ViewerRedraw)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ViewerSceneAfterZoom(benchmark::State& state)
{
    const ViewerModel model = fittedModel();
    SceneState scene = withCurrents();
    int position = 10;
    for (auto _ : state) {
        position = position == 20 ? 0 : position + 1;
        scene.imageZoom = ZoomFactor(position);
        benchmark::DoNotOptimize(BuildScene(model, scene));
    }
}
BENCHMARK(BM_ViewerSceneAfterZoom)->Unit(benchmark::kMillisecond);

void BM_ViewerReadAndFit(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fittedModel());
}
BENCHMARK(BM_ViewerReadAndFit)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
