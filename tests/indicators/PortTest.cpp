#include "indicators/Port.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SourceIndexQ7, HoldsTwelveChannelsEndedByAnEmptyRecord)
{
    std::vector<std::string> keys;
    for (TPLUT row = SourceIndexQ7; !row->Designator.empty(); ++row)
        keys.push_back(row->Designator);
    EXPECT_EQ(keys,
              (std::vector<std::string>{"THROT", "COOLANT", "OILTMP", "OILPRS", "FUEL", "TACHO",
                                        "SPEED", "STEER", "JYRO", "BREAKF", "BREAKR", "BATTERY"}));
    const TPortInfo& end = SourceIndexQ7[12];
    EXPECT_TRUE(end.Description.empty());
    EXPECT_EQ(end.Address, nullptr);
    EXPECT_EQ(end.DecimalPoint, 0);
    EXPECT_EQ(end.MaxDigits, 0);
}

TEST(SourceIndexQ7, RowsPointAtTheirLiveValuesWithTheirScaleAndWidth)
{
    const struct {
        const char* description;
        std::int32_t* address;
        int decimals, digits;
    } rows[] = {
        {"Throttle[%]", &Throttle, 0, 4},
        {"Coolant temp[\xDF"
         "c]",
         &CoolantTemp, 0, 3},
        {"Oil temp[\xDF"
         "c]",
         &LubeOilTemp, 0, 3},
        {"Oil press[kPa]", &LubeOilPres, 0, 3},
        {"Fuel press[kPa]", &FuelPres, 0, 3},
        {"Tacho[rpm]", &Tacho, 0, 5},
        {"Speed[km/h]", &Speed, 2, 6},
        {"Steering[\xDF]", &Steer, 0, 3},
        {"Angular velocity[\xDF/s]", &Jyro, 0, 4},
        {"Break-F press[MPa]", &BreakF, 2, 4},
        {"Break-R press[MPa]", &BreakR, 2, 4},
        {"Battery[V]", &Battery, 1, 4},
    };
    for (int i = 0; i < 12; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(SourceIndexQ7[i].Description, rows[i].description);
        EXPECT_EQ(SourceIndexQ7[i].Address, rows[i].address);
        EXPECT_EQ(SourceIndexQ7[i].DecimalPoint, rows[i].decimals);
        EXPECT_EQ(SourceIndexQ7[i].MaxDigits, rows[i].digits);
    }
    // The degree sign is the one byte 0xDF, not a double-byte character.
    EXPECT_EQ(SourceIndexQ7[7].Description.size(), std::string("Steering[]").size() + 1);
}

TEST(EmptyPort, StandsForNoChannel)
{
    EXPECT_TRUE(EmptyPort.Designator.empty());
    EXPECT_TRUE(EmptyPort.Description.empty());
    EXPECT_EQ(EmptyPort.Address, nullptr);
    EXPECT_EQ(EmptyPort.DecimalPoint, 0);
    EXPECT_EQ(EmptyPort.MaxDigits, 0);
}

namespace {

bool IsEmptyPort(const TPortInfo& port)
{
    return port.Designator.empty() && port.Description.empty() && port.Address == nullptr &&
           port.DecimalPoint == 0 && port.MaxDigits == 0;
}

}  // namespace

TEST(PortByDesignator, MatchesTheWholeKeyCaseSensitively)
{
    const TPortInfo tacho = PortByDesignator(SourceIndexQ7, "TACHO");
    EXPECT_EQ(tacho.Description, "Tacho[rpm]");
    EXPECT_EQ(tacho.Address, &Tacho);
    EXPECT_EQ(tacho.DecimalPoint, 0);
    EXPECT_EQ(tacho.MaxDigits, 5);
    EXPECT_EQ(PortByDesignator(SourceIndexQ7, "BATTERY").Address, &Battery);
    for (const char* miss : {"tacho", "TACH", "TACHOX", "", "Tacho[rpm]"})
        EXPECT_TRUE(IsEmptyPort(PortByDesignator(SourceIndexQ7, miss))) << miss;
    EXPECT_TRUE(IsEmptyPort(PortByDesignator(nullptr, "TACHO")));
    EXPECT_TRUE(IsEmptyPort(PortByDesignator(&EmptyPort, "")));
}

TEST(PortByDescription, MatchesTheWholeDisplayName)
{
    const TPortInfo speed = PortByDescription(SourceIndexQ7, "Speed[km/h]");
    EXPECT_EQ(speed.Designator, "SPEED");
    EXPECT_EQ(speed.DecimalPoint, 2);
    EXPECT_EQ(PortByDescription(SourceIndexQ7, "Oil temp[\xDF"
                                               "c]")
                  .Address,
              &LubeOilTemp);
    for (const char* miss : {"Speed", "speed[km/h]", "SPEED", ""})
        EXPECT_TRUE(IsEmptyPort(PortByDescription(SourceIndexQ7, miss))) << miss;
}

TEST(PortByDesignator, LooksUpAnyTableUpToItsEndRecord)
{
    std::int32_t a = 0, b = 0;
    const TPortInfo table[] = {
        {"A", "Alpha", &a, 1, 2}, {"B", "", &b, 0, 0}, {}, {"C", "C", &b, 0, 0}};
    EXPECT_EQ(PortByDesignator(table, "B").Address, &b);
    EXPECT_TRUE(IsEmptyPort(PortByDesignator(table, "C")));  // behind the end record
    // The description walk ends at the first empty description.
    EXPECT_TRUE(IsEmptyPort(PortByDescription(table, "C")));
    EXPECT_EQ(PortByDescription(table, "Alpha").Address, &a);
}

TEST(PortByDesignator, ACopyHasItsOwnTextsButSharesTheLiveValue)
{
    TPortInfo copy = PortByDesignator(SourceIndexQ7, "SPEED");
    TPortInfo other = PortByDesignator(SourceIndexQ7, "SPEED");
    copy.Designator = "CHANGED";
    copy.Description.clear();
    EXPECT_EQ(SourceIndexQ7[6].Designator, "SPEED");
    EXPECT_EQ(SourceIndexQ7[6].Description, "Speed[km/h]");
    const std::int32_t saved = Speed;
    *copy.Address = 12345;
    EXPECT_EQ(*other.Address, 12345);
    EXPECT_EQ(Speed, 12345);
    Speed = saved;
}
