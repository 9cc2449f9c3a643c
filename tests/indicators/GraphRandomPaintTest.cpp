// Random properties, sizes and values for the bar graph and the XY graph: painting and value
// updates must neither crash, hang nor write outside the surface (run under AddressSanitizer).
// Sizes also change between a Paint and the next value, so that values are drawn on the layout
// of a larger face than the surface now holds.
#include <array>
#include <climits>
#include <gtest/gtest.h>
#include <memory>
#include <QWidget>
#include <random>

#include "indicators/BarGraph.h"
#include "indicators/Port.h"
#include "indicators/XYGraph.h"
#include "platform/Cp932.h"
#include "tests/support/BoxRecorder.h"

namespace {

class RandomSource {
public:
    explicit RandomSource(unsigned seed) : engine_(seed) {}

    int Between(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

    // Mostly ordinary values, now and then the extremes that wrap in 32-bit differences.
    std::int32_t Value()
    {
        static constexpr std::array<std::int32_t, 8> edges = {
            0, 1, -1, 100, INT_MIN, INT_MAX, INT_MIN + 1, INT_MAX - 1};
        if (Chance(20))
            return edges[Between(0, int(edges.size()) - 1)];
        return Between(-20000, 20000);
    }
    std::int32_t FontHeight() { return Chance(10) ? Between(-30, 0) : Between(1, 60); }
    platform::TColor Colour()
    {
        static constexpr std::array<platform::TColor, 4> system = {
            platform::clBtnFace, platform::clBtnShadow, platform::clBtnHighlight,
            platform::TColor(0xFF0000FF)};
        if (Chance(15))
            return system[Between(0, int(system.size()) - 1)];
        return Between(0, 0xFFFFFF);
    }
    std::string Designator()
    {
        if (Chance(20))
            return Chance(50) ? "" : "NOPE";
        return SourceIndexQ7[Between(0, 11)].Designator;
    }
    std::string MarkerText()
    {
        static constexpr std::array<const char*, 10> texts = {
            "", " ", "1.2.3", "-", "50", "12.5", "-3", "99999999999", "abc", "\x82\xa0"};
        return texts[Between(0, int(texts.size()) - 1)];
    }
    QString Title()
    {
        static const std::array<QString, 4> titles = {
            QString(), QStringLiteral("Bar"), QString::fromUtf8("回転数 とても長い題名の計器 rpm"),
            QStringLiteral("\"quoted\"")};
        return titles[Between(0, int(titles.size()) - 1)];
    }
    void Bounds(platform::SurfaceControl& control)
    {
        control.SetBounds(Between(-10, 300), Between(-10, 300), Between(0, 600), Between(0, 500));
    }

private:
    std::mt19937 engine_;
};

std::int32_t* const Channels[] = {&Throttle, &CoolantTemp, &LubeOilTemp, &LubeOilPres,
                                  &FuelPres, &Tacho,       &Speed,       &Steer,
                                  &Jyro,     &BreakF,      &BreakR,      &Battery};

void SetRandomChannelValues(RandomSource& random)
{
    for (std::int32_t* channel : Channels)
        *channel = random.Value();
}

// Values, resizes without a Paint, and Paints, in random order.
template <class Indicator>
void Exercise(Indicator& indicator, RandomSource& random)
{
    indicator.Paint();
    for (int step = 0; step < 12; ++step) {
        const int what = random.Between(0, 9);
        if (what < 6) {
            SetRandomChannelValues(random);
            indicator.SetValue();
        } else if (what < 8) {
            random.Bounds(indicator);
            indicator.Canvas();  // the surface follows the new size before the next value
        } else {
            indicator.Paint();
        }
    }
    QStringList lines;
    indicator.SaveProperty(lines, " ");
    QWidget panel;
    Indicator copy(&panel, SourceIndexQ7);
    copy.LoadProperty(platform::ToCp932(lines.join("\r\n")));
    copy.Paint();
    copy.SetValue();
}

class GraphRandomPaint : public ::testing::TestWithParam<unsigned> {
protected:
    void TearDown() override
    {
        for (std::int32_t* channel : Channels)
            *channel = 0;
    }
    testing_support::BoxRecorder boxes;  // a stray box must not wait for a person
};

TEST_P(GraphRandomPaint, BarGraph)
{
    RandomSource random(GetParam());
    QWidget panel;
    for (int round = 0; round < 40; ++round) {
        TBarGraph bar(&panel, SourceIndexQ7);
        random.Bounds(bar);
        bar.SetMinValue(random.Value());
        bar.SetMaxValue(random.Chance(10) ? bar.MinValue() : random.Value());
        bar.SetHeightTitle(random.FontHeight());
        bar.SetHeightValue(random.FontHeight());
        bar.SetColorTitle(random.Colour());
        bar.SetColorScale(random.Colour());
        bar.SetColorValue(random.Colour());
        bar.SetColorMarker(random.Colour());
        bar.SetColorBar(random.Colour());
        bar.SetColorBack(random.Colour());
        bar.SetVertical(random.Between(-2, 3));
        bar.SetMarker1(random.MarkerText());
        bar.SetMarker2(random.MarkerText());
        bar.SetTitle(random.Title());
        bar.SetIoName(random.Designator());
        if (random.Chance(20)) {
            SetRandomChannelValues(random);
            bar.SetValue();  // before the first Paint
        }
        Exercise(bar, random);
        if (bar.Vertical() >= 0) {
            EXPECT_GE(bar.Width(), bar.WidthMin);
            EXPECT_GE(bar.Height(), bar.HeightMin);
        }
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_P(GraphRandomPaint, XYGraph)
{
    RandomSource random(GetParam());
    QWidget panel;
    for (int round = 0; round < 40; ++round) {
        TXYGraph xy(&panel, SourceIndexQ7);
        random.Bounds(xy);
        xy.SetXMinValue(random.Value());
        xy.SetXMaxValue(random.Chance(10) ? xy.XMinValue() : random.Value());
        xy.SetYMinValue(random.Value());
        xy.SetYMaxValue(random.Chance(10) ? xy.YMinValue() : random.Value());
        xy.SetXSplit(random.Chance(15) ? random.Value() : random.Between(-2, 30));
        xy.SetYSplit(random.Chance(15) ? random.Value() : random.Between(-2, 30));
        xy.SetHeightTitle(random.FontHeight());
        xy.SetHeightValue(random.FontHeight());
        xy.SetColorTitle(random.Colour());
        xy.SetColorScale(random.Colour());
        xy.SetColorValue(random.Colour());
        xy.SetColorGrid(random.Colour());
        xy.SetColorCross(random.Colour());
        xy.SetColorBack(random.Colour());
        xy.SetTitle(random.Title());
        xy.SetXIoName(random.Designator());
        xy.SetYIoName(random.Designator());
        if (random.Chance(20)) {
            SetRandomChannelValues(random);
            xy.SetValue();  // before the first Paint
        }
        Exercise(xy, random);
        // The crosshair's column lies on the plot.
        const int crossX = XYGraphCrossColumn(xy.Layout(), xy.XValue(), xy.XMinValue());
        if (crossX >= 0) {
            EXPECT_GT(crossX, xy.Layout().GraphRect.Left);
            EXPECT_LT(crossX, xy.Layout().GraphRect.Right - 1);
        }
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Seeds, GraphRandomPaint, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

}  // namespace
