#include "viewer/SceneRenderer.h"

#include <QBuffer>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLVersionFunctionsFactory>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vrnnec::viewer {

namespace {

// The client-side arrays read vertices and colours as packed floats.
static_assert(sizeof(Vertex) == 3 * sizeof(float));
static_assert(sizeof(Colour) == 4 * sizeof(float));

GLenum glMode(PrimitiveKind kind)
{
    switch (kind) {
    case PrimitiveKind::Lines: return GL_LINES;
    case PrimitiveKind::LineStrip: return GL_LINE_STRIP;
    case PrimitiveKind::Points: return GL_POINTS;
    case PrimitiveKind::Polygon: return GL_POLYGON;
    case PrimitiveKind::Triangles: return GL_TRIANGLES;
    }
    return GL_LINES;
}

GLenum glPolygon(PolygonMode mode)
{
    return mode == PolygonMode::Fill ? GL_FILL : GL_LINE;
}

// A current context on an offscreen surface, for as long as it lives.
struct OffscreenContext {
    QOffscreenSurface surface;
    QOpenGLContext context;
    QOpenGLFunctions_1_1* gl = nullptr;

    OffscreenContext()
    {
        surface.setFormat(ViewerSurfaceFormat());
        surface.create();
        context.setFormat(ViewerSurfaceFormat());
        if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface))
            return;
        gl = LegacyFunctions(&context);
    }
    ~OffscreenContext()
    {
        if (context.isValid())
            context.doneCurrent();
    }
};

} // namespace

QSurfaceFormat ViewerSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setAlphaBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    return format;
}

QOpenGLFunctions_1_1* LegacyFunctions(QOpenGLContext* context)
{
    if (context == nullptr || !context->isValid() || context->isOpenGLES())
        return nullptr;
    QOpenGLFunctions_1_1* gl = QOpenGLVersionFunctionsFactory::get<QOpenGLFunctions_1_1>(context);
    if (gl == nullptr || !gl->initializeOpenGLFunctions())
        return nullptr;
    return gl;
}

namespace {

void replay(QOpenGLFunctions_1_1& gl, const Scene& scene, const Matrix4& projection, int x, int y, int width,
            int height, double pixelRatio)
{
    const auto ratio = static_cast<float>(pixelRatio > 0 ? pixelRatio : 1.0);
    gl.glViewport(x, y, width, height);
    gl.glDisable(GL_SCISSOR_TEST);
    gl.glDisable(GL_LIGHTING);
    gl.glDisable(GL_TEXTURE_2D);
    gl.glDisable(GL_BLEND);
    gl.glDisable(GL_CULL_FACE);
    gl.glClearColor(1, 1, 1, 1);
    gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    if (scene.depthTest) {
        gl.glEnable(GL_DEPTH_TEST);
        gl.glDepthFunc(GL_LESS);
        gl.glDepthMask(GL_TRUE);
        gl.glClearDepth(1);
        gl.glDepthRange(1, 0);
        gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    } else {
        gl.glDisable(GL_DEPTH_TEST);
        gl.glDepthRange(0, 1);
        gl.glClear(GL_COLOR_BUFFER_BIT);
    }
    gl.glMatrixMode(GL_PROJECTION);
    gl.glLoadMatrixd(projection.data().data());
    gl.glMatrixMode(GL_MODELVIEW);
    gl.glLoadIdentity();
    gl.glEnable(GL_POINT_SMOOTH);
    for (const Primitive& p : scene.primitives) {
        if (p.kind == PrimitiveKind::Points)
            gl.glPointSize(p.width * ratio);
        else
            gl.glLineWidth(p.width * ratio);
        if (p.stipple) {
            gl.glLineStipple(std::max(1, static_cast<int>(std::lround(ratio))), kAxisStipple);
            gl.glEnable(GL_LINE_STIPPLE);
        } else {
            gl.glDisable(GL_LINE_STIPPLE);
        }
        gl.glPolygonMode(GL_FRONT, glPolygon(p.front));
        gl.glPolygonMode(GL_BACK, glPolygon(p.back));
        const bool perVertex = p.colours.size() == p.vertices.size() && !p.colours.empty();
        const bool blend = perVertex ? p.colours.front().a < 1 : p.colour.a < 1;
        // Blended colours leave the picture's own alpha at 1: the picture stays opaque
        // wherever it is composed or saved.
        if (blend) {
            gl.glEnable(GL_BLEND);
            gl.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
        } else {
            gl.glDisable(GL_BLEND);
            gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        }
        if (perVertex) {
            // The pattern surface: thousands of coloured vertices, drawn from client-side
            // arrays in one call.
            gl.glEnableClientState(GL_VERTEX_ARRAY);
            gl.glEnableClientState(GL_COLOR_ARRAY);
            gl.glVertexPointer(3, GL_FLOAT, sizeof(Vertex), p.vertices.data());
            gl.glColorPointer(4, GL_FLOAT, sizeof(Colour), p.colours.data());
            gl.glDrawArrays(glMode(p.kind), 0, static_cast<GLsizei>(p.vertices.size()));
            gl.glDisableClientState(GL_COLOR_ARRAY);
            gl.glDisableClientState(GL_VERTEX_ARRAY);
            continue;
        }
        gl.glColor4f(p.colour.r, p.colour.g, p.colour.b, p.colour.a);
        gl.glBegin(glMode(p.kind));
        for (const Vertex& v : p.vertices)
            gl.glVertex3f(v[0], v[1], v[2]);
        gl.glEnd();
    }
    gl.glDisable(GL_BLEND);
    gl.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.glDisable(GL_LINE_STIPPLE);
    gl.glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    gl.glFlush();
}

} // namespace

void ReplayScene(QOpenGLFunctions_1_1& gl, const Scene& scene, const Matrix4& projection, const Viewport& viewport)
{
    replay(gl, scene, projection, viewport.x, viewport.y, viewport.side, viewport.side, 1);
}

void ReplayPicture(QOpenGLFunctions_1_1& gl, const Scene& scene, const Matrix4& projection, int width, int height,
                   double pixelRatio)
{
    replay(gl, scene, PictureMatrix(projection, width, height), 0, 0, width, height, pixelRatio);
}

QImage RenderSceneImage(const Scene& scene, const Matrix4& projection, int side)
{
    return RenderPictureImage(scene, projection, side, side, 1);
}

QImage RenderPictureImage(const Scene& scene, const Matrix4& projection, int width, int height, double pixelRatio)
{
    OffscreenContext offscreen;
    if (offscreen.gl == nullptr)
        return {};
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    QOpenGLFramebufferObject framebuffer(width, height, format);
    if (!framebuffer.isValid() || !framebuffer.bind())
        return {};
    ReplayPicture(*offscreen.gl, scene, projection, width, height, pixelRatio);
    QImage image = framebuffer.toImage();
    framebuffer.release();
    return image;
}

std::string ScenePng(const Scene& scene, const Matrix4& projection, int side)
{
    const QImage image = RenderSceneImage(scene, projection, side);
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool OpenGLAvailable()
{
    OffscreenContext offscreen;
    return offscreen.gl != nullptr;
}

} // namespace vrnnec::viewer
