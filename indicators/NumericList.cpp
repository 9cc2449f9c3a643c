#include "indicators/NumericList.h"

#include <algorithm>
#include <limits>
#include <QListWidget>

#include "indicators/Etcpas.h"
#include "indicators/FaceDrawing.h"
#include "indicators/PropertyLines.h"
#include "indicators/PropertyRanges.h"
#include "platform/Cp932.h"
#include "platform/CursorPos.h"

using platform::TRect;

namespace {

// Paint never grows the control past this, whatever the heights say: a height from a damaged
// work file must not ask for a surface of gigabytes.
constexpr long long MaxExtent = 4096;

// Layout arithmetic runs in 64 bits (heights are unchecked 32-bit values) and lands in the
// range of a pixel coordinate.
int ToPixel(long long value)
{
    return int(std::clamp<long long>(value, std::numeric_limits<int>::min() / 2,
                                     std::numeric_limits<int>::max() / 2));
}

}  // namespace

std::string_view DigitTemplate(std::uint8_t maxDigits)
{
    return DigitTemplates[std::min<std::size_t>(maxDigits, DigitTemplates.size() - 1)];
}

TNumericList::TNumericList(QWidget* AOwner, TPLUT PLUT) : TIndicator(AOwner, PLUT) {}

TNumericList::~TNumericList() = default;

void TNumericList::SetHeightTitle(std::int32_t value)
{
    FHeightTitle = value;
    Invalidate();
}

void TNumericList::SetHeightList(std::int32_t value)
{
    FHeightList = value;
    Invalidate();
}

void TNumericList::SetColorTitle(platform::TColor value)
{
    FColorTitle = value;
    Invalidate();
}

void TNumericList::SetColorList(platform::TColor value)
{
    FColorList = value;
    Invalidate();
}

void TNumericList::SetColorBack(platform::TColor value)
{
    FColorBack = value;
    Invalidate();
}

void TNumericList::SetTitle(const QString& value)
{
    FTitle = value;
    Invalidate();
}

void TNumericList::GetNumListMemory(std::int32_t Count)
{
    // Always one spare row: 15 rows fit a block of 16, 16 rows take two blocks.
    const long long needed = (Count / NumRectBlock + 1LL) * NumRectBlock;
    if (HeapMemSize < needed) {
        auto fresh = std::make_unique<TNumRect[]>(std::size_t(needed));
        std::move(NumRectArray.get(), NumRectArray.get() + HeapMemSize, fresh.get());
        NumRectArray = std::move(fresh);
    }
    // The recorded capacity follows the request even downwards; the memory itself never
    // shrinks, so the rows in use always lie inside it.
    HeapMemSize = std::int32_t(std::max(needed, 0LL));
}

void TNumericList::SetNumStrList(const QListWidget* ListBox)
{
    QStringList lines;
    for (int i = 0; i < ListBox->count(); ++i)
        lines.append(ListBox->item(i)->text());
    SetNumStrList(lines);
}

void TNumericList::SetNumStrList(const QStringList& Lines)
{
    NumRectCount = std::int32_t(Lines.size());
    GetNumListMemory(NumRectCount);
    for (std::int32_t i = 0; i < NumRectCount; ++i)
        NumRectArray[i].PortInfo = GetDescriptionTable(platform::ToCp932(Lines[i]));
}

void TNumericList::Paint()
{
    platform::Canvas* canvas = &Canvas();
    canvas->Pen.Mode = platform::PenMode::Copy;
    canvas->Pen.Style = platform::PenStyle::Solid;
    canvas->Pen.Width = 1;
    canvas->Font.Name = FontName;
    canvas->Background = platform::TextBackground::Opaque;

    // Minimum size: the title, and every row's description beside its value box.
    const std::string title = platform::ToCp932(FTitle);
    canvas->Font.Height = FHeightTitle;
    const long long titleNeed = canvas->TextWidth(title) + 8LL;

    canvas->Font.Height = FHeightList;
    std::array<int, DigitTemplates.size()> templateWidth{};
    for (std::size_t k = 0; k < DigitTemplates.size(); ++k)
        templateWidth[k] = canvas->TextWidth(std::string(DigitTemplates[k]));
    const auto widthOfTemplate = [&](const TPortInfo& port) {
        return templateWidth[std::min<std::size_t>(port.MaxDigits, DigitTemplates.size() - 1)];
    };
    long long widthNeed = titleNeed;
    for (std::int32_t i = 0; i < NumRectCount; ++i) {
        const TPortInfo& port = NumRectArray[i].PortInfo;
        widthNeed = std::max(widthNeed, canvas->TextWidth(port.Description) +
                                            (long long)widthOfTemplate(port) + FHeightList);
    }
    const long long heightNeed =
        (long long)NumRectCount * (FHeightList + 2LL) + FHeightTitle + 12LL;
    if (Width() < widthNeed)
        SetWidth(int(std::min(widthNeed, std::max<long long>(MaxExtent, Width()))));
    if (Height() < heightNeed)
        SetHeight(int(std::min(heightNeed, std::max<long long>(MaxExtent, Height()))));

    // The surface follows the new size when the canvas is asked for again.
    canvas = &Canvas();
    const int width = Width();
    const int height = Height();
    OuterRect = {0, 0, width, height};
    InnerRect = {4, ToPixel(FHeightTitle + 8LL), width - 4, height - 4};
    for (std::int32_t i = 0; i < NumRectCount; ++i) {
        TRect& box = NumRectArray[i].ValueRect;
        box.Top = ToPixel(InnerRect.Top + 1LL + i * (FHeightList + 2LL));
        box.Bottom = ToPixel((long long)box.Top + FHeightList);
        box.Right = InnerRect.Right - 4;
        box.Left = box.Right - widthOfTemplate(NumRectArray[i].PortInfo);
    }

    DrawRaisedPanel(*canvas, OuterRect, Color);

    canvas->Brush.Color = Color;
    canvas->Font.Color = FColorTitle;
    canvas->Font.Height = FHeightTitle;
    canvas->TextOut(ToPixel((width - titleNeed) / 2), 4, title);

    DrawSunkenWell(*canvas, InnerRect, FColorBack);

    canvas->Brush.Color = FColorBack;
    canvas->Font.Color = FColorList;
    canvas->Font.Height = FHeightList;
    for (std::int32_t i = 0; i < NumRectCount; ++i)
        canvas->TextOut(InnerRect.Left + 4, NumRectArray[i].ValueRect.Top,
                        NumRectArray[i].PortInfo.Description);

    painted_ = true;
    overran_.assign(std::size_t(std::max(NumRectCount, 0)), false);
    ValueDraw(true);
}

void TNumericList::ValueDraw(bool All)
{
    if (!painted_)
        return;
    platform::Canvas& canvas = Canvas();
    canvas.Font.Height = FHeightList;
    if (overran_.size() < std::size_t(std::max(NumRectCount, 0)))
        overran_.resize(std::size_t(NumRectCount), false);

    for (std::int32_t i = 0; i < NumRectCount; ++i) {
        TNumRect& row = NumRectArray[i];
        if (row.PortInfo.Address == nullptr)
            continue;
        const std::int32_t value = *row.PortInfo.Address;
        if (!All && value == row.Value)
            continue;
        row.Value = value;
        const std::string text = IntToStrFP(value, row.PortInfo.DecimalPoint);
        const int textLeft = ToPixel((long long)row.ValueRect.Right - canvas.TextWidth(text));

        canvas.Background = platform::TextBackground::Opaque;
        canvas.Brush.Color = FColorBack;
        canvas.Font.Color = FColorList;
        // A value that ran over the description before gives the description back first,
        // so that no digit of it stays beside a narrower text.
        if (overran_[i])
            RestoreDescription(row);
        overran_[i] = textLeft < row.ValueRect.Left;

        canvas.TextOut(textLeft, row.ValueRect.Top, text);
        // Wipe the digits of a longer previous value; a text as wide as the box or wider has
        // nothing to its left inside the box, and stays whole.
        if (row.ValueRect.Left < textLeft)
            canvas.FillRect(
                {row.ValueRect.Left, row.ValueRect.Top, textLeft, row.ValueRect.Bottom});
    }
}

void TNumericList::RestoreDescription(const TNumRect& row)
{
    platform::Canvas& canvas = Canvas();
    canvas.FillRect(
        {InnerRect.Left + 1, row.ValueRect.Top, row.ValueRect.Left, row.ValueRect.Bottom});
    canvas.TextOut(InnerRect.Left + 4, row.ValueRect.Top, row.PortInfo.Description);
}

void TNumericList::SetValue()
{
    ValueDraw(false);
}

void TNumericList::MouseMove(platform::TShiftState Shift, int X, int Y)
{
    TIndicator::MouseMove(Shift, X, Y);
    // Inside the list area the arrow replaces the drag cursor, so a press there moves nothing:
    // the list is moved by its title strip and resized by its edge band. The position is the
    // cursor's own, not the event's.
    const platform::TPoint cursor = platform::GetCursorPos();
    const QPoint at = mapFromGlobal(QPoint(cursor.X, cursor.Y));
    if (InnerRect.Left < at.x() && at.x() < InnerRect.Right && InnerRect.Top < at.y() &&
        at.y() < InnerRect.Bottom)
        SetCursor(platform::crDefault);
}

void TNumericList::SaveProperty(QStringList& List, const std::string& Prefix) const
{
    SaveBoundsProperty(List, Prefix);
    AddIntPropertyLine(List, Prefix, "HeightTitle", FHeightTitle);
    AddIntPropertyLine(List, Prefix, "HeightList", FHeightList);
    AddIntPropertyLine(List, Prefix, "ColorTitle", FColorTitle);
    AddIntPropertyLine(List, Prefix, "ColorList", FColorList);
    AddIntPropertyLine(List, Prefix, "ColorBack", FColorBack);
    AddTextPropertyLine(List, Prefix, "Title", FTitle);
    // The rows' line comes last: its closing brace ends the reading of the block.
    if (NumRectCount > 0) {
        std::vector<std::string> designators;
        for (std::int32_t i = 0; i < NumRectCount; ++i)
            designators.push_back(NumRectArray[i].PortInfo.Designator);
        AddListPropertyLine(List, Prefix, "NumericName", designators);
    }
}

void TNumericList::LoadProperty(std::string Text)
{
    std::string key;
    while (GetKeyFromLine(key, Text)) {
        if (LoadBoundsProperty(key, Text))
            continue;
        if (key == "HeightTitle")
            SetHeightTitle(GetIntFromLine(Text, FontPixelRange));
        else if (key == "HeightList")
            SetHeightList(GetIntFromLine(Text, FontPixelRange));
        else if (key == "ColorTitle")
            SetColorTitle(GetIntFromLine(Text));
        else if (key == "ColorList")
            SetColorList(GetIntFromLine(Text));
        else if (key == "ColorBack")
            SetColorBack(GetIntFromLine(Text));
        else if (key == "Title")
            SetTitle(platform::FromCp932(GetStrFromLine(Text)));
        else if (key == "NumericName") {
            if (!CompNextChar(Text, '=') || !CompNextChar(Text, '{'))
                continue;
            // Count on a copy: the list ends at the first empty (or missing) quoted text.
            std::string ahead = Text;
            std::int32_t count = 0;
            while (!GetListStrFromLine(ahead).empty())
                ++count;
            GetNumListMemory(count);
            NumRectCount = count;
            for (std::int32_t i = 0; i < count; ++i)
                NumRectArray[i].PortInfo = GetDesignatorTable(GetListStrFromLine(Text));
        }
    }
}
