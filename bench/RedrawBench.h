// The redraw benchmarks: a context current on an offscreen surface with a square
// framebuffer bound, as the viewer asks for it (run under xvfb-run for Mesa's llvmpipe),
// and the redraw a rotation causes: the scene kept, a new matrix, the replay, finished.
#pragma once

#include "viewer/SceneRenderer.h"
#include "viewer/ViewTransform.h"

#include <benchmark/benchmark.h>

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_1_1>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

struct OffscreenFramebuffer {
    QOffscreenSurface surface;
    QOpenGLContext context;
    std::unique_ptr<QOpenGLFramebufferObject> framebuffer;
    QOpenGLFunctions_1_1* gl = nullptr;
    const char* error = nullptr;

    explicit OffscreenFramebuffer(int side) : OffscreenFramebuffer(side, side) {}
    OffscreenFramebuffer(int width, int height)
    {
        surface.setFormat(vrnnec::viewer::ViewerSurfaceFormat());
        surface.create();
        context.setFormat(vrnnec::viewer::ViewerSurfaceFormat());
        if (!context.create() || !context.makeCurrent(&surface)) {
            error = "no OpenGL context (run under xvfb-run)";
            return;
        }
        gl = vrnnec::viewer::LegacyFunctions(&context);
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        framebuffer = std::make_unique<QOpenGLFramebufferObject>(width, height, format);
        if (gl == nullptr || !framebuffer->bind())
            error = "no OpenGL 1.1 functions or framebuffer";
    }
    ~OffscreenFramebuffer()
    {
        if (framebuffer)
            framebuffer->release();
        framebuffer.reset();
        if (context.isValid())
            context.doneCurrent();
    }
    const char* renderer() const { return reinterpret_cast<const char*>(gl->glGetString(GL_RENDERER)); }
};

// The time of every frame of a benchmark run, reported as counters: the median, the
// fastest and the slowest frame in milliseconds.
class FrameTimes {
public:
    void start() { begin_ = std::chrono::steady_clock::now(); }
    void stop()
    {
        times_.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin_).count());
    }
    void report(benchmark::State& state)
    {
        if (times_.empty())
            return;
        std::sort(times_.begin(), times_.end());
        state.counters["frames"] = static_cast<double>(times_.size());
        state.counters["median_ms"] = times_[times_.size() / 2];
        state.counters["min_ms"] = times_.front();
        state.counters["max_ms"] = times_.back();
    }

private:
    std::chrono::steady_clock::time_point begin_;
    std::vector<double> times_;
};

// Replays `scene` into a 300 x 300 framebuffer once per iteration, turning the view by
// one rotation step each time.
inline void BenchRedraw(benchmark::State& state, const vrnnec::viewer::Scene& scene)
{
    using namespace vrnnec::viewer;
    OffscreenFramebuffer offscreen(300);
    if (offscreen.error != nullptr) {
        state.SkipWithError(offscreen.error);
        return;
    }
    ViewTransform view;
    int position = kInitialRotation;
    for (auto _ : state) {
        position = position == 36 ? 0 : position + 1;
        view.setRotationZ(position);
        ReplayScene(*offscreen.gl, scene, view.matrix(), Viewport{0, 0, 300});
        offscreen.gl->glFinish();
    }
    state.SetLabel(offscreen.renderer());
}
