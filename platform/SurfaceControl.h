#pragma once
// A custom-drawn control with a persistent pixel surface (the platform's TCustomControl).
// Paint draws the whole face on the surface; it runs in the paint cycle after Invalidate (and
// once before the control is first shown). Drawing outside Paint (a moving needle, a value) goes
// to the same surface and reaches the screen without another Paint.
#include <QImage>
#include <QWidget>

#include "platform/Canvas.h"
#include "platform/Color.h"

namespace platform {

class SurfaceControl : public QWidget {
    Q_OBJECT
public:
    explicit SurfaceControl(QWidget* parent = nullptr);

    // The canvas over the surface; the surface follows the control's size (pixels kept where
    // both overlap) every time the canvas is asked for.
    platform::Canvas& Canvas();
    const QImage& Surface();

    // Draws the whole face. Called in the paint cycle after Invalidate, and directly by callers
    // that want the face drawn now.
    virtual void Paint() {}
    // The next paint cycle runs Paint.
    void Invalidate();
    bool Invalidated() const { return invalid_; }

    // Geometry as the platform's controls name it.
    int Left() const { return x(); }
    int Top() const { return y(); }
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int left) { move(left, y()); }
    void SetTop(int top) { move(x(), top); }
    void SetWidth(int width) { resize(width, height()); }
    void SetHeight(int height) { resize(width(), height); }
    void SetBounds(int left, int top, int width, int height) { setGeometry(left, top, width, height); }

    // The control's own background colour (by default the dashboard panel's, clBtnFace).
    TColor Color = clBtnFace;
    // The control's font face, which the canvas font takes in Paint.
    QString FontName = QStringLiteral("MS UI Gothic");

protected:
    // Called after every change of the control's size.
    virtual void Resize() {}

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SyncSurfaceSize();

    QImage surface_;
    platform::Canvas canvas_;
    bool invalid_ = true;
};

}  // namespace platform
