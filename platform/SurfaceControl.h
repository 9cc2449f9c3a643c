#pragma once
// A custom-drawn control with a persistent pixel surface (the platform's TCustomControl).
// Paint draws the whole face on the surface; it runs in the paint cycle after Invalidate (and
// once before the control is first shown). Drawing outside Paint (a moving needle, a value) goes
// to the same surface and reaches the screen without another Paint: only the rectangles its
// drawing steps touched are brought there.
// A change of size invalidates the control and calls Resize at once, shown or not; Paint may
// change the size itself (the nested Resize runs inside it).
#include <QImage>
#include <QRect>
#include <QWidget>

#include "platform/Canvas.h"
#include "platform/Color.h"

namespace platform {

class SurfaceControl : public QWidget {
    Q_OBJECT
public:
    explicit SurfaceControl(QWidget* parent = nullptr);

    // The surface covers at most this many pixels each way; drawing beyond is clipped.
    static constexpr int MaxSurfaceSide = 4096;

    // The canvas over the surface; the surface follows the control's size (pixels kept where
    // both overlap, new ones in Color) every time the canvas is asked for or draws.
    platform::Canvas& Canvas();
    const QImage& Surface();

    // Draws the whole face. Called in the paint cycle after Invalidate, and directly by callers
    // that want the face drawn now.
    virtual void Paint() {}
    // The next paint cycle runs Paint.
    void Invalidate();
    bool Invalidated() const { return invalid_; }

    // Called after every change of the control's size.
    virtual void Resize() {}

    // Geometry as the platform's controls name it. Use these rather than QWidget's setters: they
    // deliver the size change (and so Resize) at once also while the control is hidden.
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int left) { SetBounds(left, y(), width(), height()); }
    void SetTop(int top) { SetBounds(x(), top, width(), height()); }
    void SetWidth(int width) { SetBounds(x(), y(), width, height()); }
    void SetHeight(int height) { SetBounds(x(), y(), width(), height); }
    void SetBounds(int left, int top, int width, int height);

    // The control's own background colour (by default the dashboard panel's, clBtnFace).
    TColor Color = clBtnFace;
    // The control's font face, which the canvas font takes in Paint.
    QString FontName = QStringLiteral("MS UI Gothic");

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SyncSurfaceSize();
    void SurfaceChanged(const TRect& rect);

    QImage surface_;
    platform::Canvas canvas_;
    bool invalid_ = true;
    // What drawing outside the paint cycle has touched since the last paint.
    QRect pending_;
    bool painting_ = false;  // inside paintEvent: the blit follows anyway
};

}  // namespace platform
