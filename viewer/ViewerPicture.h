// The viewer's drawing square: an OpenGL widget that replays the scene under the view
// transform. A rotation or shift only changes the matrix; the scene stays as it was built.
// Dragging rotates and the wheel zooms through the window's controls.
#pragma once

#include "viewer/Scene.h"
#include "viewer/ViewTransform.h"

#include <QOpenGLWidget>
#include <QPoint>

class QOpenGLFunctions_1_1;

namespace vrnnec::viewer {

class ViewerPicture : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit ViewerPicture(QWidget* parent = nullptr);

    void setScene(Scene scene);
    void setProjection(const Matrix4& projection);
    const Matrix4& projection() const { return projection_; }
    // Drops the scene: the picture shows white.
    void clearScene();

    // Pixels of drag per rotation step.
    static constexpr int kDragStep = 8;

signals:
    // Rotation steps from a drag: horizontal about Z, vertical about (-1, 1, 0).
    void rotated(int stepsZ, int stepsXY);
    // Zoom steps from the wheel (one per notch, positive away from the user).
    void zoomed(int steps);
    void contextMenuWanted(const QPoint& globalPosition);

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Scene scene_;
    bool hasScene_ = false;
    Matrix4 projection_;
    QOpenGLFunctions_1_1* gl_ = nullptr;
    QPoint lastPosition_;
    QPoint pending_;
    int wheelPending_ = 0;
};

} // namespace vrnnec::viewer
