#pragma once
// The bar graph indicator: one channel's live value as a bar between MinValue and MaxValue,
// horizontal (growing to the right) or vertical (growing upwards), with the title above, the
// two end values as labels, up to two marker lines and the value as text.
//
// Paint draws the whole face; a new value redraws only the value box and moves the bar's end
// line by line with the exclusive-or pen, so that every freed line gets its previous colour
// back and a marker under the bar shows through.
#include <cstdint>
#include <QString>
#include <QStringList>
#include <string>

#include "indicators/BarGraphLayout.h"
#include "indicators/Indicator.h"
#include "platform/Color.h"

class TBarGraph : public TIndicator {
    Q_OBJECT
public:
    TBarGraph(QWidget* AOwner, TPLUT PLUT);

    std::int32_t MinValue() const { return FMinValue; }
    std::int32_t MaxValue() const { return FMaxValue; }
    std::int32_t HeightTitle() const { return FHeightTitle; }
    std::int32_t HeightValue() const { return FHeightValue; }
    platform::TColor ColorTitle() const { return FColorTitle; }
    platform::TColor ColorScale() const { return FColorScale; }
    platform::TColor ColorValue() const { return FColorValue; }
    platform::TColor ColorMarker() const { return FColorMarker; }
    platform::TColor ColorBar() const { return FColorBar; }
    platform::TColor ColorBack() const { return FColorBack; }
    std::int32_t Vertical() const { return FVertical; }
    const std::string& Marker1() const { return FMarker1; }
    const std::string& Marker2() const { return FMarker2; }
    const QString& Title() const { return FTitle; }
    const std::string& IoName() const { return FIoName; }

    // Each stores its argument as it is and invalidates the control.
    void SetMinValue(std::int32_t value);
    void SetMaxValue(std::int32_t value);
    void SetHeightTitle(std::int32_t value);
    void SetHeightValue(std::int32_t value);
    void SetColorTitle(platform::TColor value);
    void SetColorScale(platform::TColor value);
    void SetColorValue(platform::TColor value);
    void SetColorMarker(platform::TColor value);
    void SetColorBar(platform::TColor value);
    void SetColorBack(platform::TColor value);
    void SetVertical(std::int32_t value);
    void SetMarker1(const std::string& value);
    void SetMarker2(const std::string& value);
    void SetTitle(const QString& value);
    // Also looks the channel up in the indicator's table (no channel when it names none).
    void SetIoName(const std::string& value);

    void Paint() override;
    void SetValue() override;
    // Draws the value text and moves the bar's end to FValue, on the layout of the last Paint.
    void GraphDraw();

    // The eighteen property lines.
    void SaveProperty(QStringList& List, const std::string& Prefix) const override;
    void LoadProperty(std::string Text) override;

    // The value now drawn, its channel, and the layout of the last Paint.
    std::int32_t Value() const { return FValue; }
    const TPortInfo& PortInfo() const { return FPortInfo; }
    const TBarGraphLayout& Layout() const { return FaceLayout; }

private:
    std::int32_t FMinValue = 0;
    std::int32_t FMaxValue = 100;
    std::int32_t FHeightTitle = 16;
    std::int32_t FHeightValue = 16;
    platform::TColor FColorTitle = platform::clBlack;
    platform::TColor FColorScale = platform::clBlack;
    platform::TColor FColorValue = platform::clBlue;
    platform::TColor FColorMarker = platform::clBlack;
    platform::TColor FColorBar = platform::clRed;
    platform::TColor FColorBack = 0xF0F0F0;
    std::int32_t FVertical = 0;
    std::string FMarker1;
    std::string FMarker2;
    QString FTitle = QStringLiteral("Bar Graph");
    std::string FIoName;

    TPortInfo FPortInfo = EmptyPort;
    std::int32_t FValue = 0;

    // The end labels' texts and widths, measured by the last Paint.
    std::string ValStrMax, ValStrMin;
    int MaxValWidth = 0, MinValWidth = 0;
    // Layout of the last Paint; GraphDraw works on it until the next Paint.
    TBarGraphLayout FaceLayout;
    // The bar's end now drawn.
    int BarPosi = 0;
    // Where the value text drawn last begins: the overflow mark of a narrow box reaches left of
    // it, and the next text clears that.
    int ValueLeft = 0;
    // Whether a Paint has laid the face out yet: a value that arrives before then is only kept,
    // and a direction changed since is drawn only by the next Paint.
    bool LaidOut = false;

    // The input of the layout: the size and range with the texts measured on the canvas.
    TBarGraphLayoutInput MeasureLayout(const std::string& title);
    void DrawMarker(const std::string& text);
    void DrawBarLine(int position);
};
