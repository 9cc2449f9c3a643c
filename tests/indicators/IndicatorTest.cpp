// The indicator base: placement, the registry, the selection, the name split, the look-ups and
// the repaint on a size change.
#include <gtest/gtest.h>
#include <QWidget>

#include <memory>
#include <vector>

#include "indicators/Indicator.h"
#include "indicators/Port.h"
#include "tests/support/BoxRecorder.h"

namespace {

const QString TooMany = QStringLiteral("インジケーターが多すぎます。");

// A kind that paints its whole face in one colour and counts its paints.
class FaceIndicator : public TIndicator {
public:
    using TIndicator::TIndicator;
    void Paint() override
    {
        ++paints;
        auto& canvas = Canvas();
        canvas.Brush.Color = platform::clLime;
        canvas.FillRect({0, 0, Width(), Height()});
    }
    int paints = 0;
};

class Indicators : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(IndicatorCount, 0) << "an earlier test left indicators registered";
        MouseDownPos = {0, 0};
    }
    void TearDown() override
    {
        made.clear();
        EXPECT_EQ(IndicatorCount, 0);
        EXPECT_EQ(IndicatorArry[0], nullptr);
    }
    TIndicator* Make(TPLUT table = SourceIndexQ7)
    {
        made.push_back(std::make_unique<TIndicator>(&panel, table));
        return made.back().get();
    }
    void Destroy(TIndicator* indicator)
    {
        std::erase_if(made, [&](const auto& p) { return p.get() == indicator; });
    }

    QWidget panel;
    std::vector<std::unique_ptr<TIndicator>> made;  // destroyed before the panel
};

TEST_F(Indicators, PlacedOnTheGridAtTheLastPress)
{
    struct Case {
        platform::TPoint press;
        int left, top;
    };
    for (const Case& c : {Case{{0, 0}, 1, 1}, Case{{13, 21}, 9, 17}, Case{{8, 8}, 9, 9},
                          Case{{7, 15}, 1, 9}, Case{{-9, -3}, -7, 1}}) {
        MouseDownPos = c.press;
        TIndicator* indicator = Make();
        EXPECT_EQ(indicator->Left(), c.left) << c.press.X << "," << c.press.Y;
        EXPECT_EQ(indicator->Top(), c.top) << c.press.X << "," << c.press.Y;
        EXPECT_EQ(indicator->Width(), 32);
        EXPECT_EQ(indicator->Height(), 32);
        EXPECT_EQ(indicator->parentWidget(), &panel);
    }
}

TEST_F(Indicators, ConstructionClearsTheSelection)
{
    TIndicator* first = Make();
    SelectIndicator = first;
    Make();
    EXPECT_EQ(SelectIndicator, nullptr);
    // Destroying the selected indicator leaves no dangling selection.
    SelectIndicator = first;
    Destroy(first);
    EXPECT_EQ(SelectIndicator, nullptr);
}

TEST_F(Indicators, RegistryHoldsCreationOrderAndClosesUpOnDestruction)
{
    TIndicator* a = Make();
    TIndicator* b = Make();
    TIndicator* c = Make();
    ASSERT_EQ(IndicatorCount, 3);
    EXPECT_EQ(IndicatorArry[0], a);
    EXPECT_EQ(IndicatorArry[1], b);
    EXPECT_EQ(IndicatorArry[2], c);
    Destroy(b);
    EXPECT_EQ(IndicatorCount, 2);
    EXPECT_EQ(IndicatorArry[0], a);
    EXPECT_EQ(IndicatorArry[1], c);
    EXPECT_EQ(IndicatorArry[2], nullptr);
}

TEST_F(Indicators, RegistryFullAt127ThenFreeAgainAfterADestruction)
{
    testing_support::BoxRecorder boxes;
    for (int i = 0; i < IndicatorLimit; ++i)
        Make();
    EXPECT_EQ(IndicatorCount, 127);
    EXPECT_TRUE(boxes.Boxes().empty());

    TIndicator* extra = Make();
    EXPECT_EQ(IndicatorCount, 127);
    EXPECT_EQ(IndicatorArry[127], nullptr);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, TooMany);
    EXPECT_EQ(boxes.Boxes()[0].icon, platform::BoxIcon::Error);
    EXPECT_EQ(boxes.Boxes()[0].buttons, platform::BoxButtons::Ok);
    // Left out of the registry, but a control like any other.
    EXPECT_EQ(extra->Width(), 32);
    EXPECT_EQ(extra->parentWidget(), &panel);

    // Destroying the unregistered one changes nothing; destroying a registered one frees a slot.
    Destroy(extra);
    EXPECT_EQ(IndicatorCount, 127);
    TIndicator* fifth = IndicatorArry[4];
    TIndicator* sixth = IndicatorArry[5];
    Destroy(fifth);
    EXPECT_EQ(IndicatorCount, 126);
    EXPECT_EQ(IndicatorArry[4], sixth);
    TIndicator* again = Make();
    EXPECT_EQ(IndicatorCount, 127);
    EXPECT_EQ(IndicatorArry[126], again);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(Indicators, UnderbarNameSplitsKindAndNumber)
{
    TIndicator* indicator = Make();
    struct Case {
        const char* name;
        std::string kind;
        std::int32_t number;
        bool result;
    };
    for (const Case& c :
         {Case{"", "", 0, false}, Case{"Panel1", "", 0, false},
          Case{"_NumericList", "_NumericList", 0, false}, Case{"_XYGraph12", "_XYGraph", 12, true},
          Case{"_BarGraph3", "_BarGraph", 3, true}, Case{"_AnalogMeter0", "_AnalogMeter", 0, true},
          Case{"_Bar_Graph7x9", "_Bar_Graph", 7, true}, Case{"_Dial-4", "_Dial", 0, false},
          Case{"_A4294967297", "_A", 1, true}}) {
        indicator->setObjectName(QString::fromUtf8(c.name));
        std::string kind = "stale";
        std::int32_t number = -5;
        EXPECT_EQ(indicator->GetUnderbarName(kind, number), c.result) << c.name;
        EXPECT_EQ(kind, c.kind) << c.name;
        EXPECT_EQ(number, c.number) << c.name;
    }
}

TEST_F(Indicators, LookUpsSearchTheIndicatorsOwnTable)
{
    TIndicator* standard = Make();
    const TPortInfo tacho = standard->GetDesignatorTable("TACHO");
    EXPECT_EQ(tacho.Description, "Tacho[rpm]");
    EXPECT_EQ(tacho.Address, SourceIndexQ7[5].Address);
    EXPECT_EQ(standard->GetDescriptionTable("Speed[km/h]").Designator, "SPEED");
    EXPECT_EQ(standard->GetDesignatorTable("tacho").Address, nullptr);
    EXPECT_EQ(standard->GetDescriptionTable("").Designator, "");

    std::int32_t own = 0;
    const TPortInfo table[] = {TPortInfo("OWN", "Own[x]", &own, 1, 2), TPortInfo()};
    TIndicator* custom = Make(table);
    EXPECT_EQ(custom->GetDesignatorTable("OWN").Address, &own);
    EXPECT_EQ(custom->GetDescriptionTable("Own[x]").Designator, "OWN");
    EXPECT_EQ(custom->GetDesignatorTable("TACHO").Address, nullptr);
}

TEST_F(Indicators, ASizeChangeRepaintsTheWholeFace)
{
    auto indicator = std::make_unique<FaceIndicator>(&panel, SourceIndexQ7);
    indicator->Canvas().Brush.Color = platform::clRed;
    indicator->Canvas().FillRect({0, 0, 32, 32});
    const int paints = indicator->paints;
    indicator->SetWidth(72);
    indicator->SetHeight(40);
    EXPECT_EQ(indicator->paints, paints + 2);
    const QImage& face = indicator->Surface();
    ASSERT_EQ(face.size(), QSize(72, 40));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 72; ++x)
            ASSERT_EQ(platform::FromQRgb(face.pixel(x, y)), platform::clLime) << x << "," << y;
    // A move alone does not repaint.
    indicator->SetLeft(17);
    EXPECT_EQ(indicator->paints, paints + 2);
}

}  // namespace
