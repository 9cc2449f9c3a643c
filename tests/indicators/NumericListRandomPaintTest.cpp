// Random properties, rows and values, painted and updated again and again: nothing may crash,
// hang or write outside the surface (this test runs under AddressSanitizer).
#include <gtest/gtest.h>

#include <random>

#include "NumericListTestSupport.h"
#include "platform/Cp932.h"

using namespace numeric_list_test;

namespace {

// A table of its own, so that decimal points and digit counts go beyond the real channels'.
constexpr int RandomRows = 6;
std::int32_t randomValues[RandomRows];
TPortInfo randomTable[RandomRows + 1];

std::int32_t PickHeight(std::mt19937& random)
{
    switch (random() % 8) {
    case 0: return std::int32_t(random());  // anything a damaged work file may hold
    case 1: return -std::int32_t(random() % 40);
    default: return std::int32_t(random() % 64);
    }
}

std::int32_t PickValue(std::mt19937& random)
{
    switch (random() % 4) {
    case 0: return std::int32_t(random());
    case 1: return random() % 2 ? INT32_MIN : INT32_MAX;
    default: return std::int32_t(random() % 20001) - 10000;
    }
}

std::string PickText(std::mt19937& random)
{
    static const char* const pieces[] = {"Tacho", "[rpm]", "\xDF",        "\x8c\x76\x8a\xed", " ",
                                         "",      "\x83",  "Speed[km/h]", "8888888888"};
    std::string text;
    for (unsigned n = random() % 5; n > 0; --n)
        text += pieces[random() % std::size(pieces)];
    return text;
}

TEST(NumericListRandomPaint, RandomPropertiesRowsAndValuesPaintSafely)
{
    QWidget panel;
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        for (int i = 0; i < RandomRows; ++i) {
            randomTable[i] = TPortInfo("R" + std::to_string(i), PickText(random), &randomValues[i],
                                       std::uint8_t(random() % 4 == 0 ? random() : random() % 4),
                                       std::uint8_t(random() % 4 == 0 ? random() : random() % 11));
        }
        randomTable[RandomRows] = TPortInfo();

        TNumericList list(&panel, randomTable);
        list.setParent(&panel);
        list.SetBounds(int(random() % 300), int(random() % 300), int(random() % 200),
                       int(random() % 200));
        list.SetHeightTitle(PickHeight(random));
        list.SetHeightList(PickHeight(random));
        list.SetColorTitle(std::int32_t(random()));
        list.SetColorList(std::int32_t(random()));
        list.SetColorBack(random() % 2 ? std::int32_t(random()) : platform::clBtnFace);
        list.SetTitle(platform::FromCp932(PickText(random)));

        std::string names = "NumericName={";
        for (unsigned n = random() % 40; n > 0; --n)
            names += "\"R" + std::to_string(random() % (RandomRows + 2)) + "\",";
        list.LoadProperty(names + "}");

        for (int round = 0; round < 6; ++round) {
            if (random() % 3 == 0)
                list.SetHeightList(PickHeight(random));
            if (random() % 3 == 0)
                list.SetBounds(list.Left(), list.Top(), int(random() % 300), int(random() % 300));
            list.Paint();
            for (int tick = 0; tick < 8; ++tick) {
                for (std::int32_t& value : randomValues)
                    if (random() % 2)
                        value = PickValue(random);
                list.SetValue();
            }
        }
        EXPECT_LE(list.Width(), 4096);
        EXPECT_LE(list.Height(), 4096);
    }
}

}  // namespace
