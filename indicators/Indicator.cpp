#include "indicators/Indicator.h"

#include <algorithm>
#include <QScopedValueRollback>
#include <QString>

#include "indicators/Etcpas.h"
#include "indicators/LayoutGrid.h"
#include "indicators/Port.h"
#include "indicators/PropertyLines.h"
#include "indicators/PropertyRanges.h"
#include "platform/MessageBox.h"

TIndicator* IndicatorArry[IndicatorSlots] = {};
std::int32_t IndicatorCount = 0;
TIndicator* SelectIndicator = nullptr;
platform::TPoint MouseDownPos;

static_assert(PositionRange.Max == QWIDGETSIZE_MAX && PositionRange.Min == -QWIDGETSIZE_MAX);
static_assert(SizeRange.Max == platform::SurfaceControl::MaxSurfaceSide);

namespace {

// While a TRegistryFullBoxHeld lives: whether an indicator found no slot.
struct {
    int scopes = 0;
    bool missed = false;
} RegistryFullBox;

}  // namespace

TIndicator::TIndicator(QWidget* AOwner, TPLUT PLUT) : platform::SurfaceControl(AOwner)
{
    SetBounds(SnapPosition(MouseDownPos.X), SnapPosition(MouseDownPos.Y), 32, 32);
    // Hover movements classify the edge bands and set the cursor.
    setMouseTracking(true);
    FValue = 0;
    FPLookupTable = PLUT;
    SelectIndicator = nullptr;
    if (IndicatorCount < IndicatorLimit) {
        IndicatorArry[IndicatorCount] = this;
        ++IndicatorCount;
    } else if (RegistryFullBox.scopes > 0) {
        RegistryFullBox.missed = true;
    } else {
        // The indicator still lives and shows; only the monitor loop and the repaint-all miss it.
        platform::ShowMessageBox(RegistryFullMessage(), QString(), platform::BoxIcon::Error,
                                 platform::BoxButtons::Ok);
    }
}

QString RegistryFullMessage()
{
    return QStringLiteral("インジケーターが多すぎます。");
}

TRegistryFullBoxHeld::TRegistryFullBoxHeld()
{
    if (RegistryFullBox.scopes++ == 0)
        RegistryFullBox.missed = false;
}

TRegistryFullBoxHeld::~TRegistryFullBoxHeld()
{
    --RegistryFullBox.scopes;
}

bool TRegistryFullBoxHeld::Missed() const
{
    return RegistryFullBox.missed;
}

TIndicator::~TIndicator()
{
    if (IndicatorCount >= 1) {
        TIndicator** const used = IndicatorArry + std::min(IndicatorCount, IndicatorLimit);
        TIndicator** const found = std::find(IndicatorArry, used, this);
        if (found != used) {
            std::copy(found + 1, used, found);
            *(used - 1) = nullptr;
            --IndicatorCount;
        }
    }
    // The selection must not outlive the indicator it points at.
    if (SelectIndicator == this)
        SelectIndicator = nullptr;
}

void TIndicator::Resize()
{
    // Bounds from a property block come before the block's other lines: a face drawn now would
    // grow the indicator to what the default properties need. The resize has invalidated it;
    // the next paint cycle draws it with the whole block applied.
    if (!FApplyingBlockBounds)
        Paint();
}

bool TIndicator::GetUnderbarName(std::string& kind, std::int32_t& number) const
{
    kind.clear();
    number = 0;
    const QString name = objectName();
    if (name.isEmpty() || name[0] != u'_')
        return false;
    qsizetype at = 0;
    for (; at < name.size(); ++at) {
        const char16_t c = name[at].unicode();
        const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
        if (c != u'_' && !letter)
            break;
        kind += char(c);
    }
    if (at >= name.size() || !(name[at] >= u'0' && name[at] <= u'9'))
        return false;
    std::uint32_t value = 0;  // wraps at 32 bits, as the name's counter would
    for (; at < name.size() && name[at] >= u'0' && name[at] <= u'9'; ++at)
        value = value * 10u + std::uint32_t(name[at].unicode() - u'0');
    number = std::int32_t(value);
    return true;
}

TPortInfo TIndicator::GetDesignatorTable(const std::string& key) const
{
    return PortByDesignator(FPLookupTable, key);
}

TPortInfo TIndicator::GetDescriptionTable(const std::string& key) const
{
    return PortByDescription(FPLookupTable, key);
}

void TIndicator::SaveProperty(QStringList& /*List*/, const std::string& /*Prefix*/) const {}

void TIndicator::LoadProperty(std::string /*Text*/) {}

void TIndicator::SaveBoundsProperty(QStringList& List, const std::string& Prefix) const
{
    AddIntPropertyLine(List, Prefix, "Left", Left());
    AddIntPropertyLine(List, Prefix, "Top", Top());
    AddIntPropertyLine(List, Prefix, "Width", Width());
    AddIntPropertyLine(List, Prefix, "Height", Height());
}

bool TIndicator::LoadBoundsProperty(const std::string& key, std::string& Text)
{
    const QScopedValueRollback applying(FApplyingBlockBounds, true);
    if (key == "Left")
        SetLeft(GetIntFromLine(Text, PositionRange));
    else if (key == "Top")
        SetTop(GetIntFromLine(Text, PositionRange));
    else if (key == "Width")
        SetWidth(GetIntFromLine(Text, SizeRange));
    else if (key == "Height")
        SetHeight(GetIntFromLine(Text, SizeRange));
    else
        return false;
    return true;
}
