#include "indicators/BarGraph.h"

#include <algorithm>
#include <limits>

#include "indicators/Etcpas.h"
#include "indicators/FaceDrawing.h"
#include "indicators/PropertyLines.h"
#include "indicators/QuietFixedPoint.h"
#include "platform/Cp932.h"

using platform::TRect;

namespace {

// Pixels per value unit. Equal limits leave no scale: the face then shows a step at the limit
// (a value on it or below gives the empty bar, one above fills it) instead of dividing by zero.
double ScaleFactor(int pixels, std::int32_t range)
{
    if (range == 0)
        return std::numeric_limits<double>::infinity();
    return double(pixels) / double(range);
}

}  // namespace

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

void TBarGraph::Paint()
{
    if (FVertical < 0)
        return;
    const bool vertical = FVertical == 1;
    const int decimals = FPortInfo.DecimalPoint;
    const std::string title = platform::ToCp932(FTitle);

    // Measure the labels and the title.
    platform::Canvas* canvas = &Canvas();
    canvas->Font.Name = FontName;
    canvas->Font.Height = FHeightValue;
    ValStrMax = IntToStrFP(FMaxValue, decimals);
    ValStrMin = IntToStrFP(FMinValue, decimals);
    MaxValWidth = canvas->TextWidth(ValStrMax);
    MinValWidth = canvas->TextWidth(ValStrMin);
    const int labelWidth = std::max(MaxValWidth, MinValWidth);
    const int valueHeight = canvas->TextHeight(ValStrMax);
    canvas->Font.Height = FHeightTitle;
    const platform::TSize titleSize = canvas->TextExtent(title);

    // Grow to what the content needs; never shrink.
    int w = vertical ? labelWidth + 24 : MaxValWidth + labelWidth + MinValWidth + 16;
    const int h = vertical ? 3 * valueHeight + titleSize.cy + 20 : titleSize.cy + valueHeight + 36;
    w = std::max(w, titleSize.cx);
    WidthMin = 8 * ((w + 15) / 8);
    HeightMin = 8 * ((h + 7) / 8);
    if (Width() < WidthMin || Height() < HeightMin)
        SetBounds(Left(), Top(), std::max(Width(), WidthMin), std::max(Height(), HeightMin));
    // The surface follows the new size; the resize may have run a whole Paint of its own,
    // which leaves the exclusive-or pen behind.
    canvas = &Canvas();
    canvas->Pen.Mode = platform::PenMode::Copy;
    canvas->Pen.Style = platform::PenStyle::Solid;
    canvas->Pen.Width = 1;

    // Layout.
    OuterRect = TRect{0, 0, Width(), Height()};
    if (vertical) {
        BarRect.Left = labelWidth + 8;
        BarRect.Top = titleSize.cy + 8;
        BarRect.Right = BarRect.Left + 20;
        BarRect.Bottom = Height() - 4;
    } else {
        BarRect.Left = 4;
        BarRect.Top = titleSize.cy + 8;
        BarRect.Right = Width() - 4;
        BarRect.Bottom = BarRect.Top + 20;
    }
    BarBack = TRect{BarRect.Left + 1, BarRect.Top + 1, BarRect.Right - 2, BarRect.Bottom - 2};
    const int length =
        vertical ? BarRect.Bottom - BarRect.Top - 3 : BarRect.Right - BarRect.Left - 3;
    DR = ScaleFactor(length, WrappingDifference(FMaxValue, FMinValue));

    // Frames.
    DrawRaisedPanel(*canvas, OuterRect, Color);
    DrawSunkenWell(*canvas, BarRect, FColorBack);

    // Title.
    canvas->Background = platform::TextBackground::Opaque;
    canvas->Brush.Color = Color;
    canvas->Font.Color = FColorTitle;
    canvas->Font.Height = FHeightTitle;
    canvas->TextOut((OuterRect.Right - OuterRect.Left) / 2 + OuterRect.Left - titleSize.cx / 2, 4,
                    title);

    // End labels.
    canvas->Font.Color = FColorScale;
    canvas->Font.Height = FHeightValue;
    if (vertical) {
        canvas->TextOut(BarRect.Left - 4 - MaxValWidth, BarRect.Top, ValStrMax);
        canvas->TextOut(BarRect.Left - 4 - MinValWidth, BarRect.Bottom - FHeightValue, ValStrMin);
    } else {
        canvas->TextOut(4, BarRect.Bottom + 4, ValStrMin);
        canvas->TextOut(BarRect.Right - MaxValWidth, BarRect.Bottom + 4, ValStrMax);
    }

    LaidOut = true;
    LaidOutVertical = vertical;

    // Markers.
    canvas->Pen.Color = FColorMarker;
    DrawMarker(FMarker1);
    DrawMarker(FMarker2);

    // Value box.
    if (vertical) {
        DigitalRect.Left = 4;
        DigitalRect.Right = BarRect.Left - 4;
        DigitalRect.Top = (BarRect.Bottom - BarRect.Top - FHeightValue) / 2 + BarRect.Top;
    } else {
        DigitalRect.Left = (BarRect.Right - BarRect.Left) / 2 + BarRect.Left - labelWidth / 2;
        DigitalRect.Right = DigitalRect.Left + labelWidth;
        DigitalRect.Top = BarRect.Bottom + 4;
    }
    DigitalRect.Bottom = DigitalRect.Top + valueHeight;

    // An empty bar, then the value and the whole bar.
    BarPosi = vertical ? BarBack.Bottom : BarBack.Left - 1;
    GraphDraw();
}

void TBarGraph::DrawMarker(const std::string& text)
{
    std::int32_t marker = 0;
    if (!QuietStrToIntFP(marker, text, FPortInfo.DecimalPoint))
        return;
    const int offset = RoundToPixel(WrappingDifference(marker, FMinValue) * DR);
    platform::Canvas& canvas = Canvas();
    if (LaidOutVertical) {
        const int y = BarBack.Bottom - offset;
        if (BarBack.Top < y && y < BarBack.Bottom)
            DrawRow(canvas, y, BarBack.Left, BarBack.Right);
    } else {
        const int x = BarBack.Left + offset;
        if (BarBack.Left < x && x < BarBack.Right)
            DrawColumn(canvas, x, BarBack.Top, BarBack.Bottom);
    }
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
    std::string text = IntToStrFP(FValue, FPortInfo.DecimalPoint);
    if (canvas.TextWidth(text) > DigitalRect.Right - DigitalRect.Left)
        text = "###";
    DrawValueRightAligned(canvas, DigitalRect, text);

    // Move the bar's end one line at a time; the exclusive-or pen makes a second pass over a
    // line give it its previous colour back.
    canvas.Pen.Mode = platform::PenMode::Xor;
    canvas.Pen.Style = platform::PenStyle::Solid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = XorPenColor(FColorBack, FColorBar);
    const int offset = RoundToPixel(WrappingDifference(FValue, FMinValue) * DR);
    int target;
    if (LaidOutVertical)
        target = std::clamp(BarBack.Bottom - offset - 1, BarBack.Top, BarBack.Bottom);
    else
        target = std::clamp(offset + BarBack.Left, BarBack.Left, BarBack.Right);
    while (BarPosi < target)
        DrawBarLine(++BarPosi);
    while (BarPosi > target)
        DrawBarLine(BarPosi--);
    canvas.Pen.Mode = platform::PenMode::Copy;
}

void TBarGraph::DrawBarLine(int position)
{
    if (LaidOutVertical)
        DrawRow(Canvas(), position, BarBack.Left, BarBack.Right);
    else
        DrawColumn(Canvas(), position, BarBack.Top, BarBack.Bottom);
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
            SetHeightTitle(GetIntFromLine(Text));
        else if (key == "HeightValue")
            SetHeightValue(GetIntFromLine(Text));
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
