#include "indicators/BarGraph.h"

#include <algorithm>
#include <optional>

#include "indicators/Etcpas.h"
#include "indicators/FaceDrawing.h"
#include "indicators/PropertyLines.h"
#include "indicators/PropertyRanges.h"
#include "indicators/QuietFixedPoint.h"
#include "platform/Cp932.h"

TBarGraph::TBarGraph(QWidget* AOwner, TPLUT PLUT) : TIndicator(AOwner, PLUT) {}

void TBarGraph::SetMinValue(std::int32_t value)
{
    FMinValue = value;
    Invalidate();
}
void TBarGraph::SetMaxValue(std::int32_t value)
{
    FMaxValue = value;
    Invalidate();
}
void TBarGraph::SetHeightTitle(std::int32_t value)
{
    FHeightTitle = value;
    Invalidate();
}
void TBarGraph::SetHeightValue(std::int32_t value)
{
    FHeightValue = value;
    Invalidate();
}
void TBarGraph::SetColorTitle(platform::TColor value)
{
    FColorTitle = value;
    Invalidate();
}
void TBarGraph::SetColorScale(platform::TColor value)
{
    FColorScale = value;
    Invalidate();
}
void TBarGraph::SetColorValue(platform::TColor value)
{
    FColorValue = value;
    Invalidate();
}
void TBarGraph::SetColorMarker(platform::TColor value)
{
    FColorMarker = value;
    Invalidate();
}
void TBarGraph::SetColorBar(platform::TColor value)
{
    FColorBar = value;
    Invalidate();
}
void TBarGraph::SetColorBack(platform::TColor value)
{
    FColorBack = value;
    Invalidate();
}
void TBarGraph::SetVertical(std::int32_t value)
{
    FVertical = value;
    Invalidate();
}
void TBarGraph::SetMarker1(const std::string& value)
{
    FMarker1 = value;
    Invalidate();
}
void TBarGraph::SetMarker2(const std::string& value)
{
    FMarker2 = value;
    Invalidate();
}
void TBarGraph::SetTitle(const QString& value)
{
    FTitle = value;
    Invalidate();
}

void TBarGraph::SetIoName(const std::string& value)
{
    FIoName = value;
    FPortInfo = GetDesignatorTable(value);
    Invalidate();
}

TBarGraphLayoutInput TBarGraph::MeasureLayout(const std::string& title)
{
    platform::Canvas& canvas = Canvas();
    canvas.Font.Name = FontName;
    canvas.Font.Height = FHeightValue;
    ValStrMax = IntToStrFP(FMaxValue, FPortInfo.DecimalPoint);
    ValStrMin = IntToStrFP(FMinValue, FPortInfo.DecimalPoint);
    MaxValWidth = canvas.TextWidth(ValStrMax);
    MinValWidth = canvas.TextWidth(ValStrMin);
    TBarGraphLayoutInput in;
    in.Width = Width();
    in.Height = Height();
    in.Vertical = FVertical == 1;
    in.MinValue = FMinValue;
    in.MaxValue = FMaxValue;
    in.HeightValue = FHeightValue;
    in.MaxValWidth = MaxValWidth;
    in.MinValWidth = MinValWidth;
    in.ValueHeight = canvas.TextHeight(ValStrMax);
    canvas.Font.Height = FHeightTitle;
    in.Title = canvas.TextExtent(title);
    return in;
}

void TBarGraph::Paint()
{
    if (FVertical < 0)
        return;
    const std::string title = platform::ToCp932(FTitle);
    TBarGraphLayoutInput in = MeasureLayout(title);

    // Grow to what the content needs; never shrink.
    const platform::TSize least = BarGraphMinimumSize(in);
    WidthMin = least.cx;
    HeightMin = least.cy;
    if (Width() < WidthMin || Height() < HeightMin)
        SetBounds(Left(), Top(), std::max(Width(), WidthMin), std::max(Height(), HeightMin));
    in.Width = Width();
    in.Height = Height();
    FaceLayout = ComputeBarGraphLayout(in);
    const TBarGraphLayout& layout = FaceLayout;
    LaidOut = true;

    // The surface follows the new size; the resize may have run a whole Paint of its own,
    // which leaves the exclusive-or pen behind.
    platform::Canvas& canvas = Canvas();
    canvas.Pen.Mode = platform::PenMode::Copy;
    canvas.Pen.Style = platform::PenStyle::Solid;
    canvas.Pen.Width = 1;
    DrawRaisedPanel(canvas, layout.OuterRect, Color);
    DrawSunkenWell(canvas, layout.BarRect, FColorBack);

    canvas.Background = platform::TextBackground::Opaque;
    canvas.Brush.Color = Color;
    canvas.Font.Color = FColorTitle;
    canvas.Font.Height = FHeightTitle;
    canvas.TextOut(layout.TitleAt.X, layout.TitleAt.Y, title);
    // The end labels: the maximum's first on a vertical bar, the minimum's on a horizontal one.
    canvas.Font.Color = FColorScale;
    canvas.Font.Height = FHeightValue;
    if (layout.Vertical)
        canvas.TextOut(layout.MaxLabelAt.X, layout.MaxLabelAt.Y, ValStrMax);
    canvas.TextOut(layout.MinLabelAt.X, layout.MinLabelAt.Y, ValStrMin);
    if (!layout.Vertical)
        canvas.TextOut(layout.MaxLabelAt.X, layout.MaxLabelAt.Y, ValStrMax);

    canvas.Pen.Color = FColorMarker;
    DrawMarker(FMarker1);
    DrawMarker(FMarker2);

    // An empty bar, then the value and the whole bar.
    BarPosi = layout.EmptyEnd;
    ValueLeft = layout.DigitalRect.Left;
    GraphDraw();
}

void TBarGraph::DrawMarker(const std::string& text)
{
    std::int32_t marker = 0;
    if (!QuietStrToIntFP(marker, text, FPortInfo.DecimalPoint))
        return;
    if (const std::optional<int> line = BarGraphMarkerLine(FaceLayout, marker, FMinValue))
        DrawBarLine(*line);
}

void TBarGraph::SetValue()
{
    if (FPortInfo.Address == nullptr)
        return;
    const std::int32_t value = *FPortInfo.Address;
    if (value == FValue)
        return;
    FValue = value;
    GraphDraw();
}

void TBarGraph::GraphDraw()
{
    // Before the first Paint there is no face to draw on; that Paint shows FValue.
    if (!LaidOut)
        return;
    platform::Canvas& canvas = Canvas();

    // Value text, "###" when it does not fit its box.
    canvas.Font.Name = FontName;
    canvas.Font.Color = FColorValue;
    canvas.Font.Height = FHeightValue;
    canvas.Brush.Color = Color;
    canvas.Background = platform::TextBackground::Opaque;
    const platform::TRect& box = FaceLayout.DigitalRect;
    DrawValueRightAligned(canvas, box,
                          ValueOrOverflowMark(canvas, IntToStrFP(FValue, FPortInfo.DecimalPoint),
                                              box.Right - box.Left),
                          ValueLeft);

    // Move the bar's end one line at a time; the exclusive-or pen makes a second pass over a
    // line give it its previous colour back.
    canvas.Pen.Mode = platform::PenMode::Xor;
    canvas.Pen.Style = platform::PenStyle::Solid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = XorPenColor(FColorBack, FColorBar);
    const int target = BarGraphEnd(FaceLayout, FValue, FMinValue);
    while (BarPosi < target)
        DrawBarLine(++BarPosi);
    while (BarPosi > target)
        DrawBarLine(BarPosi--);
    canvas.Pen.Mode = platform::PenMode::Copy;
}

void TBarGraph::DrawBarLine(int position)
{
    const platform::TRect& in = FaceLayout.BarBack;
    if (FaceLayout.Vertical)
        DrawRow(Canvas(), position, in.Left, in.Right);
    else
        DrawColumn(Canvas(), position, in.Top, in.Bottom);
}

void TBarGraph::SaveProperty(QStringList& List, const std::string& Prefix) const
{
    SaveBoundsProperty(List, Prefix);
    AddIntPropertyLine(List, Prefix, "Vertical", FVertical);
    AddIntPropertyLine(List, Prefix, "MinValue", FMinValue);
    AddIntPropertyLine(List, Prefix, "MaxValue", FMaxValue);
    AddIntPropertyLine(List, Prefix, "HeightTitle", FHeightTitle);
    AddIntPropertyLine(List, Prefix, "HeightValue", FHeightValue);
    AddIntPropertyLine(List, Prefix, "ColorScale", FColorScale);
    AddIntPropertyLine(List, Prefix, "ColorValue", FColorValue);
    AddIntPropertyLine(List, Prefix, "ColorMarker", FColorMarker);
    AddIntPropertyLine(List, Prefix, "ColorBar", FColorBar);
    AddIntPropertyLine(List, Prefix, "ColorBack", FColorBack);
    AddStrPropertyLine(List, Prefix, "Marker1", FMarker1);
    AddStrPropertyLine(List, Prefix, "Marker2", FMarker2);
    AddStrPropertyLine(List, Prefix, "IoName", FIoName);
    AddTextPropertyLine(List, Prefix, "Title", FTitle);
}

void TBarGraph::LoadProperty(std::string Text)
{
    std::string key;
    while (GetKeyFromLine(key, Text)) {
        if (LoadBoundsProperty(key, Text))
            continue;
        if (key == "Vertical")
            SetVertical(GetIntFromLine(Text));
        else if (key == "MinValue")
            SetMinValue(GetIntFromLine(Text));
        else if (key == "MaxValue")
            SetMaxValue(GetIntFromLine(Text));
        else if (key == "HeightTitle")
            SetHeightTitle(GetIntFromLine(Text, FontPixelRange));
        else if (key == "HeightValue")
            SetHeightValue(GetIntFromLine(Text, FontPixelRange));
        else if (key == "ColorScale")
            SetColorScale(GetIntFromLine(Text));
        else if (key == "ColorValue")
            SetColorValue(GetIntFromLine(Text));
        else if (key == "ColorMarker")
            SetColorMarker(GetIntFromLine(Text));
        else if (key == "ColorBar")
            SetColorBar(GetIntFromLine(Text));
        else if (key == "ColorBack")
            SetColorBack(GetIntFromLine(Text));
        else if (key == "Marker1")
            SetMarker1(GetStrFromLine(Text));
        else if (key == "Marker2")
            SetMarker2(GetStrFromLine(Text));
        else if (key == "IoName")
            SetIoName(GetStrFromLine(Text));
        else if (key == "Title")
            SetTitle(platform::FromCp932(GetStrFromLine(Text)));
    }
}
