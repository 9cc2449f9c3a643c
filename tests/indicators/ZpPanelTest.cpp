// The free panel and the scroll bar with a page property.
#include <gtest/gtest.h>
#include <optional>

#include "indicators/ScrollBarEx.h"
#include "indicators/ZpPanel.h"
#include "platform/ControlCursor.h"
#include "tests/support/MouseDriver.h"

namespace {

class ZpPanelTest : public ::testing::Test {
protected:
    ZpPanelTest()
    {
        window.setGeometry(0, 0, 800, 600);
        panel = new TZpPanel(&window);
        panel->SetBounds(81, 81, 200, 128);
        mouse.emplace(window);
    }

    // Drags from a point of the panel (its own coordinates) by the given travel, in single
    // steps so that every intermediate snap is taken.
    void Drag(QPoint from, QPoint travel)
    {
        const QPoint start = panel->pos() + from;
        mouse->Move(start);
        mouse->Press(start);
        mouse->Move(start + travel);
        mouse->Release(start + travel);
    }

    QRect Bounds() const { return panel->geometry(); }

    QWidget window;
    TZpPanel* panel;
    std::optional<testing_support::MouseDriver> mouse;
};

}  // namespace

TEST_F(ZpPanelTest, OffTheEdgeBandsAPressMovesBothAxesAtOnce)
{
    mouse->Move(panel->pos() + QPoint(100, 60));
    EXPECT_EQ(panel->MousePosi, 0);
    EXPECT_EQ(platform::ControlCursor(*panel), platform::crDefault);
    Drag({100, 60}, {21, -13});
    EXPECT_EQ(Bounds(), QRect(97, 65, 200, 128));
}

TEST_F(ZpPanelTest, APositionBelowOneIsRaisedWithTheSizeKept)
{
    Drag({100, 60}, {-300, -300});
    EXPECT_EQ(Bounds(), QRect(1, 1, 200, 128));
    // Dragging the left edge past the window's edge keeps the width the edge gave.
    panel->SetBounds(17, 81, 200, 128);
    Drag({2, 60}, {-40, 0});
    EXPECT_EQ(Bounds(), QRect(1, 81, 240, 128));
}

TEST_F(ZpPanelTest, ResizingStopsAtTheMinimumSize)
{
    Drag({197, 60}, {-64, 0});  // right edge: 200 - 64 = 136
    EXPECT_EQ(Bounds(), QRect(81, 81, 136, 128));
    Drag({133, 60}, {-16, 0});  // 120 would pass 128: the edge stays
    EXPECT_EQ(Bounds().width(), 136);
    Drag({100, 125}, {0, -56});  // bottom edge: 128 - 56 = 72
    EXPECT_EQ(Bounds().height(), 72);
    Drag({100, 2}, {0, 16});  // top edge: 72 - 16 = 56 would pass 64
    EXPECT_EQ(Bounds(), QRect(81, 81, 136, 72));
    Drag({2, 2}, {-16, -16});  // a corner takes both axes in one step
    EXPECT_EQ(Bounds(), QRect(65, 65, 152, 88));
}

TEST(ScrollBarEx, PageIsThePageStepOfTheBar)
{
    TScrollBarEx bar;
    bar.setRange(0, 100);
    bar.SetPage(25);
    EXPECT_EQ(bar.Page(), 25);
    EXPECT_EQ(bar.property("Page").toInt(), 25);
    bar.setProperty("Page", 40);
    EXPECT_EQ(bar.pageStep(), 40);
    bar.SetPage(-5);
    EXPECT_EQ(bar.Page(), 0);
}
