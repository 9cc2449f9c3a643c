// The surface control offscreen: when Paint runs, what reaches the screen, how the surface
// follows the control's size.
#include <gtest/gtest.h>
#include <QEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QTest>
#include <QWidget>

#include "platform/SurfaceControl.h"

using namespace platform;

namespace {

constexpr int Wait = 10000;  // ms; generous bound for the offscreen paint cycle

// Paints its face in one colour and counts paints and paint events.
class FaceControl : public SurfaceControl {
public:
    using SurfaceControl::SurfaceControl;

    void Paint() override
    {
        ++paints;
        if (Width() < growTo)
            SetWidth(growTo);
        Canvas().Brush.Color = face;
        Canvas().FillRect({0, 0, Width(), Height()});
    }
    void Resize() override
    {
        if (paintOnResize)
            Paint();
    }

    TColor face = clLime;
    int growTo = 0;
    bool paintOnResize = false;
    int paints = 0;
    int paintEvents = 0;
    QRegion painted;  // what the last paint event asked for

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            ++paintEvents;
            painted = static_cast<QPaintEvent*>(e)->region();
        }
        return SurfaceControl::event(e);
    }
};

TColor ScreenPixel(QWidget& widget, int x, int y)
{
    return FromQRgb(widget.grab().toImage().pixel(x, y));
}

}  // namespace

TEST(SurfaceControl, PaintRunsBeforeTheFirstShowAndAfterInvalidateDrawingBetweenBlitsOnlyItself)
{
    QWidget window;
    window.resize(200, 100);
    FaceControl control(&window);
    control.SetBounds(10, 10, 40, 30);
    control.growTo = 120;          // Paint may enlarge the control while shown
    control.paintOnResize = true;  // as the indicators do: Resize paints the face again
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return control.Width() == 120 && !control.Invalidated(); }, Wait));
    QCoreApplication::processEvents();
    EXPECT_EQ(control.Surface().size(), QSize(120, 30));
    EXPECT_EQ(ScreenPixel(window, 10 + 119, 10 + 29), clLime);

    const int paints = control.paints;
    control.face = clRed;
    control.Invalidate();
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.paints > paints; }, Wait));
    EXPECT_EQ(ScreenPixel(control, 0, 0), clRed);

    // Drawing outside Paint asks for a blit of its own, of the pixels the line covers.
    // (Grabbing the screen paints the whole control.)
    const int painted = control.paints;
    const int paintEvents = control.paintEvents;
    auto& canvas = control.Canvas();
    canvas.Pen.Color = clBlue;
    canvas.MoveTo(2, 5);
    canvas.LineTo(12, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return control.paintEvents > paintEvents; }, Wait));
    EXPECT_EQ(control.painted, QRegion(2, 5, 10, 1));
    EXPECT_EQ(ScreenPixel(control, 11, 5), clBlue);
    EXPECT_EQ(control.paints, painted);
}

TEST(SurfaceControl, TheSurfaceFollowsTheSizeAtOnceKeepingItsPixelsWithinABound)
{
    FaceControl control;
    control.Color = clBlue;
    control.SetBounds(0, 0, 10, 10);
    control.Canvas().SetPixel(3, 4, clRed);
    control.SetWidth(30);
    control.SetHeight(20);
    auto& canvas = control.Canvas();  // taken before the sizes below, drawing on them
    EXPECT_EQ(control.Surface().size(), QSize(30, 20));
    EXPECT_EQ(canvas.Pixel(3, 4), clRed);
    EXPECT_EQ(canvas.Pixel(29, 19), clBlue);
    control.SetBounds(0, 0, 5, 5);
    EXPECT_EQ(canvas.Pixel(3, 4), clRed);

    // A huge control keeps a bounded surface; drawing beyond it is clipped.
    control.SetBounds(0, 0, 100000, 40);
    control.Paint();
    const int side = SurfaceControl::MaxSurfaceSide;
    EXPECT_EQ(control.Surface().size(), QSize(side, 40));
    EXPECT_EQ(canvas.Pixel(side - 1, 39), clLime);
    canvas.MoveTo(0, 20);
    canvas.LineTo(90000, 20);
    canvas.FillRect({50000, 0, 60000, 40});
    EXPECT_EQ(canvas.Pixel(side - 1, 20), clBlack);
}
