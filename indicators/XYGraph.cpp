#include "indicators/XYGraph.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "indicators/Etcpas.h"
#include "indicators/FaceDrawing.h"
#include "indicators/PropertyLines.h"
#include "platform/Cp932.h"

using platform::TRect;

namespace {

// Halving that rounds down, also for the odd negative sizes a work file may hold.
int HalfDown(int value)
{
    return value >= 0 ? value / 2 : -((1 - value) / 2);
}

// Pixels per value unit. Equal limits leave no scale: the axis then becomes a step at the
// limit (a value on it stands at the axis's start, any other value off the plot) instead of
// dividing by zero.
double ScaleFactor(int pixels, std::int32_t range)
{
    if (range == 0)
        return std::numeric_limits<double>::infinity();
    return double(pixels) / double(range);
}

// A scale label: laid out as wide as the number with a "-" in front, shown with a blank there.
std::string MeasureLabel(platform::Canvas& canvas, std::int32_t value, int decimals, int& width)
{
    std::string text = "-" + IntToStrFP(value, decimals);
    width = canvas.TextWidth(text);
    text[0] = ' ';
    return text;
}

// The grid lines 1 .. split - 1 of one axis at position(i). More divisions than pixels put a
// line on every pixel between the first and the last one; walking pixels then instead of
// divisions keeps a huge count from hanging.
template <class Position, class Line>
void DrawGridLines(std::int32_t split, double step, Position position, Line line)
{
    if (std::abs(step) >= 1.0) {
        for (std::int32_t i = 1; i < split; ++i)
            line(position(i));
        return;
    }
    const int first = position(1);
    const int last = position(double(split) - 1);
    for (int p = std::min(first, last); p <= std::max(first, last); ++p)
        line(p);
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

void TXYGraph::Paint()
{
    const std::string title = platform::ToCp932(FTitle);
    platform::Canvas* canvas = &Canvas();
    canvas->Font.Name = FontName;
    canvas->Font.Height = FHeightValue;

    // Labels and margins.
    XMaxValStr = MeasureLabel(*canvas, FXMaxValue, FXPortInfo.DecimalPoint, XMaxValWidth);
    XMinValStr = MeasureLabel(*canvas, FXMinValue, FXPortInfo.DecimalPoint, XMinValWidth);
    YMaxValStr = MeasureLabel(*canvas, FYMaxValue, FYPortInfo.DecimalPoint, YMaxValWidth);
    YMinValStr = MeasureLabel(*canvas, FYMinValue, FYPortInfo.DecimalPoint, YMinValWidth);
    const int wX = std::max(XMaxValWidth, XMinValWidth);
    const int wY = std::max(YMaxValWidth, YMinValWidth);
    const int L = wY + 8;
    const int T = FHeightTitle + 8;
    const int bottomMargin = FHeightValue + 8;
    canvas->Font.Height = FHeightTitle;
    const int titleWidth = canvas->TextWidth(title);

    // Grow to what the content needs; never shrink.
    int width = Width();
    int height = Height();
    if (width < titleWidth + 8)
        width = titleWidth + 8;
    if (width < 3 * wX + L + 12)
        width = 3 * wX + L + 12;
    if (height < 3 * FHeightValue + T + 8 + bottomMargin)
        height = 3 * FHeightValue + T + 8 + bottomMargin;
    if (width != Width() || height != Height())
        SetBounds(Left(), Top(), width, height);
    // The surface follows the new size; the resize may have run a whole Paint of its own,
    // which leaves the exclusive-or pen behind.
    canvas = &Canvas();
    canvas->Pen.Mode = platform::PenMode::Copy;
    canvas->Pen.Style = platform::PenStyle::Solid;
    canvas->Pen.Width = 1;
    OuterRect = TRect{0, 0, Width(), Height()};
    const int R = OuterRect.Right - 4;
    const int B = OuterRect.Bottom - bottomMargin;
    GraphRect = TRect{L, T, R, B};

    // Panel and title.
    DrawRaisedPanel(*canvas, OuterRect, Color);
    canvas->Background = platform::TextBackground::Opaque;
    canvas->Brush.Color = Color;
    canvas->Font.Color = FColorTitle;
    canvas->Font.Height = FHeightTitle;
    canvas->TextOut(HalfDown(OuterRect.Right - OuterRect.Left) - HalfDown(titleWidth), 4, title);

    // Scale labels.
    canvas->Font.Height = FHeightValue;
    canvas->Font.Color = FColorScale;
    canvas->TextOut(L - 4 - YMaxValWidth, T, YMaxValStr);
    canvas->TextOut(L - 4 - YMinValWidth, B - FHeightValue, YMinValStr);
    canvas->TextOut(L, B + 4, XMinValStr);
    canvas->TextOut(R - XMaxValWidth, B + 4, XMaxValStr);

    // Plot area, grid and scales.
    DrawSunkenWell(*canvas, GraphRect, FColorBack);
    DrawGrid();
    DRX = ScaleFactor(R - L - 3, WrappingDifference(FXMaxValue, FXMinValue));
    DRY = ScaleFactor(B - T - 3, WrappingDifference(FYMaxValue, FYMinValue));

    // Value boxes: under the plot between the X labels, and left of it beside the Y labels.
    XValRect.Left = HalfDown(R - L) + L - HalfDown(wX);
    XValRect.Right = XValRect.Left + wX;
    XValRect.Top = B + 4;
    XValRect.Bottom = XValRect.Top + FHeightValue;
    YValRect.Right = L - 4;
    YValRect.Left = YValRect.Right - wY;
    YValRect.Top = HalfDown(B - T) + T - HalfDown(FHeightValue);
    YValRect.Bottom = YValRect.Top + FHeightValue;

    // The fill has removed any crosshair, and the panel any value text.
    LastX = LastY = -1;
    XTextLeft = XValRect.Left;
    YTextLeft = YValRect.Left;
    LaidOut = true;
    GraphDraw();
}

void TXYGraph::DrawGrid()
{
    platform::Canvas& canvas = Canvas();
    const int L = GraphRect.Left, T = GraphRect.Top, R = GraphRect.Right, B = GraphRect.Bottom;
    const int W = R - L - 3;
    const int H = B - T - 3;
    canvas.Pen.Color = FColorGrid;
    canvas.Pen.Style = platform::PenStyle::Dot;
    if (FXSplit > 1) {
        const double step = double(W) / FXSplit;
        const auto column = [&](double i) { return RoundToPixel(i * step + L + 1); };
        DrawGridLines(FXSplit, step, column, [&](int x) {
            canvas.MoveTo(x, T);
            canvas.LineTo(x, B);
        });
    }
    if (FYSplit > 1) {
        const double step = double(H) / FYSplit;
        const auto row = [&](double i) { return RoundToPixel(B - 2 - i * step); };
        DrawGridLines(FYSplit, step, row, [&](int y) {
            canvas.MoveTo(L, y);
            canvas.LineTo(R, y);
        });
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
    const int L = GraphRect.Left, T = GraphRect.Top, R = GraphRect.Right, B = GraphRect.Bottom;

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
    const int x = L + 1 + RoundToPixel(WrappingDifference(FXValue, FXMinValue) * DRX);
    if (L < x && x < R - 1) {
        canvas.MoveTo(x, T);
        canvas.LineTo(x, B - 1);
        LastX = x;
    }
    const int y = B - 2 - RoundToPixel(WrappingDifference(FYValue, FYMinValue) * DRY);
    if (T < y && y < B - 1) {
        canvas.MoveTo(L, y);
        canvas.LineTo(R - 1, y);
        LastY = y;
    }

    canvas.Font.Name = FontName;
    canvas.Font.Height = FHeightValue;
    canvas.Font.Color = FColorValue;
    canvas.Brush.Color = Color;
    canvas.Background = platform::TextBackground::Opaque;
    DrawValue(XValRect, IntToStrFP(FXValue, FXPortInfo.DecimalPoint), XTextLeft);
    DrawValue(YValRect, IntToStrFP(FYValue, FYPortInfo.DecimalPoint), YTextLeft);
}

void TXYGraph::DrawValue(const TRect& box, const std::string& text, int& drawnLeft)
{
    // Clear the box and whatever a wider text before reached left of it (inside the bevel), so
    // that no digit of an earlier value stays beside this one.
    platform::Canvas& canvas = Canvas();
    TRect clear = box;
    clear.Left = std::min(box.Left, std::max(drawnLeft, OuterRect.Left + 1));
    canvas.FillRect(clear);
    drawnLeft = box.Right - canvas.TextWidth(text);
    canvas.TextOut(drawnLeft, box.Top, text);
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
        const auto found = std::find_if(XYGraphKeyNames.begin(), XYGraphKeyNames.end(),
                                        [&key](const char* name) { return key == name; });
        switch (found - XYGraphKeyNames.begin()) {
        case 0: SetXMinValue(GetIntFromLine(Text)); break;
        case 1: SetXMaxValue(GetIntFromLine(Text)); break;
        case 2: SetXSplit(GetIntFromLine(Text)); break;
        case 3: SetXIoName(GetStrFromLine(Text)); break;
        case 4: SetYMinValue(GetIntFromLine(Text)); break;
        case 5: SetYMaxValue(GetIntFromLine(Text)); break;
        case 6: SetYSplit(GetIntFromLine(Text)); break;
        case 7: SetYIoName(GetStrFromLine(Text)); break;
        case 8: SetLeft(GetIntFromLine(Text)); break;
        case 9: SetTop(GetIntFromLine(Text)); break;
        case 10: SetWidth(GetIntFromLine(Text)); break;
        case 11: SetHeight(GetIntFromLine(Text)); break;
        case 12: SetHeightTitle(GetIntFromLine(Text)); break;
        case 13: SetHeightValue(GetIntFromLine(Text)); break;
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
