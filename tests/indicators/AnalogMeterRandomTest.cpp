// Dials with random properties, in and far outside the limits the drawing relies on, painted and
// fed random values: nothing may crash, hang, or touch memory outside the surface. Built and run
// under AddressSanitizer and UndefinedBehaviorSanitizer; the seed is fixed so a failure repeats.
#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <QString>
#include <random>
#include <string>
#include <vector>

#include "indicators/AnalogMeter.h"
#include "indicators/Port.h"
#include "tests/support/BoxRecorder.h"

namespace {

class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(engine_); }
    int Between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(engine_); }

    // Mostly plausible values, often edge cases, sometimes anything at all.
    int Integer(int lo, int hi)
    {
        static const int edges[] = {INT_MIN, INT_MIN + 1, -1000000, -1, 0, 1, 2, 7, 9, 10, 360, 361,
                                    1000000, INT_MAX - 1, INT_MAX};
        switch (Below(4)) {
        case 0: return edges[Below(static_cast<int>(std::size(edges)))];
        case 1: return static_cast<int>(engine_());
        default: return Between(lo, hi);
        }
    }

    std::string Text()
    {
        static const char* const samples[] = {
            "",         "8000", "8.5",      "-5",    "1.2.3", "   ", "+", "99999999999",
            "0.000001", "\x82", "\x82\xa0", "12abc", "-",     "."};
        if (Below(5) > 0)
            return samples[Below(static_cast<int>(std::size(samples)))];
        std::string bytes(static_cast<std::size_t>(Below(12)), '\0');
        for (char& b : bytes)
            b = static_cast<char>(Between(1, 255));
        return bytes;
    }

    std::string Channel()
    {
        static const char* const names[] = {"",       "TACHO", "SPEED", "BATTERY",
                                            "BREAKF", "XYZ",   "tacho"};
        return names[Below(static_cast<int>(std::size(names)))];
    }

private:
    std::mt19937 engine_;
};

void SetRandomProperty(TAnalogMeter& dial, Random& r)
{
    switch (r.Below(22)) {
    case 0: dial.SetScaleAngle(r.Integer(1, 360)); break;
    case 1: dial.SetScaleHeight(r.Integer(0, 100)); break;
    case 2: dial.SetMainScaleDiv(r.Integer(0, 20)); break;
    case 3: dial.SetSubScaleDiv(r.Integer(0, 10)); break;
    case 4: dial.SetMinValue(r.Integer(-20000, 20000)); break;
    case 5: dial.SetMaxValue(r.Integer(-20000, 20000)); break;
    case 6: dial.SetMainScaleExp(r.Integer(-2, 12)); break;
    case 7: dial.SetHeightTitle(r.Integer(0, 60)); break;
    case 8: dial.SetHeightScale(r.Integer(0, 80)); break;
    case 9: dial.SetHeightValue(r.Integer(0, 80)); break;
    case 10: dial.SetColorScale(r.Integer(0, 0xFFFFFF)); break;
    case 11: dial.SetColorValue(r.Integer(0, 0xFFFFFF)); break;
    case 12: dial.SetColorSLine(r.Integer(0, 0xFFFFFF)); break;
    case 13: dial.SetColorNeedle(r.Integer(0, 0xFFFFFF)); break;
    case 14: dial.SetColorBack(r.Integer(0, 0xFFFFFF)); break;
    case 15: dial.SetColorBoss(r.Integer(0, 0xFFFFFF)); break;
    case 16: dial.SetColorULmt(r.Integer(0, 0xFFFFFF)); break;
    case 17: dial.SetUpperLimit(r.Text()); break;
    case 18: dial.SetLowerLimit(r.Text()); break;
    case 19: dial.SetIoName(r.Channel()); break;
    case 20:
        dial.SetTitle(r.Below(2) ? QString::fromUtf8("回転計[rpm]")
                                 : QString::fromStdString(r.Text()));
        break;
    default:
        dial.SetBounds(r.Between(-50, 300), r.Between(-50, 300), r.Between(0, 700),
                       r.Between(0, 700));
        break;
    }
}

void SetRandomChannelValues(Random& r)
{
    Tacho = r.Integer(-12000, 12000);
    Speed = r.Integer(-30000, 30000);
    Battery = r.Integer(0, 160);
    BreakF = r.Integer(0, 1000);
}

}  // namespace

TEST(AnalogMeterRandom, RandomPropertiesAndValuesPaintSafely)
{
    testing_support::BoxRecorder boxes;  // bad limit texts are reported; nobody clicks
    Random r(20261206);
    for (int round = 0; round < 300; ++round) {
        auto dial = std::make_unique<TAnalogMeter>(nullptr, SourceIndexQ7);
        const int properties = r.Between(1, 12);
        for (int i = 0; i < properties; ++i)
            SetRandomProperty(*dial, r);
        if (r.Below(4) == 0) {
            SetRandomChannelValues(r);
            dial->SetValue();  // before any layout
        }
        dial->Paint();
        ASSERT_EQ(dial->Surface().size(), dial->size()) << round;
        EXPECT_GE(dial->Width(), 120);
        for (int step = 0; step < 20; ++step) {
            SetRandomChannelValues(r);
            dial->SetValue();
            if (r.Below(6) == 0)
                SetRandomProperty(*dial, r);  // drawn with the last layout until the repaint
            if (r.Below(8) == 0)
                dial->Paint();
        }
    }
}

TEST(AnalogMeterRandom, NeedleErasesExactlyWhateverTheLayout)
{
    // With sane limits every value change must leave the face exactly as a repaint draws it.
    testing_support::BoxRecorder boxes;
    Random r(4242);
    for (int round = 0; round < 40; ++round) {
        auto dial = std::make_unique<TAnalogMeter>(nullptr, SourceIndexQ7);
        dial->SetBounds(1, 1, r.Between(100, 400), r.Between(100, 400));
        dial->SetScaleAngle(r.Between(60, 300));
        dial->SetMainScaleDiv(r.Between(1, 20));
        dial->SetSubScaleDiv(r.Between(1, 10));
        dial->SetIoName("TACHO");
        dial->SetUpperLimit(std::to_string(r.Between(5000, 9999)));
        dial->SetLowerLimit(std::to_string(r.Between(1, 4999)));
        Tacho = r.Between(0, 10000);
        dial->SetValue();
        dial->Paint();
        const QImage face = dial->Surface().copy();
        const std::int32_t first = Tacho;
        for (int step = 0; step < 10; ++step) {
            Tacho = r.Between(-2000, 12000);
            dial->SetValue();
        }
        Tacho = first;
        dial->SetValue();
        EXPECT_TRUE(dial->Surface() == face) << round;
    }
}
