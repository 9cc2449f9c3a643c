// The indicator base and what the four kinds share: placement, the registry, the selection, the
// repaint on a size change, property lines both ways and when
// a live value reaches the face.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QEvent>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/NumericList.h"
#include "indicators/XYGraph.h"
#include "platform/Cp932.h"
#include "platform/Exceptions.h"
#include "tests/indicators/IndicatorPixels.h"
#include "tests/support/BoxRecorder.h"

using namespace indicator_pixels;

namespace {

class Indicators : public FaceTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(IndicatorCount, 0) << "an earlier test left indicators registered";
        MouseDownPos = {0, 0};
        FaceTest::SetUp();
    }
    void TearDown() override
    {
        made.clear();
        EXPECT_EQ(IndicatorCount, 0);
        FaceTest::TearDown();
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

    std::vector<std::unique_ptr<TIndicator>> made;  // destroyed before the panel
};

// The twelve channels in the meter's order, each on a live value of its own, then the empty end
// record; a look-up finds a channel by the whole of its name only, never by a part of it.
TEST(ChannelTable, TwelveChannelsOnValuesOfTheirOwnFoundByTheirWholeNames)
{
    using Row = std::tuple<std::string, std::int32_t*, int, int>;  // name, value, decimals, digits
    // clang-format off
    const Row rows[SourceIndexRows] = {
        {"THROT", &Throttle, 0, 4}, {"COOLANT", &CoolantTemp, 0, 3}, {"OILTMP", &LubeOilTemp, 0, 3},
        {"OILPRS", &LubeOilPres, 0, 3}, {"FUEL", &FuelPres, 0, 3}, {"TACHO", &Tacho, 0, 5},
        {"SPEED", &Speed, 2, 6}, {"STEER", &Steer, 0, 3}, {"JYRO", &Jyro, 0, 4},
        {"BREAKF", &BreakF, 2, 4}, {"BREAKR", &BreakR, 2, 4}, {"BATTERY", &Battery, 1, 4}, {}};
    // clang-format on
    for (int row = 0; row < SourceIndexRows; ++row) {
        const TPortInfo& port = SourceIndexQ7[row];
        EXPECT_EQ(Row(port.Designator, port.Address, port.DecimalPoint, port.MaxDigits), rows[row]);
        const std::string& key = port.Designator;
        EXPECT_EQ(PortByDesignator(SourceIndexQ7, key).Address, port.Address) << key;
        EXPECT_EQ(PortByDesignator(SourceIndexQ7, key.substr(0, key.size() - 1)).Address, nullptr);
    }
}

TEST_F(Indicators, PlacedOnTheGridAtTheLastPressAndClearingTheSelection)
{
    const std::pair<platform::TPoint, platform::TPoint> cases[] = {
        {{0, 0}, {1, 1}}, {{13, 21}, {9, 17}}, {{-9, -3}, {-7, 1}}};
    for (const auto& [press, at] : cases) {
        SelectIndicator = made.empty() ? nullptr : made.back().get();
        MouseDownPos = press;
        EXPECT_EQ(Make()->geometry(), QRect(at.X, at.Y, 32, 32)) << press.X << "," << press.Y;
        EXPECT_EQ(SelectIndicator, nullptr);
    }
    // Destroying the selected indicator leaves no dangling selection.
    SelectIndicator = made.front().get();
    Destroy(made.front().get());
    EXPECT_EQ(SelectIndicator, nullptr);
}

// The box for a full registry shows for each indicator left out, but is held back for a load.
TEST_F(Indicators, RegistryHoldsCreationOrderUpTo127AndClosesUp)
{
    testing_support::BoxRecorder boxes;
    for (int i = 0; i < IndicatorLimit; ++i)
        Make();
    TIndicator* extra = Make();  // left out, but a control like any other
    EXPECT_EQ(IndicatorArry[127], nullptr);
    EXPECT_EQ(boxes.Texts(), std::vector{QStringLiteral("インジケーターが多すぎます。")});

    Destroy(extra);  // changes nothing
    TIndicator* sixth = IndicatorArry[5];
    Destroy(IndicatorArry[4]);
    EXPECT_EQ(IndicatorCount, 126);
    EXPECT_EQ(IndicatorArry[4], sixth);
    EXPECT_EQ(Make(), IndicatorArry[126]);

    const TRegistryFullBoxHeld load;  // a work file's load names it in its own box
    Make();
    EXPECT_TRUE(load.Missed());
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(Indicators, ASizeChangeRepaintsTheWholeFaceAndAMoveDoesNot)
{
    struct FaceIndicator : TIndicator {
        using TIndicator::TIndicator;
        void Paint() override { ++paints; }
        int paints = 0;
    } indicator(&panel, SourceIndexQ7);
    indicator.SetWidth(72);
    indicator.SetHeight(40);
    EXPECT_EQ(indicator.paints, 2);
    EXPECT_EQ(indicator.Surface().size(), QSize(72, 40));
    indicator.SetLeft(17);
    EXPECT_EQ(indicator.paints, 2);
}

// ---- The four kinds ------------------------------------------------------------------------

struct Kind {
    const char* name;
    std::unique_ptr<TIndicator> (*make)(QWidget*);
    const char* lines;    // every property line the kind writes, in its order
    std::string binding;  // property lines that bind it to TACHO (and the XY
                          // graph's Y to THROT)
    platform::TRect (*valueBox)(TIndicator&);
};

template <class K>
std::unique_ptr<TIndicator> Make(QWidget* panel)
{
    return std::make_unique<K>(panel, SourceIndexQ7);
}

// clang-format off
const Kind Kinds[] = {
    {"dial", Make<TAnalogMeter>,
     "Left=17\nTop=25\nWidth=248\nHeight=264\nScaleAngle=300\nScaleHeight=7\nMainScaleDiv=8\n"
     "SubScaleDiv=4\nMinValue=-500\nMaxValue=9000\nMainScaleExp=2\nHeightTitle=20\nHeightScale=18\n"
     "HeightValue=30\nColorScale=1\nColorValue=2\nColorSLine=3\nColorNeedle=4\nColorBack=-16777201\n"
     "ColorBoss=6\nColorUpperLimit=7\nColorLowerLimit=8\nUpperLimit=\"80.5\"\nLowerLimit=\"1.5\"\n"
     "IoName=\"SPEED\"\nTitle=\"速度[km/h]\"",
     "IoName=\"TACHO\"",
     [](TIndicator& i) { return static_cast<TAnalogMeter&>(i).Layout().DigitalRect; }},
    {"bar graph", Make<TBarGraph>,
     "Left=17\nTop=25\nWidth=240\nHeight=96\nVertical=1\nMinValue=-500\nMaxValue=12000\n"
     "HeightTitle=20\nHeightValue=12\nColorScale=1193046\nColorValue=65280\nColorMarker=8421504\n"
     "ColorBar=16711935\nColorBack=-16777201\nMarker1=\"12.5\"\nMarker2=\"-3\"\nIoName=\"SPEED\"\n"
     "Title=\"速度 \"km/h\"\"",
     "IoName=\"TACHO\"",
     [](TIndicator& i) { return static_cast<TBarGraph&>(i).Layout().DigitalRect; }},
    {"XY graph", Make<TXYGraph>,
     "Left=33\nTop=41\nWidth=320\nHeight=240\nXMinValue=-100\nXMaxValue=9000\nXSplit=9\n"
     "XIoName=\"TACHO\"\nYMinValue=5\nYMaxValue=-5\nYSplit=0\nYIoName=\"BATTERY\"\nHeightTitle=22\n"
     "HeightValue=11\nColorScale=66051\nColorValue=263430\nColorCross=460809\nColorGrid=658188\n"
     "ColorBack=855567\nTitle=\"回転 vs 開度\"",
     "XIoName=\"TACHO\"\r\nYIoName=\"THROT\"",
     [](TIndicator& i) { return static_cast<TXYGraph&>(i).Layout().XValRect; }},
    {"numeric list", Make<TNumericList>,
     "Left=33\nTop=41\nWidth=200\nHeight=150\nHeightTitle=20\nHeightList=13\nColorTitle=255\n"
     "ColorList=-16777200\nColorBack=1193046\nTitle=\"計器 一覧\"\nNumericName={\"TACHO\",\"SPEED\"}",
     "NumericName={\"TACHO\"}",
     [](TIndicator& i) { return static_cast<TNumericList&>(i).NumRectArray[0].ValueRect; }},
};
// clang-format on

// Every line is read back as written, with foreign keys between them and in another order (the last
// line, the numeric list's rows, ends the block); a key with a full-width character stops the load,
// keeping what came before it. Every number at the 32-bit extremes and beyond, as a damaged work
// file may hold it (this test also runs under AddressSanitizer and UndefinedBehaviorSanitizer,
// which end the program at their first report), is brought into the range the drawing takes, and
// the face is drawn; colours, scale limits, Vertical and ScaleHeight, whose every value is a
// legitimate one, come back as read.
TEST_F(Indicators, EachKindReadsBackWhatItWritesAndExtremeNumbersAsItCanDrawThem)
{
    // The numbers the drawing cannot take whole, a kind's own before the others.
    // clang-format off
    const std::map<QString, std::pair<int, int>> ranges = {
        {"Left", {-16777215, 16777215}}, {"Top", {-16777215, 16777215}}, {"Width", {0, 4096}},
        {"Height", {0, 4096}}, {"HeightTitle", {0, 1024}}, {"HeightValue", {0, 1024}},
        {"HeightList", {0, 1024}}, {"dial HeightScale", {0, 1000}}, {"dial HeightValue", {0, 1000}},
        {"ScaleAngle", {1, 360}}, {"MainScaleDiv", {1, 3600}}, {"SubScaleDiv", {1, 3600}},
        {"MainScaleExp", {0, 9}}, {"XSplit", {0, 4096}}, {"YSplit", {0, 4096}}};
    // clang-format on
    const QRegularExpression number(QStringLiteral("(\\w+)=(-?\\d+)"));
    for (const Kind& kind : Kinds) {
        SCOPED_TRACE(kind.name);
        const QStringList lines = QString::fromUtf8(kind.lines).split('\n');
        std::string mixed;
        for (qsizetype i = lines.size() - 2; i >= 0; --i)
            mixed += "ColorTitle=255\r\n  Unknown=-7\r\n" + platform::ToCp932(lines[i]) + "\r\n";
        mixed += platform::ToCp932(lines.back()) + "\r\n}\r\nLeft=1\r\n";
        auto read = kind.make(&panel);
        read->LoadProperty(mixed);
        QStringList saved;
        read->SaveProperty(saved, "  ");
        EXPECT_EQ(saved.join('\n'), "  " + lines.join("\n  "));

        auto stopped = kind.make(&panel);
        EXPECT_THROW(stopped->LoadProperty("HeightTitle=27\r\n\x82\xA0=1\r\nTop=99\r\n"),
                     platform::EPlatformError);
        stopped->SaveProperty(saved, "");
        EXPECT_TRUE(saved.contains("HeightTitle=27"));
        EXPECT_FALSE(saved.contains("Top=99"));

        for (const long long n :
             {2147483647LL, 2147480000LL, -2147483648LL, -8LL, 150LL, 99999999999LL}) {
            SCOPED_TRACE(n);
            auto extreme = kind.make(&panel);
            extreme->LoadProperty(platform::ToCp932(
                QString::fromUtf8(kind.lines).replace(number, "\\1=" + QString::number(n))));
            extreme->Paint();
            const auto* bar = qobject_cast<TBarGraph*>(extreme.get());  // negative Vertical: none
            EXPECT_TRUE((bar && bar->Vertical() < 0) ||
                        PixelAt(extreme->Surface(), 0, 0) == platform::clWhite);
            saved.clear();
            extreme->SaveProperty(saved, "");
            for (const QRegularExpressionMatch& line : number.globalMatch(saved.join('\n'))) {
                const QString key = line.captured(1);
                auto range = ranges.find(kind.name + (" " + key));
                range = range != ranges.end() ? range : ranges.find(key);
                int expected = std::int32_t(std::uint32_t(n));  // wrapped at 32 bits
                if (range != ranges.end())
                    expected = std::clamp(expected, range->second.first, range->second.second);
                const int value = line.captured(2).toInt();
                // A face grows past its size where its texts need the room.
                const bool grown = key == u"Width" || key == u"Height";
                EXPECT_TRUE(value == expected || (grown && expected < value && value < 32768))
                    << line.captured().toStdString();
            }
        }
    }
}

// Counts the paint events a widget receives: what reaches the screen.
struct PaintCounter : QObject {
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

// A value before the first paint waits for it. After it a changed value reaches the screen without
// a whole repaint, drawn as a face painted before the change shows it; an unchanged one, also
// beyond the range, draws nothing and repaints nothing.
TEST_F(Indicators, EachKindDrawsChangedValuesOnly)
{
    panel.resize(600, 300);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const std::string bounds = "Left=1\r\nTop=1\r\nWidth=260\r\nHeight=240\r\n";
    for (const Kind& kind : Kinds) {
        SCOPED_TRACE(kind.name);
        auto early = kind.make(&panel);
        early->LoadProperty(bounds + kind.binding);
        const QImage unpainted = early->Surface().copy();
        early->SetValue();
        EXPECT_EQ(early->Surface(), unpainted);
        early->Paint();

        auto late = kind.make(&panel);
        late->LoadProperty(bounds + kind.binding);
        late->show();
        Tacho = 0;
        late->Paint();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !late->Invalidated(); }, 10000));
        PaintCounter counter(late.get());
        const platform::TRect box = kind.valueBox(*late);
        for (const std::int32_t value : {80, 81, 20000}) {
            counter.paints = 0;
            Tacho = value;
            late->SetValue();
            early->SetValue();
            EXPECT_EQ(late->Surface(), early->Surface()) << value;
            EXPECT_FALSE(late->Invalidated());
            ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 10000)) << value;
            late->Canvas().SetPixel(box.Left, box.Top, platform::clLime);
            ASSERT_TRUE(QTest::qWaitFor([&] { return counter.paints > 1; }, 10000)) << value;
            counter.paints = 0;
            late->SetValue();
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            EXPECT_EQ(PixelAt(late->Surface(), box.Left, box.Top), platform::clLime) << value;
            EXPECT_EQ(counter.paints, 0) << value;
        }
    }
}

}  // namespace
