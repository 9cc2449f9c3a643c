#pragma once
// The indicator kinds in one table. Making, copying, editing and deleting indicators, the
// indicator menu's create items and the work file all find a kind here, by the prefix its
// indicators' names begin with; a new kind is its class, its settings dialog and one row.
#include <cstdint>
#include <span>
#include <string>

class QMetaObject;
class QWidget;
class TIndicator;

struct TIndicatorKind {
    // "_" and letters; an indicator's name is the prefix directly followed by a number.
    const char* Prefix;
    // Numbers the kind's indicators.
    std::int32_t* Counter;
    // The create item in the indicator menu: its component name and caption.
    const char* MenuItem;
    const char* Caption;
    // The class; null for a kind that has none, whose item makes nothing.
    const QMetaObject* Class;
    // A new indicator of the kind with its defaults, on parent.
    TIndicator* (*Make)(QWidget* parent);
    // Runs the kind's settings dialog modally for the indicator, beside the screen point x, y
    // (its top-left corner).
    void (*Edit)(TIndicator& indicator, int x, int y);

    // Whether the indicator is of this kind's class: a name is only text.
    bool Holds(const TIndicator& indicator) const;
};

// The kinds' counters, "_Recorder" included; 0 at start and at the start of every work-file
// load. A counter never stands below the number of a live indicator of its kind.
extern std::int32_t AnalogMeterCount;
extern std::int32_t BarGraphCount;
extern std::int32_t XYGraphCount;
extern std::int32_t RecorderCount;
extern std::int32_t NumericListCount;

// Every kind, in the create submenu's order.
std::span<const TIndicatorKind> IndicatorKinds();
// The kind of that prefix (compared exactly), or null.
const TIndicatorKind* FindIndicatorKind(const std::string& prefix);
