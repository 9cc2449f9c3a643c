#include "app/IndicatorLifecycle.h"

#include <array>
#include <QString>

#include "app/ExtractBlock.h"
#include "app/Main.h"
#include "indicators/AnalogMeter.h"
#include "indicators/BarGraph.h"
#include "indicators/NumericList.h"
#include "indicators/Port.h"
#include "indicators/XYGraph.h"
#include "indicators/ZpMainPanel.h"
#include "platform/PopupMenu.h"

std::int32_t AnalogMeterCount = 0;
std::int32_t BarGraphCount = 0;
std::int32_t XYGraphCount = 0;
std::int32_t RecorderCount = 0;
std::int32_t NumericListCount = 0;

namespace {

struct TIndicatorKind {
    const char* Prefix;
    std::int32_t* Counter;
    // Null for a kind without a class.
    TIndicator* (*Make)(QWidget* parent);
    bool (*Save)(const TIndicator& indicator, QStringList& list, const std::string& indent);
    void (*Load)(TIndicator& indicator, const std::string& block);
};

template <class Kind>
TIndicator* Make(QWidget* parent)
{
    return new Kind(parent, SourceIndexQ7);  // owned by its parent, the dashboard panel
}

template <class Kind>
bool Save(const TIndicator& indicator, QStringList& list, const std::string& indent)
{
    const auto* kind = dynamic_cast<const Kind*>(&indicator);
    if (kind)
        kind->SaveProperty(list, indent);
    return kind != nullptr;
}

template <class Kind>
void Load(TIndicator& indicator, const std::string& block)
{
    static_cast<Kind&>(indicator).LoadProperty(block);
}

template <class Kind>
constexpr TIndicatorKind KindOf(const char* prefix, std::int32_t* counter)
{
    return {prefix, counter, &Make<Kind>, &Save<Kind>, &Load<Kind>};
}

// In the order in which prefixes are compared.
const std::array<TIndicatorKind, 5> Kinds{{
    KindOf<TAnalogMeter>("_AnalogMeter", &AnalogMeterCount),
    KindOf<TBarGraph>("_BarGraph", &BarGraphCount),
    KindOf<TXYGraph>("_XYGraph", &XYGraphCount),
    {"_Recorder", &RecorderCount, nullptr, nullptr, nullptr},
    KindOf<TNumericList>("_NumericList", &NumericListCount),
}};

const TIndicatorKind* FindKind(const std::string& prefix)
{
    for (const TIndicatorKind& kind : Kinds) {
        if (prefix == kind.Prefix)
            return &kind;
    }
    return nullptr;
}

bool NameTaken(const QWidget* owner, const QString& name)
{
    return owner->findChild<QObject*>(name) != nullptr;
}

}  // namespace

void ResetIndicatorCounters()
{
    for (const TIndicatorKind& kind : Kinds)
        *kind.Counter = 0;
}

TIndicator* CreateIndicator(const std::string& prefix, const char** block)
{
    const TIndicatorKind* kind = FindKind(prefix);
    if (!kind || !kind->Make)
        return nullptr;
    TIndicator* indicator = kind->Make(MainForm->MainPanel);
    indicator->show();

    // Numbers above the counter are free as long as the counter stays at or above every live
    // number of its kind; the look-up guards the name against any other component as well.
    QString name;
    do {
        ++*kind->Counter;
        name = QString::fromLatin1(kind->Prefix) + QString::number(*kind->Counter);
    } while (NameTaken(MainForm, name));
    indicator->setObjectName(name);

    platform::SetPopupMenu(indicator, MainForm->PopupMenuIndicator);
    if (block) {
        std::string text;
        ExtractBlock(text, *block);  // a block cut short still gives what it holds
        kind->Load(*indicator, text);
    }
    return indicator;
}

void DeleteIndicator(TIndicator* indicator)
{
    if (!indicator)
        return;
    std::string prefix;
    std::int32_t number = 0;
    if (!indicator->GetUnderbarName(prefix, number))
        return;
    // The newest number of its kind goes back to the counter, so that deleting what was just
    // made and making it again gives the same name; any other number stays unused until the next
    // load renumbers, so no new name can meet a live one.
    if (const TIndicatorKind* kind = FindKind(prefix); kind && number == *kind->Counter)
        --*kind->Counter;
    delete indicator;  // a child of the dashboard panel: leaves its parent and the registry
}

bool SaveIndicatorProperty(const TIndicator& indicator, const std::string& prefix,
                           QStringList& list, const std::string& indent)
{
    const TIndicatorKind* kind = FindKind(prefix);
    return kind && kind->Save && kind->Save(indicator, list, indent);
}
