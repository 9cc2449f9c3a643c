// The dashboard panel sizing the main window to its indicators.
#include <gtest/gtest.h>
#include <QTest>

#include "tests/indicators/MainWindowStandIn.h"

using testing_support::MainWindowStandIn;

namespace {

class ZpMainPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWidget* AddChild(int left, int top, int width, int height)
    {
        auto* child = new QWidget(window.Panel);
        child->setGeometry(left, top, width, height);
        child->show();
        return child;
    }

    MainWindowStandIn window;
};

}  // namespace

TEST_F(ZpMainPanelTest, GapsAreTheRoomBesideThePanel)
{
    EXPECT_EQ(window.Panel->Top(), MainWindowStandIn::ToolBar);
    EXPECT_EQ(window.Panel->GapRight(), 0);
    EXPECT_EQ(window.Panel->GapBottom(), MainWindowStandIn::StatusBar);
    EXPECT_EQ(window.Panel->BevelOuter(), platform::TBevelCut::bvLowered);
}

TEST_F(ZpMainPanelTest, WithoutIndicatorsTheWindowShrinksToTheGaps)
{
    window.Panel->UpdateSize();
    EXPECT_EQ(window.width(), window.Panel->GapRight() + 1);
    EXPECT_EQ(window.height(), 30 + window.Panel->GapBottom() + 1);
}

TEST_F(ZpMainPanelTest, TheWindowFitsTheFurthestIndicatorEdges)
{
    AddChild(9, 17, 32, 32);   // right 41, bottom 49
    AddChild(97, 1, 64, 24);   // right 161
    AddChild(1, 121, 40, 40);  // bottom 161
    auto* hidden = AddChild(1, 1, 8, 8);
    hidden->hide();  // hidden children count as well
    hidden->setGeometry(1, 1, 300, 8);
    window.Panel->UpdateSize();
    EXPECT_EQ(window.width(), 301 + 1);
    EXPECT_EQ(window.height(), 30 + MainWindowStandIn::StatusBar + 161 + 1);
    EXPECT_EQ(window.Panel->Left(), 0);
    EXPECT_EQ(window.Panel->Top(), 30);

    // Growing past the window and shrinking back both follow the indicators.
    hidden->setGeometry(1, 1, 700, 500);
    window.Panel->UpdateSize();
    EXPECT_EQ(window.width(), 702);
    EXPECT_EQ(window.height(), 30 + 19 + 501 + 1);
    delete hidden;
    window.Panel->UpdateSize();
    EXPECT_EQ(window.width(), 162);
    EXPECT_EQ(window.Panel->GapRight(), 0);
    EXPECT_EQ(window.Panel->GapBottom(), MainWindowStandIn::StatusBar);
}

TEST_F(ZpMainPanelTest, AWindowOfFixedSizeIsRefittedAsWell)
{
    window.setFixedSize(400, 300);
    AddChild(9, 9, 64, 32);
    window.Panel->UpdateSize();
    EXPECT_EQ(window.size(), QSize(74, 30 + MainWindowStandIn::StatusBar + 42));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}
