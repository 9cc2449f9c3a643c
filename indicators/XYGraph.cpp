#include "indicators/XYGraph.h"

#include <algorithm>

#include "indicators/Etcpas.h"
#include "indicators/FaceDrawing.h"
#include "indicators/PropertyLines.h"
#include "indicators/PropertyRanges.h"
#include "platform/Cp932.h"

using platform::TRect;

namespace {

// A scale label: laid out as wide as the number with a "-" in front, shown with a blank there.
std::string MeasureLabel(platform::Canvas& canvas, std::int32_t value, int decimals, int& width)
{
    std::string text = "-" + IntToStrFP(value, decimals);
    width = canvas.TextWidth(text);
    text[0] = ' ';
    return text;
}

}  // namespace

const std::array<const char*, 20> TXYGraph::XYGraphKeyNames = {
    "XMinValue",  "XMaxValue",  "XSplit",      "XIoName",     "YMinValue",
    "YMaxValue",  "YSplit",     "YIoName",     "Left",        "Top",
    "Width",      "Height",     "HeightTitle", "HeightValue", "ColorScale",
    "ColorValue", "ColorCross", "ColorBack",   "ColorGrid",   "Title",
};

TXYGraph::TXYGraph(QWidget* AOwner, TPLUT PLUT) : TIndicator(AOwner, PLUT) {}

void TXYGraph::SetXMinValue(std::int32_t value)
{
    FXMinValue = value;
    Invalidate();
}
void TXYGraph::SetXMaxValue(std::int32_t value)
{
    FXMaxValue = value;
    Invalidate();
}
void TXYGraph::SetXSplit(std::int32_t value)
{
    FXSplit = value;
    Invalidate();
}
void TXYGraph::SetYMinValue(std::int32_t value)
{
    FYMinValue = value;
    Invalidate();
}
void TXYGraph::SetYMaxValue(std::int32_t value)
{
    FYMaxValue = value;
    Invalidate();
}
void TXYGraph::SetYSplit(std::int32_t value)
{
    FYSplit = value;
    Invalidate();
}
void TXYGraph::SetHeightTitle(std::int32_t value)
{
    FHeightTitle = value;
    Invalidate();
}
void TXYGraph::SetHeightValue(std::int32_t value)
{
    FHeightValue = value;
    Invalidate();
}
void TXYGraph::SetColorTitle(platform::TColor value)
{
    FColorTitle = value;
    Invalidate();
}
void TXYGraph::SetColorScale(platform::TColor value)
{
    FColorScale = value;
    Invalidate();
}
void TXYGraph::SetColorValue(platform::TColor value)
{
    FColorValue = value;
    Invalidate();
}
void TXYGraph::SetColorGrid(platform::TColor value)
{
    FColorGrid = value;
    Invalidate();
}
void TXYGraph::SetColorCross(platform::TColor value)
{
    FColorCross = value;
    Invalidate();
}
void TXYGraph::SetColorBack(platform::TColor value)
{
    FColorBack = value;
    Invalidate();
}
void TXYGraph::SetTitle(const QString& value)
{
    FTitle = value;
    Invalidate();
}

void TXYGraph::SetXIoName(const std::string& designator)
{
    FXIoName = designator;
    FXPortInfo = GetDesignatorTable(designator);
    Invalidate();
}

void TXYGraph::SetYIoName(const std::string& designator)
{
    FYIoName = designator;
    FYPortInfo = GetDesignatorTable(designator);
    Invalidate();
}

TXYGraphLayoutInput TXYGraph::MeasureLayout(const std::string& title)
{
    platform::Canvas& canvas = Canvas();
    canvas.Font.Name = FontName;
    canvas.Font.Height = FHeightValue;
    XMaxValStr = MeasureLabel(canvas, FXMaxValue, FXPortInfo.DecimalPoint, XMaxValWidth);
    XMinValStr = MeasureLabel(canvas, FXMinValue, FXPortInfo.DecimalPoint, XMinValWidth);
    YMaxValStr = MeasureLabel(canvas, FYMaxValue, FYPortInfo.DecimalPoint, YMaxValWidth);
    YMinValStr = MeasureLabel(canvas, FYMinValue, FYPortInfo.DecimalPoint, YMinValWidth);
    TXYGraphLayoutInput in;
    in.Width = Width();
    in.Height = Height();
    in.HeightTitle = FHeightTitle;
    in.HeightValue = FHeightValue;
    in.XMinValue = FXMinValue;
    in.XMaxValue = FXMaxValue;
    in.YMinValue = FYMinValue;
    in.YMaxValue = FYMaxValue;
    in.XMaxValWidth = XMaxValWidth;
    in.XMinValWidth = XMinValWidth;
    in.YMaxValWidth = YMaxValWidth;
    in.YMinValWidth = YMinValWidth;
    canvas.Font.Height = FHeightTitle;
    in.TitleWidth = canvas.TextWidth(title);
    return in;
}

void TXYGraph::Paint()
{
    const std::string title = platform::ToCp932(FTitle);
    TXYGraphLayoutInput in = MeasureLayout(title);

    // Grow to what the content needs; never shrink.
    const platform::TSize least = XYGraphMinimumSize(in);
    if (Width() < least.cx || Height() < least.cy)
        SetBounds(Left(), Top(), std::max(Width(), least.cx), std::max(Height(), least.cy));
    in.Width = Width();
    in.Height = Height();
    FaceLayout = ComputeXYGraphLayout(in);
    const TXYGraphLayout& layout = FaceLayout;

    // The surface follows the new size; the resize may have run a whole Paint of its own,
    // which leaves the exclusive-or pen behind.
    platform::Canvas& canvas = Canvas();
    canvas.Pen.Mode = platform::PenMode::Copy;
    canvas.Pen.Style = platform::PenStyle::Solid;
    canvas.Pen.Width = 1;
    DrawRaisedPanel(canvas, layout.OuterRect, Color);
    canvas.Background = platform::TextBackground::Opaque;
    canvas.Brush.Color = Color;
    canvas.Font.Color = FColorTitle;
    canvas.Font.Height = FHeightTitle;
    canvas.TextOut(layout.TitleAt.X, layout.TitleAt.Y, title);
    canvas.Font.Height = FHeightValue;
    canvas.Font.Color = FColorScale;
    canvas.TextOut(layout.YMaxLabelAt.X, layout.YMaxLabelAt.Y, YMaxValStr);
    canvas.TextOut(layout.YMinLabelAt.X, layout.YMinLabelAt.Y, YMinValStr);
    canvas.TextOut(layout.XMinLabelAt.X, layout.XMinLabelAt.Y, XMinValStr);
    canvas.TextOut(layout.XMaxLabelAt.X, layout.XMaxLabelAt.Y, XMaxValStr);
    DrawSunkenWell(canvas, layout.GraphRect, FColorBack);
    DrawGrid();

    // The fill has removed any crosshair, and the panel any value text.
    LastX = LastY = -1;
    LaidOut = true;
    GraphDraw();
}

void TXYGraph::DrawGrid()
{
    platform::Canvas& canvas = Canvas();
    const platform::TRect& g = FaceLayout.GraphRect;
    canvas.Pen.Color = FColorGrid;
    canvas.Pen.Style = platform::PenStyle::Dot;
    for (const int x : XYGraphGridColumns(FaceLayout, FXSplit)) {
        canvas.MoveTo(x, g.Top);
        canvas.LineTo(x, g.Bottom);
    }
    for (const int y : XYGraphGridRows(FaceLayout, FYSplit)) {
        canvas.MoveTo(g.Left, y);
        canvas.LineTo(g.Right, y);
    }
    canvas.Pen.Style = platform::PenStyle::Solid;
}

void TXYGraph::SetValue()
{
    if (FXPortInfo.Address == nullptr || FYPortInfo.Address == nullptr)
        return;
    const std::int32_t x = *FXPortInfo.Address;
    const std::int32_t y = *FYPortInfo.Address;
    if (x == FXValue && y == FYValue)
        return;
    FXValue = x;
    FYValue = y;
    GraphDraw();
}

void TXYGraph::GraphDraw()
{
    // Before the first Paint there is no face to draw on; that Paint shows both values.
    if (!LaidOut)
        return;
    platform::Canvas& canvas = Canvas();
    const platform::TRect& g = FaceLayout.GraphRect;
    const int L = g.Left, T = g.Top, R = g.Right, B = g.Bottom;

    canvas.Pen.Mode = platform::PenMode::Xor;
    canvas.Pen.Style = platform::PenStyle::Solid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = XorPenColor(FColorBack, FColorCross);
    if (LastX >= 0) {
        canvas.MoveTo(LastX, T);
        canvas.LineTo(LastX, B - 1);
        LastX = -1;
    }
    if (LastY >= 0) {
        canvas.MoveTo(L, LastY);
        canvas.LineTo(R - 1, LastY);
        LastY = -1;
    }
    if (const int x = XYGraphCrossColumn(FaceLayout, FXValue, FXMinValue); x >= 0) {
        canvas.MoveTo(x, T);
        canvas.LineTo(x, B - 1);
        LastX = x;
    }
    if (const int y = XYGraphCrossRow(FaceLayout, FYValue, FYMinValue); y >= 0) {
        canvas.MoveTo(L, y);
        canvas.LineTo(R - 1, y);
        LastY = y;
    }

    canvas.Font.Name = FontName;
    canvas.Font.Height = FHeightValue;
    canvas.Font.Color = FColorValue;
    canvas.Brush.Color = Color;
    canvas.Background = platform::TextBackground::Opaque;
    DrawValue(FaceLayout.XValRect, FXValue, FXPortInfo.DecimalPoint);
    DrawValue(FaceLayout.YValRect, FYValue, FYPortInfo.DecimalPoint);
}

void TXYGraph::DrawValue(const TRect& box, std::int32_t value, std::int32_t decimals)
{
    // Kept inside its box: a wider text would be cut at the control's edge (18690 showing as
    // 8690) or run over the scale labels.
    platform::Canvas& canvas = Canvas();
    DrawValueRightAligned(canvas, box,
                          FitValueText(canvas, IntToStrFP(value, decimals), box.Right - box.Left));
}

void TXYGraph::SaveProperty(QStringList& List, const std::string& Prefix) const
{
    SaveBoundsProperty(List, Prefix);
    AddIntPropertyLine(List, Prefix, "XMinValue", FXMinValue);
    AddIntPropertyLine(List, Prefix, "XMaxValue", FXMaxValue);
    AddIntPropertyLine(List, Prefix, "XSplit", FXSplit);
    AddStrPropertyLine(List, Prefix, "XIoName", FXIoName);
    AddIntPropertyLine(List, Prefix, "YMinValue", FYMinValue);
    AddIntPropertyLine(List, Prefix, "YMaxValue", FYMaxValue);
    AddIntPropertyLine(List, Prefix, "YSplit", FYSplit);
    AddStrPropertyLine(List, Prefix, "YIoName", FYIoName);
    AddIntPropertyLine(List, Prefix, "HeightTitle", FHeightTitle);
    AddIntPropertyLine(List, Prefix, "HeightValue", FHeightValue);
    AddIntPropertyLine(List, Prefix, "ColorScale", FColorScale);
    AddIntPropertyLine(List, Prefix, "ColorValue", FColorValue);
    AddIntPropertyLine(List, Prefix, "ColorCross", FColorCross);
    AddIntPropertyLine(List, Prefix, "ColorGrid", FColorGrid);
    AddIntPropertyLine(List, Prefix, "ColorBack", FColorBack);
    AddTextPropertyLine(List, Prefix, "Title", FTitle);
}

void TXYGraph::LoadProperty(std::string Text)
{
    std::string key;
    while (GetKeyFromLine(key, Text)) {
        if (LoadBoundsProperty(key, Text))
            continue;
        const auto found = std::find_if(XYGraphKeyNames.begin(), XYGraphKeyNames.end(),
                                        [&key](const char* name) { return key == name; });
        switch (found - XYGraphKeyNames.begin()) {
        case 0: SetXMinValue(GetIntFromLine(Text)); break;
        case 1: SetXMaxValue(GetIntFromLine(Text)); break;
        case 2: SetXSplit(GetIntFromLine(Text, GridSplitRange)); break;
        case 3: SetXIoName(GetStrFromLine(Text)); break;
        case 4: SetYMinValue(GetIntFromLine(Text)); break;
        case 5: SetYMaxValue(GetIntFromLine(Text)); break;
        case 6: SetYSplit(GetIntFromLine(Text, GridSplitRange)); break;
        case 7: SetYIoName(GetStrFromLine(Text)); break;
        case 12: SetHeightTitle(GetIntFromLine(Text, FontPixelRange)); break;
        case 13: SetHeightValue(GetIntFromLine(Text, FontPixelRange)); break;
        case 14: SetColorScale(GetIntFromLine(Text)); break;
        case 15: SetColorValue(GetIntFromLine(Text)); break;
        case 16: SetColorCross(GetIntFromLine(Text)); break;
        case 17: SetColorBack(GetIntFromLine(Text)); break;
        case 18: SetColorGrid(GetIntFromLine(Text)); break;
        case 19: SetTitle(platform::FromCp932(GetStrFromLine(Text))); break;
        default: break;  // a foreign key: its value is passed over by the next key search
        }
    }
}
