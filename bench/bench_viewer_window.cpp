// The viewer window at full-screen size: the listing of the big fixture deck (3000
// segments, currents shown) in a window of the screen's size, and the redraw a rotation
// causes (a new matrix, the repaint of the picture, finished with glFinish), beside the
// same replay into an offscreen framebuffer of 1920 x 1080 and a grab of the picture
// (the redraw and its read-back). Each reports the median, fastest and slowest frame.
// Run under xvfb-run -s "-screen 0 1920x1080x24".
#include "engine/ViewerSectionsParse.h"
#include "viewer/SceneRenderer.h"
#include "viewer/ViewFit.h"
#include "viewer/ViewerPicture.h"
#include "viewer/ViewerWindow.h"

#include "RedrawBench.h"

#include <QApplication>
#include <QCheckBox>
#include <QScreen>
#include <QSlider>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace vrnnec;
using namespace vrnnec::viewer;

namespace {

const std::string kListing = std::string(TEST_DATA_DIR) + "/listings/classic/big.out";
constexpr int kFullWidth = 1920;
constexpr int kFullHeight = 1080;

// The viewer with the big listing and its currents, as large as the screen allows.
std::unique_ptr<TFormV> fullScreenViewer(QString& error)
{
    auto window = std::make_unique<TFormV>([&error](const QString& text) { error = text; });
    if (!window->load(engine::ParseViewerSections(kListing))) {
        error = "the big listing did not load: " + error;
        return nullptr;
    }
    window->ShowCurCheckBox->click();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window->setGeometry(screen);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) {
        error = "the window was never exposed (run under xvfb-run)";
        return nullptr;
    }
    QApplication::processEvents();
    return window;
}

void turn(TFormV& window)
{
    QSlider* bar = window.TrackBar1;
    bar->setValue(bar->value() == bar->maximum() ? 0 : bar->value() + 1);
}

void reportPicture(benchmark::State& state, TFormV& window)
{
    const double ratio = window.picture()->devicePixelRatioF();
    state.counters["width"] = window.picture()->width() * ratio;
    state.counters["height"] = window.picture()->height() * ratio;
    state.counters["segments"] = window.model()->SegmentCount;
}

// Frames of the full-screen viewer: each turns the view by one step and then makes the
// picture as `frame` does; false from `frame` stops the run.
template <typename Frame>
void runFrames(benchmark::State& state, Frame frame)
{
    QString error;
    std::unique_ptr<TFormV> window = fullScreenViewer(error);
    if (!window) {
        state.SkipWithError(error.toStdString().c_str());
        return;
    }
    FrameTimes frames;
    for (auto _ : state) {
        frames.start();
        turn(*window);
        if (!frame(*window->picture())) {
            state.SkipWithError("the picture is not on the screen");
            return;
        }
        frames.stop();
    }
    frames.report(state);
    reportPicture(state, *window);
}

// The redraw as the user sees it: the picture drawn, presented on the screen, finished.
void BM_ViewerWindowRedraw(benchmark::State& state)
{
    runFrames(state, [](ViewerPicture& picture) { return picture.redrawNow(); });
}
BENCHMARK(BM_ViewerWindowRedraw)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

// The redraw and the read-back of the whole picture into an image.
void BM_ViewerWindowGrab(benchmark::State& state)
{
    runFrames(state, [](ViewerPicture& picture) { return !picture.grabFramebuffer().isNull(); });
}
BENCHMARK(BM_ViewerWindowGrab)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(100);

// The replay alone into a full-screen framebuffer.
void BM_ViewerFullScreenReplay(benchmark::State& state)
{
    ViewerModel model = ReadViewerModel(kListing);
    FitModelToView(model, ViewMode::Center);
    SceneState sceneState;
    sceneState.showCurrents = true;
    sceneState.selectedTag = 1;
    const Scene scene = BuildScene(model, sceneState);
    OffscreenFramebuffer offscreen(kFullWidth, kFullHeight);
    if (offscreen.error != nullptr) {
        state.SkipWithError(offscreen.error);
        return;
    }
    ViewTransform view;
    int position = kInitialRotation;
    FrameTimes frames;
    for (auto _ : state) {
        frames.start();
        position = position == 36 ? 0 : position + 1;
        view.setRotationZ(position);
        ReplayPicture(*offscreen.gl, scene, view.matrix(), kFullWidth, kFullHeight, 1);
        offscreen.gl->glFinish();
        frames.stop();
    }
    frames.report(state);
    state.counters["segments"] = model.SegmentCount;
    state.SetLabel(offscreen.renderer());
}
BENCHMARK(BM_ViewerFullScreenReplay)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
