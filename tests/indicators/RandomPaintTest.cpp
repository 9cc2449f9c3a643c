// Every kind with random property lines (its own keys, values in and far outside what makes
// sense), random sizes and random live values, painted and updated again and again: nothing may
// crash, hang or write outside the surface (run under AddressSanitizer). The seeds are fixed so
// that a failure repeats.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <QWidget>
#include <random>

#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/NumericList.h"
#include "indicators/XYGraph.h"
#include "platform/Cp932.h"
#include "tests/indicators/IndicatorPixels.h"
#include "tests/support/BoxRecorder.h"

namespace {

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int Between(int low, int high)
    {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }
    template <class T, std::size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Between(0, int(N) - 1)];
    }
    // Mostly plausible numbers, often edge cases, now and then anything at all.
    std::int32_t Number()
    {
        // clang-format off
        static const std::int32_t edges[] = {INT_MIN, INT_MIN + 1, -1000000, -1, 0, 1, 2, 7, 10, 16,
                                             100, 360, 361, 1000000, INT_MAX - 1, INT_MAX};
        // clang-format on
        switch (Between(0, 3)) {
        case 0: return Pick(edges);
        case 1: return std::int32_t(engine_());
        default: return Between(-20000, 20000);
        }
    }
    std::string Text()
    {
        // clang-format off
        static const char* const texts[] = {"", "8000", "8.5", "-5", "1.2.3", "   ", "99999999999",
                                            "\x82", "\x82\xa0", "12abc", "TACHO", "SPEED", "NOPE",
                                            "\x89\xf1\x93\x5d \x8c\x76\x8a\xed", "\xDF"};
        // clang-format on
        std::string text = Pick(texts);
        if (Between(0, 4) == 0)
            for (int n = Between(1, 12); n > 0; --n)
                text += char(Between(1, 255));
        return text;
    }

private:
    std::mt19937 engine_;
};

struct Kind {
    const char* name;
    std::function<std::unique_ptr<TIndicator>(QWidget*)> make;
    bool anyFontHeight;  // the graphs take font heights of up to 60 only
};

template <class K>
Kind KindOf(const char* name, bool anyFontHeight)
{
    return {name, [](QWidget* panel) { return std::make_unique<K>(panel, SourceIndexQ7); },
            anyFontHeight};
}

// Property lines for the kind's own keys (those it writes) in random order, each value random.
std::string RandomLines(TIndicator& indicator, bool anyFontHeight, Random& random)
{
    QStringList keys;
    indicator.SaveProperty(keys, "");
    keys.append("NumericName={}");  // the numeric list's rows, a foreign key to the others
    std::string text;
    for (int n = random.Between(1, 30); n > 0; --n) {
        const std::string line = platform::ToCp932(keys[random.Between(0, int(keys.size()) - 1)]);
        const std::string key = line.substr(0, line.find('='));
        if (key == "NumericName") {
            text += "NumericName={";
            for (int rows = random.Between(0, 40); rows > 0; --rows)
                text += "\"" + std::string(SourceIndexQ7[random.Between(0, 12)].Designator) + "\",";
            text += "}\r\n";
        } else if (line.find('"') != std::string::npos) {
            text += key + "=\"" + random.Text() + "\"\r\n";
        } else if (key.starts_with("Height") && key != "Height" && !anyFontHeight) {
            text += key + "=" + std::to_string(random.Between(-30, 60)) + "\r\n";
        } else if (key == "Left" || key == "Top" || key == "Width" || key == "Height") {
            text += key + "=" + std::to_string(random.Between(-50, 700)) + "\r\n";
        } else {
            text += key + "=" + std::to_string(random.Number()) + "\r\n";
        }
    }
    return text;
}

void SetRandomChannelValues(Random& random)
{
    for (int row = 0; row < SourceIndexRows - 1; ++row)
        *SourceIndexQ7[row].Address = random.Number();
}

class RandomPaint : public ::testing::Test {
protected:
    void TearDown() override { indicator_pixels::ResetChannels(); }
    testing_support::BoxRecorder boxes;  // bad limit texts are reported; nobody clicks
};

TEST_F(RandomPaint, EveryKindPaintsSafely)
{
    Random random(20261207);
    QWidget panel;
    for (const Kind& kind :
         {KindOf<TAnalogMeter>("dial", true), KindOf<TBarGraph>("bar graph", false),
          KindOf<TXYGraph>("XY graph", false), KindOf<TNumericList>("numeric list", true)}) {
        SCOPED_TRACE(kind.name);
        for (int round = 0; round < 40; ++round) {
            auto indicator = kind.make(&panel);
            try {
                indicator->LoadProperty(RandomLines(*indicator, kind.anyFontHeight, random));
            } catch (const std::exception&) {
                // a full-width key ends the load; what was read stays
            }
            if (random.Between(0, 4) == 0) {
                SetRandomChannelValues(random);
                indicator->SetValue();  // before the first paint
            }
            indicator->Paint();
            for (int step = 0; step < 16; ++step) {
                SetRandomChannelValues(random);
                indicator->SetValue();
                if (random.Between(0, 5) == 0) {  // drawn on the old layout until the repaint
                    indicator->SetBounds(indicator->Left(), indicator->Top(),
                                         random.Between(0, 600), random.Between(0, 500));
                    indicator->Canvas();
                }
                if (random.Between(0, 7) == 0)
                    indicator->Paint();
            }
            EXPECT_LE(indicator->Width(), 4096);
        }
    }
}

}  // namespace
