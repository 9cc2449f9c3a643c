// Layout and drawing of the dial gauge: the face (Paint) and the moving part (GraphDraw).
#include <algorithm>
#include <cmath>
#include <string>

#include "indicators/AnalogMeter.h"
#include "indicators/Etcpas.h"
#include "indicators/FaceDrawing.h"
#include "indicators/PixelRounding.h"
#include "platform/Cp932.h"

using platform::PenMode;
using platform::TColor;
using platform::TextBackground;
using platform::TPoint;
using platform::TRect;

namespace {

// A font cell height for the canvas: no glyphs far larger than any dial (a broken percentage
// could ask for millions of pixels). Below 1 the canvas takes the face's default, as the
// platform does for a height of 0.
int FontHeight(int height)
{
    return std::min(height, 2048);
}

void Line(platform::Canvas& canvas, TPoint from, TPoint to)
{
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
}

// Clears a flag when the scope ends, also on an exception from a box's presenter.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

void TAnalogMeter::Alignment()
{
    TDialLayoutInput in;
    in.Width = Width();
    in.Height = Height();
    in.ScaleAngle = FScaleAngle;
    in.HeightTitle = FHeightTitle;
    in.HeightScale = FHeightScale;
    in.HeightValue = FHeightValue;
    const TDialLayout lay = ComputeDialLayout(in);

    WidthMin = lay.WidthMin;
    HeightMin = lay.HeightMin;
    // Only ever grown, never shrunk.
    if (lay.Width != Width() || lay.Height != Height())
        SetBounds(Left(), Top(), lay.Width, lay.Height);

    L.DCX = lay.DCX;
    L.DCY = lay.DCY;
    L.Boss = lay.Boss;
    L.ScaleR1 = lay.ScaleR1;
    L.ScaleR2 = lay.ScaleR2;
    L.ScaleR3 = lay.ScaleR3;
    L.Needle = lay.Needle;
    L.ScaleFH = lay.ScaleFH;
    L.DigitalFH = lay.DigitalFH;
    L.OuterRect = lay.OuterRect;
    L.InnerRect = lay.InnerRect;
}

void TAnalogMeter::Paint()
{
    // Growing the control repaints it from Resize; this Paint goes on at the new size instead.
    if (Painting_)
        return;
    FlagScope painting(Painting_);

    L.VMax = FMaxValue;
    L.VMin = FMinValue;
    Alignment();

    platform::Canvas& c = Canvas();
    c.Pen.Mode = PenMode::Copy;
    c.Pen.Style = platform::PenStyle::Solid;
    c.Pen.Width = 1;
    c.Font.Name = FontName;
    c.Font.Color = FColorTitle;
    c.Font.Height = FontHeight(DialEffectiveTitleHeight(FHeightTitle));

    // Raised outer frame on the control's own colour.
    TRect r = L.OuterRect;
    c.Frame3D(r, platform::clBtnHighlight, platform::clBtnShadow);
    c.Brush.Color = Color;
    c.FillRect(r);

    const std::string title = platform::ToCp932(FTitle);
    c.Background = TextBackground::Opaque;
    c.TextOut(1 + (Width() - 2) / 2 - c.TextWidth(title) / 2, 4, title);

    // Sunken inner frame around the face.
    TRect face = L.InnerRect;
    c.Frame3D(face, platform::clBtnShadow, platform::clBtnHighlight);
    c.Brush.Color = FColorBack;
    c.FillRect(face);
    L.NeedleDraw = false;

    // Zero divisions are repaired for good (and saved so).
    if (FMainScaleDiv == 0)
        FMainScaleDiv = 1;
    if (FSubScaleDiv == 0)
        FSubScaleDiv = 1;
    const TDialScaleCheck scale = CheckDialScale(FScaleAngle, FMinValue, FMaxValue, FMainScaleDiv,
                                                 FSubScaleDiv, FMainScaleExp);
    ScaleUsable_ = scale.Usable;
    PaintedScaleAngle_ = FScaleAngle;
    const int decimals = FPortInfo.DecimalPoint;

    if (scale.Usable) {
        // Limit bands: from the upper limit to the scale's end, from the scale's start to the
        // lower limit.
        const double d = double(FScaleAngle) / (double(FMaxValue) - FMinValue);
        const int h = FScaleAngle / 2;
        std::int32_t u = 0;
        if (ConvertLimit(UpperCache_, FUpperLimit, u) && FMinValue < u && u < FMaxValue) {
            DrawArcBand(L.ScaleR1 + 1, L.ScaleR2, FColorUpperLimit,
                        DialDegToRad * ((double(FMaxValue) - u) * d + 90 - h),
                        DialDegToRad * (90 - h));
        }
        std::int32_t lo = 0;
        if (ConvertLimit(LowerCache_, FLowerLimit, lo) && FMinValue < lo && lo < FMaxValue) {
            DrawArcBand(L.ScaleR1 + 1, L.ScaleR2, FColorLowerLimit, DialDegToRad * (90 + h),
                        DialDegToRad * (90 + h - (double(lo) - FMinValue) * d));
        }
        DrawScale(scale, decimals);
    } else {
        L.SubScalePit = 0;
        L.MinRadian = 0;
    }

    DrawHub();
    PlaceValueBox(decimals);
    ValueLeft_ = L.DigitalRect.Left;
    LaidOut_ = true;
    GraphDraw();
}

void TAnalogMeter::DrawArcBand(int ro, int ri, TColor color, double a, double b)
{
    const std::vector<TPoint> points = DialBandPoints(L.DCX, L.DCY, ro, ri, a, b);
    if (points.empty())
        return;
    platform::Canvas& c = Canvas();
    c.Pen.Color = color;
    c.Brush.Color = color;
    c.Pen.Mode = PenMode::Copy;
    c.Pen.Width = 1;
    c.Polygon(points);
}

void TAnalogMeter::DrawScale(const TDialScaleCheck& scale, int decimals)
{
    platform::Canvas& c = Canvas();
    c.Brush.Color = FColorBack;
    c.Font.Color = FColorScale;
    c.Font.Height = FontHeight(L.ScaleFH);

    // A main tick shows its value divided by 10^exp, with the decimals that remain.
    const int exp = FMainScaleExp;
    const std::int32_t q = exp <= 0 ? 1 : Sqrxy(10, exp);
    const int p = exp <= 0 ? decimals : std::max(0, decimals - exp);
    const std::int64_t labelExp = std::int64_t{exp} - decimals;
    const std::int32_t m = labelExp < 1 ? 1 : Sqrxy(10, static_cast<std::int32_t>(labelExp));
    if (m > 1) {
        const std::string label = "x" + std::to_string(m);
        c.Background = TextBackground::Opaque;
        const int faceBottom = L.InnerRect.Bottom - 1;
        c.TextOut(L.DCX - c.TextWidth(label) / 2, faceBottom - (c.TextHeight(label) + 4), label);
    }

    // The numbers sit inside the main ticks, pulled in by half their average width.
    const std::int64_t step = scale.MainStep;
    std::int64_t total = 0;
    std::int64_t count = 0;
    for (std::int64_t v = L.VMin; v < L.VMax; v += step) {
        total += c.TextWidth(IntToStrFP(static_cast<std::int32_t>(v / q), p));
        ++count;
    }
    const int numberR = count == 0 ? 0 : L.ScaleR3 - static_cast<int>(total / (2 * count));

    c.Background = TextBackground::Transparent;
    c.Brush.Color = FColorBack;
    c.Pen.Width = L.TickPenWidth();
    c.Pen.Color = FColorSLine;
    const int n = scale.Ticks;
    L.SubScalePit = DialDegToRad * FScaleAngle / n;
    L.MinRadian = DialDegToRad * (270 - (360 - FScaleAngle) / 2);
    double theta = L.MinRadian;
    std::int64_t v = L.VMin;
    int j = 0;
    for (int i = 0; i <= n; ++i) {
        const TPoint outer = DialPoint(L.DCX, L.DCY, theta, L.ScaleR1);
        c.MoveTo(outer.X, outer.Y);
        if (j == 0 || j == FSubScaleDiv) {
            const TPoint inner = DialPoint(L.DCX, L.DCY, theta, L.ScaleR3);
            c.LineTo(inner.X, inner.Y);
            const std::string text = IntToStrFP(static_cast<std::int32_t>(v / q), p);
            const TPoint at{L.DCX + NearestInt(numberR * std::cos(theta)) - c.TextWidth(text) / 2,
                            L.DCY - NearestInt(numberR * std::sin(theta)) - c.TextHeight(text) / 2};
            c.TextOut(at.X, at.Y, text);
            v += step;
            j = 1;
        } else {
            const TPoint inner = DialPoint(L.DCX, L.DCY, theta, L.ScaleR2);
            c.LineTo(inner.X, inner.Y);
            ++j;
        }
        theta -= L.SubScalePit;
    }
}

void TAnalogMeter::DrawHub()
{
    platform::Canvas& c = Canvas();
    c.Pen.Width = 1;
    c.Pen.Color = FColorBoss;
    c.Pen.Mode = PenMode::Copy;
    for (const TDialScanLine& line : DialHubLines(L.DCX, L.DCY, L.Boss))
        Line(c, {line.X1, line.Y}, {line.X2, line.Y});
}

void TAnalogMeter::PlaceValueBox(int decimals)
{
    platform::Canvas& c = Canvas();
    c.Font.Color = FColorValue;
    c.Font.Height = FontHeight(L.DigitalFH);
    // Sized by the wider of the range's two ends (the maximum's when equally wide).
    const platform::TSize minExtent = c.TextExtent(IntToStrFP(L.VMin, decimals));
    const platform::TSize maxExtent = c.TextExtent(IntToStrFP(L.VMax, decimals));
    const platform::TSize box = minExtent.cx > maxExtent.cx ? minExtent : maxExtent;
    L.DigitalRect.Left = L.DCX - box.cx / 2;
    L.DigitalRect.Right = L.DigitalRect.Left + box.cx;
    L.DigitalRect.Top = L.DCY - L.Boss - 4 - box.cy;
    L.DigitalRect.Bottom = L.DigitalRect.Top + box.cy;
}

void TAnalogMeter::GraphDraw()
{
    platform::Canvas& c = Canvas();
    c.Font.Color = FColorValue;
    c.Font.Height = FontHeight(L.DigitalFH);
    c.Brush.Color = FColorBack;
    // Drawn twice on the same pixels the exclusive-or pen restores them; on the face it shows
    // the needle's colour.
    c.Pen.Width = L.NeedlePenWidth();
    c.Pen.Color = XorPenColor(FColorBack, FColorNeedle);
    c.Pen.Mode = PenMode::Xor;
    if (L.NeedleDraw)
        Line(c, L.NeedleSP, L.NeedleEP);

    // The value right-aligned in its box; what a longer earlier text left is cleared, also
    // beside the box, where the overflow mark of a narrow box reaches.
    const TRect& box = L.DigitalRect;
    const std::string text =
        ValueOrOverflowMark(c, IntToStrFP(FValue, FPortInfo.DecimalPoint), box.Right - box.Left);
    const int x = box.Right - c.TextWidth(text);
    c.TextOut(x, box.Top, text);
    c.FillRect(TRect{std::min(box.Left, ValueLeft_), box.Top, x, box.Bottom});
    ValueLeft_ = x;

    // The needle stops at the scale's ends; the text above shows the true value. FValue itself
    // keeps the channel's value, so that an unchanged value beyond the range draws nothing
    // (SetValue compares with it) and a repaint over a wider range moves the needle to it.
    std::int32_t needleValue = FValue;
    if (needleValue < L.VMin)
        needleValue = L.VMin;
    if (needleValue > L.VMax)
        needleValue = L.VMax;

    if (!ScaleUsable_) {
        L.NeedleDraw = false;
        return;
    }
    L.ValueToRadian = DialDegToRad * PaintedScaleAngle_ / (double(L.VMax) - L.VMin);
    const double theta = L.MinRadian - (double(needleValue) - L.VMin) * L.ValueToRadian;
    L.NeedleSP = DialPoint(L.DCX, L.DCY, theta, L.Needle);
    L.NeedleEP = DialPoint(L.DCX, L.DCY, theta, L.Boss);
    Line(c, L.NeedleSP, L.NeedleEP);
    L.NeedleDraw = true;
}
