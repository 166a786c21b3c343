#include "viewer/ViewerPicture.h"

#include "viewer/SceneRenderer.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions_1_1>
#include <QOpenGLWindow>
#include <QResizeEvent>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace vrnnec::viewer {

// The native OpenGL window the picture draws into; its input goes to the picture.
class PictureSurface : public QOpenGLWindow {
public:
    explicit PictureSurface(ViewerPicture& owner) : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), owner_(owner)
    {
        setFormat(ViewerSurfaceFormat());
        // The viewer's hint (the colours of the markers) shows over the picture too.
        hint_.setSingleShot(true);
        hint_.setInterval(kHintDelay);
        QObject::connect(&hint_, &QTimer::timeout, &owner_, [this] {
            QToolTip::showText(hintAt_, owner_.window()->toolTip(), &owner_);
        });
    }

    static constexpr int kHintDelay = 700; // milliseconds of rest

    QOpenGLFunctions_1_1* gl() const { return gl_; }
    QSize devicePixels() const
    {
        const double ratio = devicePixelRatio();
        return {static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio))};
    }

    bool drawNow()
    {
        if (!isExposed() || !isValid() || gl_ == nullptr)
            return false;
        makeCurrent();
        paintGL();
        context()->swapBuffers(this);
        makeCurrent();
        gl_->glFinish();
        doneCurrent();
        return true;
    }

protected:
    void initializeGL() override { gl_ = LegacyFunctions(context()); }
    void paintGL() override
    {
        if (gl_ != nullptr) {
            const QSize size = devicePixels();
            owner_.draw(*gl_, size.width(), size.height());
        }
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::RightButton) {
            emit owner_.contextMenuWanted(event->globalPosition().toPoint());
            return;
        }
        QCoreApplication::sendEvent(&owner_, event);
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (event->buttons() == Qt::NoButton) {
            hintAt_ = event->globalPosition().toPoint();
            hint_.start();
        } else {
            hint_.stop();
        }
        QCoreApplication::sendEvent(&owner_, event);
    }
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Leave || event->type() == QEvent::MouseButtonPress) {
            hint_.stop();
            QToolTip::hideText();
        }
        return QOpenGLWindow::event(event);
    }
    void wheelEvent(QWheelEvent* event) override { QCoreApplication::sendEvent(&owner_, event); }

private:
    ViewerPicture& owner_;
    QOpenGLFunctions_1_1* gl_ = nullptr;
    QTimer hint_;
    QPoint hintAt_;
};

ViewerPicture::ViewerPicture(QWidget* parent) : QWidget(parent), surface_(new PictureSurface(*this))
{
    setObjectName(QStringLiteral("ViewerPicture"));
    container_ = QWidget::createWindowContainer(surface_, this);
    container_->setObjectName(QStringLiteral("ViewerPictureSurface"));
}

void ViewerPicture::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    container_->setGeometry(rect());
}

ViewerPicture::~ViewerPicture() = default;

void ViewerPicture::setScene(Scene scene)
{
    scene_ = std::move(scene);
    hasScene_ = true;
    surface_->update();
}

void ViewerPicture::setProjection(const Matrix4& projection)
{
    projection_ = projection;
    surface_->update();
}

void ViewerPicture::clearScene()
{
    scene_ = Scene();
    hasScene_ = false;
    surface_->update();
}

void ViewerPicture::draw(QOpenGLFunctions_1_1& gl, int width, int height) const
{
    if (!hasScene_) {
        gl.glViewport(0, 0, width, height);
        gl.glClearColor(1, 1, 1, 1);
        gl.glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    ReplayPicture(gl, scene_, projection_, width, height, surface_->devicePixelRatio());
}

QWindow* ViewerPicture::surface() const
{
    return surface_;
}

bool ViewerPicture::redrawNow()
{
    return surface_->drawNow();
}

QImage ViewerPicture::grabFramebuffer()
{
    const double ratio = devicePixelRatioF();
    const QSize size(static_cast<int>(std::lround(width() * ratio)), static_cast<int>(std::lround(height() * ratio)));
    QImage image;
    if (surface_->isValid() && surface_->gl() != nullptr) {
        surface_->makeCurrent();
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        QOpenGLFramebufferObject framebuffer(size, format);
        if (framebuffer.isValid() && framebuffer.bind()) {
            draw(*surface_->gl(), size.width(), size.height());
            image = framebuffer.toImage();
            framebuffer.release();
        }
        surface_->doneCurrent();
    } else {
        // Not on the screen yet: the same drawing in a context of its own.
        image = RenderPictureImage(hasScene_ ? scene_ : Scene(), projection_, size.width(), size.height(), ratio);
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

void ViewerPicture::mousePressEvent(QMouseEvent* event)
{
    lastPosition_ = event->position().toPoint();
    pending_ = QPoint();
    QWidget::mousePressEvent(event);
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
