#include "platform/SurfaceControl.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPaintEvent>
#include <QResizeEvent>

#include <algorithm>

namespace platform {

SurfaceControl::SurfaceControl(QWidget* parent)
    : QWidget(parent), canvas_(
                           &surface_, [this](const TRect& rect) { SurfaceChanged(rect); },
                           [this] { SyncSurfaceSize(); })
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
    // A control grown absurdly large (a huge font height read from a file) keeps a surface of
    // bounded size over its top-left part, instead of gigabytes of pixels nobody can see.
    const QSize wanted(std::clamp(width(), 0, MaxSurfaceSide),
                       std::clamp(height(), 0, MaxSurfaceSide));
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

void SurfaceControl::SurfaceChanged(const TRect& rect)
{
    // Inside Paint the whole control reaches the screen anyway.
    if (painting_)
        return;
    // What the steps before the next paint touched, as one rectangle: the window's bookkeeping
    // of what to bring to the screen grows with the number of rectangles of all its controls.
    const QRect touched = pending_.united(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
    if (touched == pending_)
        return;
    pending_ = touched;
    update(pending_);
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
    pending_ = QRect();
    if (invalid_) {
        invalid_ = false;
        const bool outer = !painting_;
        painting_ = true;
        Paint();
        if (outer)
            painting_ = false;
    }
    SyncSurfaceSize();
    // Only what was asked for: the rectangles the drawing steps touched, or all of it.
    QPainter painter(this);
    for (const QRect& asked : event->region()) {
        const QRect covered = asked & surface_.rect();
        if (covered != asked)
            painter.fillRect(asked, QColor::fromRgb(ToQRgb(Color)));
        if (!covered.isEmpty())
            painter.drawImage(covered, surface_, covered);
    }
}

void SurfaceControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    invalid_ = true;
    update();
    Resize();
}

}  // namespace platform
