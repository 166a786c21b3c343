// The viewer's drawing area: an OpenGL window of its own inside the viewer window, which
// replays the scene under the view transform. A rotation or shift only changes the matrix;
// the scene stays as it was built. The picture draws straight into its own surface, so a
// redraw never composes the rest of the window. Dragging rotates and the wheel zooms
// through the window's controls.
#pragma once

#include "viewer/Scene.h"
#include "viewer/ViewTransform.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

class QOpenGLFunctions_1_1;
class QWindow;

namespace vrnnec::viewer {

class PictureSurface;

class ViewerPicture : public QWidget {
    Q_OBJECT
public:
    explicit ViewerPicture(QWidget* parent = nullptr);
    ~ViewerPicture() override;

    void setScene(Scene scene);
    void setProjection(const Matrix4& projection);
    const Matrix4& projection() const { return projection_; }
    // Drops the scene: the picture shows white.
    void clearScene();

    // The picture as drawn now, in device pixels; a null image without OpenGL.
    QImage grabFramebuffer();
    // Draws and presents the picture at once, finished (glFinish); false when the
    // picture is not on the screen.
    bool redrawNow();

    // The native window the picture draws into, which receives the user's input.
    QWindow* surface() const;

    // Pixels of drag per rotation step.
    static constexpr int kDragStep = 8;

signals:
    // Rotation steps from a drag: horizontal about Z, vertical about (-1, 1, 0).
    void rotated(int stepsZ, int stepsXY);
    // Zoom steps from the wheel (one per notch, positive away from the user).
    void zoomed(int steps);
    void contextMenuWanted(const QPoint& globalPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class PictureSurface;
    // Draws into the current context's framebuffer of width x height device pixels.
    void draw(QOpenGLFunctions_1_1& gl, int width, int height) const;

    Scene scene_;
    bool hasScene_ = false;
    Matrix4 projection_;
    PictureSurface* surface_ = nullptr;
    QWidget* container_ = nullptr;
    QPoint lastPosition_;
    QPoint pending_;
    int wheelPending_ = 0;
};

} // namespace vrnnec::viewer
