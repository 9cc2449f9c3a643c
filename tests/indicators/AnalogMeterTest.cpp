// The dial gauge on a real drawing surface (offscreen): layout, pixels read back from the
// surface, the moving part, property lines, and what a dial with broken limits does.
#include "indicators/AnalogMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <QTest>
#include <QWidget>

#include "indicators/Port.h"
#include "platform/Canvas.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "tests/support/BoxRecorder.h"

using platform::TColor;
using platform::TPoint;
using platform::TRect;

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Green = 0x00FF00;

class AnalogMeterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Tacho = 0;
        Speed = 0;
    }

    std::unique_ptr<TAnalogMeter> NewDial(int width = 0, int height = 0)
    {
        auto dial = std::make_unique<TAnalogMeter>(nullptr, SourceIndexQ7);
        if (width > 0)
            dial->SetBounds(1, 1, width, height);
        return dial;
    }

    // A 240 x 240 tachometer, 0 to 10000 rpm, showing value, painted.
    std::unique_ptr<TAnalogMeter> Tachometer(std::int32_t value, const std::string& upper = "")
    {
        auto dial = NewDial(240, 240);
        dial->SetIoName("TACHO");
        dial->SetUpperLimit(upper);
        dial->SetColorULmt(Red);
        Tacho = value;
        dial->SetValue();
        dial->Paint();
        return dial;
    }

    testing_support::BoxRecorder boxes;
};

QRgb Rgb(TColor color)
{
    return platform::ToQRgb(color);
}

QRgb PixelAt(TAnalogMeter& dial, TPoint p)
{
    return dial.Surface().pixel(p.X, p.Y);
}

// The surface as it should be with the value box holding only text, right-aligned, as the dial
// draws it.
QImage WithBoxText(TAnalogMeter& dial, const std::string& text)
{
    QImage image = dial.Surface().copy();
    platform::Canvas canvas(&image);
    canvas.Font.Name = dial.FontName;
    canvas.Font.Height = dial.Layout().DigitalFH;
    canvas.Font.Color = dial.ColorValue();
    canvas.Brush.Color = dial.ColorBack();
    canvas.Background = platform::TextBackground::Transparent;
    const TRect& box = dial.Layout().DigitalRect;
    canvas.FillRect(box);
    canvas.TextOut(box.Right - canvas.TextWidth(text), box.Top, text);
    return image;
}

// Draws the multiplier label where the dial puts it, in the scale's font; answers the rectangle.
TRect DrawLabel(QImage& image, TAnalogMeter& dial, const std::string& label)
{
    platform::Canvas canvas(&image);
    canvas.Font.Name = dial.FontName;
    canvas.Font.Height = dial.Layout().ScaleFH;
    canvas.Font.Color = dial.ColorScale();
    canvas.Brush.Color = dial.ColorBack();
    canvas.Background = platform::TextBackground::Opaque;
    const platform::TSize size = canvas.TextExtent(label);
    const TRect rect{dial.Layout().DCX - size.cx / 2,
                     dial.Layout().InnerRect.Bottom - 1 - (size.cy + 4), 0, 0};
    canvas.TextOut(rect.Left, rect.Top, label);
    return TRect{rect.Left, rect.Top, rect.Left + size.cx, rect.Top + size.cy};
}

// The value box holds the overflow mark, as much of "###" as fits in it.
bool ShowsOverflowMark(TAnalogMeter& dial)
{
    for (const char* mark : {"###", "##", "#", ""})
        if (dial.Surface() == WithBoxText(dial, mark))
            return true;
    return false;
}

bool LabelShown(TAnalogMeter& dial, const std::string& label)
{
    QImage image = dial.Surface().copy();
    DrawLabel(image, dial, label);
    return image == dial.Surface();
}

int CountPixels(TAnalogMeter& dial, TColor color)
{
    const QImage& image = dial.Surface();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == Rgb(color);
    return count;
}

double DistanceToSegment(TPoint p, TPoint a, TPoint b)
{
    const double dx = b.X - a.X, dy = b.Y - a.Y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / len2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

bool Inside(TPoint p, const TRect& r)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

}  // namespace

// ---- Layout --------------------------------------------------------------------------------

TEST_F(AnalogMeterTest, NewDialGrowsAtItsFirstRepaintToTheMinimumLayout)
{
    auto dial = NewDial();
    EXPECT_EQ(dial->Width(), 32);
    dial->Paint();
    EXPECT_EQ(dial->Width(), 120);
    EXPECT_EQ(dial->Height(), 128);
    EXPECT_EQ(dial->WidthMin, 120);
    EXPECT_EQ(dial->HeightMin, 128);
    const TAnalogMeterLayout& l = dial->Layout();
    EXPECT_EQ(l.ScaleR1, 49);
    EXPECT_EQ(l.Boss, 7);
    EXPECT_EQ(l.ScaleR2, 45);
    EXPECT_EQ(l.Needle, 45);
    EXPECT_EQ(l.ScaleR3, 41);
    EXPECT_EQ(l.DCX, 60);
    EXPECT_EQ(l.DCY, 79);
    EXPECT_EQ(l.InnerRect, (TRect{4, 24, 116, 124}));
    EXPECT_EQ(l.ScaleFH, 7);
    EXPECT_EQ(l.DigitalFH, 11);
    EXPECT_EQ(l.NeedlePenWidth(), 2);
    EXPECT_EQ(l.TickPenWidth(), 0);
    EXPECT_EQ(dial->Surface().size(), QSize(120, 128));

    // Frames: raised outside, sunken around the face, the face in ColorBack.
    EXPECT_EQ(PixelAt(*dial, {0, 0}), Rgb(platform::clBtnHighlight));
    EXPECT_EQ(PixelAt(*dial, {119, 127}), Rgb(platform::clBtnShadow));
    EXPECT_EQ(PixelAt(*dial, {4, 24}), Rgb(platform::clBtnShadow));
    EXPECT_EQ(PixelAt(*dial, {115, 123}), Rgb(platform::clBtnHighlight));
    EXPECT_EQ(PixelAt(*dial, {6, 120}), Rgb(dial->ColorBack()));
    // The hub's centre row.
    EXPECT_EQ(PixelAt(*dial, {53, 79}), Rgb(dial->ColorBoss()));
    EXPECT_EQ(PixelAt(*dial, {66, 79}), Rgb(dial->ColorBoss()));
}

TEST_F(AnalogMeterTest, SquareDialOf240HasThePartsFigures)
{
    auto dial = NewDial(240, 240);
    dial->Paint();
    const TAnalogMeterLayout& l = dial->Layout();
    EXPECT_EQ(dial->Width(), 240);
    EXPECT_EQ(dial->Height(), 240);
    EXPECT_EQ(l.ScaleR1, 110);
    EXPECT_EQ(l.Boss, 17);
    EXPECT_EQ(l.ScaleR2, 101);
    EXPECT_EQ(l.ScaleR3, 92);
    EXPECT_EQ(l.DCX, 120);
    EXPECT_EQ(l.DCY, 140);
    EXPECT_EQ(l.InnerRect, (TRect{4, 24, 236, 228}));
}

TEST_F(AnalogMeterTest, MinimumHeightBySweep)
{
    const std::pair<int, int> table[] = {{60, 48},   {90, 56},   {180, 88},
                                         {270, 128}, {300, 136}, {360, 144}};
    for (const auto& [angle, heightMin] : table) {
        auto dial = NewDial();
        dial->SetScaleAngle(angle);
        dial->Paint();
        EXPECT_EQ(dial->HeightMin, heightMin) << angle;
        EXPECT_EQ(dial->Height(), heightMin) << angle;
    }
}

TEST_F(AnalogMeterTest, OddSweepStartsItsTicksOneDegreeAfterItsLowerBand)
{
    auto dial = NewDial(240, 240);
    dial->SetScaleAngle(65);
    dial->Paint();
    const TAnalogMeterLayout& l = dial->Layout();
    EXPECT_NEAR(l.MinRadian / DialDegToRad, 123, 1e-9);
    EXPECT_NEAR((l.MinRadian - 50 * l.SubScalePit) / DialDegToRad, 58, 1e-9);
}

TEST_F(AnalogMeterTest, ValueBoxIsAsWideAsTheWiderEndOfTheRange)
{
    auto dial = NewDial(240, 240);
    dial->SetIoName("SPEED");
    dial->SetMinValue(-10000);
    dial->SetMaxValue(10000);
    dial->Paint();
    platform::Canvas& canvas = dial->Canvas();
    canvas.Font.Height = dial->Layout().DigitalFH;
    const platform::TSize extent = canvas.TextExtent("-100.00");
    const TAnalogMeterLayout& l = dial->Layout();
    EXPECT_EQ(l.DigitalRect.Width(), extent.cx);
    EXPECT_EQ(l.DigitalRect.Height(), extent.cy);
    EXPECT_EQ(l.DigitalRect.Left, l.DCX - extent.cx / 2);
    EXPECT_EQ(l.DigitalRect.Bottom, l.DCY - l.Boss - 4);
}

// ---- Pixels of the face ----------------------------------------------------------------------

TEST_F(AnalogMeterTest, UpperBandFrom8000CoversNineToMinus45Degrees)
{
    auto dial = Tachometer(0, "8000");
    const TAnalogMeterLayout& l = dial->Layout();
    const double mid = (l.ScaleR1 + 1 + l.ScaleR2) / 2.0;
    // Inside the band between ticks (ticks every 5.4 degrees from 225).
    for (double degrees : {-42.0, -20.0, 0.0, 7.0})
        EXPECT_EQ(PixelAt(*dial, DialPoint(l.DCX, l.DCY, DialDegToRad * degrees, mid)), Rgb(Red))
            << degrees;
    // Outside it.
    for (double degrees : {12.0, 30.0, 90.5, 200.0})
        EXPECT_EQ(PixelAt(*dial, DialPoint(l.DCX, l.DCY, DialDegToRad * degrees, mid)),
                  Rgb(dial->ColorBack()))
            << degrees;
    // The band ends on the polygon of 11 steps.
    const auto points = DialBandPoints(l.DCX, l.DCY, l.ScaleR1 + 1, l.ScaleR2, DialDegToRad * 9,
                                       DialDegToRad * -45);
    EXPECT_EQ(points.size(), 24u);
    EXPECT_EQ(PixelAt(*dial, points[0]), Rgb(Red));
}

TEST_F(AnalogMeterTest, LimitTextsMeanRealUnitsOfTheBoundChannel)
{
    // 8.5 means 850 on SPEED (two decimals) but 8 on TACHO.
    auto speed = NewDial(240, 240);
    speed->SetIoName("SPEED");
    speed->SetMaxValue(1000);
    speed->SetLowerLimit("8.5");
    speed->SetColorLLmt(Green);
    speed->Paint();
    const TAnalogMeterLayout& l = speed->Layout();
    const double mid = (l.ScaleR1 + 1 + l.ScaleR2) / 2.0;
    // 850 of 1000 over 270 degrees: the band runs from 225 down to 225 - 229.5 = -4.5 degrees.
    EXPECT_EQ(PixelAt(*speed, DialPoint(l.DCX, l.DCY, DialDegToRad * 2, mid)), Rgb(Green));
    EXPECT_EQ(PixelAt(*speed, DialPoint(l.DCX, l.DCY, DialDegToRad * -8, mid)),
              Rgb(speed->ColorBack()));

    auto tacho = NewDial(240, 240);
    tacho->SetIoName("TACHO");
    tacho->SetMaxValue(1000);
    tacho->SetLowerLimit("8.5");
    tacho->SetColorLLmt(Green);
    tacho->Paint();
    // 8 of 1000: about 2.2 degrees, drawn as one step rather than lost.
    EXPECT_GT(CountPixels(*tacho, Green), 0);
    EXPECT_EQ(PixelAt(*tacho, DialPoint(l.DCX, l.DCY, DialDegToRad * 200, mid)),
              Rgb(tacho->ColorBack()));

    // No text, no band; a limit at or beyond the range's ends, no band either.
    for (const char* text : {"", "0", "1000", "2000", "-5"}) {
        auto none = NewDial(240, 240);
        none->SetIoName("TACHO");
        none->SetMaxValue(1000);
        none->SetLowerLimit(text);
        none->SetUpperLimit(text);
        none->SetColorLLmt(Green);
        none->SetColorULmt(Green);
        none->Paint();
        EXPECT_EQ(CountPixels(*none, Green), 0) << text;
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(AnalogMeterTest, MultiplierLabelShowsTheRemainingPowerOfTen)
{
    auto tacho = NewDial(240, 240);
    tacho->SetIoName("TACHO");
    tacho->Paint();
    EXPECT_TRUE(LabelShown(*tacho, "x1000"));
    EXPECT_FALSE(LabelShown(*tacho, "x10"));

    auto speed = NewDial(240, 240);
    speed->SetIoName("SPEED");
    speed->Paint();
    EXPECT_TRUE(LabelShown(*speed, "x10"));
    EXPECT_FALSE(LabelShown(*speed, "x1000"));

    // MainScaleExp 1 on two decimals: the numbers carry the point, no label.
    speed->SetMainScaleExp(1);
    speed->Paint();
    QImage probe = speed->Surface().copy();
    const TRect where = DrawLabel(probe, *speed, "x10");
    for (int y = where.Top; y < where.Bottom; ++y)
        for (int x = where.Left; x < where.Right; ++x)
            ASSERT_EQ(speed->Surface().pixel(x, y), Rgb(speed->ColorBack())) << x << "," << y;
}

// ---- The moving part -----------------------------------------------------------------------

TEST_F(AnalogMeterTest, NewValueRedrawsOnlyNeedleAndValueBoxAndRestoresTheFace)
{
    // Straight up, the old needle crosses the top tick, the number 5 and the value box.
    auto dial = Tachometer(5000, "8000");
    const QImage before = dial->Surface().copy();
    const TAnalogMeterLayout& l = dial->Layout();
    const TPoint oldSP = l.NeedleSP, oldEP = l.NeedleEP;

    Tacho = 2500;
    dial->SetValue();
    EXPECT_EQ(dial->Value(), 2500);
    const QImage after = dial->Surface().copy();
    int changed = 0;
    for (int y = 0; y < after.height(); ++y) {
        for (int x = 0; x < after.width(); ++x) {
            if (after.pixel(x, y) == before.pixel(x, y))
                continue;
            ++changed;
            const TPoint p{x, y};
            const bool onNeedle =
                DistanceToSegment(p, oldSP, oldEP) <= l.NeedlePenWidth() ||
                DistanceToSegment(p, l.NeedleSP, l.NeedleEP) <= l.NeedlePenWidth();
            EXPECT_TRUE(onNeedle || Inside(p, l.DigitalRect)) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 0);

    // Exactly what a full repaint at that value draws: what lay under the old needle is back.
    auto fresh = Tachometer(2500, "8000");
    EXPECT_TRUE(after == fresh->Surface());
    // And back again.
    Tacho = 5000;
    dial->SetValue();
    EXPECT_TRUE(dial->Surface() == before);
}

// Counts the paint events a widget receives: what reaches the screen.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST_F(AnalogMeterTest, UnchangedValueDrawsNothingAndRepaintsNothingAlsoWhenPinned)
{
    // In range, beyond the maximum and below the minimum (needle pinned at an end).
    for (const std::int32_t value : {3000, 12000, -500}) {
        QWidget window;
        window.resize(300, 300);
        auto dial = Tachometer(value);
        dial->setParent(&window);
        dial->show();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !dial->Invalidated(); }, 10000));
        PaintCounter counter(dial.get());
        const TRect& box = dial->Layout().DigitalRect;
        dial->Canvas().SetPixel(box.Left, box.Top, Green);
        ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 10000));
        counter.paints = 0;

        dial->SetValue();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(PixelAt(*dial, {box.Left, box.Top}), Rgb(Green)) << value;
        EXPECT_EQ(counter.paints, 0) << value;
        // A changed value does reach the screen the same way.
        Tacho = value + 1;
        dial->SetValue();
        EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 10000)) << value;
    }
    // Unbound, or bound to a name that is no channel: nothing either.
    auto unbound = NewDial(240, 240);
    unbound->SetIoName("XYZ");
    EXPECT_EQ(unbound->PortInfo().Address, nullptr);
    unbound->Paint();
    Tacho = 1234;
    const QImage before = unbound->Surface().copy();
    unbound->SetValue();
    EXPECT_EQ(unbound->Value(), 0);
    EXPECT_TRUE(unbound->Surface() == before);
}

TEST_F(AnalogMeterTest, ValueTextIsRightAlignedAndClearsLongerOnes)
{
    auto dial = Tachometer(10000);
    EXPECT_TRUE(dial->Surface() == WithBoxText(*dial, "10000"));
    Tacho = 5;
    dial->SetValue();
    EXPECT_TRUE(dial->Surface() == WithBoxText(*dial, "5"));
}

TEST_F(AnalogMeterTest, ValueTooWideForTheBoxShowsHashes)
{
    auto dial = Tachometer(0);
    Tacho = -1000000;
    dial->SetValue();
    EXPECT_TRUE(dial->Surface() == WithBoxText(*dial, "###"));  // a box of five digits holds it
    const TAnalogMeterLayout& l = dial->Layout();  // the needle pinned to the scale's start
    EXPECT_EQ(l.NeedleSP, DialPoint(l.DCX, l.DCY, DialDegToRad * 225, l.Needle));
}

TEST_F(AnalogMeterTest, OverflowMarkStaysInsideANarrowBox)
{
    // 0 to 10: the box holds two digits, narrower than "###".
    auto dial = NewDial(240, 240);
    dial->SetIoName("TACHO");
    dial->SetMaxValue(10);
    dial->SetMainScaleExp(0);
    dial->Paint();
    const QImage face = dial->Surface().copy();
    const TRect box = dial->Layout().DigitalRect;
    Tacho = 100;
    dial->SetValue();
    // Nothing outside the box changed but the needle, pinned at the end (lower right).
    for (int y = box.Top; y < box.Bottom; ++y)
        for (int x = 0; x < box.Left; ++x)
            ASSERT_EQ(dial->Surface().pixel(x, y), face.pixel(x, y)) << x << "," << y;
    EXPECT_TRUE(ShowsOverflowMark(*dial));
    EXPECT_FALSE(dial->Surface() == WithBoxText(*dial, "###"));
    // A fitting value afterwards leaves no trace of the mark (the needle low on the left).
    Tacho = 1;
    dial->SetValue();
    EXPECT_TRUE(dial->Surface() == WithBoxText(*dial, "1"));
}

TEST_F(AnalogMeterTest, ValueBeyondTheMaximumPinsTheNeedleAndShowsTheTrueValue)
{
    auto dial = Tachometer(0);
    Tacho = 12000;
    dial->SetValue();
    const TAnalogMeterLayout& l = dial->Layout();
    EXPECT_EQ(dial->Value(), 12000);
    EXPECT_EQ(l.NeedleSP, DialPoint(l.DCX, l.DCY, DialDegToRad * -45, l.Needle));
    EXPECT_TRUE(dial->Surface() == WithBoxText(*dial, "12000"));

    // A repaint shows the true value too, and over a range that holds it the needle points at
    // it without the channel changing.
    dial->Paint();
    EXPECT_TRUE(dial->Surface() == WithBoxText(*dial, "12000"));
    dial->SetMaxValue(20000);
    dial->Paint();
    EXPECT_EQ(l.NeedleSP,
              DialPoint(l.DCX, l.DCY, DialDegToRad * 225 - 12000 * l.ValueToRadian, l.Needle));
}

TEST_F(AnalogMeterTest, SetValueBeforeTheFirstPaintWaitsForIt)
{
    auto dial = NewDial();  // never resized, so never painted
    dial->SetIoName("TACHO");
    const QImage blank = dial->Surface().copy();
    Tacho = 7500;
    dial->SetValue();
    EXPECT_EQ(dial->Value(), 7500);
    EXPECT_TRUE(dial->Surface() == blank);
    EXPECT_FALSE(dial->Layout().NeedleDraw);
    dial->Paint();
    const TAnalogMeterLayout& l = dial->Layout();
    EXPECT_TRUE(l.NeedleDraw);
    // 7500 of 10000 over 270 degrees from 225: 22.5 degrees.
    EXPECT_EQ(l.NeedleSP,
              DialPoint(l.DCX, l.DCY, DialDegToRad * 225 - 7500 * l.ValueToRadian, l.Needle));
    EXPECT_NEAR(l.ValueToRadian, DialDegToRad * 270 / 10000, 1e-15);
}

TEST_F(AnalogMeterTest, NeedleShowsItsColourOnTheFace)
{
    auto dial = Tachometer(5000);
    const TAnalogMeterLayout& l = dial->Layout();
    // Straight up, halfway between hub and tip, clear of the number and the value box.
    EXPECT_EQ(PixelAt(*dial, {l.DCX, l.DCY - (l.Boss + l.Needle) / 2 - 8}),
              Rgb(dial->ColorNeedle()));

    // On a system colour (as a work file may hold) the needle is drawn, moved and erased as on
    // the same colour given as red, green and blue.
    auto onSystem = Tachometer(5000);
    onSystem->SetColorBack(platform::clBtnFace);
    onSystem->Paint();
    dial->SetColorBack(platform::FromQRgb(Rgb(platform::clBtnFace)));
    dial->Paint();
    for (const std::int32_t value : {2500, 9000}) {
        Tacho = value;
        onSystem->SetValue();
        dial->SetValue();
        EXPECT_TRUE(onSystem->Surface() == dial->Surface()) << value;
    }
    int needle = 0;
    for (int y = 0; y < dial->Height(); ++y)
        for (int x = 0; x < dial->Width(); ++x)
            needle += PixelAt(*dial, {x, y}) == Rgb(dial->ColorNeedle());
    EXPECT_GT(needle, 100);
}

TEST_F(AnalogMeterTest, OnAShownPanelThePaintCycleDrawsTheFaceAndLiveValuesNeedNoRepaint)
{
    QWidget panel;
    panel.resize(400, 400);
    auto dial = std::make_unique<TAnalogMeter>(&panel, SourceIndexQ7);
    dial->SetIoName("TACHO");
    panel.show();
    // The paint cycle grows the dial to its minimum and draws the face.
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return dial->Width() == 120 && !dial->Invalidated(); }, 10000));
    EXPECT_EQ(dial->Height(), 128);
    EXPECT_EQ(dial->Surface().pixel(0, 0), Rgb(platform::clBtnHighlight));
    Tacho = 9000;
    dial->SetValue();
    EXPECT_FALSE(dial->Invalidated());  // drawn on the surface, no full repaint asked for
    EXPECT_TRUE(dial->Surface() == WithBoxText(*dial, "9000"));
}

// ---- Property lines ------------------------------------------------------------------------

TEST_F(AnalogMeterTest, NewDialWritesItsDefaults)
{
    auto dial = NewDial();
    QStringList lines;
    dial->SaveProperty(lines, "  ");
    ASSERT_EQ(lines.size(), 26);
    const QStringList expected = {"  Left=1",
                                  "  Top=1",
                                  "  Width=32",
                                  "  Height=32",
                                  "  ScaleAngle=270",
                                  "  ScaleHeight=0",
                                  "  MainScaleDiv=10",
                                  "  SubScaleDiv=5",
                                  "  MinValue=0",
                                  "  MaxValue=10000",
                                  "  MainScaleExp=3",
                                  "  HeightTitle=16",
                                  "  HeightScale=16",
                                  "  HeightValue=24",
                                  "  ColorScale=0",
                                  "  ColorValue=16711680",
                                  "  ColorSLine=0",
                                  "  ColorNeedle=255",
                                  "  ColorBack=15790320",
                                  "  ColorBoss=8421504",
                                  "  ColorUpperLimit=0",
                                  "  ColorLowerLimit=0",
                                  "  UpperLimit=\"\"",
                                  "  LowerLimit=\"\"",
                                  "  IoName=\"\"",
                                  "  Title=\"Dial Meter\""};
    // Left and Top depend on where the last mouse-down was; the rest is fixed.
    for (int i = 2; i < 26; ++i)
        EXPECT_EQ(lines[i], expected[i]);
    EXPECT_TRUE(lines[0].startsWith("  Left="));
    EXPECT_TRUE(lines[1].startsWith("  Top="));
}

TEST_F(AnalogMeterTest, SavedLinesLoadIntoANewDialAsTheSame26Properties)
{
    auto dial = NewDial(248, 264);
    dial->SetBounds(17, 25, 248, 264);
    dial->SetScaleAngle(300);
    dial->SetScaleHeight(7);
    dial->SetMainScaleDiv(8);
    dial->SetSubScaleDiv(4);
    dial->SetMinValue(-500);
    dial->SetMaxValue(9000);
    dial->SetMainScaleExp(2);
    dial->SetHeightTitle(20);
    dial->SetHeightScale(18);
    dial->SetHeightValue(30);
    dial->SetColorTitle(0x123456);
    dial->SetColorScale(1);
    dial->SetColorValue(2);
    dial->SetColorSLine(3);
    dial->SetColorNeedle(4);
    dial->SetColorBack(platform::clBtnFace);
    dial->SetColorBoss(6);
    dial->SetColorULmt(7);
    dial->SetColorLLmt(8);
    dial->SetUpperLimit("80.5");
    dial->SetLowerLimit("1.5");
    dial->SetIoName("SPEED");
    dial->SetTitle(QString::fromUtf8("速度[km/h]"));
    QStringList lines;
    dial->SaveProperty(lines, "");
    EXPECT_EQ(lines[18], "ColorBack=-16777201");  // a system colour is negative

    auto copy = NewDial();
    copy->LoadProperty(platform::ToCp932(lines.join("\r\n") + "\r\n}"));
    QStringList again;
    copy->SaveProperty(again, "");
    EXPECT_EQ(again, lines);
    EXPECT_EQ(copy->ColorTitle(), 0);  // no line carries it
    EXPECT_EQ(copy->PortInfo().Designator, "SPEED");
    EXPECT_EQ(copy->Title(), QString::fromUtf8("速度[km/h]"));
    EXPECT_EQ(copy->Left(), 17);
    EXPECT_EQ(copy->Height(), 264);
}

TEST_F(AnalogMeterTest, ForeignKeysAreSkippedAndLaterKeysStillApply)
{
    auto dial = NewDial();
    dial->LoadProperty("  ScaleAngle=180\r\n  ColorTitle=255\r\n  Unknown=-7\r\n  MaxValue=500\r\n"
                       "  IoName=\"TACHO\"\r\n}");
    EXPECT_EQ(dial->ColorTitle(), 0);
    EXPECT_EQ(dial->ScaleAngle(), 180);
    EXPECT_EQ(dial->MaxValue(), 500);
    EXPECT_EQ(dial->IoName(), "TACHO");
    // Bound: SetValue follows the channel.
    dial->Paint();
    Tacho = 250;
    dial->SetValue();
    EXPECT_EQ(dial->Value(), 250);

    auto other = NewDial();
    other->LoadProperty("IoName=\"XYZ\"\r\n}");
    EXPECT_EQ(other->IoName(), "XYZ");
    EXPECT_EQ(other->PortInfo().Address, nullptr);
}

TEST_F(AnalogMeterTest, ANarrowWidthLineIsWidenedByTheRepaint)
{
    auto dial = NewDial();
    dial->LoadProperty("Width=50\r\nHeight=200\r\n}");
    EXPECT_EQ(dial->Width(), 50);  // until the repaint
    dial->Paint();
    EXPECT_EQ(dial->Width(), 120);
    EXPECT_EQ(dial->Height(), 200);
}

TEST_F(AnalogMeterTest, ZeroDivisionsAreRepairedByTheRepaintAndSavedSo)
{
    auto dial = NewDial();
    dial->LoadProperty("MainScaleDiv=0\r\nSubScaleDiv=0\r\n}");
    EXPECT_EQ(dial->MainScaleDiv(), 0);
    dial->Paint();
    EXPECT_EQ(dial->MainScaleDiv(), 1);
    EXPECT_EQ(dial->SubScaleDiv(), 1);
    QStringList lines;
    dial->SaveProperty(lines, "");
    EXPECT_EQ(lines[6], "MainScaleDiv=1");
    EXPECT_EQ(lines[7], "SubScaleDiv=1");
}

TEST_F(AnalogMeterTest, KeyWithAFullWidthCharacterStopsTheLoadWithTheKeysBeforeIt)
{
    auto dial = NewDial();
    EXPECT_THROW(dial->LoadProperty("MaxValue=20\r\nMin\x82\xa0=3\r\n}"), platform::EPlatformError);
    EXPECT_EQ(dial->MaxValue(), 20);
}

// ---- Broken limits ---------------------------------------------------------------------------

TEST_F(AnalogMeterTest, BadLimitTextIsReportedOnceWhenGivenNotAtEveryRepaint)
{
    auto dial = NewDial(240, 240);
    dial->SetIoName("TACHO");
    dial->SetColorULmt(Green);
    dial->SetUpperLimit("80.0.0");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Texts()[0], QString::fromUtf8("\"80.0.0\"は整数ではありません。"));
    EXPECT_EQ(boxes.Beeps(), 1);
    for (int i = 0; i < 5; ++i)
        dial->Paint();
    dial->SetIoName("SPEED");  // other decimals: still bad, still quiet
    dial->Paint();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(CountPixels(*dial, Green), 0);

    // A new bad text is reported again, once; a good one draws its band.
    dial->SetLowerLimit("   ");
    dial->Paint();
    dial->Paint();
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    dial->SetUpperLimit("80");
    dial->Paint();
    EXPECT_GT(CountPixels(*dial, Green), 0);
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST_F(AnalogMeterTest, BrokenLimitsShowFaceHubAndValueButNoScaleOrNeedle)
{
    struct Case {
        const char* name;
        void (*apply)(TAnalogMeter&);
    };
    const Case cases[] = {
        {"equal range",
         [](TAnalogMeter& d) {
             d.SetMinValue(5000);
             d.SetMaxValue(5000);
         }},
        {"reversed range",
         [](TAnalogMeter& d) {
             d.SetMinValue(9000);
             d.SetMaxValue(1000);
         }},
        {"angle 0", [](TAnalogMeter& d) { d.SetScaleAngle(0); }},
        {"angle -90", [](TAnalogMeter& d) { d.SetScaleAngle(-90); }},
        {"angle 361", [](TAnalogMeter& d) { d.SetScaleAngle(361); }},
        {"main step 0", [](TAnalogMeter& d) { d.SetMaxValue(5); }},
        {"exponent 10", [](TAnalogMeter& d) { d.SetMainScaleExp(10); }},
        {"exponent 32", [](TAnalogMeter& d) { d.SetMainScaleExp(32); }},
        {"negative divisions", [](TAnalogMeter& d) { d.SetMainScaleDiv(-4); }},
        {"too many ticks",
         [](TAnalogMeter& d) {
             d.SetMainScaleDiv(100000);
             d.SetSubScaleDiv(100000);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto dial = NewDial(240, 240);
        dial->SetIoName("TACHO");
        dial->SetUpperLimit("1");
        dial->SetColorULmt(Green);
        dial->SetColorSLine(Red);
        dial->SetColorNeedle(Red);
        c.apply(*dial);
        Tacho = 4321;
        dial->SetValue();
        dial->Paint();
        EXPECT_FALSE(dial->Layout().NeedleDraw);
        EXPECT_EQ(CountPixels(*dial, Red), 0);    // no ticks, no needle
        EXPECT_EQ(CountPixels(*dial, Green), 0);  // no band
        EXPECT_GT(CountPixels(*dial, dial->ColorBoss()), 0);
        EXPECT_TRUE(dial->Surface() == WithBoxText(*dial, "4321") || ShowsOverflowMark(*dial));
        // Live values keep coming without trouble.
        Tacho = -7;
        dial->SetValue();
        EXPECT_FALSE(dial->Layout().NeedleDraw);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(AnalogMeterTest, HubOfRadiusZeroDrawsNoHub)
{
    auto dial = NewDial();
    dial->SetScaleAngle(60);
    dial->SetHeightTitle(20);
    dial->SetColorBoss(Green);
    dial->SetIoName("TACHO");
    Tacho = 100;
    dial->SetValue();
    dial->Paint();
    EXPECT_EQ(dial->Height(), 48);
    EXPECT_EQ(dial->Layout().Boss, 0);
    EXPECT_EQ(CountPixels(*dial, Green), 0);
}
