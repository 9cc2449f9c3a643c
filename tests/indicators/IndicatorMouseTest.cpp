// Moving and resizing indicators with real mouse input on the dashboard panel.
#include <gtest/gtest.h>
#include <memory>
#include <optional>

#include "indicators/Indicator.h"
#include "tests/indicators/MainWindowStandIn.h"
#include "tests/support/MouseDriver.h"

using namespace platform;
using testing_support::MainWindowStandIn;

namespace {

// A kind with a least width, as the dial gauge has.
class WideIndicator : public TIndicator {
public:
    using TIndicator::TIndicator;
    void SetMinimums(int width, int height)
    {
        WidthMin = width;
        HeightMin = height;
    }
};

class IndicatorMouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MouseDownPos = {0, 0};
        SelectIndicator = nullptr;
        mouse.emplace(window);
    }

    // An indicator on the panel, as the indicator menu makes one; the window's destruction
    // takes it along.
    template <class Kind = TIndicator>
    Kind* Add(int left, int top, int width = 32, int height = 32)
    {
        auto* indicator = new Kind(&window, nullptr);
        indicator->setParent(window.Panel);
        indicator->SetBounds(left, top, width, height);
        indicator->show();
        window.Panel->UpdateSize();  // the window holds every indicator, as after a copy
        return indicator;
    }

    // A point of an indicator in the window's coordinates.
    QPoint At(const TIndicator* indicator, int x, int y) const
    {
        return indicator->mapTo(&window, QPoint(x, y));
    }

    // Hovers at (x, y) of the indicator, presses the left button there and moves by each
    // travel in turn (each from the press point), leaving the button held.
    void Grab(const TIndicator* indicator, int x, int y)
    {
        press = At(indicator, x, y);
        mouse->Move(press);
        mouse->Press(press);
    }
    void Travel(int dx, int dy) { mouse->Move(press + QPoint(dx, dy)); }
    void Drop() { mouse->Release(mouse->Pointer()); }

    static QRect Bounds(const TIndicator* indicator) { return indicator->geometry(); }

    MainWindowStandIn window;
    std::optional<testing_support::MouseDriver> mouse;
    QPoint press;
};

}  // namespace

TEST_F(IndicatorMouseTest, HoverShowsTheCursorOfTheEdgeBand)
{
    TIndicator* indicator = Add(9, 9);
    const std::tuple<int, int, TCursor, Qt::CursorShape> cases[] = {
        {16, 16, crDrag, Qt::DragMoveCursor},      {2, 16, crSizeWE, Qt::SizeHorCursor},
        {29, 16, crSizeWE, Qt::SizeHorCursor},     {16, 1, crSizeNS, Qt::SizeVerCursor},
        {16, 30, crSizeNS, Qt::SizeVerCursor},     {3, 3, crSizeNWSE, Qt::SizeFDiagCursor},
        {30, 30, crSizeNWSE, Qt::SizeFDiagCursor}, {30, 2, crSizeNESW, Qt::SizeBDiagCursor},
        {2, 30, crSizeNESW, Qt::SizeBDiagCursor},
    };
    for (const auto& [x, y, cursor, shape] : cases) {
        mouse->Move(At(indicator, x, y));
        EXPECT_EQ(indicator->Cursor(), cursor) << x << "," << y;
        EXPECT_EQ(indicator->cursor().shape(), shape) << x << "," << y;
    }
}

TEST_F(IndicatorMouseTest, MovesSnapToTheGridFromTheWholeTravel)
{
    TIndicator* indicator = Add(9, 9);
    Grab(indicator, 16, 16);
    Travel(5, 0);
    EXPECT_EQ(indicator->Left(), 9);
    Travel(8, 0);
    EXPECT_EQ(indicator->Left(), 17);
    Travel(23, 17);
    EXPECT_EQ(Bounds(indicator), QRect(25, 25, 32, 32));
    Drop();

    indicator->SetBounds(9, 9, 32, 32);
    Grab(indicator, 16, 16);
    Travel(-1, 0);  // a travel of -1 snaps to -8
    EXPECT_EQ(indicator->Left(), 1);
    Drop();
}

TEST_F(IndicatorMouseTest, TheLeftEdgeIsHeldAtOne)
{
    TIndicator* indicator = Add(1, 9);
    Grab(indicator, 16, 16);
    Travel(-40, 0);
    EXPECT_EQ(Bounds(indicator), QRect(1, 9, 32, 32));
    Drop();

    // Dragging the left edge past the panel's edge keeps the right edge where it was.
    indicator->SetBounds(9, 9, 32, 32);
    Grab(indicator, 2, 16);
    Travel(-24, 0);
    EXPECT_EQ(Bounds(indicator), QRect(1, 9, 40, 32));
    Drop();
}

TEST_F(IndicatorMouseTest, AStepPastTheLeastWidthIsRefused)
{
    auto* dial = Add<WideIndicator>(9, 9, 160, 64);
    dial->SetMinimums(120, 48);
    Grab(dial, 157, 32);
    Travel(-32, 0);
    EXPECT_EQ(dial->Width(), 128);
    Travel(-48, 0);  // 112 would be narrower than 120: the width stays
    EXPECT_EQ(Bounds(dial), QRect(9, 9, 128, 64));
    Travel(-40, 0);  // 120 is allowed
    EXPECT_EQ(dial->Width(), 120);
    Drop();

    // The same holds for the height, from the bottom edge and from the top edge.
    Grab(dial, 60, 61);
    Travel(0, -24);  // 40 would be lower than 48
    EXPECT_EQ(Bounds(dial), QRect(9, 9, 120, 64));
    Travel(0, -16);
    EXPECT_EQ(Bounds(dial), QRect(9, 9, 120, 48));
    Drop();
    Grab(dial, 60, 2);
    Travel(0, 8);  // 40 again: the top edge stays
    EXPECT_EQ(Bounds(dial), QRect(9, 9, 120, 48));
    Travel(0, -8);  // upward the top edge follows
    EXPECT_EQ(Bounds(dial), QRect(9, 1, 120, 56));
    Drop();

    // Without a least width the indicator narrows down to nothing.
    TIndicator* plain = Add(9, 81);
    Grab(plain, 29, 16);
    Travel(-32, 0);
    EXPECT_EQ(Bounds(plain), QRect(9, 81, 0, 32));
    Drop();
}

TEST_F(IndicatorMouseTest, ACornerDragChangesOneAxisPerEvent)
{
    TIndicator* indicator = Add(17, 17);
    mouse->Move(At(indicator, 3, 3));
    EXPECT_EQ(indicator->Cursor(), crSizeNWSE);
    Grab(indicator, 3, 3);
    Travel(-8, -8);
    EXPECT_EQ(Bounds(indicator), QRect(9, 17, 40, 32));
    Travel(-7, -8);  // the same snapped travel: now the vertical edge follows
    EXPECT_EQ(Bounds(indicator), QRect(9, 9, 40, 40));
    Drop();
}

TEST_F(IndicatorMouseTest, OverlappingBandsOfANarrowIndicatorResizeFromTheLeft)
{
    TIndicator* indicator = Add(25, 9, 12, 32);
    for (int x = 0; x < 12; ++x) {
        mouse->Move(At(indicator, x, 16));
        const TCursor expected = (x >= 5 && x <= 7) ? crDefault : crSizeWE;
        EXPECT_EQ(indicator->Cursor(), expected) << x;
    }
    Grab(indicator, 6, 16);
    Travel(-8, 0);
    EXPECT_EQ(Bounds(indicator), QRect(17, 9, 16, 32));
    Drop();
}

TEST_F(IndicatorMouseTest, AnyButtonSelectsButOnlyTheLeftEdits)
{
    TIndicator* first = Add(9, 9);
    TIndicator* second = Add(25, 25);  // overlaps the first, in front of it
    const QPoint rightAt = At(second, 20, 20);
    mouse->Move(rightAt);
    mouse->Press(rightAt, Qt::RightButton);
    EXPECT_EQ(SelectIndicator, second);
    EXPECT_EQ(MouseDownPos, (TPoint{45, 45}));
    mouse->Move(rightAt + QPoint(10, 8));
    EXPECT_EQ(Bounds(second), QRect(25, 25, 32, 32));
    mouse->Release(rightAt + QPoint(10, 8), Qt::RightButton);

    // A left press on the one behind selects it and brings it to the front.
    Grab(first, 4 + 8, 12);
    EXPECT_EQ(SelectIndicator, first);
    EXPECT_EQ(MouseDownPos, (TPoint{21, 21}));
    EXPECT_EQ(window.Panel->children().last(), first);
    Drop();

    // After the release a movement only hovers.
    mouse->Move(At(first, 16, 16) + QPoint(16, 0));
    EXPECT_EQ(Bounds(first), QRect(9, 9, 32, 32));
}

TEST_F(IndicatorMouseTest, EveryDragMovementRefitsTheMainWindow)
{
    Add(9, 9);  // a second indicator that reaches less far
    TIndicator* right = Add(129, 41, 48, 40);
    window.Panel->UpdateSize();
    const int gapRight = window.Panel->GapRight();
    const int gapBottom = window.Panel->GapBottom();
    EXPECT_EQ(window.width(), gapRight + 177 + 1);
    EXPECT_EQ(window.height(), 30 + gapBottom + 81 + 1);

    Grab(right, 24, 20);
    Travel(-64, 0);
    EXPECT_EQ(right->Left(), 65);
    EXPECT_EQ(window.width(), gapRight + 113 + 1);  // 64 narrower

    // A movement that changes nothing still refits.
    window.resize(500, 400);
    Travel(-60, 3);
    EXPECT_EQ(right->Left(), 65);
    EXPECT_EQ(window.size(), QSize(gapRight + 114, 30 + gapBottom + 82));
    Drop();
}
