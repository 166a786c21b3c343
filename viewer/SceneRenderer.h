// The OpenGL side of the viewer: the replay of a scene with OpenGL 1.1 calls in the
// current context, the surface format the viewer asks for, and pictures rendered into an
// offscreen framebuffer through the same replay.
#pragma once

#include "viewer/Scene.h"
#include "viewer/ViewTransform.h"

#include <QImage>
#include <QSurfaceFormat>

#include <string>

class QOpenGLContext;
class QOpenGLFunctions_1_1;

namespace vrnnec::viewer {

// The viewer's wish: a compatibility profile with double buffering, RGBA with alpha, a
// depth and a stencil buffer. What the platform grants is accepted.
QSurfaceFormat ViewerSurfaceFormat();

// The OpenGL 1.1 functions of a current context, or nullptr when it has none.
QOpenGLFunctions_1_1* LegacyFunctions(QOpenGLContext* context);

// Draws the scene into the viewport of the current context: clears to white (and the
// depth buffer when the scene tests depth), loads `projection` and an identity
// model-view matrix, and sets every state a primitive needs before drawing it.
void ReplayScene(QOpenGLFunctions_1_1& gl, const Scene& scene, const Matrix4& projection, const Viewport& viewport);

// The same into a whole picture of width x height device pixels at (0, 0), with the
// matrix widened for its shape (PictureMatrix); line widths, point sizes and the axes'
// stipple are multiplied by `pixelRatio` (device pixels per logical pixel), so that a
// high-density screen shows the picture at the size and weight of a plain one.
void ReplayPicture(QOpenGLFunctions_1_1& gl, const Scene& scene, const Matrix4& projection, int width, int height,
                   double pixelRatio);

// The picture of the scene in a square of `side` pixels, rendered offscreen; a null
// image when no OpenGL context with these functions can be made.
QImage RenderSceneImage(const Scene& scene, const Matrix4& projection, int side);

// The picture of the scene in width x height device pixels at the pixel ratio, as
// ReplayPicture draws it, rendered offscreen; a null image without OpenGL.
QImage RenderPictureImage(const Scene& scene, const Matrix4& projection, int width, int height, double pixelRatio);

// The same picture as PNG bytes; empty when it cannot be rendered.
std::string ScenePng(const Scene& scene, const Matrix4& projection, int side);

// True when an OpenGL context with the viewer's functions can be made.
bool OpenGLAvailable();

} // namespace vrnnec::viewer
