#pragma once
// The numeric list: a title, then one row per channel with the channel's description on the
// left and its live value right-aligned in a box sized for the channel's digits on the right.
// Paint draws the whole list; SetValue redraws only the values that changed.
#include <array>
#include <cstdint>
#include <memory>
#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

#include "indicators/Indicator.h"
#include "indicators/PortInfo.h"
#include "platform/Color.h"
#include "platform/Geometry.h"

class QListWidget;

// One row of the list.
struct TNumRect {
    TPortInfo PortInfo;         // a copy of the channel's record; EmptyPort for no channel
    platform::TRect ValueRect;  // the value box in client pixels, set by Paint
    std::int32_t Value = 0;     // the value last drawn in the row
};

// The rows live in one contiguous buffer that grows in blocks of this many rows.
constexpr int NumRectBlock = 16;
using TNumRectArry = std::array<TNumRect, NumRectBlock>;
using PNumRectArry = std::unique_ptr<TNumRect[]>;

// Width templates of the value box, by MaxDigits: the box of a channel with MaxDigits k is as
// wide as entry k at the row font. The entry for 9 holds ten eights.
inline constexpr std::array<std::string_view, 10> DigitTemplates = {
    "", "8", "88", "888", "8888", "88888", "888888", "8888888", "88888888", "8888888888",
};

// The template of a channel; a MaxDigits beyond the table (a foreign channel table) takes the
// widest entry rather than reading past the table.
std::string_view DigitTemplate(std::uint8_t maxDigits);

class TNumericList : public TIndicator {
    Q_OBJECT
public:
    TNumericList(QWidget* AOwner, TPLUT PLUT);
    ~TNumericList() override;

    std::int32_t HeightTitle() const { return FHeightTitle; }
    std::int32_t HeightList() const { return FHeightList; }
    platform::TColor ColorTitle() const { return FColorTitle; }
    platform::TColor ColorList() const { return FColorList; }
    platform::TColor ColorBack() const { return FColorBack; }
    const QString& Title() const { return FTitle; }

    // Each stores its argument unchecked and invalidates the control.
    void SetHeightTitle(std::int32_t value);
    void SetHeightList(std::int32_t value);
    void SetColorTitle(platform::TColor value);
    void SetColorList(platform::TColor value);
    void SetColorBack(platform::TColor value);
    void SetTitle(const QString& value);

    // Makes the buffer hold at least Count rows (and one spare), growing in whole blocks.
    void GetNumListMemory(std::int32_t Count);
    // Rebuilds the rows from channel descriptions, one per line; a line that names no channel
    // gives an empty row. Nothing is redrawn.
    void SetNumStrList(const QListWidget* ListBox);
    void SetNumStrList(const QStringList& Lines);

    void Paint() override;
    // Draws the values of all rows, or only of the rows whose channel value changed.
    void ValueDraw(bool All);
    void SetValue() override;

    // The property lines, the rows' channels last.
    void SaveProperty(QStringList& List, const std::string& Prefix) const override;
    void LoadProperty(std::string Text) override;

    std::int32_t NumRectCount = 0;
    PNumRectArry NumRectArray;
    // The recorded capacity of NumRectArray, in rows.
    std::int32_t RowCapacity() const { return HeapMemSize; }

    // The layout of the last Paint.
    const platform::TRect& Inner() const { return InnerRect; }

protected:
    // The base's hover and drag handling, then the arrow inside the list area.
    void MouseMove(platform::TShiftState Shift, int X, int Y) override;

private:
    void RestoreDescription(const TNumRect& row);

    std::int32_t FHeightTitle = 16;
    std::int32_t FHeightList = 16;
    platform::TColor FColorTitle = 0;
    platform::TColor FColorList = 0xFF0000;
    platform::TColor FColorBack = 0xF0F0F0;
    QString FTitle = QStringLiteral("Numeric List");

    std::int32_t HeapMemSize = 0;
    platform::TRect OuterRect;
    platform::TRect InnerRect;

    // Value boxes exist only after the first Paint; values wait for it.
    bool painted_ = false;
    // Rows whose last value text was wider than its box and ran over the description.
    std::vector<bool> overran_;
};
