#include "viewer/ViewerPicture.h"

#include "viewer/SceneRenderer.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QOpenGLFunctions_1_1>
#include <QWheelEvent>

#include <cmath>

namespace vrnnec::viewer {

ViewerPicture::ViewerPicture(QWidget* parent) : QOpenGLWidget(parent)
{
    setFormat(ViewerSurfaceFormat());
    setObjectName(QStringLiteral("ViewerPicture"));
}

void ViewerPicture::setScene(Scene scene)
{
    scene_ = std::move(scene);
    hasScene_ = true;
    update();
}

void ViewerPicture::setProjection(const Matrix4& projection)
{
    projection_ = projection;
    update();
}

void ViewerPicture::clearScene()
{
    scene_ = Scene();
    hasScene_ = false;
    update();
}

void ViewerPicture::initializeGL()
{
    gl_ = LegacyFunctions(context());
}

void ViewerPicture::paintGL()
{
    if (gl_ == nullptr || context() == nullptr)
        return;
    // The framebuffer has the device pixels of the widget's size.
    const double ratio = devicePixelRatioF();
    const int w = static_cast<int>(std::lround(width() * ratio));
    const int h = static_cast<int>(std::lround(height() * ratio));
    if (!hasScene_) {
        gl_->glViewport(0, 0, w, h);
        gl_->glClearColor(1, 1, 1, 1);
        gl_->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    ReplayPicture(*gl_, scene_, projection_, w, h, ratio);
}

void ViewerPicture::mousePressEvent(QMouseEvent* event)
{
    lastPosition_ = event->position().toPoint();
    pending_ = QPoint();
    QOpenGLWidget::mousePressEvent(event);
}

void ViewerPicture::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint position = event->position().toPoint();
    pending_ += position - lastPosition_;
    lastPosition_ = position;
    const int stepsZ = pending_.x() / kDragStep;
    const int stepsXY = pending_.y() / kDragStep;
    if (stepsZ == 0 && stepsXY == 0)
        return;
    pending_ -= QPoint(stepsZ * kDragStep, stepsXY * kDragStep);
    emit rotated(stepsZ, stepsXY);
}

void ViewerPicture::wheelEvent(QWheelEvent* event)
{
    wheelPending_ += event->angleDelta().y();
    const int steps = wheelPending_ / 120;
    wheelPending_ -= steps * 120;
    if (steps != 0)
        emit zoomed(steps);
    event->accept();
}

void ViewerPicture::contextMenuEvent(QContextMenuEvent* event)
{
    emit contextMenuWanted(event->globalPos());
}

} // namespace vrnnec::viewer
