// The indicator menu on the real main window (offscreen), driven with real right clicks on the
// indicators and left clicks on the menu's items.
#include <QAction>
#include <QMenu>
#include <QSet>
#include <QTimer>
#include <random>

#include "app/BarGraphSetup.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/XYGraph.h"
#include "platform/PopupMenu.h"
#include "tests/app/DashboardFixture.h"

namespace {

constexpr int Bound = 10000;  // ms

class IndicatorMenu : public testing_support::Dashboard {
protected:
    // A point of the dashboard panel in the main window's coordinates.
    QPoint InWindow(QPoint inPanel) const { return MainForm->MainPanel->mapTo(MainForm, inPanel); }

    // Presses and releases the right button there; the menu opens over the indicator hit.
    void RightClick(QPoint inPanel, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWindow* window = MainForm->windowHandle();
        QTest::mousePress(window, Qt::RightButton, modifiers, InWindow(inPanel));
        QTest::mouseRelease(window, Qt::RightButton, modifiers, InWindow(inPanel));
    }

    // Clicks an item of a visible menu (a submenu's item opens it first).
    static void Choose(QMenu* menu, QAction* item, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, Bound));
        const QPoint at = menu->actionGeometry(item).center();
        QTest::mouseMove(menu, at);
        QTest::mouseClick(menu, Qt::LeftButton, modifiers, at);
    }

    void ChooseCreate(QAction* item)
    {
        Choose(MainForm->PopupMenuIndicator, MainForm->MenuIndicatorCreate->menuAction());
        Choose(MainForm->MenuIndicatorCreate, item);
    }

    // Closes whatever menu is still open, as Esc would.
    void CloseMenus()
    {
        MainForm->MenuIndicatorCreate->hide();
        MainForm->PopupMenuIndicator->hide();
        QCoreApplication::processEvents();
    }

    TIndicator* Make(const char* prefix, QPoint at)
    {
        MouseDownPos = {at.x(), at.y()};
        TIndicator* made = CreateIndicator(prefix, nullptr);
        made->Paint();
        MainForm->MainPanel->UpdateSize();
        QCoreApplication::processEvents();
        return made;
    }
};

TEST_F(IndicatorMenu, ItemsAndCaptionsInOrder)
{
    Start();
    QStringList items;
    for (QAction* item : MainForm->PopupMenuIndicator->actions())
        items << item->objectName() + QLatin1Char(' ') +
                     (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(items, (QStringList{
                         QStringLiteral("MenuIndicatorEdit 設定(&E)"), QStringLiteral(" 作成(&N)"),
                         QStringLiteral("MenuIndicatorDelete 削除(&D)"), QStringLiteral("N7 -"),
                         QStringLiteral("MenuIndicatorCopy コピーして作成")}));
    EXPECT_EQ(MainForm->MenuIndicatorCreate->objectName(), QStringLiteral("MenuIndicatorCreate"));
    QStringList kinds;
    for (QAction* item : MainForm->MenuIndicatorCreate->actions())
        kinds << item->objectName() + QLatin1Char(' ') + item->text();
    EXPECT_EQ(kinds, (QStringList{QStringLiteral("NewDialGauge ダイアルゲージ"),
                                  QStringLiteral("NewBarGraph バーグラフ"),
                                  QStringLiteral("NewXYGraph XY-グラフ"),
                                  QStringLiteral("NewNumericList 数値リスト"),
                                  QStringLiteral("NewRecorder レコーダー")}));
}

TEST_F(IndicatorMenu, OnlyIndicatorsCarryTheMenu)
{
    Start();
    const auto carriers = [] {
        int count = 0;
        for (QWidget* widget : MainForm->findChildren<QWidget*>()) {
            const bool carries = platform::PopupMenuOf(widget) != nullptr;
            EXPECT_EQ(carries, qobject_cast<TIndicator*>(widget) != nullptr)
                << widget->objectName().toStdString();
            count += carries;
        }
        EXPECT_EQ(platform::PopupMenuOf(MainForm), nullptr);
        return count;
    };
    EXPECT_EQ(carriers(), 0);
    RightClick({100, 100});  // the bare panel
    QCoreApplication::processEvents();
    EXPECT_FALSE(MainForm->PopupMenuIndicator->isVisible());

    Make("_BarGraph", {8, 8});
    Make("_XYGraph", {200, 8});
    EXPECT_EQ(carriers(), 2);
}

TEST_F(IndicatorMenu, CreateStandsAtTheSnappedClickPoint)
{
    Start();
    TIndicator* bar = Make("_BarGraph", {0, 0});
    const QPoint click(bar->Left() + 21, bar->Top() + 45);
    RightClick(click);
    EXPECT_EQ(SelectIndicator, bar);
    EXPECT_EQ(MouseDownPos, (platform::TPoint{click.x(), click.y()}));
    ChooseCreate(CreateItem("NewDialGauge"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return Indicators().size() == 2; }, Bound));
    TIndicator* dial = Indicators().back();
    EXPECT_NE(qobject_cast<TAnalogMeter*>(dial), nullptr);
    EXPECT_EQ(dial->objectName(), QStringLiteral("_AnalogMeter1"));
    EXPECT_EQ(dial->Left(), click.x() / 8 * 8 + 1);
    EXPECT_EQ(dial->Top(), click.y() / 8 * 8 + 1);
    EXPECT_EQ(platform::PopupMenuOf(dial), MainForm->PopupMenuIndicator);
    EXPECT_EQ(SelectIndicator, nullptr);
    CloseMenus();

    RightClick(click);
    ChooseCreate(CreateItem("NewRecorder"));
    CloseMenus();
    EXPECT_EQ(Indicators().size(), 2u);
    EXPECT_EQ(RecorderCount, 0);
}

TEST_F(IndicatorMenu, DeleteAfterYesOnly)
{
    Start();
    TIndicator* bar = Make("_BarGraph", {8, 8});
    const QPoint click(bar->Left() + 20, bar->Top() + 20);

    boxes.Answer(platform::BoxResult::No);
    RightClick(click);
    Choose(MainForm->PopupMenuIndicator, MainForm->MenuIndicatorDelete);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !boxes.Boxes().empty(); }, Bound));
    EXPECT_EQ(boxes.Beeps(), 1);
    EXPECT_EQ(boxes.Boxes()[0].text,
              QStringLiteral("インジケータを削除します。\n\r\n\rよろしいですか？"));
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::YesNo);
    EXPECT_EQ(boxes.Boxes()[0].icon, platform::BoxIcon::Question);
    EXPECT_EQ(Indicators().size(), 1u);
    EXPECT_EQ(IndicatorCount, 1);

    boxes.Answer(platform::BoxResult::Yes);
    RightClick(click);
    Choose(MainForm->PopupMenuIndicator, MainForm->MenuIndicatorDelete);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Indicators().empty(); }, Bound));
    EXPECT_EQ(boxes.Beeps(), 2);
    EXPECT_EQ(IndicatorCount, 0);
    EXPECT_EQ(SelectIndicator, nullptr);
}

TEST_F(IndicatorMenu, CopyStandsSixteenAwayWithTheWindowGrowing)
{
    Start();
    // Far enough right that the window is wider than its tool bar needs.
    TIndicator* first = Make("_BarGraph", {200, 8});
    auto* bar = static_cast<TBarGraph*>(first);
    bar->SetTitle(QStringLiteral("{油圧"));
    bar->SetColorBar(0x00FF00);
    const int widthBefore = MainForm->width();
    const int heightBefore = MainForm->height();

    RightClick({bar->Left() + 10, bar->Top() + 10});
    Choose(MainForm->PopupMenuIndicator, MainForm->MenuIndicatorCopy);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Indicators().size() == 2; }, Bound));
    auto* copy = static_cast<TBarGraph*>(Indicators().back());
    EXPECT_EQ(copy->objectName(), QStringLiteral("_BarGraph2"));
    EXPECT_EQ(copy->Left(), bar->Left() + 16);
    EXPECT_EQ(copy->Top(), bar->Top() + 16);
    EXPECT_EQ(copy->Width(), bar->Width());
    EXPECT_EQ(copy->Title(), bar->Title());
    EXPECT_EQ(copy->ColorBar(), 0x00FF00u);
    EXPECT_EQ(MainForm->width(), widthBefore + 16);
    EXPECT_EQ(MainForm->height(), heightBefore + 16);
    EXPECT_EQ(MainForm->minimumSize(), MainForm->maximumSize());  // still fixed for the user
    EXPECT_EQ(SelectIndicator, nullptr);
}

TEST_F(IndicatorMenu, CopyOfAnXYGraphCarriesItsProperties)
{
    Start();
    auto* xy = static_cast<TXYGraph*>(Make("_XYGraph", {40, 40}));
    xy->SetTitle(QStringLiteral("横G"));
    xy->SetHeightTitle(24);
    RightClick({xy->Left() + 12, xy->Top() + 12});
    Choose(MainForm->PopupMenuIndicator, MainForm->MenuIndicatorCopy);
    ASSERT_TRUE(QTest::qWaitFor([this] { return Indicators().size() == 2; }, Bound));
    auto* copy = static_cast<TXYGraph*>(Indicators().back());
    EXPECT_EQ(copy->Title(), QStringLiteral("横G"));
    EXPECT_EQ(copy->HeightTitle(), 24);
    EXPECT_EQ(copy->Left(), xy->Left() + 16);
    EXPECT_EQ(copy->Top(), xy->Top() + 16);
}

TEST_F(IndicatorMenu, ShiftHeldBlocksEdit)
{
    Start();
    TIndicator* bar = Make("_BarGraph", {8, 8});
    const QPoint click(bar->Left() + 10, bar->Top() + 10);

    RightClick(click, Qt::ShiftModifier);
    Choose(MainForm->PopupMenuIndicator, MainForm->MenuIndicatorEdit, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(MainForm->ShiftDown);
    EXPECT_EQ(SelectIndicator, bar);  // nothing opened, the selection stays
    CloseMenus();

    // Without Shift the edit item opens the bar graph's settings dialog, modally: Esc closes it.
    bool opened = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (FBarGraphSetting->isVisible() && FBarGraphSetting->Indicator == bar) {
            opened = true;
            QTest::keyClick(FBarGraphSetting->windowHandle(), Qt::Key_Escape);
        }
    });
    closer.start(10);
    RightClick(click);
    Choose(MainForm->PopupMenuIndicator, MainForm->MenuIndicatorEdit);
    ASSERT_TRUE(QTest::qWaitFor([] { return SelectIndicator == nullptr; }, Bound));
    EXPECT_TRUE(opened);
    EXPECT_FALSE(MainForm->ShiftDown);
}

TEST_F(IndicatorMenu, NamesStayUniqueThroughDeletesCreatesAndCopies)
{
    Start();
    std::mt19937 random(3);
    const char* kinds[] = {"_AnalogMeter", "_BarGraph", "_XYGraph", "_NumericList"};
    for (int step = 0; step < 300; ++step) {
        const auto live = Indicators();
        const int action = int(random() % 3);
        if (action == 0 || live.empty()) {
            MouseDownPos = {int(random() % 300), int(random() % 200)};
            CreateIndicator(kinds[random() % 4], nullptr);
        } else if (action == 1) {
            DeleteIndicator(live[random() % live.size()]);
        } else {
            SelectIndicator = live[random() % live.size()];
            MainForm->MenuIndicatorCopyClick(nullptr);
        }
        QSet<QString> names;
        for (TIndicator* indicator : Indicators())
            names.insert(indicator->objectName());
        ASSERT_EQ(std::size_t(names.size()), Indicators().size()) << "step " << step;
    }
    // The newest of a kind gives its number back; an older one's stays unused.
    for (TIndicator* indicator : Indicators())
        DeleteIndicator(indicator);
    const int before = BarGraphCount;
    TIndicator* a = CreateIndicator("_BarGraph", nullptr);
    TIndicator* b = CreateIndicator("_BarGraph", nullptr);
    DeleteIndicator(b);
    EXPECT_EQ(CreateIndicator("_BarGraph", nullptr)->objectName(),
              QStringLiteral("_BarGraph%1").arg(before + 2));
    DeleteIndicator(a);
    EXPECT_EQ(CreateIndicator("_BarGraph", nullptr)->objectName(),
              QStringLiteral("_BarGraph%1").arg(before + 3));
}

}  // namespace
