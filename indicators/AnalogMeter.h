#pragma once
// The dial gauge: a circular scale with main and sub ticks and their numbers, an optional
// multiplier label, optional upper and lower limit bands, a title, a needle and a digital value
// box, showing the live value of one channel.
//
// Paint draws the whole face; SetValue redraws only the moving part (the needle, erased and drawn
// again with an exclusive-or pen, and the value text) when the channel's value has changed.
#include <cstdint>
#include <QString>
#include <QStringList>
#include <string>

#include "indicators/DialGeometry.h"
#include "indicators/Indicator.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

// The layout of the last repaint, kept between repaints: SetValue draws with it.
struct TAnalogMeterLayout {
    platform::TRect DigitalRect;  // the digital value box
    int DCX = 0;                  // centre of the scale and of the needle
    int DCY = 0;
    int Boss = 0;               // radius of the hub; inner end of the needle
    int ScaleR1 = 0;            // outer radius of all ticks
    int ScaleR2 = 0;            // inner end of the sub ticks
    int ScaleR3 = 0;            // inner end of the main ticks
    int ScaleFH = 0;            // font height of the scale numbers
    int DigitalFH = 0;          // font height of the value text
    double SubScalePit = 0;     // radians between adjacent ticks
    double MinRadian = 0;       // angle of the scale's start (the minimum's end)
    double ValueToRadian = 0;   // radians per raw unit
    int Needle = 0;             // radius of the needle's tip
    platform::TPoint NeedleSP;  // the needle as last drawn: tip
    platform::TPoint NeedleEP;  //   and hub end
    bool NeedleDraw = false;    // a needle drawn by GraphDraw is on the surface
    platform::TRect OuterRect;
    platform::TRect InnerRect;  // the face inside the sunken frame
    int VMax = 0;               // the range the last Paint took; the needle is mapped with it
    int VMin = 0;

    int NeedlePenWidth() const { return Needle / 20; }
    int TickPenWidth() const { return Needle / 60; }
};

class TAnalogMeter : public TIndicator {
    Q_OBJECT
public:
    TAnalogMeter(QWidget* owner, TPLUT plut);

    // Draws the whole face, growing the control to its minimum size first.
    void Paint() override;
    // Redraws the needle and the value text when the channel's value has changed.
    void SetValue() override;
    // Draws the moving part: erases the old needle, writes the value text, draws the new needle.
    void GraphDraw();

    // The 26 property lines.
    void SaveProperty(QStringList& list, const std::string& prefix) const override;
    void LoadProperty(std::string text) override;

    int ScaleAngle() const { return FScaleAngle; }
    int ScaleHeight() const { return FScaleHeight; }
    int MainScaleDiv() const { return FMainScaleDiv; }
    int SubScaleDiv() const { return FSubScaleDiv; }
    int MinValue() const { return FMinValue; }
    int MaxValue() const { return FMaxValue; }
    int MainScaleExp() const { return FMainScaleExp; }
    int HeightTitle() const { return FHeightTitle; }
    int HeightScale() const { return FHeightScale; }
    int HeightValue() const { return FHeightValue; }
    platform::TColor ColorTitle() const { return FColorTitle; }
    platform::TColor ColorScale() const { return FColorScale; }
    platform::TColor ColorValue() const { return FColorValue; }
    platform::TColor ColorSLine() const { return FColorSLine; }
    platform::TColor ColorNeedle() const { return FColorNeedle; }
    platform::TColor ColorBack() const { return FColorBack; }
    platform::TColor ColorBoss() const { return FColorBoss; }
    platform::TColor ColorUpperLimit() const { return FColorUpperLimit; }
    platform::TColor ColorLowerLimit() const { return FColorLowerLimit; }
    const QString& Title() const { return FTitle; }
    const std::string& UpperLimit() const { return FUpperLimit; }
    const std::string& LowerLimit() const { return FLowerLimit; }
    const std::string& IoName() const { return FIoName; }
    const TPortInfo& PortInfo() const { return FPortInfo; }
    // The channel's value as last shown, also beyond the range (only the needle is pinned).
    std::int32_t Value() const { return FValue; }
    const TAnalogMeterLayout& Layout() const { return L; }

    // Each setter stores its argument unchecked and invalidates the control.
    void SetScaleAngle(int value);
    void SetScaleHeight(int value);
    void SetMainScaleDiv(int value);
    void SetSubScaleDiv(int value);
    void SetMinValue(int value);
    void SetMaxValue(int value);
    void SetMainScaleExp(int value);
    void SetHeightTitle(int value);
    void SetHeightScale(int value);
    void SetHeightValue(int value);
    void SetColorTitle(platform::TColor value);
    void SetColorScale(platform::TColor value);
    void SetColorValue(platform::TColor value);
    void SetColorSLine(platform::TColor value);
    void SetColorNeedle(platform::TColor value);
    void SetColorBack(platform::TColor value);
    void SetColorBoss(platform::TColor value);
    void SetColorULmt(platform::TColor value);
    void SetColorLLmt(platform::TColor value);
    void SetTitle(const QString& value);
    void SetUpperLimit(const std::string& value);
    void SetLowerLimit(const std::string& value);
    // Binds the channel whose Designator is value (none when it names no channel).
    void SetIoName(const std::string& value);

private:
    // A limit text converted with the channel's decimals. The conversion reports a text it
    // rejects in a box; the setters convert at once, so that a bad text is reported when it is
    // given, outside the paint cycle, and the repaints find it known bad and stay silent.
    struct LimitCache {
        bool Known = false;
        std::string Text;
        int Decimals = 0;
        bool Converted = false;
        std::int32_t Value = 0;
    };

    void Alignment();
    void DrawArcBand(int ro, int ri, platform::TColor color, double a, double b);
    void DrawScale(const TDialScaleCheck& scale, int decimals);
    void DrawHub();
    void PlaceValueBox(int decimals);
    bool ConvertLimit(LimitCache& cache, const std::string& text, std::int32_t& value);

    TPortInfo FPortInfo;
    std::int32_t FValue = 0;
    int FScaleAngle = 270;
    int FScaleHeight = 0;
    int FMainScaleDiv = 10;
    int FSubScaleDiv = 5;
    int FMinValue = 0;
    int FMaxValue = 10000;
    int FMainScaleExp = 3;
    int FHeightTitle = 16;
    int FHeightScale = 16;
    int FHeightValue = 24;
    platform::TColor FColorTitle = 0;
    platform::TColor FColorScale = 0;
    platform::TColor FColorValue = 0xFF0000;
    platform::TColor FColorSLine = 0;
    platform::TColor FColorNeedle = 0x0000FF;
    platform::TColor FColorBack = 0xF0F0F0;
    platform::TColor FColorBoss = 0x808080;
    platform::TColor FColorUpperLimit = 0;
    platform::TColor FColorLowerLimit = 0;
    std::string FUpperLimit;
    std::string FLowerLimit;
    std::string FIoName;
    QString FTitle = QStringLiteral("Dial Meter");

    TAnalogMeterLayout L;
    int PaintedScaleAngle_ = 270;  // the angle the last Paint drew the scale with
    bool ScaleUsable_ = false;     // the last Paint drew a scale (and so may draw a needle)
    bool LaidOut_ = false;         // a Paint has run: SetValue has a layout to draw with
    bool Painting_ = false;        // guards against the repaint that growing the control brings
    // Where the value text drawn last begins: the overflow mark of a narrow box reaches left of
    // it, and the next text clears that.
    int ValueLeft_ = 0;
    LimitCache UpperCache_;
    LimitCache LowerCache_;
};
