// Moving and resizing indicators with real mouse input, and the dashboard panel
// fitting the main window to its indicators.
#include <gtest/gtest.h>
#include <memory>
#include <QVBoxLayout>

#include "indicators/Indicator.h"
#include "indicators/NumericList.h"
#include "indicators/Port.h"
#include "indicators/ZpMainPanel.h"
#include "tests/support/MouseDriver.h"

using namespace platform;

namespace {

// A top-level window laid out as the main window is: a 30-pixel tool bar row, the dashboard panel
// filling the client area below it, a 19-pixel status bar row.
class MainWindowStandIn : public QWidget {
public:
    MainWindowStandIn()
    {
        auto* rows = new QVBoxLayout(this);
        rows->setContentsMargins(0, 0, 0, 0);
        rows->setSpacing(0);
        Panel = new TZpMainPanel(this);
        Panel->SetBevelOuter(TBevelCut::bvLowered);
        for (QWidget* row : {new QWidget(this), static_cast<QWidget*>(Panel), new QWidget(this)})
            rows->addWidget(row, row == Panel);
        rows->itemAt(0)->widget()->setFixedHeight(30);
        rows->itemAt(2)->widget()->setFixedHeight(19);
        setGeometry(40, 40, 400, 300);
    }
    TZpMainPanel* Panel = nullptr;
};

class IndicatorMouseTest : public ::testing::Test {
protected:
    void SetUp() override { MouseDownPos = {0, 0}; }

    // An indicator on the panel, as the indicator menu makes one; the window takes it along.
    TIndicator* Add(int left, int top, int width = 32, int height = 32)
    {
        auto* indicator = new TIndicator(&window, nullptr);
        indicator->setParent(window.Panel);
        indicator->SetBounds(left, top, width, height);
        indicator->show();
        window.Panel->UpdateSize();
        return indicator;
    }
    QPoint At(const QWidget* widget, int x, int y) const
    {
        return widget->mapTo(&window, QPoint(x, y));
    }
    // Presses the left button at (x, y) of the widget after hovering there; each Travel moves from
    // the press point, the button held.
    void Grab(const QWidget* widget, int x, int y)
    {
        press = At(widget, x, y);
        mouse.Move(press);
        mouse.Press(press);
    }
    void Travel(int dx, int dy) { mouse.Move(press + QPoint(dx, dy)); }
    void Drop() { mouse.Release(mouse.Pointer()); }
    // A drag with a press point presses there (releasing the last press first), one without moves
    // on from the last press point; each gives the widget's bounds after the movement.
    struct Drag {
        int x, y, dx, dy;
        QRect bounds;
    };
    void Run(QWidget* widget, std::initializer_list<Drag> drags)
    {
        for (const Drag& d : drags) {
            if (d.x >= 0) {
                if (&d != drags.begin())
                    Drop();
                Grab(widget, d.x, d.y);
            }
            Travel(d.dx, d.dy);
            EXPECT_EQ(widget->geometry(), d.bounds)
                << d.x << "," << d.y << " by " << d.dx << "," << d.dy;
        }
        Drop();
    }

    MainWindowStandIn window;
    testing_support::MouseDriver mouse{window};
    QPoint press;
};

}  // namespace

TEST_F(IndicatorMouseTest, DragsSnapToTheGridStopAtOneAndAtTheLeastSize)
{
    // clang-format off
    Run(Add(17, 17), {
        {16, 16, 8, 0, {25, 17, 32, 32}}, {-1, -1, 23, 17, {33, 33, 32, 32}},  // the whole travel
        {-1, -1, -1, 0, {9, 17, 32, 32}},  // -1 snaps to -8
        {3, 3, -8, -8, {1, 17, 40, 32}}, {-1, -1, -7, -8, {1, 9, 40, 40}},  // one axis per event
        {37, 20, -40, 0, {1, 9, 0, 40}},  // without a least width down to nothing
    });
    auto* dial = Add(9, 57, 160, 64);
    dial->WidthMin = 120;
    dial->HeightMin = 48;
    Run(dial, {
        {157, 32, -32, 0, {9, 57, 128, 64}}, {-1, -1, -48, 0, {9, 57, 128, 64}},  // 112 < 120
        {60, 2, 0, 24, {9, 57, 128, 64}}, {-1, -1, 0, 16, {9, 73, 128, 48}},  // 40 < 48
        {2, 16, -24, 0, {1, 73, 136, 48}},  // the left edge stops at one, the right edge stays
    });
    // Where the side bands of a narrow indicator overlap, a drag resizes from the left. Moved
    // beyond the panel's top left corner, an indicator stops at one.
    Run(Add(25, 161, 12, 32),
        {{6, 16, -8, 0, {17, 161, 16, 32}}, {8, 16, -40, -200, {1, 1, 16, 32}}});
    // clang-format on
}

TEST_F(IndicatorMouseTest,
       AnyButtonSelectsButOnlyTheLeftEditsAndEveryMovementRefitsTheWindowToTheChildren)
{
    TIndicator* first = Add(9, 9);
    TIndicator* second = Add(25, 25);  // overlaps the first, in front of it
    const QPoint rightAt = At(second, 20, 20);
    mouse.Move(rightAt);
    mouse.Press(rightAt, Qt::RightButton);
    EXPECT_EQ(SelectIndicator, second);
    EXPECT_EQ(MouseDownPos, (TPoint{45, 45}));
    mouse.Move(rightAt + QPoint(10, 8));
    EXPECT_EQ(second->geometry(), QRect(25, 25, 32, 32));
    mouse.Release(rightAt + QPoint(10, 8), Qt::RightButton);

    Grab(first, 12, 12);  // brings the one behind to the front
    EXPECT_EQ(SelectIndicator, first);
    EXPECT_EQ(window.Panel->children().last(), first);
    Drop();
    mouse.Move(At(first, 16, 16) + QPoint(16, 0));  // after the release a movement only hovers
    EXPECT_EQ(first->geometry(), QRect(9, 9, 32, 32));

    // The window fits the furthest edge of the panel's children, hidden ones too, also when of
    // fixed size and while a drag changes nothing.
    window.setFixedSize(400, 300);
    auto* hidden = new QWidget(window.Panel);
    hidden->setGeometry(1, 121, 40, 40);
    hidden->hide();
    TIndicator* right = Add(129, 41, 48, 40);
    const int gapRight = window.Panel->GapRight(), gapBottom = window.Panel->GapBottom();
    EXPECT_EQ(gapBottom, 19);
    EXPECT_EQ(window.size(), QSize(gapRight + 177 + 1, 30 + gapBottom + 161 + 1));
    Grab(right, 24, 20);
    Travel(-64, 0);
    window.resize(500, 400);
    Travel(-60, 3);
    EXPECT_EQ(window.size(), QSize(gapRight + 114, 30 + gapBottom + 162));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    Drop();
}

TEST_F(IndicatorMouseTest, TheNumericListsTitleStripDragsAndItsRowsDoNot)
{
    auto* list = new TNumericList(&window, SourceIndexQ7);
    list->setParent(window.Panel);
    list->SetNumStrList(QStringList{"Tacho[rpm]", "Speed[km/h]"});
    list->SetBounds(9, 9, 240, 96);
    list->show();
    list->Paint();
    // The list area's top edge still belongs to the title strip.
    Run(list, {{80, 50, 40, 24, {9, 9, 240, 96}}, {80, 24, 40, 24, {49, 33, 240, 96}}});
}
