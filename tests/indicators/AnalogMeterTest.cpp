// The dial gauge read back from its drawing surface: the face, the limit bands, the multiplier
// label, the needle and the value box, and what a dial with broken limits still shows.
#include "indicators/AnalogMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "tests/indicators/IndicatorPixels.h"
#include "tests/support/BoxRecorder.h"

using namespace indicator_pixels;
using platform::TPoint;

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Green = 0x00FF00;

class AnalogMeterTest : public ::testing::Test {
protected:
    void SetUp() override { ResetChannels(); }
    void TearDown() override { ResetChannels(); }

    // A 240 x 240 dial on channel, 0 to max, showing value, painted.
    std::unique_ptr<TAnalogMeter> Dial(const std::string& channel = "TACHO", std::int32_t value = 0,
                                       std::int32_t max = 10000)
    {
        auto dial = std::make_unique<TAnalogMeter>(nullptr, SourceIndexQ7);
        dial->SetBounds(1, 1, 240, 240);
        dial->SetIoName(channel);
        dial->SetMaxValue(max);
        Tacho = value;
        dial->SetValue();
        dial->Paint();
        return dial;
    }
    static const QImage& Face(TAnalogMeter& dial) { return dial.Surface(); }
    static TColor At(TAnalogMeter& dial, TPoint p) { return PixelAt(dial.Surface(), p.X, p.Y); }
    // The point at degrees (0 to the right, counter-clockwise) halfway across the limit band.
    static TPoint OnBand(TAnalogMeter& dial, double degrees)
    {
        const TAnalogMeterLayout& l = dial.Layout();
        return DialPoint(l.DCX, l.DCY, DialDegToRad * degrees, (l.ScaleR1 + 1 + l.ScaleR2) / 2.0);
    }
    static bool ValueShows(TAnalogMeter& dial, const std::string& text)
    {
        return BoxShows(
            dial.Surface(), dial.Layout().DigitalRect,
            {dial.FontName, dial.Layout().DigitalFH, dial.ColorValue(), dial.ColorBack()}, text);
    }
    static TPoint NeedleTipAt(TAnalogMeter& dial, double degrees)
    {
        const TAnalogMeterLayout& l = dial.Layout();
        return DialPoint(l.DCX, l.DCY, DialDegToRad * degrees, l.Needle);
    }

    testing_support::BoxRecorder boxes;
};

TEST_F(AnalogMeterTest, NewDialGrowsToItsMinimumWithRaisedFrameSunkenFaceAndHub)
{
    TAnalogMeter dial(nullptr, SourceIndexQ7);
    dial.Paint();
    EXPECT_EQ(dial.geometry().size(), QSize(120, 128));
    EXPECT_EQ(dial.WidthMin, 120);
    EXPECT_EQ(dial.Surface().size(), QSize(120, 128));
    EXPECT_EQ(At(dial, {0, 0}), Shown(platform::clBtnHighlight));
    EXPECT_EQ(At(dial, {119, 127}), Shown(platform::clBtnShadow));
    EXPECT_EQ(At(dial, {4, 24}), Shown(platform::clBtnShadow));
    EXPECT_EQ(At(dial, {115, 123}), Shown(platform::clBtnHighlight));
    EXPECT_EQ(At(dial, {6, 120}), Shown(dial.ColorBack()));
    EXPECT_EQ(At(dial, {53, 79}), Shown(dial.ColorBoss()));  // the hub's centre row
    EXPECT_EQ(At(dial, {66, 79}), Shown(dial.ColorBoss()));
}

// Limit texts are in the channel's units: 8.5 is 850 on SPEED (two decimals) but 8 on TACHO.
TEST_F(AnalogMeterTest, LimitBandsSpanTheirPartOfTheScale)
{
    const struct {
        const char *channel, *lower, *upper;
        std::int32_t max;
        bool band;
        std::vector<double> inside, outside;  // degrees
    } cases[] = {
        // 8000 of 10000: from 9 down to -45 degrees, the ticks every 5.4 degrees left out.
        {"TACHO", "", "8000", 10000, true, {-42, -20, 0, 7}, {12, 30, 90.5, 200}},
        // 850 of 1000: from 225 down to -4.5 degrees.
        {"SPEED", "8.5", "", 1000, true, {2}, {-8}},
        // 8 of 1000: about 2.2 degrees, drawn as one step rather than lost.
        {"TACHO", "8.5", "", 1000, true, {}, {200}},
        // None at all, or at or beyond the range's ends.
        {"TACHO", "", "", 1000, false, {}, {224, 0}},
        {"TACHO", "0", "1000", 1000, false, {}, {224, -44}},
        {"TACHO", "-5", "2000", 1000, false, {}, {224, -44}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channel << " " << c.lower << " " << c.upper);
        auto dial = Dial(c.channel, 0, c.max);
        dial->SetLowerLimit(c.lower);
        dial->SetUpperLimit(c.upper);
        dial->SetColorLLmt(Green);
        dial->SetColorULmt(Green);
        dial->Paint();
        for (double degrees : c.inside)
            EXPECT_EQ(At(*dial, OnBand(*dial, degrees)), Green) << degrees;
        for (double degrees : c.outside)
            EXPECT_EQ(At(*dial, OnBand(*dial, degrees)), Shown(dial->ColorBack())) << degrees;
        EXPECT_EQ(CountColor(Face(*dial), Green) > 0, c.band);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(AnalogMeterTest, MultiplierLabelShowsTheRemainingPowerOfTen)
{
    const struct {
        const char* channel;
        int exponent;
        std::string label;  // none: the numbers carry the point
    } cases[] = {{"TACHO", 3, "x1000"}, {"SPEED", 3, "x10"}, {"SPEED", 1, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.channel << " " << c.exponent);
        auto dial = Dial(c.channel);
        dial->SetMainScaleExp(c.exponent);
        dial->Paint();
        const TAnalogMeterLayout& l = dial->Layout();
        const TextLook look{dial->FontName, l.ScaleFH, dial->ColorScale(), dial->ColorBack()};
        for (const char* label : {"x1000", "x10"}) {
            const platform::TSize size = Extent(look, label);
            const int x = l.DCX - size.cx / 2, y = l.InnerRect.Bottom - 1 - (size.cy + 4);
            EXPECT_EQ(TextAt(Face(*dial), x, y, look, label), c.label == std::string(label));
            EXPECT_EQ(CountColor(Face(*dial), {x, y, x + size.cx, y + size.cy},
                                 dial->ColorBack()) == size.cx * size.cy,
                      c.label.empty());
        }
    }
}

// Straight up, the old needle crosses the top tick, the number 5, the band and the value box.
TEST_F(AnalogMeterTest, ANewValueRedrawsOnlyNeedleAndValueBoxAndRestoresTheFace)
{
    auto dial = Dial("TACHO", 5000);
    dial->SetUpperLimit("8000");
    dial->Paint();
    const QImage before = Face(*dial).copy();
    const TAnalogMeterLayout& l = dial->Layout();
    const TPoint oldSP = l.NeedleSP, oldEP = l.NeedleEP;
    EXPECT_EQ(At(*dial, {l.DCX, l.DCY - (l.Boss + l.Needle) / 2 - 8}), Shown(dial->ColorNeedle()));

    Tacho = 2500;
    dial->SetValue();
    const auto onNeedle = [&](TPoint p, TPoint a, TPoint b) {
        const double dx = b.X - a.X, dy = b.Y - a.Y;
        const double t =
            std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy)) <= l.NeedlePenWidth();
    };
    const platform::TRect& box = l.DigitalRect;
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (Face(*dial).pixel(x, y) != before.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(onNeedle({x, y}, oldSP, oldEP) ||
                            onNeedle({x, y}, l.NeedleSP, l.NeedleEP) ||
                            (x >= box.Left && x < box.Right && y >= box.Top && y < box.Bottom))
                    << x << "," << y;
            }
    EXPECT_GT(changed, 0);
    auto fresh = Dial("TACHO", 2500);
    fresh->SetUpperLimit("8000");
    fresh->Paint();
    EXPECT_EQ(Face(*dial), Face(*fresh));
    Tacho = 5000;
    dial->SetValue();
    EXPECT_EQ(Face(*dial), before);

    // On a system colour (as a work file may hold) the needle moves as on the same colour given
    // as red, green and blue.
    dial->SetColorBack(platform::clBtnFace);
    dial->Paint();
    fresh->SetColorBack(Shown(platform::clBtnFace));
    fresh->Paint();
    for (const std::int32_t value : {2500, 9000}) {
        Tacho = value;
        dial->SetValue();
        fresh->SetValue();
        EXPECT_EQ(Face(*dial), Face(*fresh)) << value;
    }
}

// The value box shows the whole value right-aligned, "###" when it is too wide (as much of it as
// fits a narrow box), and the needle stays pinned at the scale's ends.
TEST_F(AnalogMeterTest, ValueBoxAndPinnedNeedle)
{
    const struct {
        std::int32_t max, value;
        const char* text;
        double needle;  // degrees
    } cases[] = {
        {10000, 10000, "10000", -45},  {10000, 5, "5", 225 - 0.135}, {10000, 12000, "12000", -45},
        {10000, -1000000, "###", 225}, {10, 100, "##", -45},         {10, 1, "1", 225 - 27},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        auto dial = Dial("TACHO", 0, c.max);
        if (c.max == 10)
            dial->SetMainScaleExp(0);
        dial->Paint();
        Tacho = c.value;
        dial->SetValue();
        EXPECT_EQ(dial->Value(), c.value);
        EXPECT_TRUE(ValueShows(*dial, c.text));
        EXPECT_EQ(dial->Layout().NeedleSP, NeedleTipAt(*dial, c.needle));
        dial->Paint();  // a repaint shows the same
        EXPECT_TRUE(ValueShows(*dial, c.text));
    }
    // Over a range that holds it the needle points at the value without the channel changing.
    auto dial = Dial("TACHO", 12000);
    dial->SetMaxValue(20000);
    dial->Paint();
    EXPECT_EQ(dial->Layout().NeedleSP, NeedleTipAt(*dial, 225 - 12000 * 270.0 / 20000));
}

TEST_F(AnalogMeterTest, TheRepaintRepairsZeroDivisionsAndABadLimitIsReportedOnce)
{
    TAnalogMeter dial(nullptr, SourceIndexQ7);
    dial.LoadProperty("MainScaleDiv=0\r\nSubScaleDiv=0\r\n}");
    dial.Paint();
    EXPECT_EQ(dial.MainScaleDiv(), 1);
    EXPECT_EQ(dial.SubScaleDiv(), 1);

    dial.SetColorULmt(Green);
    dial.SetUpperLimit("80.0.0");
    ASSERT_EQ(boxes.Texts(), std::vector{QString::fromUtf8("\"80.0.0\"は整数ではありません。")});
    EXPECT_EQ(boxes.Beeps(), 1);
    dial.Paint();
    dial.SetIoName("SPEED");  // other decimals: still bad, still quiet
    dial.Paint();
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(CountColor(dial.Surface(), Green), 0);
    dial.SetLowerLimit("   ");  // a new bad text: once more
    dial.Paint();
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    dial.SetUpperLimit("80");
    dial.Paint();
    EXPECT_GT(CountColor(dial.Surface(), Green), 0);
}

TEST_F(AnalogMeterTest, BrokenLimitsShowFaceHubAndValueButNoScaleOrNeedle)
{
    const struct {
        const char* name;
        void (*apply)(TAnalogMeter&);
    } cases[] = {
        {"reversed range", [](TAnalogMeter& d) { d.SetMinValue(9000), d.SetMaxValue(1000); }},
        {"angle 361", [](TAnalogMeter& d) { d.SetScaleAngle(361); }},
        {"exponent 32", [](TAnalogMeter& d) { d.SetMainScaleExp(32); }},
        {"too many ticks",
         [](TAnalogMeter& d) { d.SetMainScaleDiv(100000), d.SetSubScaleDiv(100000); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto dial = Dial("TACHO", 4321);
        dial->SetUpperLimit("1");
        dial->SetColorULmt(Green);
        dial->SetColorSLine(Red);
        dial->SetColorNeedle(Red);
        c.apply(*dial);
        dial->Paint();
        EXPECT_FALSE(dial->Layout().NeedleDraw);
        EXPECT_EQ(CountColor(Face(*dial), Red), 0);    // no ticks, no needle
        EXPECT_EQ(CountColor(Face(*dial), Green), 0);  // no band
        EXPECT_GT(CountColor(Face(*dial), dial->ColorBoss()), 0);
        EXPECT_TRUE(ValueShows(*dial, "4321") || ValueShows(*dial, "###"));
        Tacho = -7;
        dial->SetValue();
        EXPECT_FALSE(dial->Layout().NeedleDraw);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace
