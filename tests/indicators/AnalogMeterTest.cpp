// The dial gauge read back from its drawing surface: the limit bands, the multiplier label, the
// needle and the value box, and what a dial with broken limits still shows.
#include "indicators/AnalogMeter.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/indicators/IndicatorPixels.h"
#include "tests/support/BoxRecorder.h"

using namespace indicator_pixels;
using platform::TPoint;

namespace {

constexpr TColor Red = 0x0000FF;
constexpr TColor Green = 0x00FF00;

class AnalogMeterTest : public FaceTest {
protected:
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
    // The point at degrees (0 to the right, counter-clockwise) at radius, by default halfway
    // across the limit band.
    static TPoint On(TAnalogMeter& dial, double degrees, double radius = 0)
    {
        const TAnalogMeterLayout& l = dial.Layout();
        radius = radius ? radius : (l.ScaleR1 + 1 + l.ScaleR2) / 2.0;
        return DialPoint(l.DCX, l.DCY, DialDegToRad * degrees, radius);
    }
    static TColor At(TAnalogMeter& dial, TPoint p) { return PixelAt(dial.Surface(), p.X, p.Y); }
    // The whole text right-aligned in the value box, which shows nothing else.
    static bool ValueShows(TAnalogMeter& dial, const std::string& text)
    {
        const TRect& box = dial.Layout().DigitalRect;
        const TextLook look{dial.FontName, dial.Layout().DigitalFH, dial.ColorValue(),
                            dial.ColorBack()};
        return BoxShows(dial.Surface(), box, look, text) &&
               TextAt(dial.Surface(), box.Right - Extent(look, text).cx, box.Top, look, text);
    }

    testing_support::BoxRecorder boxes;
};

// Limit texts are in the channel's units: 8.5 is 850 on SPEED (two decimals) but 8 on TACHO.
TEST_F(AnalogMeterTest, LimitBandsSpanTheirPartOfTheScale)
{
    // Channel, lower and upper limit, maximum, whether a band shows, degrees inside and outside.
    const std::tuple<const char*, const char*, const char*, std::int32_t, bool, std::vector<double>,
                     std::vector<double>>
        cases[] = {
            // 8000 of 10000: from 9 down to -45 degrees, the ticks every 5.4 degrees left out.
            {"TACHO", "", "8000", 10000, true, {-42, -20, 0, 7}, {12, 30, 90.5, 200}},
            // 850 of 1000: from 225 down to -4.5 degrees.
            {"SPEED", "8.5", "", 1000, true, {2}, {-8}},
            // 8 of 1000: about 2.2 degrees, drawn as one step rather than lost.
            {"TACHO", "8.5", "", 1000, true, {}, {200}},
            // None at or beyond the range's ends.
            {"TACHO", "-5", "1000", 1000, false, {}, {224, -44}},
        };
    for (const auto& [channel, lower, upper, max, band, inside, outside] : cases) {
        SCOPED_TRACE(testing::Message() << channel << " " << lower << " " << upper);
        auto dial = Dial(channel, 0, max);
        dial->SetLowerLimit(lower);
        dial->SetUpperLimit(upper);
        dial->SetColorLLmt(*lower ? Green : Red);  // each band in its own colour
        dial->SetColorULmt(*upper ? Green : Red);
        dial->Paint();
        for (double degrees : inside)
            EXPECT_EQ(At(*dial, On(*dial, degrees)), Green) << degrees;
        for (double degrees : outside)
            EXPECT_EQ(At(*dial, On(*dial, degrees)), Shown(dial->ColorBack())) << degrees;
        EXPECT_EQ(CountColor(dial->Surface(), Green) > 0, band);
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(AnalogMeterTest, MultiplierLabelShowsTheRemainingPowerOfTen)
{
    // Each exponent the dialog offers, 0 to 5, and one only a work file holds; none where the
    // numbers carry the point. The number at the top of the scale, 5000 of 0 to 10000, is divided
    // by the power of ten and keeps the channel's decimals that remain.
    // clang-format off
    const std::tuple<const char*, int, std::string, std::string> cases[] = {
        {"TACHO", -1, "", "5000"}, {"TACHO", 0, "", "5000"}, {"TACHO", 1, "x10", "500"},
        {"TACHO", 2, "x100", "50"}, {"TACHO", 3, "x1000", "5"}, {"TACHO", 4, "x10000", "0"},
        {"TACHO", 5, "x100000", "0"}, {"SPEED", 3, "x10", "5"}, {"SPEED", 1, "", "50.0"}};
    // clang-format on
    for (const auto& [channel, exponent, shown, top] : cases) {
        SCOPED_TRACE(testing::Message() << channel << " " << exponent);
        auto dial = Dial(channel);
        dial->SetMainScaleExp(exponent);
        dial->SetColorSLine(dial->ColorBack());  // the ticks out of sight
        dial->SetHeightScale(10);                // and the numbers clear of each other
        dial->Paint();
        const TAnalogMeterLayout& l = dial->Layout();
        const TextLook look{dial->FontName, l.ScaleFH, dial->ColorScale(), dial->ColorBack()};
        for (const std::string label : {"x1", "x10", "x100", "x1000", "x10000", "x100000"}) {
            const platform::TSize size = Extent(look, label);
            const int x = l.DCX - size.cx / 2, y = l.InnerRect.Bottom - 1 - (size.cy + 4);
            EXPECT_EQ(TextAt(dial->Surface(), x, y, look, label), shown == label);
        }
        bool topShown = false;  // centred on the middle column, somewhere above the hub
        for (int y = l.InnerRect.Top, x = l.DCX - Extent(look, top).cx / 2; y < l.DCY; ++y)
            topShown = topShown || TextAt(dial->Surface(), x, y, look, top);
        EXPECT_TRUE(topShown) << top;
    }
}

// A new value leaves the face as a fresh paint at that value draws it, also on a system colour
// (as a work file may hold); going back restores it.
TEST_F(AnalogMeterTest, ANewValueRedrawsNeedleAndValueBoxAndRestoresTheFace)
{
    auto dial = Dial("TACHO", 5000);
    const TAnalogMeterLayout& l = dial->Layout();
    EXPECT_EQ(At(*dial, {l.DCX, l.DCY - (l.Boss + l.Needle) / 2 - 8}), Shown(dial->ColorNeedle()));
    auto fresh = Dial("TACHO", 2500);
    for (const TColor back : {dial->ColorBack(), platform::clBtnFace}) {
        dial->SetUpperLimit("8000");
        dial->SetColorBack(back);
        dial->Paint();
        const QImage before = dial->Surface().copy();
        fresh->SetUpperLimit("8000");
        fresh->SetColorBack(Shown(back));
        fresh->Paint();
        Tacho = 2500;
        dial->SetValue();
        EXPECT_EQ(dial->Surface(), fresh->Surface());
        Tacho = 5000;
        dial->SetValue();
        EXPECT_EQ(dial->Surface(), before);
    }
}

// The value box shows the whole value right-aligned, "###" when it is too wide (reaching left of
// a narrow box, which the next value clears), and the needle stays pinned at the scale's ends.
TEST_F(AnalogMeterTest, ValueBoxAndPinnedNeedle)
{
    const std::tuple<std::int32_t, std::int32_t, std::int32_t, const char*, double> cases[] = {
        {0, 10000, 5, "5", 225 - 0.135},
        {0, 10000, 12000, "12000", -45},
        {0, 10000, -1000000, "###", 225},
        {-10000, 10000, -10000, "-10000", 225},  // the box as wide as the wider end's text
        {0, 10, 100, "###", -45},
    };
    for (const auto& [min, max, value, text, needle] : cases) {  // needle in degrees
        SCOPED_TRACE(value);
        auto dial = Dial("TACHO", 0, max);
        dial->SetMinValue(min);
        if (max == 10)
            dial->SetMainScaleExp(0);
        dial->Paint();
        Tacho = value;
        dial->SetValue();
        EXPECT_TRUE(ValueShows(*dial, text));
        EXPECT_EQ(dial->Layout().NeedleSP, On(*dial, needle, dial->Layout().Needle));
        Tacho = 1;
        dial->SetValue();
        const QImage shown = dial->Surface().copy();
        dial->Paint();
        EXPECT_EQ(dial->Surface(), shown);
    }
}

// A bad limit text is reported once, when it is set, and draws no band. A reversed range (the
// other limits the scale relies on are in the layout tests; zero divisions, mended at the repaint,
// in IndicatorTest's extreme numbers) leaves the face, the hub and the value, but no scale and no
// needle.
TEST_F(AnalogMeterTest, BrokenSettingsAreReportedOnceOrShowNoScale)
{
    auto dial = Dial("TACHO", 4321);
    dial->SetColorULmt(Green);
    dial->SetUpperLimit("80.0.0");
    ASSERT_EQ(boxes.Texts(), std::vector{QString::fromUtf8("\"80.0.0\"は整数ではありません。")});
    dial->SetLowerLimit("   ");  // a new bad text: once more
    dial->Paint();
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(CountColor(dial->Surface(), Green), 0);

    dial->SetUpperLimit("1");
    dial->SetColorSLine(Red);
    dial->SetColorNeedle(Red);
    dial->SetMinValue(20000);
    dial->Paint();
    Tacho = -7;
    dial->SetValue();
    EXPECT_EQ(CountColor(dial->Surface(), Red), 0);    // no ticks, no needle
    EXPECT_EQ(CountColor(dial->Surface(), Green), 0);  // no band
    EXPECT_GT(CountColor(dial->Surface(), dial->ColorBoss()), 0);
    EXPECT_TRUE(ValueShows(*dial, "-7"));
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

}  // namespace
