#include "app/IndicatorLifecycle.h"

#include <QString>
#include <utility>

#include "app/ExtractBlock.h"
#include "app/IndicatorKinds.h"
#include "app/Main.h"
#include "indicators/Indicator.h"
#include "indicators/ZpMainPanel.h"
#include "platform/PopupMenu.h"

namespace {

bool NameTaken(const QWidget* owner, const QString& name)
{
    return owner->findChild<QObject*>(name) != nullptr;
}

}  // namespace

void ResetIndicatorCounters()
{
    for (const TIndicatorKind& kind : IndicatorKinds())
        *kind.Counter = 0;
}

TIndicator* CreateIndicator(const std::string& prefix, const char** block)
{
    const TIndicatorKind* kind = FindIndicatorKind(prefix);
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
        indicator->LoadProperty(std::move(text));
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
    if (const TIndicatorKind* kind = FindIndicatorKind(prefix); kind && number == *kind->Counter)
        --*kind->Counter;
    delete indicator;  // a child of the dashboard panel: leaves its parent and the registry
}
