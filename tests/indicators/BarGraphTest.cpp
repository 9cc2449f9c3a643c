#include "indicators/BarGraph.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <QWidget>

#include "indicators/BarGraphLayout.h"
#include "indicators/Port.h"
#include "platform/Cp932.h"
#include "tests/indicators/IndicatorPixels.h"
#include "tests/support/BoxRecorder.h"

using namespace indicator_pixels;
using platform::TColor;
using platform::TRect;

namespace {

class BarGraphTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Throttle = 0;
        Speed = 0;
        bar = std::make_unique<TBarGraph>(&panel, SourceIndexQ7);
    }
    void TearDown() override
    {
        bar.reset();
        Throttle = 0;
        Speed = 0;
    }

    const QImage& Face() { return bar->Surface(); }
    // The columns (horizontal) or rows (vertical) of the interior that show the bar's colour
    // from end to end.
    int BarColumns()
    {
        const TRect& in = bar->Layout().BarBack;
        int count = 0;
        for (int x = in.Left; x <= in.Right; ++x)
            count += ColumnIs(Face(), x, in.Top, in.Bottom, bar->ColorBar());
        return count;
    }
    int BarRows()
    {
        const TRect& in = bar->Layout().BarBack;
        int count = 0;
        for (int y = in.Top; y <= in.Bottom; ++y)
            count += RowIs(Face(), y, in.Left, in.Right, bar->ColorBar());
        return count;
    }
    // The bar's end as drawn: the last of the columns (horizontal) from the interior's left, or
    // the row above the rows (vertical) from its bottom, that show the bar's colour, a marker
    // line under the bar included.
    int ShownEnd()
    {
        const TRect& in = bar->Layout().BarBack;
        const TColor marker = bar->ColorMarker() ^ bar->ColorBack() ^ bar->ColorBar();
        const auto barLine = [&](int position) {
            if (bar->Vertical() == 1)
                return RowIs(Face(), position, in.Left, in.Right, bar->ColorBar());
            return ColumnIs(Face(), position, in.Top, in.Bottom, bar->ColorBar()) ||
                   ColumnIs(Face(), position, in.Top, in.Bottom, marker);
        };
        if (bar->Vertical() == 1) {
            int end = in.Bottom;
            while (end >= in.Top && barLine(end))
                --end;
            return end;
        }
        int end = in.Left - 1;
        while (end < in.Right && barLine(end + 1))
            ++end;
        return end;
    }
    void ShowThrottle(std::int32_t value)
    {
        Throttle = value;
        bar->SetValue();
    }
    QImage ValueText(const std::string& text)
    {
        return RenderText(bar->FontName, bar->HeightValue(), bar->ColorValue(), bar->Color, text);
    }
    bool ValueBoxShows(const std::string& text)
    {
        const QImage expected = ValueText(text);
        const TRect& box = bar->Layout().DigitalRect;
        return ShowsAt(Face(), box.Right - expected.width(), box.Top, expected);
    }

    QWidget panel;
    std::unique_ptr<TBarGraph> bar;
};

// ---- Layout, free of the control ------------------------------------------------------------

// A range of 0 to 100 with labels "100" (27 pixels) and "0" (9), 16 high, and a title 60 by 16.
TBarGraphLayoutInput LayoutInput(bool vertical, int width, int height)
{
    TBarGraphLayoutInput in;
    in.Width = width;
    in.Height = height;
    in.Vertical = vertical;
    in.MaxValWidth = 27;
    in.MinValWidth = 9;
    in.ValueHeight = 16;
    in.Title = {60, 16};
    return in;
}

TEST(BarGraphLayout, HorizontalBarUnderTheTitleWithTheLabelsAndValueBelowIt)
{
    const TBarGraphLayoutInput in = LayoutInput(false, 200, 80);
    EXPECT_EQ(BarGraphMinimumSize(in), (platform::TSize{88, 72}));  // 79 + 8 up to 8s; 68 up
    const TBarGraphLayout l = ComputeBarGraphLayout(in);
    EXPECT_EQ(l.OuterRect, (TRect{0, 0, 200, 80}));
    EXPECT_EQ(l.BarRect, (TRect{4, 24, 196, 44}));
    EXPECT_EQ(l.BarBack, (TRect{5, 25, 194, 42}));
    EXPECT_DOUBLE_EQ(l.DR, 189 / 100.0);
    EXPECT_EQ(l.TitleAt, (platform::TPoint{70, 4}));
    EXPECT_EQ(l.MinLabelAt, (platform::TPoint{4, 48}));
    EXPECT_EQ(l.MaxLabelAt, (platform::TPoint{169, 48}));
    EXPECT_EQ(l.DigitalRect, (TRect{87, 48, 114, 64}));  // centred, as wide as the wider label
    EXPECT_EQ(l.EmptyEnd, 4);

    const struct {
        std::int32_t value;
        int end;
        std::optional<int> marker;
    } cases[] = {{0, 5, std::nullopt},
                 {50, 99, 99},
                 {100, 194, std::nullopt},
                 {-5, 5, std::nullopt},
                 {200, 194, std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(BarGraphEnd(l, c.value, 0), c.end) << c.value;
        EXPECT_EQ(BarGraphMarkerLine(l, c.value, 0), c.marker) << c.value;
    }
}

TEST(BarGraphLayout, VerticalBarRightOfTheLabelsWithTheValueHalfwayDown)
{
    const TBarGraphLayoutInput in = LayoutInput(true, 80, 200);
    EXPECT_EQ(BarGraphMinimumSize(in), (platform::TSize{72, 88}));  // the title's 60 + 8; 84 up
    const TBarGraphLayout l = ComputeBarGraphLayout(in);
    EXPECT_EQ(l.BarRect, (TRect{35, 24, 55, 196}));
    EXPECT_EQ(l.BarBack, (TRect{36, 25, 53, 194}));
    EXPECT_DOUBLE_EQ(l.DR, 169 / 100.0);
    EXPECT_EQ(l.TitleAt, (platform::TPoint{10, 4}));
    EXPECT_EQ(l.MaxLabelAt, (platform::TPoint{4, 24}));
    EXPECT_EQ(l.MinLabelAt, (platform::TPoint{22, 180}));
    EXPECT_EQ(l.DigitalRect, (TRect{4, 102, 31, 118}));
    EXPECT_EQ(l.EmptyEnd, 194);

    // The bar covers the rows below its end: the minimum one row, the maximum all but the top.
    const struct {
        std::int32_t value;
        int end;
        std::optional<int> marker;
    } cases[] = {{0, 193, std::nullopt},
                 {50, 109, 110},
                 {100, 25, std::nullopt},
                 {-1, 194, std::nullopt},
                 {150, 25, std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(BarGraphEnd(l, c.value, 0), c.end) << c.value;
        EXPECT_EQ(BarGraphMarkerLine(l, c.value, 0), c.marker) << c.value;
    }
}

TEST_F(BarGraphTest, NewBarGraphShowsBothLabelsTheValueZeroAndABarOneLineLong)
{
    bar->Paint();
    const TRect& barRect = bar->Layout().BarRect;
    const TRect& in = bar->Layout().BarBack;
    const auto label = [&](const std::string& text) {
        return RenderText(bar->FontName, 16, platform::clBlack, bar->Color, text);
    };
    EXPECT_TRUE(ShowsAt(Face(), 4, barRect.Bottom + 4, label("0")));
    const QImage hundred = label("100");
    EXPECT_TRUE(ShowsAt(Face(), barRect.Right - hundred.width(), barRect.Bottom + 4, hundred));
    EXPECT_TRUE(ValueBoxShows("0"));
    EXPECT_TRUE(ColumnIs(Face(), in.Left, in.Top, in.Bottom, platform::clRed));
    EXPECT_EQ(BarColumns(), 1);
    EXPECT_EQ(CountColor(Face(), TRect{in.Left + 1, in.Top, in.Right + 1, in.Bottom + 1}, 0xF0F0F0),
              (in.Right - in.Left) * (in.Bottom - in.Top + 1));
    // Sunken frame round the bar, raised frame round the control.
    EXPECT_EQ(PixelAt(Face(), barRect.Left, barRect.Top), Shown(platform::clBtnShadow));
    EXPECT_EQ(PixelAt(Face(), barRect.Right - 1, barRect.Bottom - 1),
              Shown(platform::clBtnHighlight));
    EXPECT_EQ(PixelAt(Face(), 0, 0), Shown(platform::clBtnHighlight));
    EXPECT_EQ(PixelAt(Face(), bar->Width() - 1, bar->Height() - 1), Shown(platform::clBtnShadow));
}

TEST_F(BarGraphTest, TitleStandsCentredAboveTheBar)
{
    bar->SetTitle(QStringLiteral("Throttle"));
    bar->SetColorTitle(platform::clRed);
    bar->SetWidth(200);
    bar->Paint();
    const QImage title = RenderText(bar->FontName, 16, platform::clRed, bar->Color, "Throttle");
    EXPECT_TRUE(ShowsAt(Face(), 100 - title.width() / 2, 4, title));
}

TEST_F(BarGraphTest, TitleAndLabelsKeepTheirOwnHeightsWhenTheControlGrows)
{
    bar->SetHeightTitle(26);
    bar->SetHeightValue(12);
    bar->SetTitle(QStringLiteral("Tacho"));
    bar->Paint();  // grows from 32 x 32, which paints once more on the way
    const QImage title = RenderText(bar->FontName, 26, 0, bar->Color, "Tacho");
    EXPECT_TRUE(ShowsAt(Face(), bar->Width() / 2 - title.width() / 2, 4, title));
    const QImage zero = RenderText(bar->FontName, 12, 0, bar->Color, "0");
    EXPECT_TRUE(ShowsAt(Face(), 4, bar->Layout().BarRect.Bottom + 4, zero));
    EXPECT_TRUE(ValueBoxShows("0"));
}

TEST_F(BarGraphTest, GrowingAndShrinkingMovesTheEndLineByLineAndRestoresFreedLines)
{
    bar->SetIoName("THROT");
    bar->SetMarker1("50");
    bar->SetWidth(208);
    bar->Paint();
    const QImage empty = Face().copy();
    const TRect& in = bar->Layout().BarBack;
    const int markerX = in.Left + int(std::nearbyint(50 * bar->Layout().DR));
    EXPECT_TRUE(ColumnIs(Face(), markerX, in.Top, in.Bottom, platform::clBlack));

    ShowThrottle(100);
    EXPECT_EQ(ShownEnd(), in.Right);
    EXPECT_TRUE(ValueBoxShows("100"));
    // The marker shows through the bar.
    EXPECT_TRUE(ColumnIs(Face(), markerX, in.Top, in.Bottom,
                         platform::clBlack ^ 0xF0F0F0 ^ platform::clRed));
    EXPECT_EQ(BarColumns(), in.Right - in.Left);  // every column but the marker's
    const QImage full = Face().copy();

    ShowThrottle(0);
    EXPECT_EQ(ShownEnd(), in.Left);
    EXPECT_EQ(BarColumns(), 1);
    EXPECT_EQ(Face(), empty);

    ShowThrottle(100);
    EXPECT_EQ(Face(), full);
    bar->Paint();
    EXPECT_EQ(Face(), full);  // a fresh face at 100 looks just the same

    ShowThrottle(25);
    EXPECT_EQ(ShownEnd(), in.Left + int(std::nearbyint(25 * bar->Layout().DR)));
    EXPECT_EQ(BarColumns(), ShownEnd() - in.Left + 1);
}

TEST_F(BarGraphTest, ValuesBeyondTheRangeAreClampedToTheEnds)
{
    bar->SetIoName("THROT");
    bar->SetMinValue(-20);
    bar->SetWidth(160);
    bar->Paint();
    const TRect& in = bar->Layout().BarBack;
    ShowThrottle(-21);
    EXPECT_EQ(BarColumns(), 1);
    ShowThrottle(-100000);
    EXPECT_EQ(BarColumns(), 1);
    ShowThrottle(100);
    EXPECT_EQ(BarColumns(), in.Right - in.Left + 1);
    ShowThrottle(2000000000);
    EXPECT_EQ(BarColumns(), in.Right - in.Left + 1);
    EXPECT_TRUE(ValueBoxShows("###"));
}

TEST_F(BarGraphTest, VerticalBarGrowsUpwardsAndLeavesTheTopRowAtFullScale)
{
    bar->SetIoName("THROT");
    bar->SetVertical(1);
    bar->SetHeight(200);
    bar->Paint();
    const TRect& in = bar->Layout().BarBack;
    EXPECT_EQ(BarRows(), 1);
    EXPECT_TRUE(RowIs(Face(), in.Bottom, in.Left, in.Right, platform::clRed));
    ShowThrottle(100);
    EXPECT_EQ(BarRows(), in.Bottom - in.Top);
    EXPECT_TRUE(RowIs(Face(), in.Top, in.Left, in.Right, 0xF0F0F0));
    ShowThrottle(150);
    EXPECT_EQ(BarRows(), in.Bottom - in.Top);
    // A value whose rounded offset lies a whole pixel below the minimum shows no row.
    ASSERT_GT(bar->Layout().DR, 0.5);
    ShowThrottle(-1);
    EXPECT_EQ(BarRows(), 0);
    EXPECT_EQ(ShownEnd(), in.Bottom);
    ShowThrottle(0);
    EXPECT_EQ(BarRows(), 1);
}

TEST_F(BarGraphTest, DirectionFollowsVerticalAndANegativeOneDrawsNothing)
{
    bar->SetVertical(2);
    bar->Paint();
    EXPECT_EQ(bar->Layout().BarRect.Bottom - bar->Layout().BarRect.Top, 20);

    auto other = std::make_unique<TBarGraph>(&panel, SourceIndexQ7);
    other->SetVertical(-1);
    other->Canvas().Brush.Color = platform::clLime;
    other->Canvas().FillRect(TRect{0, 0, 32, 32});
    const QImage before = other->Surface().copy();
    other->Paint();
    EXPECT_EQ(other->Surface(), before);
    EXPECT_EQ(other->Width(), 32);
    EXPECT_EQ(other->WidthMin, 0);
}

TEST_F(BarGraphTest, MarkersOnTheEndsOrUnreadableAreNotDrawnAndRaiseNoBox)
{
    testing_support::BoxRecorder boxes;
    bar->SetMarker1("0");
    bar->SetMarker2("100");
    bar->Paint();
    const TRect& in = bar->Layout().BarBack;
    const TRect interior{in.Left, in.Top, in.Right + 1, in.Bottom + 1};
    EXPECT_EQ(CountColor(Face(), interior, platform::clBlack), 0);

    bar->SetMarker1("1.2.3");
    bar->SetMarker2("   ");
    bar->Paint();
    bar->Paint();
    EXPECT_EQ(CountColor(Face(), interior, platform::clBlack), 0);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(boxes.Beeps(), 0);

    // Fixed-point marker text on a channel with two decimals: 12.5 stands for 1250.
    bar->SetIoName("SPEED");
    bar->SetMaxValue(10000);
    bar->SetMarker1("12.5");
    bar->SetColorMarker(platform::clLime);
    bar->Paint();
    const int x = in.Left + int(std::nearbyint(1250 * bar->Layout().DR));
    EXPECT_TRUE(ColumnIs(Face(), x, in.Top, in.Bottom, platform::clLime));
    EXPECT_EQ(CountColor(Face(), interior, platform::clLime), in.Bottom - in.Top + 1);
}

TEST_F(BarGraphTest, ValueWiderThanItsBoxShowsHashes)
{
    bar->SetIoName("THROT");
    bar->Paint();
    ShowThrottle(1000);
    EXPECT_TRUE(ValueBoxShows("###"));
    // Whether a short negative value fits depends on the face's minus sign: measure it.
    ShowThrottle(-120);
    EXPECT_TRUE(ValueBoxShows("###"));
    ShowThrottle(-12);
    platform::Canvas& canvas = bar->Canvas();
    EXPECT_TRUE(ValueBoxShows(canvas.TextWidth("-12") > canvas.TextWidth("100") ? "###" : "-12"));
    ShowThrottle(7);
    EXPECT_TRUE(ValueBoxShows("7"));
    // The box is cleared first: no trace of the hashes is left.
    const TRect& box = bar->Layout().DigitalRect;
    const QImage seven = ValueText("7");
    EXPECT_EQ(CountColor(Face(), TRect{box.Left, box.Top, box.Right - seven.width(), box.Bottom},
                         platform::clBlue),
              0);
}

TEST_F(BarGraphTest, ValueUsesTheChannelsDecimals)
{
    bar->SetIoName("SPEED");
    bar->SetMaxValue(10000);
    bar->Paint();
    Speed = 5;
    bar->SetValue();
    EXPECT_TRUE(ValueBoxShows("0.05"));
    const QImage label = RenderText(bar->FontName, 16, 0, bar->Color, "100.00");
    EXPECT_TRUE(ShowsAt(Face(), bar->Layout().BarRect.Right - label.width(),
                        bar->Layout().BarRect.Bottom + 4, label));
}

TEST_F(BarGraphTest, GrowsToItsMinimumSizeAndNeverShrinks)
{
    bar->Paint();
    platform::Canvas& canvas = bar->Canvas();
    canvas.Font.Height = 16;
    const int hundred = canvas.TextWidth("100");
    const int zero = canvas.TextWidth("0");
    const int valueHeight = canvas.TextHeight("100");
    const platform::TSize title = canvas.TextExtent(platform::ToCp932(bar->Title()));
    const int w = std::max(hundred + hundred + zero + 16, title.cx);
    const int h = title.cy + valueHeight + 36;
    EXPECT_EQ(bar->WidthMin, 8 * ((w + 15) / 8));
    EXPECT_EQ(bar->HeightMin, 8 * ((h + 7) / 8));
    EXPECT_EQ(bar->Width(), bar->WidthMin);
    EXPECT_EQ(bar->Height(), bar->HeightMin);

    bar->SetBounds(1, 1, 400, 300);
    bar->Paint();
    EXPECT_EQ(bar->Width(), 400);
    EXPECT_EQ(bar->Height(), 300);
    EXPECT_EQ(bar->Layout().BarRect.Right, 396);

    bar->SetVertical(1);
    bar->SetBounds(1, 1, 8, 8);
    bar->Paint();
    EXPECT_EQ(bar->WidthMin, 8 * ((std::max(hundred + 24, title.cx) + 15) / 8));
    EXPECT_EQ(bar->HeightMin, 8 * ((3 * valueHeight + title.cy + 20 + 7) / 8));
    EXPECT_EQ(bar->Width(), bar->WidthMin);
    EXPECT_EQ(bar->Height(), bar->HeightMin);
}

TEST_F(BarGraphTest, EqualLimitsMakeAStepAtTheLimit)
{
    bar->SetIoName("THROT");
    bar->SetMinValue(50);
    bar->SetMaxValue(50);
    bar->SetMarker1("50");
    bar->SetMarker2("60");
    bar->Paint();
    const TRect& in = bar->Layout().BarBack;
    // The value 0 lies below the limit: the empty bar; neither marker is drawn.
    EXPECT_EQ(BarColumns(), 1);
    EXPECT_TRUE(ColumnIs(Face(), in.Left, in.Top, in.Bottom, platform::clRed));
    const TRect interior{in.Left, in.Top, in.Right + 1, in.Bottom + 1};
    EXPECT_EQ(CountColor(Face(), interior, platform::clBlack), 0);
    ShowThrottle(50);
    EXPECT_EQ(ShownEnd(), in.Left);
    ShowThrottle(51);
    EXPECT_EQ(ShownEnd(), in.Right);
    EXPECT_EQ(BarColumns(), in.Right - in.Left + 1);
    ShowThrottle(49);
    EXPECT_EQ(ShownEnd(), in.Left);
    bar->SetVertical(1);
    bar->Paint();
    ShowThrottle(51);
    EXPECT_EQ(ShownEnd(), bar->Layout().BarBack.Top);
}

TEST_F(BarGraphTest, ValueBeforeTheFirstPaintIsKeptAndDrawnByThatPaint)
{
    bar->SetIoName("THROT");
    bar->Canvas().Brush.Color = platform::clLime;
    bar->Canvas().FillRect(TRect{0, 0, 32, 32});
    const QImage before = Face().copy();
    ShowThrottle(100);
    EXPECT_EQ(bar->Value(), 100);
    EXPECT_EQ(Face(), before);
    bar->Paint();
    const TRect& in = bar->Layout().BarBack;
    EXPECT_EQ(BarColumns(), in.Right - in.Left + 1);
    EXPECT_TRUE(ValueBoxShows("100"));
}

TEST_F(BarGraphTest, WithoutAChannelOrAChangeSetValueDrawsNothing)
{
    bar->Paint();
    Throttle = 80;
    const QImage before = Face().copy();
    bar->SetValue();
    EXPECT_EQ(bar->Value(), 0);
    EXPECT_EQ(Face(), before);

    bar->SetIoName("THROT");
    bar->Paint();
    bar->SetValue();
    const QImage shown = Face().copy();
    // Spoil one pixel of the value box: an unchanged value must not redraw it.
    bar->Canvas().SetPixel(bar->Layout().DigitalRect.Left, bar->Layout().DigitalRect.Top,
                           platform::clLime);
    bar->SetValue();
    EXPECT_EQ(PixelAt(Face(), bar->Layout().DigitalRect.Left, bar->Layout().DigitalRect.Top),
              platform::clLime);
    EXPECT_NE(Face(), shown);
}

TEST_F(BarGraphTest, PropertyLinesRestoreEverythingButTheTitleColour)
{
    bar->SetBounds(17, 25, 240, 96);
    bar->SetVertical(1);
    bar->SetMinValue(-500);
    bar->SetMaxValue(12000);
    bar->SetHeightTitle(20);
    bar->SetHeightValue(12);
    bar->SetColorTitle(platform::clRed);
    bar->SetColorScale(0x123456);
    bar->SetColorValue(0x00FF00);
    bar->SetColorMarker(0x808080);
    bar->SetColorBar(0xFF00FF);
    bar->SetColorBack(platform::clBtnFace);
    bar->SetMarker1("12.5");
    bar->SetMarker2("-3");
    bar->SetIoName("SPEED");
    bar->SetTitle(QString::fromUtf8("速度 km/h"));

    QStringList lines;
    bar->SaveProperty(lines, "  ");
    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(lines[0], "  Left=17");
    EXPECT_EQ(lines[4], "  Vertical=1");
    EXPECT_EQ(lines[10], "  ColorValue=65280");
    EXPECT_EQ(lines[13], "  ColorBack=-16777201");
    EXPECT_EQ(lines[14], "  Marker1=\"12.5\"");
    EXPECT_EQ(lines[16], "  IoName=\"SPEED\"");
    EXPECT_EQ(lines[17], QString::fromUtf8("  Title=\"速度 km/h\""));

    // Foreign keys among the lines, and the lines in another order, change nothing.
    QStringList mixed;
    for (int i = lines.size() - 1; i >= 0; --i) {
        mixed.append(lines[i]);
        mixed.append(QStringLiteral("  DecimalPoint=%1").arg(i));
    }
    mixed.append(QStringLiteral("  ColorTitle=255"));
    auto loaded = std::make_unique<TBarGraph>(&panel, SourceIndexQ7);
    loaded->LoadProperty(platform::ToCp932(mixed.join("\r\n") + "\r\n"));

    EXPECT_EQ(loaded->Left(), 17);
    EXPECT_EQ(loaded->Top(), 25);
    EXPECT_EQ(loaded->Width(), 240);
    EXPECT_EQ(loaded->Height(), 96);
    EXPECT_EQ(loaded->Vertical(), 1);
    EXPECT_EQ(loaded->MinValue(), -500);
    EXPECT_EQ(loaded->MaxValue(), 12000);
    EXPECT_EQ(loaded->HeightTitle(), 20);
    EXPECT_EQ(loaded->HeightValue(), 12);
    EXPECT_EQ(loaded->ColorTitle(), platform::clBlack);
    EXPECT_EQ(loaded->ColorScale(), 0x123456);
    EXPECT_EQ(loaded->ColorValue(), 0x00FF00);
    EXPECT_EQ(loaded->ColorMarker(), 0x808080);
    EXPECT_EQ(loaded->ColorBar(), 0xFF00FF);
    EXPECT_EQ(loaded->ColorBack(), platform::clBtnFace);
    EXPECT_EQ(loaded->Marker1(), "12.5");
    EXPECT_EQ(loaded->Marker2(), "-3");
    EXPECT_EQ(loaded->IoName(), "SPEED");
    EXPECT_EQ(loaded->PortInfo().Address, &Speed);
    EXPECT_EQ(loaded->PortInfo().DecimalPoint, 2);
    EXPECT_EQ(loaded->Title(), QString::fromUtf8("速度 km/h"));

    QStringList again;
    loaded->SaveProperty(again, "  ");
    EXPECT_EQ(again, lines);
}

TEST_F(BarGraphTest, SystemColourBehindTheBarStillShowsTheBarsColour)
{
    bar->SetIoName("THROT");
    bar->SetColorBack(platform::clBtnFace);
    bar->Paint();
    const QImage empty = Face().copy();
    ShowThrottle(100);
    EXPECT_EQ(BarColumns(), bar->Layout().BarBack.Right - bar->Layout().BarBack.Left + 1);
    ShowThrottle(0);
    EXPECT_EQ(Face(), empty);
}

TEST_F(BarGraphTest, UnknownChannelShowsNoChannel)
{
    bar->SetIoName("TACHO");
    EXPECT_EQ(bar->PortInfo().Address, &Tacho);
    bar->SetIoName("tacho");
    EXPECT_EQ(bar->PortInfo().Address, nullptr);
    EXPECT_EQ(bar->IoName(), "tacho");
}

}  // namespace
