#pragma once
// The XY graph indicator: one channel plotted against another. A raised panel with the title, a
// sunken plot area with a dotted grid, labels at both ends of both axes and two value boxes; the
// moving part is a crosshair (a column at the X value, a row at the Y value) drawn and erased
// with the exclusive-or pen, so that a new value never repaints the face.
#include <array>
#include <cstdint>
#include <QString>
#include <QStringList>
#include <string>

#include "indicators/Indicator.h"
#include "indicators/XYGraphLayout.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

class TXYGraph : public TIndicator {
    Q_OBJECT
public:
    TXYGraph(QWidget* AOwner, TPLUT PLUT);

    // The property-line keys, in the order the reader compares them.
    static const std::array<const char*, 20> XYGraphKeyNames;

    std::int32_t XMinValue() const { return FXMinValue; }
    std::int32_t XMaxValue() const { return FXMaxValue; }
    std::int32_t XSplit() const { return FXSplit; }
    const std::string& XIoName() const { return FXIoName; }
    std::int32_t YMinValue() const { return FYMinValue; }
    std::int32_t YMaxValue() const { return FYMaxValue; }
    std::int32_t YSplit() const { return FYSplit; }
    const std::string& YIoName() const { return FYIoName; }
    std::int32_t HeightTitle() const { return FHeightTitle; }
    std::int32_t HeightValue() const { return FHeightValue; }
    platform::TColor ColorTitle() const { return FColorTitle; }
    platform::TColor ColorScale() const { return FColorScale; }
    platform::TColor ColorValue() const { return FColorValue; }
    platform::TColor ColorGrid() const { return FColorGrid; }
    platform::TColor ColorCross() const { return FColorCross; }
    platform::TColor ColorBack() const { return FColorBack; }
    const QString& Title() const { return FTitle; }

    // Each stores its argument as it is and invalidates the control.
    void SetXMinValue(std::int32_t value);
    void SetXMaxValue(std::int32_t value);
    void SetXSplit(std::int32_t value);
    void SetYMinValue(std::int32_t value);
    void SetYMaxValue(std::int32_t value);
    void SetYSplit(std::int32_t value);
    void SetHeightTitle(std::int32_t value);
    void SetHeightValue(std::int32_t value);
    void SetColorTitle(platform::TColor value);
    void SetColorScale(platform::TColor value);
    void SetColorValue(platform::TColor value);
    void SetColorGrid(platform::TColor value);
    void SetColorCross(platform::TColor value);
    void SetColorBack(platform::TColor value);
    void SetTitle(const QString& value);
    // Also look the channel up in the indicator's table (no channel when it names none).
    void SetXIoName(const std::string& designator);
    void SetYIoName(const std::string& designator);

    void Paint() override;
    void SetValue() override;
    // Erases the crosshair recorded in LastX/LastY, draws it for the values now held and
    // redraws both value texts, on the layout of the last Paint.
    void GraphDraw();

    // The twenty property lines.
    void SaveProperty(QStringList& List, const std::string& Prefix) const override;
    void LoadProperty(std::string Text) override;

    // The values shown, their channels, and the layout of the last Paint.
    std::int32_t XValue() const { return FXValue; }
    std::int32_t YValue() const { return FYValue; }
    const TPortInfo& XPortInfo() const { return FXPortInfo; }
    const TPortInfo& YPortInfo() const { return FYPortInfo; }
    const TXYGraphLayout& Layout() const { return FaceLayout; }

private:
    TPortInfo FXPortInfo = EmptyPort;
    TPortInfo FYPortInfo = EmptyPort;
    std::int32_t FXValue = 0;
    std::int32_t FXMinValue = 0;
    std::int32_t FXMaxValue = 100;
    std::int32_t FXSplit = 5;
    std::string FXIoName;
    std::int32_t FYValue = 0;
    std::int32_t FYMinValue = 0;
    std::int32_t FYMaxValue = 100;
    std::int32_t FYSplit = 5;
    std::string FYIoName;
    QString FTitle = QStringLiteral("TITLE");
    std::int32_t FHeightTitle = 16;
    std::int32_t FHeightValue = 16;
    platform::TColor FColorTitle = platform::clBlack;
    platform::TColor FColorScale = platform::clBlack;
    platform::TColor FColorValue = platform::clBlue;
    platform::TColor FColorCross = platform::clBlue;
    platform::TColor FColorGrid = platform::clGray;
    platform::TColor FColorBack = 0xF0F0F0;

    // The scale labels' texts and widths, measured by the last Paint.
    std::string XMaxValStr, XMinValStr, YMaxValStr, YMinValStr;
    int XMaxValWidth = 0, XMinValWidth = 0, YMaxValWidth = 0, YMinValWidth = 0;
    // Layout of the last Paint; GraphDraw works on it until the next Paint.
    TXYGraphLayout FaceLayout;
    // The crosshair's column and row on screen; -1 for a line not drawn.
    int LastX = 0, LastY = 0;
    // Whether a Paint has laid the face out yet: a value that arrives before then is only kept.
    bool LaidOut = false;

    // The input of the layout: the size and limits with the texts measured on the canvas.
    TXYGraphLayoutInput MeasureLayout(const std::string& title);
    void DrawGrid();
    // The value right-aligned in its box, "###" when it is wider.
    void DrawValue(const platform::TRect& box, std::int32_t value, std::int32_t decimals);
};
