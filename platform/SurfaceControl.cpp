#include "platform/SurfaceControl.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace platform {

SurfaceControl::SurfaceControl(QWidget* parent)
    : QWidget(parent),
      canvas_(&surface_, [this] { SurfaceChanged(); }, [this] { SyncSurfaceSize(); })
{
    // The surface covers every pixel: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.Font.Name = FontName;
}

platform::Canvas& SurfaceControl::Canvas()
{
    SyncSurfaceSize();
    return canvas_;
}

const QImage& SurfaceControl::Surface()
{
    SyncSurfaceSize();
    return surface_;
}

void SurfaceControl::SyncSurfaceSize()
{
    const QSize wanted(std::max(width(), 0), std::max(height(), 0));
    // An empty control has a null surface: nothing to keep, nothing to paint on.
    if (surface_.size() == wanted && (!surface_.isNull() || wanted.isEmpty()))
        return;
    QImage resized(wanted, QImage::Format_RGB32);
    resized.fill(ToQRgb(Color));
    if (!surface_.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, surface_);
    }
    surface_ = std::move(resized);
}

void SurfaceControl::SurfaceChanged()
{
    if (painting_ || blitPending_)
        return;
    blitPending_ = true;
    update();
}

void SurfaceControl::Invalidate()
{
    invalid_ = true;
    update();
}

void SurfaceControl::SetBounds(int left, int top, int width, int height)
{
    const QSize old = size();
    setGeometry(left, top, width, height);
    // A hidden widget would get its resize event only when shown; the platform's controls learn
    // of every size change at once.
    if (testAttribute(Qt::WA_PendingResizeEvent) && size() != old) {
        setAttribute(Qt::WA_PendingResizeEvent, false);
        QResizeEvent event(size(), old);
        QCoreApplication::sendEvent(this, &event);
    }
}

void SurfaceControl::paintEvent(QPaintEvent* event)
{
    blitPending_ = false;
    if (invalid_) {
        invalid_ = false;
        const bool outer = !painting_;
        painting_ = true;
        Paint();
        if (outer)
            painting_ = false;
    }
    SyncSurfaceSize();
    QPainter painter(this);
    painter.drawImage(event->rect(), surface_, event->rect());
}

void SurfaceControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    invalid_ = true;
    update();
    Resize();
}

}  // namespace platform
